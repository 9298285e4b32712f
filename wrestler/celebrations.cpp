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

static bool atPoint(const Wrestler& w, float px, float pz)
{
    return std::fabs(w.x - px) < 1 && std::fabs(w.z - pz) < 1;
}

// Turns toward the goal and keeps the walk clip running (it loops by itself).
static void keepWalking(Wrestler& w, float px, float pz, float frameDelta)
{
    facePoint(w, px, pz, frameDelta);
    w.clip = ClipWalk;
    w.state = Walking;
    w.nextClip = ClipWalk;
    w.nextState = Walking;
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
        keepWalking(w, 0, 0, frameDelta);
        if (atPoint(w, 0, 0))
            w.scriptStep = 1;
        break;
    case 1:
        // Any corner will do: the first one passed is where it celebrates.
        keepWalking(w, -cornerPoint, -cornerPoint, frameDelta);
        if (std::fabs(std::fabs(w.x) - cornerPoint) < 1 && std::fabs(std::fabs(w.z) - cornerPoint) < 1)
            w.scriptStep = 2;
        break;
    case 2:
        if (w.state != Celebrating && w.state != Idle)
            celebrate(w, clip);
        if (w.state == Idle)
            w.scriptStep = 3;
        break;
    case 3:
        keepWalking(w, cornerPoint, cornerPoint, frameDelta);
        if (atPoint(w, cornerPoint, cornerPoint))
            w.scriptStep = 4;
        break;
    case 4:
        celebrate(w, clip);
        w.scriptStep = 5;
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
        keepWalking(w, 0, 0, frameDelta);
        if (atPoint(w, 0, 0))
            w.scriptStep = 1;
        break;
    case 1:
        celebrate(w, clip);
        w.scriptStep = 2;
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
