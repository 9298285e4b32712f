#include "wrestler/pins.h"

#include "anim/playback.h"
#include "match/phases.h"
#include "wrestler/movement.h"
#include "wrestler/rules.h"
#include "wrestler/wrestler.h"

#include <cmath>

// The corners a corner celebration visits: 4 in from the posts.
constexpr float cornerPoint = 14;
// The fireworks of the centre celebration start this far into its clip.
constexpr float fireworksFrom = 53;
// A walk of the script that has not reached its point in this long (several
// times the longest walk across the ring) moves on as if it had.
constexpr float walkTimeLimit = 400;

static bool atPoint(const Wrestler& w, float px, float pz)
{
    return std::fabs(w.x - px) < 1 && std::fabs(w.z - pz) < 1;
}

static void nextStep(Wrestler& w, int step)
{
    w.scriptStep = step;
    w.scriptTime = 0;
}

// Turns toward the goal and keeps the walk clip running (it loops by
// itself). True once the walker has walked toward the goal for longer than
// any walk across the ring takes: the script then goes on as if it had
// arrived.
static bool keepWalking(Wrestler& w, float px, float pz, float frameDelta)
{
    // A beaten opponent lying in the way is walked over, not pushed against
    // step after step.
    if (w.opponent && w.opponent->state == Lying)
        separationOn = 0;
    walkToward(w, px, pz, frameDelta, forwardSpeed(w.clips[ClipWalk]));
    w.clip = ClipWalk;
    w.state = Walking;
    w.nextClip = ClipWalk;
    w.nextState = Walking;
    w.scriptTime += frameDelta;
    return w.scriptTime > walkTimeLimit;
}

static bool walkedTo(Wrestler& w, float px, float pz, float frameDelta)
{
    const bool tooLong = keepWalking(w, px, pz, frameDelta);
    return atPoint(w, px, pz) || tooLong;
}

static bool atSomeCorner(const Wrestler& w)
{
    return std::fabs(std::fabs(w.x) - cornerPoint) < 1 && std::fabs(std::fabs(w.z) - cornerPoint) < 1;
}

static void celebrate(Wrestler& w, int clip)
{
    cutToClip(w, w.opponent ? *w.opponent : w, clip, ClipStand, Celebrating, Idle);
}

void cornerCelebration(Wrestler& w, int clip, float frameDelta)
{
    impactCheck(w);
    switch (w.scriptStep) {
    case 0:
        if (walkedTo(w, 0, 0, frameDelta))
            nextStep(w, 1);
        break;
    case 1:
        // Any corner will do: the first one passed is where it celebrates.
        if (keepWalking(w, -cornerPoint, -cornerPoint, frameDelta) || atSomeCorner(w))
            nextStep(w, 2);
        break;
    case 2:
        if (w.state != Celebrating && w.state != Idle)
            celebrate(w, clip);
        if (w.state == Idle)
            nextStep(w, 3);
        break;
    case 3:
        if (walkedTo(w, cornerPoint, cornerPoint, frameDelta))
            nextStep(w, 4);
        break;
    case 4:
        celebrate(w, clip);
        nextStep(w, 5);
        break;
    case 5:
        if (w.state == Idle)
            phaseStage = 4;
        break;
    default:
        break;
    }
}

void centreCelebration(Wrestler& w, int clip, float frameDelta)
{
    switch (w.scriptStep) {
    case 0:
        if (walkedTo(w, 0, 0, frameDelta))
            nextStep(w, 1);
        break;
    case 1:
        celebrate(w, clip);
        nextStep(w, 2);
        break;
    case 2:
        if (w.clip == clip) {
            if (clip == ClipZoragCeleb && w.clipTime > fireworksFrom)
                fireworksOn = 1;
        } else {
            phaseStage = 4;
            fireworksOn = 0;
            redLighting = 0;
        }
        break;
    default:
        break;
    }
}
