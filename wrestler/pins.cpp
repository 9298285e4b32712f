#include "wrestler/pins.h"

#include "anim/playback.h"
#include "match/phases.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <cmath>

namespace {

constexpr float pinReach = 6;
constexpr float kickOutHealth = 5;

} // namespace

void pinHandler(Wrestler& w, int grab, Wrestler& o)
{
    if (!keyHeld(grab) || !isFree(w) || o.state != Lying || distanceTo(w, o) > pinReach)
        return;
    separationOn = 0;
    // The pinner lies across the victim: 5 ahead of it, facing back.
    const double r = headingRadians(o.heading);
    w.x = static_cast<float>(o.x + 5 * std::sin(r));
    w.z = static_cast<float>(o.z + 5 * std::cos(r));
    saveAnchors(w);
    w.heading = w.targetHeading = o.heading + 180;
    saveAnchors(o);
    cutToClip(w, o, ClipPin, ClipPinfall, Pinning, Pinning);
    cutToClip(o, o, ClipGetPinned, ClipGetPinfalled, Pinned, Pinned);
    // The referee starts counting from here.
    countTimer = 0;
    pinCount = 0;
}

void kickOutHandler(Wrestler& w, int up, Wrestler& o)
{
    if (w.clip != ClipGetPinned || !keyHeld(up) || !(w.health > kickOutHealth))
        return;
    separationOn = 0;
    restoreAnchors(o);
    o.heading = o.targetHeading = w.heading + 180;
    restoreAnchors(w);
    cutToClip(w, o, ClipKickout, ClipLie, KickingOut, Lying);
    cutToClip(o, o, ClipGetKickout, ClipStand, KickedOff, Idle);
}
