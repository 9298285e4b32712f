#include "wrestler/grapples.h"

#include "anim/playback.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <cmath>

namespace {

constexpr float grabReach = 6;
constexpr float elbowReach = 6;
constexpr float holdTime = 100;
constexpr float weakenedHealth = 20;
constexpr float suplexRoom = 15;        // behind the attacker
constexpr float slamRoom = 13;          // ahead of the attacker
constexpr float olympicSlamRoom = 20;   // behind the attacker
constexpr float throwStepBack = 2.5f;

// Locks the two bodies together: the victim stands 5 ahead facing the
// attacker, and both remember where they stood.
void takeHold(Wrestler& w, Wrestler& o)
{
    separationOn = 0;
    placeInFront(w, o);
    saveAnchors(w);
    saveAnchors(o);
}

// A move out of a hold: both go back to where the hold began, the victim
// facing the attacker.
void startFromHold(Wrestler& w, Wrestler& o, int clip, int nextClip, int state, int nextState,
                   int victimClip, int victimNextClip, int victimState, int victimNextState)
{
    separationOn = 0;
    restoreAnchors(o);
    o.heading = o.targetHeading = w.heading + 180;
    restoreAnchors(w);
    cutToClip(w, o, clip, nextClip, state, nextState);
    cutToClip(o, o, victimClip, victimNextClip, victimState, victimNextState);
}

bool holding(const Wrestler& w, const Wrestler& o)
{
    return w.state == Grabbing && o.nextState == Grabbed;
}

struct Signature {
    int clip, nextClip, state, nextState;
    int victimClip, victimNextClip, victimState, victimNextState;
};

// Indexed by character.
constexpr Signature signatures[rosterSize] = {
    {ClipVorlanBottom, ClipPeopleElbow1, BottomSlamming, ElbowDropping,
     ClipGetVorlanBottom, ClipLie, BottomSlammed, Lying},
    {ClipStunner, ClipStand, Stunning, Idle, ClipGetStunner, ClipLie, Stunned, Lying},
    {ClipChokeslam, ClipStand, Chokeslamming, Idle, ClipGetChokeslammed, ClipLie, Chokeslammed,
     Lying},
    {ClipOlympicSlam, ClipGetup, OlympicSlamming, GettingUp, ClipGetOlympicSlam, ClipLie,
     OlympicSlammed, Lying},
};

} // namespace

void grabHandler(Wrestler& w, int grab, Wrestler& o)
{
    if (keyHeld(grab) && isFree(w)) {
        if (o.state != Running && o.nextState != Lying && distanceTo(w, o) <= grabReach) {
            takeHold(w, o);
            cutToClip(w, o, ClipGrab, ClipGrapple, Grabbing, Grabbing);
            cutToClip(o, o, ClipGetGrabbed, ClipGetGrappled, Grabbed, Grabbed);
            w.holdTimer = holdTime;
        } else if (o.nextState != Lying) {
            cutToClip(w, o, ClipGrabMiss, ClipStand, Grabbing, Idle);
            w.holdTimer = holdTime;
        }
    }

    // The hold breaks when its time runs out, whatever the victim is doing.
    if (w.state == Grabbing && w.holdTimer < 0) {
        blendToClip(w, o, ClipStand, ClipStand, Idle, Idle);
        blendToClip(o, w, ClipStand, ClipStand, Idle, Idle);
    }
}

void suplexHandler(Wrestler& w, int up, Wrestler& o)
{
    if (keyHeld(up) && holding(w, o) && roomInRing(w.heading, -suplexRoom, w.x, w.z))
        startFromHold(w, o, ClipSuplex, ClipGetup, Suplexing, GettingUp, ClipGetSuplexed, ClipLie,
                      Suplexed, Lying);
}

void slamHandler(Wrestler& w, int strike, Wrestler& o)
{
    if (keyHeld(strike) && holding(w, o) && roomInRing(w.heading, slamRoom, w.x, w.z))
        startFromHold(w, o, ClipSlam, ClipStand, Slamming, Idle, ClipGetSlammed, ClipLie, Slammed,
                      Lying);
}

void throwHandler(Wrestler& w, int down, Wrestler& o)
{
    if (!keyHeld(down) || !holding(w, o))
        return;
    w.heading = w.targetHeading = snapHeading(w.heading);
    separationOn = 0;
    const double r = headingRadians(w.heading);
    w.x -= static_cast<float>(throwStepBack * std::sin(r));
    w.z -= static_cast<float>(throwStepBack * std::cos(r));
    const FloorPoint p = pointAhead(w, 5);
    o.x = p.x;
    o.z = p.z;
    o.heading = o.targetHeading = w.heading + 180;
    cutToClip(w, o, ClipThrow, ClipStand, Throwing, Idle);
    // The thrown wrestler starts a fresh run toward the ropes.
    o.ropeRebounds = 0;
    cutToClip(o, o, ClipGetThrown, ClipRun, Thrown, Running);
}

void signatureHandler(Wrestler& w, int special, Wrestler& o, int character)
{
    if (character < 0 || character >= rosterSize || w.character != character)
        return;
    if (!keyHeld(special) || !isFree(w) || o.nextState == Lying)
        return;
    if (distanceTo(w, o) > grabReach || !(o.health < weakenedHealth))
        return;
    // The stunner and the olympic slam cannot catch a runner, and the olympic
    // slam needs room to fall backwards.
    if ((character == 1 || character == 3) && o.state == Running)
        return;
    if (character == 3 && !roomInRing(w.heading, -olympicSlamRoom, w.x, w.z))
        return;

    const Signature& s = signatures[character];
    takeHold(w, o);
    cutToClip(w, o, s.clip, s.nextClip, s.state, s.nextState);
    cutToClip(o, o, s.victimClip, s.victimNextClip, s.victimState, s.victimNextState);
}

void elbowDropHandler(Wrestler& w, Wrestler& o)
{
    if (w.state == Running && w.elbowArmed == 1 && w.ropeRebounds == 2
        && distanceTo(w, o) < elbowReach)
        blendToClip(w, o, ClipPeopleElbow2, ClipStand, ElbowDropping, Idle);
}
