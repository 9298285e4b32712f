#include "wrestler/strikes.h"

#include "anim/playback.h"
#include "assets/config.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <cmath>

namespace {

constexpr float punchReach = 4;
constexpr float runningReach = 1.5f;
constexpr int knockDownCount = 3;   // punches already taken when one floors
constexpr float strikeDamage = 2;
constexpr float getUpHealth = 10;

// Whether the point 5 ahead of the attacker lies within running reach of
// the victim.
bool inRunningReach(const Wrestler& attacker, const Wrestler& victim)
{
    const FloorPoint p = pointAhead(attacker, 5);
    const float dx = p.x - victim.x;
    const float dz = p.z - victim.z;
    return std::sqrt(dx * dx + dz * dz) <= runningReach;
}

// Both bodies locked together for a running blow.
void startRunningBlow(Wrestler& w, Wrestler& o)
{
    separationOn = 0;
    placeInFront(w, o);
    saveAnchors(w);
    saveAnchors(o);
}

// A punch in its window, close enough, on a victim still on its feet.
bool punchLands(const Wrestler& w, const Wrestler& o)
{
    return distanceTo(w, o) < punchReach && o.state == Striking && w.state != Hurt
           && w.state != Lying && o.clipTime >= 30 && o.clipTime <= 40;
}

} // namespace

void kickHandler(Wrestler& w, int strike, Wrestler& o)
{
    if (keyHeld(strike) && isFree(w) && o.state == Lying)
        blendToClip(w, o, ClipKick, ClipStand, Kicking, Idle);
}

void runPunchHandler(Wrestler& w, int strike, Wrestler& o)
{
    if (!keyHeld(strike) || w.state != Running)
        return;
    if (o.nextState != Lying && inRunningReach(w, o)) {
        startRunningBlow(w, o);
        cutToClip(w, o, ClipRunPunch, ClipStand, Striking, Idle);
        cutToClip(o, o, ClipGetRunPunch, ClipLie, Hurt, Lying);
    } else {
        // Nobody there to stop the swing: the runner goes down.
        blendToClip(w, o, ClipRunPunchMiss, ClipLie, Striking, Lying);
    }
}

void hitRunnerHandler(Wrestler& w, int strike, Wrestler& o)
{
    if (!keyHeld(strike) || o.state != Running || !isFree(w))
        return;
    if (inRunningReach(w, o)) {
        startRunningBlow(w, o);
        cutToClip(w, o, ClipHitRun, ClipStand, Striking, Idle);
        cutToClip(o, o, ClipGetHitRun, ClipLie, Hurt, Lying);
    } else {
        blendToClip(w, o, ClipHitRun, ClipStand, Striking, Idle);
    }
}

void punchHandler(Wrestler& w, int strike, Wrestler& o)
{
    if (keyHeld(strike) && isFree(w) && o.nextState != Lying)
        blendToClip(w, o, ClipPunch, ClipStand, Striking, Idle);
}

void punchContact(Wrestler& w, Wrestler& o)
{
    if (punchLands(w, o) && w.punchesTaken == knockDownCount) {
        soundPlay(soundPath("punchface.aiff"), 0);
        w.health -= strikeDamage;
        w.punchesTaken = 0;
        w.heading = w.targetHeading = o.heading + 180;
        cutToClip(w, o, ClipFall, ClipLie, Hurt, Lying);
    } else if (punchLands(w, o)) {
        soundPlay(soundPath("punchface.aiff"), 0);
        w.health -= strikeDamage;
        w.punchesTaken += 1;
        w.heading = w.targetHeading = o.heading + 180;
        cutToClip(w, o, ClipHit, ClipStand, Hurt, Idle);
    }
}

void kickContact(Wrestler& w, Wrestler& o)
{
    if (distanceTo(w, o) < punchReach && o.state == Kicking && w.state == Lying
        && o.clipTime >= 30 && o.clipTime <= 35) {
        soundPlay(soundPath("fall.aiff"), 0);
        w.health -= strikeDamage;
        w.punchesTaken = 0;
        cutToClip(w, o, ClipLieHit, ClipLie, Hurt, Lying);
    }
}

void getUpHandler(Wrestler& w, int up, Wrestler& o)
{
    if (w.state == Lying && keyHeld(up) && w.health > getUpHealth && o.elbowArmed == 0)
        cutToClip(w, o, ClipGetup, ClipStand, GettingUp, Idle);
}
