#include "wrestler/movement.h"

#include "anim/playback.h"
#include "wrestler/wrestler.h"

#include <cmath>

namespace {

// A walking frame: the axis a walker faces, chosen from its bearing, and the
// clip each direction key plays while facing it.
struct WalkFrame {
    float heading;
    int up, left, right, down;
};

constexpr WalkFrame walkFrames[5] = {
    {0, ClipStand, ClipStand, ClipStand, ClipStand},  // no frame yet
    {180, ClipWalkLeft, ClipWalkBack, ClipWalk, ClipWalkRight},
    {90, ClipWalkBack, ClipWalkRight, ClipWalkLeft, ClipWalk},
    {0, ClipWalkRight, ClipWalk, ClipWalkBack, ClipWalkLeft},
    {270, ClipWalk, ClipWalkLeft, ClipWalkRight, ClipWalkBack},
};

enum Direction { DirUp, DirLeft, DirRight, DirDown };

int frameClip(int quadrant, Direction key)
{
    const WalkFrame& f = walkFrames[quadrant];
    switch (key) {
    case DirUp: return f.up;
    case DirLeft: return f.left;
    case DirRight: return f.right;
    case DirDown: return f.down;
    }
    return f.up;
}

// The keep ranges reach 5 degrees past the selection borders so that a walk
// does not flicker between frames while the bearing hovers at a border.
bool keepsFrame(int quadrant, float b)
{
    switch (quadrant) {
    case 1: return b >= 130 && b <= 230;
    case 2: return b >= 40 && b <= 140;
    case 3: return b >= -50 && b <= 50;
    case 4: return (b >= 220 && b <= 320) || b <= -40;
    }
    return false;
}

float bearingToward(const Wrestler& w, const Wrestler& o)
{
    const double dx = static_cast<double>(w.x) - o.x;
    const double dz = static_cast<double>(w.z) - o.z + 0.01;
    // The small offset keeps the division defined when the z are level. The
    // half-turn goes with the sign of the divisor actually used: testing the
    // bare z instead would turn a wrestler level with (or up to 0.01 short of)
    // the opponent's z to face straight away from it, which is where a throw
    // or a suplex along x leaves the two.
    if (dz == 0.0)
        return dx < 0 ? 90.0f : dx > 0 ? -90.0f : 0.0f;
    double b = std::atan(dx / dz) * 57.25008746541141;
    if (dz > 0)
        b += 180;
    return static_cast<float>(b);
}

} // namespace

int selectFrame(float b)
{
    if (b >= 135 && b <= 225) return 1;
    if (b >= 45 && b < 135) return 2;
    if ((b > 225 && b <= 315) || b <= -45) return 4;
    return 3;
}

void walkHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner)
{
    if (w.state != Idle && w.state != Walking)
        return;

    const bool held[4] = {keyHeld(up), keyHeld(left), keyHeld(right), keyHeld(down)};
    int n = 0;
    Direction key = DirUp;
    for (int i = 0; i < 4; ++i) {
        if (held[i]) {
            ++n;
            key = static_cast<Direction>(i);
        }
    }

    if (n == 0) {
        if (w.state == Walking)
            blendToClip(w, partner, ClipStand, ClipStand, Idle, Idle);
    } else if (n == 1) {
        const bool keep = w.state == Walking && keepsFrame(w.quadrant, w.bearing)
                          && frameClip(w.quadrant, key) == w.clip;
        if (!keep) {
            w.state = Walking;
            w.quadrant = selectFrame(w.bearing);
            w.heading = w.targetHeading = walkFrames[w.quadrant].heading;
            const int c = frameClip(w.quadrant, key);
            blendToClip(w, partner, c, c, Walking, Walking);
        }
    }
    // Two or more keys: whatever is going on goes on.

    w.bearing = bearingToward(w, partner);
    if (w.state == Idle) {
        if (!w.turning)
            w.heading = w.bearing;
        w.targetHeading = w.bearing;
    }
}

void runHandler(Wrestler& w, int up, int left, int right, int down, Wrestler& partner)
{
    const int s = w.state;
    const float h = normalizeHeading(w.heading);

    // Stopping a run is only allowed once it has come off the ropes twice.
    if (s == Running && w.ropeRebounds >= 2) {
        const bool opposite = (h == 0 && keyHeld(right)) || (h == 180 && keyHeld(left))
                              || (h == 270 && keyHeld(down)) || (h == 90 && keyHeld(up));
        if (opposite) {
            w.nextState = Idle;
            w.nextClip = ClipStand;
            w.elbowArmed = 0;  // a run stopped short drops no elbow
        }
    }

    if (s == Idle || s == Walking) {
        const int slots[4] = {left, right, up, down};
        const float headings[4] = {0, 180, 270, 90};
        for (int i = 0; i < 4; ++i) {
            if (doubleTapped(slots[i])) {
                w.heading = w.targetHeading = headings[i];
                blendToClip(w, partner, ClipRun, ClipRun, Running, Running);
                break;
            }
        }
    }
}
