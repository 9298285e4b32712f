// Whole games played headless in the test process: the real generated data
// loaded as start-up loads it, and frames drawn as the window draws them.
#pragma once

#include <string>

// Loads everything once per process, as start-up does: game.ini (pointing
// at the build's generated data) in the working directory, then initGame
// under a current GL context. False when there is no display or the load
// failed.
bool loadWholeGame();

// One displayed frame at game time `time`: the viewport and projection the
// window sets, then the game's frame. A smaller picture than the test
// window's costs less to fill, for long runs that look at no pixels.
void displayFrame(double time, int width = 640, int height = 480);

// Where tests keep pictures for a look (out/ beside the sources, ignored by
// git).
std::string shotDirectory();
