// Times the frame of a match: the whole gameFrame and its main parts, each
// in milliseconds per frame and as a share of a 60 Hz frame (16.7 ms), and
// beside them the floors no frame can go below: clearing and swapping an
// empty frame, and filling every pixel once the way the arena fills them.
// Every timed stretch ends with glFinish, so the drawing the GL driver does
// is counted with the calls that ask for it.
//
// Last, the drawing of one match frame from a fixed state, done the way it
// was first written (every vertex by its own call) and the way the game does
// it now, sample for sample in turn, with the ratio of the two.
//
// Usage (needs a display; run it under xvfb-run):
//     bench_frame <run directory> [frames]
#include "tools/bench/quiet_stdout.h"
#include "tools/bench/reference/reference_draw.h"
#include "anim/body.h"
#include "anim/playback.h"
#include "anim/pose.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "match/arena.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "match/view.h"
#include "wrestler/wrestler.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

constexpr int width = 640;
constexpr int height = 480;
constexpr double frameBudget = 1000.0 / 60.0;
// A 16 ms frame in game time units.
constexpr float frameUnits = 16.0f / 30.0f;

float gameClock = 0;

// The projection the window sets before each frame.
void setProjection()
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, static_cast<double>(width) / height, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

void frame()
{
    gameClock += frameUnits;
    setProjection();
    gameFrame(gameClock, width, height);
}

// The least a displayed frame costs: the window's clear, nothing drawn, the
// swap.
void emptyFrame()
{
    setProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// The least the arena can cost: every pixel of the screen filled once, as
// the arena fills it (textured, lit, depth-tested), then swapped.
void screenFilledOnce()
{
    setProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, crowdTexture);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0.5f);
    glTexCoord2f(3, 0);
    glVertex3f(1, -1, 0.5f);
    glTexCoord2f(3, 1);
    glVertex3f(1, 1, 0.5f);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0.5f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glutSwapBuffers();
}

void tap(unsigned char key)
{
    keyPressed(key, 0);
    frame();
    keyReleased(key);
}

// Through the selection screen and both entrances, skipped, to the match.
bool startMatch()
{
    frame();
    keyPressed('f', 0);
    keyPressed('h', 0);
    frame();
    keyReleased('f');
    keyReleased('h');
    frame();
    for (int entrant = 0; entrant < 2 && gamePhase == Entrance; ++entrant) {
        for (int i = 0; i < 200 && phaseTime <= 31; ++i)
            frame();
        tap(entrant == 0 ? 'f' : 'h');
    }
    return gamePhase == Match;
}

// CPU time of the whole process, the GL driver's drawing threads included:
// on a busy machine it shows the cost better than the wall clock does.
double processMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Figures {
    std::vector<double> samples;
    double cpu = -1;    // process CPU time per sample; below 0 when not taken

    double mean() const
    {
        double total = 0;
        for (double s : samples)
            total += s;
        return samples.empty() ? 0 : total / static_cast<double>(samples.size());
    }
    double percentile(double p) const
    {
        if (samples.empty())
            return 0;
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t i = std::min(sorted.size() - 1, static_cast<std::size_t>(p * static_cast<double>(sorted.size())));
        return sorted[i];
    }
};

// Runs the work the given number of times; each run is one sample. The
// software renderer only bins what it is given until the finish, then fills
// the pixels; calls, if given, gets the time each run spent before the
// finish.
Figures timeIt(int count, const std::function<void()>& work, Figures* calls = nullptr)
{
    Figures f;
    f.samples.reserve(static_cast<std::size_t>(count));
    // Drawing still queued from before is not this work's cost.
    glFinish();
    const double cpuStart = processMilliseconds();
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = Clock::now();
        work();
        const Clock::time_point issued = Clock::now();
        glFinish();
        f.samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (calls)
            calls->samples.push_back(std::chrono::duration<double, std::milli>(issued - start).count());
    }
    f.cpu = (processMilliseconds() - cpuStart) / count;
    return f;
}

void report(const char* what, const Figures& f)
{
    const double median = f.percentile(0.5);
    std::printf("%-44s %8.3f %6.1f%%  %8.3f %8.3f", what, median, 100.0 * median / frameBudget, f.mean(),
                f.percentile(0.95));
    if (f.cpu >= 0)
        std::printf(" %8.3f %6.1f%%", f.cpu, 100.0 * f.cpu / frameBudget);
    std::printf("\n");
}

float scaleOf(const Wrestler& w)
{
    return roster[w.character >= 0 && w.character < rosterSize ? w.character : 0].bodyScale;
}

