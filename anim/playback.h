// The clip player: advancing, looping, blending and root motion.
#pragma once

struct Animation;
struct Wrestler;

// The clip's length: the time of the next-to-last key of root track 0.
float clipLength(const Animation& animation);

void advanceClip(Wrestler& w, float dt, Wrestler& opponent);
void sampleClip(Animation& animation, float t);
void blendIntoClip(Wrestler& w, float t0, int target);
void removeBlendKeys(Wrestler& w, float t0, int target);
void cutToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState);
void blendToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState);
