#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <cmath>

// The partner's body is a box of half-width 2 around its position. Only the
// axis that would cross into the box is cancelled, so a wrestler slides
// along the box rather than sticking to it; a step that starts inside the
// box on an axis is never blocked on that axis.
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
    }
    w.x += stepX;
    w.z += stepZ;
    // A runner that bumps into the partner stops when its run cycle ends.
    if (blocked && w.state == Running) {
        w.nextClip = ClipStand;
        w.nextState = Idle;
    }
}