// Poses the shared mesh's skeleton as drawWrestler does for this wrestler.
Animation& poseFor(Wrestler& w)
{
    Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    evaluatePose(current);
    bodyMesh.skeleton = &current;
    return current;
}

// The match view with the model-view matrix at the wrestler, as the body
// drawing leaves it.
void viewAt(const Wrestler& w)
{
    setProjection();
    setupView();
    glEnable(GL_LIGHTING);
    glTranslatef(w.x, w.y, w.z);
    glRotatef(w.heading, 0, 1, 0);
}

// The drawing of a match frame from the state as it stands, by the
// reference drawing or by the game's, in the order the frame draws.
void drawMatch(bool reference, bool withFireworks)
{
    setProjection();
    setupView();
    glEnable(GL_LIGHTING);
    if (reference) {
        reference::drawFloor();
        reference::drawCrowd();
        reference::drawRing();
        reference::drawPostsAndRopes();
        if (withFireworks)
            reference::drawFireworksAtPosts(fireworks);
        reference::drawWrestler(playerOne, 1, 0, 1);
        reference::drawWrestler(playerTwo, 1, 0, 1);
        reference::drawHud(width, height);
    } else {
        drawArena();
        if (withFireworks)
            drawFireworksAtPosts(fireworks);
        drawWrestler(playerOne, 1, 0, 1);
        drawWrestler(playerTwo, 1, 0, 1);
        drawHud(width, height);
    }
}

// Times the reference and the game's drawing of the same thing, one sample
// of each in turn so that both see the same machine, and reports both with
// their ratio.
void compare(const char* what, const std::function<void(bool)>& draw, int count)
{
    Figures before, now;
    before.cpu = now.cpu = 0;
    draw(true);
    draw(false);
    glFinish();
    for (int i = 0; i < count; ++i) {
        for (bool reference : {true, false}) {
            Figures& f = reference ? before : now;
            const double cpuStart = processMilliseconds();
            const Clock::time_point start = Clock::now();
            draw(reference);
            glFinish();
            f.samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            f.cpu += processMilliseconds() - cpuStart;
        }
    }
    before.cpu /= count;
    now.cpu /= count;
    const double b = before.percentile(0.5), n = now.percentile(0.5);
    std::printf("%-36s %8.3f %8.3f %6.2f   %8.3f %8.3f %6.2f\n", what, b, n, n / b, before.cpu, now.cpu,
                now.cpu / before.cpu);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <run directory> [frames]\n", argv[0]);
        return 2;
    }
    const int count = argc > 2 ? std::max(10, std::atoi(argv[2])) : 600;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "bench_frame: no display; run it under xvfb-run\n");
        return 1;
    }
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "bench_frame: cannot enter %s\n", argv[1]);
        return 1;
    }
#if defined(__SANITIZE_ADDRESS__)
    // The GL driver keeps memory for the context in ways the leak checker
    // cannot follow; the game itself frees nothing it creates at start-up.
    __lsan_disable();
