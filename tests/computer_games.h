// Whole games played headless by computer players (and scripted ones), with
// a tally of what happened: who won, how long it took, and how often each
// move was made. Frames are drawn into a tiny viewport, so a game costs its
// updates and hardly any pixels.
#pragma once

#include "assets/catalogue.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// What one game, from the selection screen back to it, came to.
struct GameTally {
    int winner = 0;                     // 1 or 2; 0 when no one won
    double matchTime = 0;               // game time spent in the match
    double gameTime = 0;                // selection back to selection
    int characters[2] = {-1, -1};
    // Clip starts of each wrestler, by clip id.
    std::array<std::array<int, clipCount>, 2> clipStarts{};
    int runs[2] = {0, 0};               // runs started by a double tap
    int getUps[2] = {0, 0};             // got up from the mat
    int frames = 0;
    std::string fault;                  // empty when all went well
};

// One frame at game time `time` in a 64 by 48 viewport.
void smallFrame(double time);

// Plays from the selection screen until the game is back there, with frames
// of `frameUnits` game time each, calling `beforeFrame` with each frame's
// time first (where the players press their keys). Stops with a fault when
// the match runs past `matchLimit` units of game time, or the whole game
// past four times that.
GameTally playWholeGame(double frameUnits, const std::function<void(double)>& beforeFrame, double matchLimit);

// How often a move was made in a set of games.
struct MoveCount {
    const char* name;
    int count;
};
// Every move of the game, counted over both wrestlers of the games.
std::vector<MoveCount> countMoves(const std::vector<GameTally>& games);
// The counts as lines of text, for a test's output.
std::string describeMoves(const std::vector<MoveCount>& moves);
