#include "wrestler/movement.h"

#include "wrestler/wrestler.h"

#include <algorithm>
#include <cmath>

// Degrees turned per unit of game time while turning toward a target.
constexpr float turnRate = 4;

// Shortest signed difference heading - targetHeading, in (-180, 180].
static float headingError(const Wrestler& w)
{
    float e = normalizeHeading(w.heading) - normalizeHeading(w.targetHeading);
    if (e < -180)
        e += 360;
    else if (e > 180)
        e -= 360;
    return e;
}

// One step of at most `step` degrees toward targetHeading.
static void turnBy(Wrestler& w, float step)
{
    const float e = headingError(w);
    if (std::fabs(e) <= step) {
        w.heading = w.targetHeading;
        w.turning = 0;
    } else if (e > 0) {
        w.heading -= step;
    } else if (e < 0) {
        w.heading += step;
    }
}

void turnStep(Wrestler& w, float frameDelta)
{
    if (!w.turning || w.state != Idle)
        return;
    turnBy(w, turnRate * frameDelta);
}

static void aimAt(Wrestler& w, float px, float pz)
{
    w.turning = 1;
    w.targetHeading = static_cast<float>(std::atan2(w.x - px, w.z - pz) * 57.29582790879778 + 180);
}

void facePoint(Wrestler& w, float px, float pz, float frameDelta)
{
    aimAt(w, px, pz);
    // The step turns only idle wrestlers; a walker in a script turns as well.
    const int state = w.state;
    w.state = Idle;
    turnStep(w, frameDelta);
    w.state = state;
    w.bearing = w.heading;
}

void walkToward(Wrestler& w, float px, float pz, float frameDelta, float speed)
{
    aimAt(w, px, pz);
    // A walker going `speed` a unit while turning 4 degrees a unit moves on
    // a circle; a goal inside that circle would be circled for good. The
    // circle through the goal that leaves along the present heading has
    // radius d / (2 sin e): turn at least tightly enough to follow it, with
    // some to spare. Far goals keep the usual rate.
    const double dx = static_cast<double>(px) - w.x;
    const double dz = static_cast<double>(pz) - w.z;
    const double d = std::sqrt(dx * dx + dz * dz);
    const double e = std::fabs(headingError(w)) * (3.141592653589793 / 180);
    float rate = turnRate;
    if (d > 0) {
        const double needed = 1.5 * speed * 2 * std::sin(e) / d * (180 / 3.141592653589793);
        if (needed > rate)
            rate = static_cast<float>(std::min(needed, 1.0e6));
    }
    turnBy(w, rate * frameDelta);
    w.bearing = w.heading;
}
