#include "wrestler/movement.h"

#include "wrestler/wrestler.h"

#include <cmath>

// Degrees turned per unit of game time while turning toward a target.
constexpr float turnRate = 4;

void turnStep(Wrestler& w, float frameDelta)
{
    if (!w.turning || w.state != Idle)
        return;
    const float step = turnRate * frameDelta;
    const float a = normalizeHeading(w.heading);
    const float b = normalizeHeading(w.targetHeading);
    float e = a - b;
    // The shorter way round.
    if (e < -180)
        e += 360;
    else if (e > 180)
        e -= 360;
    if (std::fabs(e) <= step) {
        w.heading = w.targetHeading;
        w.turning = 0;
    } else if (e > 0) {
        w.heading -= step;
    } else if (e < 0) {
        w.heading += step;
    }
}

void facePoint(Wrestler& w, float px, float pz, float frameDelta)
{
    w.turning = 1;
    w.targetHeading = static_cast<float>(std::atan2(w.x - px, w.z - pz) * 57.29582790879778 + 180);
    // The step turns only idle wrestlers; a walker in a script turns as well.
    const int state = w.state;
    w.state = Idle;
    turnStep(w, frameDelta);
    w.state = state;
    w.bearing = w.heading;
}