#endif
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow("bench_frame");
    glEnable(GL_DEPTH_TEST);

    const int saved = quietStdout();
    initGame();
    const bool inMatch = startMatch();
    if (inMatch) {
        // Player one walks a little way, so the frame has moving bodies,
        // then both stand facing each other in the ring.
        keyPressed('s', 0);
        for (int i = 0; i < 40; ++i)
            frame();
        keyReleased('s');
        for (int i = 0; i < 20; ++i)
            frame();
    }
    restoreStdout(saved);
    if (!inMatch) {
        std::fprintf(stderr, "bench_frame: the game did not reach the match\n");
        return 1;
    }

    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("run directory %s, %d samples each, %dx%d, renderer %s\n", argv[1], count, width, height,
                renderer ? renderer : "?");
    std::printf("mesh: %d vertices, %d faces; fireworks: %d particles\n", bodyMesh.vertexCount, bodyMesh.faceCount,
                fireworks.particleCount);
    std::printf("player one at (%.1f, %.1f), player two at (%.1f, %.1f)\n", playerOne.x, playerOne.z, playerTwo.x,
                playerTwo.z);
    std::printf("milliseconds per frame; %% of a 60 Hz frame (16.7 ms); wall clock median, mean and 95th\n"
                "percentile, then process CPU time (GL driver threads included)\n");
    std::printf("%-44s %8s %7s  %8s %8s %8s %7s\n", "part", "median", "budget", "mean", "95th", "cpu", "budget");

    const int quiet = quietStdout();
    Figures matchCalls, fireworksCalls;
    const Figures match = timeIt(count, frame, &matchCalls);
    keyPressed('1', 0);
    for (int i = 0; i < 60; ++i)
        frame();
    const Figures matchFireworks = timeIt(count, frame, &fireworksCalls);
    keyReleased('1');
    for (int i = 0; i < 60; ++i)
        frame();
    restoreStdout(quiet);

    report("gameFrame (match)", match);
    report("gameFrame (match, '1' held)", matchFireworks);
    report("floor: empty frame, clear and swap", timeIt(count, emptyFrame));
    report("floor: the screen filled once, textured", timeIt(count, screenFilledOnce));
    // The calls alone: the rest of each frame is the renderer filling pixels.
    report("  calls of gameFrame (match), no finish", matchCalls);
    report("  calls of gameFrame ('1' held), no finish", fireworksCalls);

    // Both stand, so advancing their clips moves nobody.
    report("advanceClip, both wrestlers", timeIt(count, [] {
               advanceClip(playerOne, frameUnits * 1.8f, playerTwo);
               advanceClip(playerTwo, frameUnits * 1.8f, playerOne);
           }));
    for (Wrestler* w : {&playerOne, &playerTwo}) {
        const std::string who = w == &playerOne ? "player one" : "player two";
        const float scale = scaleOf(*w);
        report(("evaluatePose, " + who).c_str(), timeIt(count, [&] { evaluatePose(w->clips[static_cast<std::size_t>(w->clip)]); }));
        poseFor(*w);
        report(("deformMesh, " + who).c_str(), timeIt(count, [&] { deformMesh(bodyMesh, scale); }));
        viewAt(*w);
        glEnable(GL_TEXTURE_2D);
        report(("drawBody (with its deformMesh), " + who).c_str(),
               timeIt(count, [&] { drawBody(bodyMesh, w->bodyTexture1, w->bodyTexture2, scale); }));
        glDisable(GL_TEXTURE_2D);
        setProjection();
        setupView();
        report(("drawWrestler (body, shadow), " + who).c_str(),
               timeIt(count, [&] { drawWrestler(*w, 1, 0, 1); }));
    }

    setProjection();
    setupView();
    report("12 rope steps", timeIt(count, [] {
               for (Rope& rope : ropes)
                   stepRope(rope, frameUnits * 0.05f);
           }));
    // Drawn again over itself the arena fails the depth test everywhere and
    // fills few pixels; on a cleared frame (below) it fills them all.
    report("arena drawing", timeIt(count, [] {
               drawArena();
           }));
    for (int i = 0; i < 60; ++i)
        fireworksFrame(frameUnits, 1);
    report("fireworksFrame, '1' held", timeIt(count, [] { fireworksFrame(frameUnits, 1); }));
    for (int i = 0; i < 200; ++i)
        fireworksFrame(frameUnits, 0);
    report("fireworksFrame, '1' released", timeIt(count, [] { fireworksFrame(frameUnits, 0); }));
    report("drawHud", timeIt(count, [] { drawHud(width, height); }));

    // Fireworks in full flight for the frames with them; nothing below
    // moves them.
    for (int i = 0; i < 60; ++i)
        fireworksFrame(frameUnits, 1);
    std::printf("\nthe same drawing, first way and now, in turn: wall clock medians, then process CPU time\n");
    std::printf("%-36s %8s %8s %6s   %8s %8s %6s\n", "drawing", "before", "now", "ratio", "before", "now", "ratio");
    compare("match frame", [](bool reference) { drawMatch(reference, false); }, count);
    compare("match frame with fireworks", [](bool reference) { drawMatch(reference, true); }, count);
    compare("clear, then arena", [](bool reference) {
        setProjection();
        setupView();
        glEnable(GL_LIGHTING);
        if (reference) {
            reference::drawFloor();
            reference::drawCrowd();
            reference::drawRing();
            reference::drawPostsAndRopes();
        } else {
            drawArena();
        }
    }, count);
    for (Wrestler* w : {&playerOne, &playerTwo}) {
        compare(w == &playerOne ? "clear, then player one with shadow" : "clear, then player two with shadow",
                [w](bool reference) {
                    setProjection();
                    setupView();
                    glEnable(GL_LIGHTING);
                    if (reference)
                        reference::drawWrestler(*w, 1, 0, 1);
                    else
                        drawWrestler(*w, 1, 0, 1);
                }, count);
    }
    compare("clear, then fireworks at the posts", [](bool reference) {
        setProjection();
        setupView();
        if (reference)
            reference::drawFireworksAtPosts(fireworks);
        else
            drawFireworksAtPosts(fireworks);
    }, count);
    compare("clear, then HUD", [](bool reference) {
        setProjection();
        setupView();
        if (reference)
            reference::drawHud(width, height);
        else
            drawHud(width, height);
    }, count);
    return 0;
}
