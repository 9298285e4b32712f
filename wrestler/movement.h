// Walking, running, turning and body contact.
#pragma once

#include "input/keys.h"

struct Wrestler;

// The walking frame (1 to 4) a bearing to the opponent selects: the frame
// whose keys walk toward it.
int selectFrame(float bearing);
void walkHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner);
void runHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner);
void turnStep(Wrestler& w, float frameDelta);
void facePoint(Wrestler& w, float px, float pz, float frameDelta);
// Turns a scripted walker going `speed` units per unit of game time toward
// a point: as facePoint, but tightly enough that a near point is reached
// rather than circled.
void walkToward(Wrestler& w, float px, float pz, float frameDelta, float speed);
// Moves w by a floor step unless it would enter the partner's body box.
void applyStep(Wrestler& w, Wrestler& partner, float stepX, float stepZ);
