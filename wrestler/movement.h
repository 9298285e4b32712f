// Walking, running, turning and body contact.
#pragma once

#include "input/keys.h"

struct Wrestler;

void walkHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner);
void runHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner);
void turnStep(Wrestler& w, float frameDelta);
void facePoint(Wrestler& w, float px, float pz, float frameDelta);
// Moves w by a floor step unless it would enter the partner's body box.
void applyStep(Wrestler& w, Wrestler& partner, float stepX, float stepZ);
