// The window and its callbacks.
#pragma once

void initGraphics();
void onDisplay();
void onTimer(int);
void onReshape(int width, int height);
void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onMenu(int value);

// Opens the window, loads the game and runs the event loop for good.
int runShell(int argc, char** argv);
