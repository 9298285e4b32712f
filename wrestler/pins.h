// Pins, kick-outs and the scripted celebration walks.
#pragma once

struct Wrestler;

void pinHandler(Wrestler& w, int grab, Wrestler& o);
void kickOutHandler(Wrestler& w, int up, Wrestler& o);
// One script step per call; both set phaseStage to 4 when done.
void cornerCelebration(Wrestler& w, int clip, float frameDelta);
void centreCelebration(Wrestler& w, int clip, float frameDelta);
