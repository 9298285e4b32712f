// The twelve ring ropes: spring chains of ten points, simulated and drawn as
// tubes.
#pragma once

#include <array>
#include <vector>

struct RopePoint {
    float position[3];
    float velocity[3];
    float force[3];
    float acceleration[3];
    int pinned;             // held by a wrestler: the simulation leaves it
};

struct Rope {
    std::vector<RopePoint> points;
    int pointCount = 0;
    float restLength = 0;
};

constexpr float ringHalfSize = 18.0f;
constexpr float ropeTopHeight = 6.0f;
constexpr float postRadius = 0.25f;
constexpr int ropeCount = 12;
constexpr int ropePoints = 10;

// Ropes 3k, 3k+1, 3k+2 belong to ring side k (0: -x, 1: +x, 2: +z, 3: -z).
extern std::array<Rope, ropeCount> ropes;

void initRope(Rope& rope, int n, float px, float py, float pz, float qx, float qy, float qz);
// Creates the twelve ropes in their fixed order.
void createRopes();
void stepRope(Rope& rope, float step);
void ropeSubstep(Rope& rope, float h);
void drawRopeTube(const Rope& rope);
// All twelve ropes as tubes, in creation order, in one call.
void drawRopes();
