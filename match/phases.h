// The game cycle: selection, entrance, match, victory, and the referee's count.
#pragma once

struct Wrestler;

enum GamePhase { Match = 0, Entrance = 1, Victory = 2, Selection = 3 };

extern int gamePhase;
extern int phaseStage;
extern Wrestler* featuredWrestler;
extern float frameDelta;
// Game time of the previous frame, in double precision: see gameFrame.
extern double previousTime;
extern float phaseTime;
extern float victoryTime;
extern int pinCount;
// Game time since the count last stepped. Kept with its fraction, so the
// count steps every 27 units of game time at any frame rate.
extern float countTimer;
extern int redLighting;
extern int fireworksOn;
extern float cameraEye[3];
extern float cameraTarget[3];
extern int crowdSound, crowdSound2, bellSound, themeSound;

// One frame at game time `time` (30 ms units since start-up). The time is
// kept in double precision: after hours of play a float would make the
// frame steps coarse.
void gameFrame(double time, float width, float height);
// Photographers in the crowd: `count` camera flashes at random across the
// window's width, hanging from points in its upper half.
void drawFlashes(int count, float width, float height);
void updatePinCount(float delta);
// A digest of everything a game's course shows: both wrestlers, the phase,
// the count and the ropes. Two runs of the same game end with the same one.
unsigned long long gameStateHash();
void resetMatch();
void stopMatchSounds();
