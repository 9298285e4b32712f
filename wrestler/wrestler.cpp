#include "wrestler/wrestler.h"

#include "match/ropes.h"

#include <cmath>

Wrestler playerOne;
Wrestler playerTwo;
int separationOn = 1;

// The game has always turned degrees into radians with a single-precision
// 1/180 and 3.141; moves and root motion must agree on it.
double headingRadians(float heading)
{
    return static_cast<double>(heading * degreesToHalfTurn) * piApprox;
}

float normalizeHeading(float heading)
{
    return std::fmod(std::fmod(heading, 360.0f) + 360.0f, 360.0f);
}

bool isFree(const Wrestler& w)
{
    return w.state == Idle || w.state == Walking;
}

float distanceTo(const Wrestler& a, const Wrestler& b)
{
    const float dx = a.x - b.x;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

FloorPoint pointAhead(const Wrestler& w, float d)
{
    const double r = headingRadians(w.heading);
    return {static_cast<float>(w.x + d * std::sin(r)), static_cast<float>(w.z + d * std::cos(r))};
}

void placeInFront(const Wrestler& attacker, Wrestler& victim)
{
    const FloorPoint p = pointAhead(attacker, 5);
    victim.x = p.x;
    victim.z = p.z;
    victim.heading = attacker.heading + 180;
    victim.targetHeading = victim.heading;
}

void saveAnchors(Wrestler& w)
{
    w.anchorX = w.x;
    w.anchorZ = w.z;
}

void restoreAnchors(Wrestler& w)
{
    w.x = w.anchorX;
    w.z = w.anchorZ;
}

bool roomInRing(float heading, float d, float x, float z)
{
    const double r = headingRadians(heading);
    const float px = static_cast<float>(x + d * std::sin(r));
    const float pz = static_cast<float>(z + d * std::cos(r));
    return -ringHalfSize < px && px < ringHalfSize && -ringHalfSize < pz && pz < ringHalfSize;
}

// Nearest multiple of 90; anything from 315 up rounds to 360, not 0.
float snapHeading(float heading)
{
    return std::trunc((normalizeHeading(heading) + 45.0f) * 0.011111111f) * 90.0f;
}

void assignProfile(Wrestler& w, int index)
{
    w.character = index;
    w.bodyTexture1 = roster[index].bodyTexture1;
    w.bodyTexture2 = roster[index].bodyTexture2;
}

void resetWrestler(Wrestler& w)
{
    w.x = 0;
    w.y = 0;
    w.z = 0;
    w.heading = 0;
    w.model = nullptr;
    w.bodyTexture1 = 0;
    w.bodyTexture2 = 0;
    w.health = 100;
    w.clip = 0;
    w.nextClip = 0;
    w.clipTime = 0;
    w.prevClipTime = -1;
    w.prevRootX = 0;
    w.prevRootZ = 0;
    w.state = Idle;
    w.nextState = Idle;
    w.punchesTaken = 0;
    w.impactDone = 0;
    w.heldRopeSide = -1;
    w.heldRopePoint = -1;
    w.targetHeading = 0;
    w.turning = 0;
    w.ropeRebounds = 0;
    w.elbowArmed = 0;
    w.scriptStep = 0;
    w.scriptTime = 0;
    w.chosen = 0;
    w.holdTimer = 0;
    w.opponent = nullptr;
}
