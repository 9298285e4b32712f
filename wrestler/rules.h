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
// The elbow drop stays armed only while its run lasts (running, coming off
// the ropes, dropping the elbow). A run that ends any other way (a swing at
// the lying opponent, a stop against its body) drops no elbow, and the
// opponent must be free to get up again.
void disarmSpentElbowRun(Wrestler& w);
// Runs all of one wrestler's move handlers in their fixed order.
void behaviourStep(Wrestler& self, Wrestler& other, const PlayerKeys& keys);
