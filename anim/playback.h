// The clip player: advancing, looping, blending and root motion.
#pragma once

struct Animation;
struct Wrestler;

// Clip time runs this many units per unit of game time.
constexpr float clipTimeRate = 1.8f;

// The clip's length: the time of the next-to-last key of root track 0.
float clipLength(const Animation& animation);
// How far the clip's root travels forward per unit of game time, averaged
// over one cycle; 0 for a clip without a length.
float forwardSpeed(const Animation& animation);

void advanceClip(Wrestler& w, float dt, Wrestler& opponent);
void sampleClip(Animation& animation, float t);
void blendIntoClip(Wrestler& w, float t0, int target);
void removeBlendKeys(Wrestler& w, float t0, int target);
void cutToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState);
void blendToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState);
