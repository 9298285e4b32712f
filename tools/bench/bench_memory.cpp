// Plays the game for a long stretch of game time, the computer on both
// sides, game after game, at random frame times, and samples the resident
// memory as it goes: a game played for hours must not grow.
//
// It prints the resident memory after the first game (start-up done: data
// loaded, every sound and texture asked for once) and then at every tenth
// of the run, each as a ratio of that first figure, and last the largest
// ratio seen.
//
// Usage (needs a display; run it under xvfb-run):
//     bench_memory <run directory> [game time in minutes, 60 by default] [seed]
#include "tools/bench/quiet_stdout.h"
#include "ai/computer.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "sound/sound.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Small pictures: the memory is the question, not the pixels.
constexpr int width = 160;
constexpr int height = 120;
constexpr double unitsPerMinute = 60 * 1000 / 30.0;

// Resident memory in kilobytes, from /proc.
long residentKilobytes()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    long size = 0, resident = 0;
    const int read = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return read == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

void frame(double time)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, static_cast<double>(width) / height, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    playComputers(time);
    gameFrame(time, width, height);
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <run directory> [minutes of game time] [seed]\n", argv[0]);
        return 2;
    }
    const double minutes = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 60.0;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "bench_memory: no display; run it under xvfb-run\n");
        return 1;
    }
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "bench_memory: cannot enter %s\n", argv[1]);
        return 1;
    }
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    soundOff = true;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow("bench_memory");
    glEnable(GL_DEPTH_TEST);

    const int quiet = quietStdout();
    initGame();
    startComputers(3, NormalLevel, seed);
    std::mt19937 random(seed);
    // Frames from 2 ms to 100 ms, most of them short, as a busy machine gives.
    std::uniform_real_distribution<double> frameMs(2, 100);
    std::uniform_real_distribution<double> chance(0, 1);
    auto nextFrame = [&] { return (chance(random) < 0.8 ? frameMs(random) / 4 + 1.5 : frameMs(random)) / 30.0; };

    // The first game, start-up's share of memory.
    double clock = 0;
    bool left = false;
    long frames = 0;
    while (clock < 30 * unitsPerMinute) {
        clock += nextFrame();
        frame(clock);
        ++frames;
        if (gamePhase != Selection)
            left = true;
        else if (left)
            break;
    }
    restoreStdout(quiet);
    const double start = clock;
    const long first = residentKilobytes();
    std::printf("bench_memory: %.0f minutes of game time, the computer on both sides, seed %u\n", minutes, seed);
    std::printf("%12s %10s %10s %8s\n", "game minutes", "frames", "resident", "ratio");
    std::printf("%12.1f %10ld %8ld kB %8.3f   (after the first game)\n", start / unitsPerMinute, frames, first, 1.0);

    double largest = 1;
    int games = 1;
    const double end = start + minutes * unitsPerMinute;
    for (int tenth = 1; tenth <= 10; ++tenth) {
        const double until = start + (end - start) * tenth / 10;
        const int q = quietStdout();
        while (clock < until) {
            const int phase = gamePhase;
            clock += nextFrame();
            frame(clock);
            ++frames;
            games += phase != Selection && gamePhase == Selection;
        }
        restoreStdout(q);
        const long now = residentKilobytes();
        const double ratio = static_cast<double>(now) / first;
        largest = std::max(largest, ratio);
        std::printf("%12.1f %10ld %8ld kB %8.3f\n", clock / unitsPerMinute, frames, now, ratio);
        std::fflush(stdout);
    }
    std::printf("%d games; largest resident memory %.3f times that after the first game\n", games, largest);
    return 0;
}
