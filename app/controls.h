// Keyboard slots, their history, character changes, the options menu and
// full screen: everything of the shell that needs no window.
#pragma once

struct Wrestler;

constexpr int keySlotCount = 20;
extern int keyDown[keySlotCount];
// [0] newest copy of keyDown, [1] the frame before, [2] two frames before.
extern int keyHistory[3][keySlotCount];

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
// Game time in 30 ms units since start-up.
float gameTime();
// Width over height for the projection; a zero height counts as one pixel.
double aspectRatio(int width, int height);

void setKey(int slot, int state);
// The key slot of a bound character, or -1.
int keySlot(unsigned char key);
WindowRequest keyPressed(unsigned char key, int altHeld);
void keyReleased(unsigned char key);
void shiftKeyHistory();
void clearKeys();

void cycleCharacter(int player);
void assignProfile(Wrestler& w, int index);

WindowRequest menuChoice(int value);
WindowRequest toggleFullScreen();
// State changes of entering and leaving full screen; each returns the
// request for the window (NoWindowChange when there is nothing to do).
WindowRequest beginFullScreen();
WindowRequest endFullScreen();
