#include "ai/computer.h"
#include "app/controls.h"
#include "app/options.h"
#include "app/shell.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "sound/sound.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <random>
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

void onDisplay()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (firstFrame) {
        firstFrame = 0;
        glutTimerFunc(50, onTimer, 0);
    }
    glViewport(0, 0, windowWidth, windowHeight);
    setPerspective(static_cast<float>(aspectRatio(windowWidth, windowHeight)));
    const double time = gameTime();
    playComputers(time);
    gameFrame(time, static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    glutSwapBuffers();
}

void onTimer(int)
{
    onDisplay();
    glutTimerFunc(1, onTimer, 0);
}

void onKeyDown(unsigned char key, int, int)
{
    const int alt = (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0;
    applyWindowRequest(keyPressed(key, alt, gameTime()));
}

void onKeyUp(unsigned char key, int, int)
{
    keyReleased(key, gameTime());
}

void onMenu(int value)
{
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
    startComputers(options.computerPlayers, options.level, static_cast<unsigned>(std::random_device{}()));
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
    glutMainLoop();
    return 0;
}
