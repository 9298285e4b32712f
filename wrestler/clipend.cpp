#include "wrestler/rules.h"

#include "anim/playback.h"
#include "wrestler/wrestler.h"

// What follows a clip that has just wrapped. The clip player has already
// moved `state` on; this picks the next clip and applies the few rules that
// belong to a clip's end: loops that ignore the queue, heading turns, and the
// blends into follow-on clips.
int onClipEnd(Wrestler& w, int endedClip, int queuedClip)
{
    w.impactDone = 0;

    if (queuedClip == ClipPeopleElbow1) {
        w.heading = snapHeading(w.heading) + 180;
        w.targetHeading = w.heading;
    }
    // The taunt is over: the elbow run starts, turned a quarter to the side.
    if (endedClip == ClipPeopleElbow1) {
        w.ropeRebounds = 0;
        w.nextClip = ClipRun;
        w.state = Running;
        w.nextState = Running;
        w.elbowArmed = 1;
        w.heading += 90;
        w.targetHeading = w.heading;
        w.bearing = w.heading;
        return ClipRun;
    }

    if (endedClip == ClipGetSlammed || endedClip == ClipRunPunchMiss) {
        w.heading += 180;
        w.targetHeading = w.heading;
        w.turning = 1;
    }
    if (endedClip == ClipGetInRing)
        w.y = 0;

    if (queuedClip == ClipStand)
        separationOn = 1;

    switch (endedClip) {
    case ClipGetup:
        separationOn = 1;
        return ClipStand;
    case ClipStand:
    case ClipWalk:
    case ClipWalkBack:
    case ClipWalkLeft:
    case ClipWalkRight:
        // These loop whatever was queued; their blend keys go after the first
        // pass. A wrap that leaves the time at or below 0 hands over instead.
        if (w.clipTime > 0) {
            removeBlendKeys(w, -5.0f, endedClip);
            return endedClip;
        }
        return queuedClip;
    case ClipRopesBack:
    case ClipRopesLeft:
    case ClipRopesRight:
        if (w.clipTime > 0)
            removeBlendKeys(w, -5.0f, endedClip);
        return queuedClip;
    case ClipLie:
        if (queuedClip == ClipLie && w.clipTime > 0)
            removeBlendKeys(w, -10.0f, ClipLie);
        return queuedClip;
    case ClipPinfall:
        w.state = Idle;
        w.nextState = Idle;
        w.nextClip = ClipStand;
        return ClipStand;
    case ClipGetPinfalled:
        w.nextClip = ClipLie;
        w.state = Lying;
        w.nextState = Lying;
        return ClipLie;
    case ClipRunRopes:
        w.heading += 180;
        w.targetHeading = w.heading;
        return queuedClip;
    case ClipSuplex:
        if (queuedClip == ClipGetup) {
            blendIntoClip(w, -10.0f, ClipGetup);
            w.clipTime -= 10;
            return ClipGetup;
        }
        return queuedClip;
    case ClipGetStunner:
    case ClipGetChokeslammed:
        if (queuedClip == ClipLie) {
            blendIntoClip(w, -10.0f, ClipLie);
            w.clipTime -= 10;
            return ClipLie;
        }
        return queuedClip;
    case ClipSlam:
    case ClipChokeslam:
        if (queuedClip == ClipStand) {
            blendIntoClip(w, -5.0f, ClipStand);
            w.clipTime -= 5;
            return ClipStand;
        }
        return queuedClip;
    default:
        return queuedClip;
    }
}
