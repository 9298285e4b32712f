#include "wrestler/rebounds.h"

#include "anim/playback.h"
#include "match/ropes.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ringSides = 4;

// Outward direction (dx, dz) of each ring side.
constexpr float sideOutward[ringSides][2] = {{-1, 0}, {1, 0}, {0, 1}, {0, -1}};

bool validSide(int side)
{
    return side >= 0 && side < ringSides;
}

// Whether point i exists on every rope of the side.
bool sideHasPoint(int side, int i)
{
    for (int k = 0; k < 3; ++k) {
        const Rope& rope = ropes[3 * side + k];
        if (i < 0 || i >= rope.pointCount || i >= static_cast<int>(rope.points.size()))
            return false;
    }
    return true;
}

// The inner point of the side's lowest rope nearest to the wrestler; the
// middle point when none is nearer than 1000 units.
int nearestRopePoint(const Wrestler& w, int side)
{
    const int n = ropes[3 * side].pointCount;
    const Rope& low = ropes[3 * side + 2];
    const int usable = std::min(n - 1, static_cast<int>(low.points.size()) - 1);
    int m = static_cast<int>(n * 0.5);
    float best = 1000000;
    for (int i = 1; i < usable; ++i) {
        const float* p = low.points[i].position;
        const float dx = p[0] - w.x, dy = p[1] - w.y, dz = p[2] - w.z;
        const float d = dx * dx + dy * dy + dz * dz;
        if (d < best) {
            best = d;
            m = i;
        }
    }
    return m;
}

// A rebounding wrestler presses the three ropes of its side out at the point
// nearest to it; the points follow the body for as long as the hold lasts.
void holdRopes(Wrestler& w, float edge, float pushOut)
{
    const int side = w.ropeSide;
    if (!validSide(side))
        return;
    const int m = nearestRopePoint(w, side);
    if (!sideHasPoint(side, m))
        return;

    float dx, dz;
    if (w.z + 2 > edge) {
        dx = 0; dz = 1;
    } else if (w.z - 2 < -edge) {
        dx = 0; dz = -1;
    } else if (w.x + 2 > edge) {
        dx = 1; dz = 0;
    } else if (w.x - 2 < -edge) {
        dx = -1; dz = 0;
    } else {
        // Carried back inside the zone while the hold lasts: keep pressing
        // the ropes outward from the side being held.
        dx = sideOutward[side][0];
        dz = sideOutward[side][1];
    }

    for (int k = 0; k < 3; ++k) {
        Rope& rope = ropes[3 * side + k];
        RopePoint& p = rope.points[m];
        p.position[0] = w.x + dx * pushOut;
        p.position[2] = w.z + dz * pushOut;
        pinRopePoint(rope, m);
    }
    w.heldRopePoint = m;
    w.heldRopeSide = side;
}

bool isRopeClip(int clip)
{
    return clip == ClipRopesBack || clip == ClipRopesLeft || clip == ClipRopesRight
           || clip == ClipRunRopes;
}

} // namespace

void releaseHeldRopes(Wrestler& w)
{
    const int side = w.heldRopeSide;
    const int m = w.heldRopePoint;
    if (validSide(side) && sideHasPoint(side, m))
        for (int k = 0; k < 3; ++k)
            releaseRopePoint(ropes[3 * side + k], m);
    w.heldRopeSide = -1;
    w.heldRopePoint = -1;
}

void ropeContact(Wrestler& w, Wrestler& o)
{
    ropeRule(w, o, ClipWalkBack, ClipRopesBack, ClipRun, 25, 35, 0, Running, 2);
    ropeRule(w, o, ClipWalkLeft, ClipRopesLeft, ClipWalkRight, 20, 35, 1, Walking, 2);
    ropeRule(w, o, ClipWalkRight, ClipRopesRight, ClipWalkLeft, 20, 35, 1, Walking, 2);
    ropeRule(w, o, ClipRun, ClipRunRopes, ClipRun, 35, 50, 1, Running, 4);

    // Knocked out of a rope clip while pressing the ropes out (a punch lands):
    // let them go, or they would hang in the air until the next rebound.
    if (w.heldRopeSide != -1 && !isRopeClip(w.clip))
        releaseHeldRopes(w);
}

void ropeRule(Wrestler& w, Wrestler& o, int trigger, int ropeClip, int nextClip,
              float windowStart, float windowEnd, float pushOut, int nextState, float margin)
{
    const float edge = ringHalfSize - margin;

    const bool pastPlusZ = w.z + margin > edge;
    const bool pastMinusZ = w.z - margin < -edge;
    const bool pastPlusX = w.x + margin > edge;
    const bool pastMinusX = w.x - margin < -edge;
    if (w.clip == trigger && (pastPlusZ || pastMinusZ || pastPlusX || pastMinusX)) {
        // In a corner the x side wins.
        if (pastPlusZ) w.ropeSide = 2;
        if (pastMinusZ) w.ropeSide = 3;
        if (pastPlusX) w.ropeSide = 1;
        if (pastMinusX) w.ropeSide = 0;
        w.heading = std::fmod(w.heading, 360.0f);

        bool rebounds = true;
        if (w.state == Running) {
            // A runner only comes off the rope it is running at.
            const float exact = normalizeHeading(w.heading);
            const int h = static_cast<int>(exact);
            rebounds = (h == 0 && pastPlusZ) || (h == 180 && pastMinusZ)
                       || (h == 270 && pastMinusX) || (h == 90 && pastPlusX);
            if (rebounds) {
                if (exact == 0) w.ropeSide = 2;
                else if (exact == 180) w.ropeSide = 3;
                else if (exact == 270) w.ropeSide = 0;
                else if (exact == 90) w.ropeSide = 1;
            }
        }
        if (rebounds) {
            blendToClip(w, o, ropeClip, nextClip, OnRopes, nextState);
            w.ropeRebounds += 1;
            // The elbow drop fires only off the second rebound; past it the
            // run is spent, and the opponent must be free to get up again.
            if (w.ropeRebounds > 2)
                w.elbowArmed = 0;
        }
    }

    if (w.clip == ropeClip && w.clipTime >= windowStart && w.clipTime <= windowEnd)
        holdRopes(w, edge, pushOut);
    else if (w.heldRopeSide != -1 && w.heldRopePoint != -1 && w.clip == ropeClip)
        releaseHeldRopes(w);
}

void pinRopePoint(Rope& rope, int i)
{
    RopePoint& p = rope.points[i];
    p.pinned = 1;
    p.velocity[0] = p.velocity[1] = p.velocity[2] = 0;
}

void releaseRopePoint(Rope& rope, int i)
{
    rope.points[i].pinned = 0;
}

// A body landing on the mat: the points next to the posts are kicked down,
// every inner point up, so each rope snaps into a wave.
void ropeJolt()
{
    for (Rope& rope : ropes) {
        const int n = rope.pointCount;
        if (n < 3 || static_cast<int>(rope.points.size()) < n)
            continue;  // no inner points to shake
        rope.points[1].velocity[1] -= 5;
        rope.points[n - 2].velocity[1] -= 5;
        for (int i = 1; i <= n - 2; ++i)
            rope.points[i].velocity[1] += 2;
    }
}
