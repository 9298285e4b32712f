// The rules that tie the moves together: clip ends, health, impacts and the
// order in which one wrestler's handlers run.
#pragma once

struct PlayerKeys;
struct Wrestler;

// Called by the clip player when a clip wraps; returns the clip to play.
int onClipEnd(Wrestler& w, int endedClip, int queuedClip);
// Applies the current clip's fall or throw impact once per clip run.
void impactCheck(Wrestler& w);
// Health regeneration of one match frame, capped at 100.
void regenerateHealth(Wrestler& w, float frameDelta);
// Runs all of one wrestler's move handlers in their fixed order.
void behaviourStep(Wrestler& self, Wrestler& other, const PlayerKeys& keys);
