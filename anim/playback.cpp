#include "anim/playback.h"

float clipLength(const Animation&) { return 1; }  // TODO(issue 3)
void advanceClip(Wrestler&, float, Wrestler&) {}
void sampleClip(Animation&, float) {}
void blendIntoClip(Wrestler&, float, int) {}
void removeBlendKeys(Wrestler&, float, int) {}
void cutToClip(Wrestler&, Wrestler&, int, int, int, int) {}
void blendToClip(Wrestler&, Wrestler&, int, int, int, int) {}
