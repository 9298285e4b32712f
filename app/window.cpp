#include "app/controls.h"
#include "app/options.h"
#include "app/shell.h"
#include "assets/catalogue.h"
#include "input/recording.h"
#include "match/phases.h"
#include "pad/pad.h"
#include "sound/sound.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static void applyWindowRequest(WindowRequest request)
{
    if (request == EnterFullScreen)
        glutFullScreen();
    else if (request == LeaveFullScreen)
        glutReshapeWindow(savedWidth, savedHeight);
}

static void setPerspective(double aspect)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, aspect, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

void initGraphics()
{
    setPerspective(1);
    glEnable(GL_DEPTH_TEST);
}

void onReshape(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
    glViewport(0, 0, width, height);
    setPerspective(aspectRatio(width, height));
}

// One complete frame at game time `time`, drawn at the given picture size.
static void drawFrame(double time, int width, int height)
{
    glViewport(0, 0, width, height);
    setPerspective(static_cast<float>(aspectRatio(width, height)));
    gameFrame(time, static_cast<float>(width), static_cast<float>(height));
    glutSwapBuffers();
}

// Where a replay stands against real time, and the last frame it played.
static double replayStartReal = -1;
static double replayStartGame = 0;
static double replayLastGame = 0;

// The next recorded frame's time, without playing up to it; false at the end.
static bool nextRecordedFrameTime(double& time)
{
    for (std::size_t i = replay.next; i < replay.recording.events.size(); ++i)
        if (replay.recording.events[i].kind == RecordedFrame) {
            time = replay.recording.events[i].time;
            return true;
        }
    return false;
}

// Plays the next recorded frame once it is due at the chosen pace.
static void replayFrame()
{
    double due = 0;
    if (!nextRecordedFrameTime(due)) {
        if (replay.on) {
            replay.on = false;
            std::printf("tarvok: replay finished: %d frames, %.1f units of game time, state %016llx\n",
                        replay.framesPlayed, replayLastGame - replayStartGame, gameStateHash());
        }
        return;
    }
    if (replayStartReal < 0) {
        replayStartReal = elapsedMilliseconds();
        replayStartGame = due;
    }
    const double realUnits = (elapsedMilliseconds() - replayStartReal) / 30.0;
    if (options.replaySpeed > 0 && realUnits * options.replaySpeed < due - replayStartGame)
        return;
    double time = 0;
    int width = windowWidth, height = windowHeight;
    if (!replayToNextFrame(time, width, height))
        return;
    if (width != windowWidth || height != windowHeight)
        glutReshapeWindow(width, height);
    drawFrame(time, width, height);
    replayLastGame = time;
}

void onDisplay()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (firstFrame) {
        firstFrame = 0;
        glutTimerFunc(50, onTimer, 0);
    }
    if (!options.replayPath.empty()) {
        replayFrame();
        return;
    }
    const double time = gameTime();
    pollPads(time);
    recordFrame(time, windowWidth, windowHeight);
    drawFrame(time, windowWidth, windowHeight);
}

void onTimer(int)
{
    onDisplay();
    glutTimerFunc(1, onTimer, 0);
}

void onKeyDown(unsigned char key, int, int)
{
    // A replay's keys are the recorded ones.
    if (!options.replayPath.empty())
        return;
    const int alt = (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0;
    applyWindowRequest(keyPressed(key, alt, gameTime()));
}

void onKeyUp(unsigned char key, int, int)
{
    if (!options.replayPath.empty())
        return;
    keyReleased(key, gameTime());
}

void onMenu(int value)
{
    if (!options.replayPath.empty())
        return;
    applyWindowRequest(menuChoice(value));
}

int runShell(int argc, char** argv)
{
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tarvok: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("tarvok %s\n", gameVersion);
        return 0;
    }
    // Without a display GLUT would end the program with its own message;
    // say what to do instead.
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "tarvok: no display to open a window on; to play without one, run it under xvfb-run\n");
        return 1;
    }
    soundOff = options.noSound;
    // The presentation's random numbers (fireworks, camera flashes) start
    // where the standard says an unseeded generator starts; recordings say so.
    constexpr unsigned seed = 1;
    if (!options.replayPath.empty()) {
        Recording recording;
        if (!readRecording(options.replayPath.c_str(), gameVersion, recording, error)) {
            std::fprintf(stderr, "tarvok: %s\n", error.c_str());
            return 1;
        }
        std::srand(recording.seed);
        startReplay(recording);
    } else {
        std::srand(seed);
    }
    if (!options.recordPath.empty() &&
        !startRecording(options.recordPath.c_str(), gameShapingOptions(options), seed, gameVersion, error)) {
        std::fprintf(stderr, "tarvok: %s\n", error.c_str());
        return 1;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Tarvok");
    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);

    glutCreateMenu(onMenu);
    glutAddMenuEntry("Shadows On", 3);
    glutAddMenuEntry("Shadows Off", 2);
    glutAddMenuEntry("Models On", 5);
    glutAddMenuEntry("Models Off", 6);
    glutAddMenuEntry("Bones On", 7);
    glutAddMenuEntry("Bones Off", 8);
    glutAddMenuEntry("Full Screen On", 1);
    glutAddMenuEntry("Full Screen Off", 4);
    glutAttachMenu(GLUT_RIGHT_BUTTON);

    glutReshapeWindow(640, 480);
    initGraphics();
    initGame();
    // A replay's inputs are the recorded ones.
    padsOff = options.noPads || !options.replayPath.empty();
    padsInit();
    glutMainLoop();
    return 0;
}
