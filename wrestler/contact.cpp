#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <cmath>

namespace {

constexpr float boxHalf = 2;

// When a step from d along s enters the open slab |d| < 2, as a fraction of
// the step; above 1 when it does not.
float slabEntry(float d, float s)
{
    if (std::fabs(d) < boxHalf)
        return 0;
    if (s == 0 || (d > 0) == (s > 0))
        return 2;
    return (std::fabs(d) - boxHalf) / std::fabs(s);
}

float slabExit(float d, float s)
{
    if (s == 0)
        return std::fabs(d) < boxHalf ? 2.0f : -1.0f;
    const float far = s > 0 ? boxHalf - d : d + boxHalf;
    return far / std::fabs(s);
}

} // namespace

// The partner's body is a box of half-width 2 around its position. Only the
// axis that would cross into the box is cancelled, so a wrestler slides
// along the box rather than sticking to it; a step that starts inside the
// box on an axis is never blocked on that axis, and two wrestlers that
// already overlap can always move apart.
void applyStep(Wrestler& w, Wrestler& partner, float stepX, float stepZ)
{
    const float dx = w.x - partner.x;
    const float dz = w.z - partner.z;
    bool blocked = false;
    if (separationOn == 1) {
        if (dx > 2 && dx + stepX < 2 && std::fabs(dz) < 2) {
            stepX = 0;
            blocked = true;
        }
        if (dz > 2 && dz + stepZ < 2 && std::fabs(dx) < 2) {
            stepZ = 0;
            blocked = true;
        }
        if (dx < -2 && dx + stepX > -2 && std::fabs(dz) < 2) {
            stepX = 0;
            blocked = true;
        }
        if (dz < -2 && dz + stepZ > -2 && std::fabs(dx) < 2) {
            stepZ = 0;
            blocked = true;
        }
        // Outside on both axes, a slanting step can cut the box's corner
        // with neither test above seeing it. Block the axis of the face it
        // would meet (the later of the two entries), or both at a corner.
        if (std::fabs(dx) > boxHalf && std::fabs(dz) > boxHalf) {
            const float inX = slabEntry(dx, stepX);
            const float inZ = slabEntry(dz, stepZ);
            const float enter = std::fmax(inX, inZ);
            const float leave = std::fmin(slabExit(dx, stepX), slabExit(dz, stepZ));
            if (enter < 1 && enter < leave) {
                if (inX >= inZ)
                    stepX = 0;
                if (inZ >= inX)
                    stepZ = 0;
                blocked = true;
            }
        }
    }
    w.x += stepX;
    w.z += stepZ;
    // A runner that bumps into the partner stops when its run cycle ends.
    if (blocked && w.state == Running) {
        w.nextClip = ClipStand;
        w.nextState = Idle;
    }
}
