// The keyboard's bindings, character changes, the options menu and full
// screen: everything of the shell that needs no window.
#pragma once

#include "input/keys.h"

// Window state.
extern float startClock;
extern int firstFrame;
extern int windowWidth, windowHeight;
extern int fullScreen;
extern int savedWidth, savedHeight;

// Display options of the right-button menu, read by the body drawing.
extern int showShadows, showModels, showBones;

// What a key press or menu choice asks the window to do.
enum WindowRequest { NoWindowChange = 0, EnterFullScreen, LeaveFullScreen };

// Milliseconds of monotonic real time.
double elapsedMilliseconds();
// Game time in 30 ms units since start-up, in double precision so that the
// difference of two readings stays exact however long the game runs.
double gameTime();
// Width over height for the projection; a zero height counts as one pixel.
double aspectRatio(int width, int height);

// The key slot of a bound character, or -1.
int keySlot(unsigned char key);
// A key event at the given game time (the newest frame's when not given).
WindowRequest keyPressed(unsigned char key, int altHeld, double time = keyClock);
void keyReleased(unsigned char key, double time = keyClock);

void cycleCharacter(int player);

WindowRequest menuChoice(int value);

// Plays a recording's inputs (see input/recording.h) up to its next frame
// and gives that frame's time and picture size; false when it is over.
bool replayToNextFrame(double& time, int& width, int& height);
WindowRequest toggleFullScreen();
// State changes of entering and leaving full screen; each returns the
// request for the window (NoWindowChange when there is nothing to do).
WindowRequest beginFullScreen();
WindowRequest endFullScreen();
