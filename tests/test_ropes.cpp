// The ring ropes as spring chains, and the firework particles.
#include "match/fireworks.h"
#include "match/ropes.h"
#include "tests/quiet_gl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

Rope freshTopRope()
{
    Rope rope;
    initRope(rope, ropePoints, -16, 6, 16, -16, 6, -16);
    return rope;
}

void settle(Rope& rope, int units)
{
    for (int i = 0; i < units; ++i)
        stepRope(rope, 1);
}

TEST(Ropes, AreCreatedThreePerSideBetweenTheirEnds)
{
    createRopes();
    const Rope& first = ropes[0];
    ASSERT_EQ(first.pointCount, 10);
    ASSERT_EQ(first.points.size(), 10u);
    EXPECT_FLOAT_EQ(first.points[0].position[0], -16);
    EXPECT_FLOAT_EQ(first.points[0].position[1], 6);
    EXPECT_FLOAT_EQ(first.points[0].position[2], 16);
    EXPECT_FLOAT_EQ(first.points[9].position[2], -16);
    EXPECT_NEAR(first.points[1].position[2], 16 - 32.0 / 9, 1e-5);
    EXPECT_NEAR(first.restLength, 2.0 / 9, 1e-6);
    EXPECT_EQ(first.points[4].pinned, 0);
    EXPECT_FLOAT_EQ(first.points[4].velocity[1], 0);

    // Side 2 (z = +16), third rope: low, running along +x.
    const Rope& low = ropes[8];
    EXPECT_FLOAT_EQ(low.points[0].position[0], -16);
    EXPECT_FLOAT_EQ(low.points[9].position[0], 16);
    EXPECT_FLOAT_EQ(low.points[5].position[1], 2);
    EXPECT_FLOAT_EQ(low.points[5].position[2], 16);
    // Side 3 (z = -16), middle rope.
    EXPECT_FLOAT_EQ(ropes[10].points[3].position[2], -16);
    EXPECT_FLOAT_EQ(ropes[10].points[3].position[1], 4);
}

TEST(Ropes, ALoneRopeSettlesSaggingSlightly)
{
    Rope rope = freshTopRope();
    rope.points[3].velocity[1] = -20;   // shaken first
    settle(rope, 60);
    for (int i = 1; i < 9; ++i) {
        const RopePoint& p = rope.points[static_cast<std::size_t>(i)];
        EXPECT_FLOAT_EQ(p.position[0], -16) << i;
        EXPECT_LT(p.position[1], 6) << "gravity pulls point " << i << " down";
        EXPECT_GT(p.position[1], 5.8f) << "the stretched springs hold point " << i << " up";
        EXPECT_NEAR(p.velocity[1], 0, 1e-3) << i;
    }
    // Deepest in the middle, symmetric about it.
    EXPECT_LT(rope.points[4].position[1], rope.points[1].position[1]);
    EXPECT_NEAR(rope.points[4].position[1], rope.points[5].position[1], 1e-4);
    EXPECT_GT(6 - rope.points[4].position[1], 0.01f);
    // The ends never move.
    EXPECT_FLOAT_EQ(rope.points[0].position[1], 6);
    EXPECT_FLOAT_EQ(rope.points[9].position[2], -16);
}

TEST(Ropes, APinnedPointStaysWhileItsNeighboursMove)
{
    Rope rope = freshTopRope();
    RopePoint& held = rope.points[4];
    held.position[0] = -19;     // pushed out by a body
    held.pinned = 1;
    const float before[3] = {held.position[0], held.position[1], held.position[2]};
    const float neighbourX = rope.points[3].position[0];
    for (int i = 0; i < 10; ++i)
        stepRope(rope, 0.05f);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(held.position[c], before[c]);
    EXPECT_LT(rope.points[3].position[0], neighbourX) << "the neighbour is pulled after it";
    EXPECT_LT(rope.points[5].position[0], -16);

    held.pinned = 0;            // released: it swings back in
    for (int i = 0; i < 20; ++i)
        stepRope(rope, 0.05f);
    EXPECT_GT(held.position[0], -19);
}

// Positions of every point, for comparing two runs exactly.
std::vector<float> positions(const Rope& rope)
{
    std::vector<float> out;
    for (const RopePoint& p : rope.points)
        out.insert(out.end(), p.position, p.position + 3);
    return out;
}

TEST(Ropes, StepsAreCutIntoHundredthsAndARemainder)
{
    Rope shaken = freshTopRope();
    shaken.points[2].velocity[1] = 30;
    shaken.points[6].velocity[0] = -10;

    Rope stepped = shaken;
    stepRope(stepped, 0.05f);
    Rope bySubsteps = shaken;
    for (int i = 0; i < 5; ++i)
        ropeSubstep(bySubsteps, 0.01f);
    ropeSubstep(bySubsteps, 0.05f - 5 * 0.01f);
    EXPECT_EQ(positions(stepped), positions(bySubsteps));
    Rope oneStep = shaken;
    ropeSubstep(oneStep, 0.05f);
    EXPECT_NE(positions(stepped), positions(oneStep));

    Rope small = shaken;
    stepRope(small, 0.004f);
    Rope single = shaken;
    ropeSubstep(single, 0.004f);
    EXPECT_EQ(positions(small), positions(single));
}

TEST(Ropes, StayStableThroughALongFrame)
{
    Rope rope = freshTopRope();
    rope.points[4].velocity[0] = -40;
    stepRope(rope, 5);      // a 3-second stall: 500 sub-steps
    for (const RopePoint& p : rope.points) {
        EXPECT_TRUE(std::isfinite(p.position[0]) && std::isfinite(p.position[1]));
        EXPECT_NEAR(p.position[0], -16, 3);
        EXPECT_NEAR(p.position[1], 6, 3);
    }
}

TEST(Ropes, CoincidingPointsDoNotPoisonTheRope)
{
    Rope rope = freshTopRope();
    for (int c = 0; c < 3; ++c)
        rope.points[5].position[c] = rope.points[4].position[c];
    stepRope(rope, 0.05f);
    for (const RopePoint& p : rope.points)
        for (float v : p.position)
            EXPECT_TRUE(std::isfinite(v));
}

int liveParticles(const FireworkSystem& system)
{
    int live = 0;
    for (const FireworkParticle& p : system.particles)
        live += p.dead == 0;
    return live;
}

TEST(Fireworks, StartOutOfViewAndStayDeadWithoutRelaunch)
{
    FireworkSystem system;
    initFireworks(system, 200);
    ASSERT_EQ(system.particleCount, 200);
    EXPECT_EQ(liveParticles(system), 200);
    updateFireworks(system, 100, 0);
    for (const FireworkParticle& p : system.particles) {
        EXPECT_FLOAT_EQ(p.colour[0] + p.colour[1] + p.colour[2], 0) << "faded to black";
        EXPECT_GT(p.position[1], 1000) << "flung far out of view";
    }

    // Once landed, a particle stays dead while '1' is not held.
    for (int i = 0; i < 2000; ++i)
        updateFireworks(system, 0.03f, 0);
    EXPECT_EQ(liveParticles(system), 0);
    for (int i = 0; i < 500; ++i) {
        updateFireworks(system, 0.03f, 0);
        ASSERT_EQ(liveParticles(system), 0) << "update " << i;
    }

    for (int i = 0; i < 200; ++i)
        updateFireworks(system, 0.03f, 1);
    EXPECT_GT(liveParticles(system), 0) << "held '1' brings them back";
}

TEST(Fireworks, MoveTheSameAmountPerDrawnFrameAtAnyRate)
{
    if (!quietGlContext())
        GTEST_SKIP() << "no display";
    initFireworks(fireworks, 300);
    const FireworkSystem start = fireworks;

    std::srand(11);
    fireworksFrame(0.1f, 1);
    const FireworkSystem fast = fireworks;

    fireworks = start;
    std::srand(11);
    fireworksFrame(10, 1);
    for (std::size_t i = 0; i < fireworks.particles.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(fireworks.particles[i].position[c], fast.particles[i].position[c]);
            EXPECT_EQ(fireworks.particles[i].colour[c], fast.particles[i].colour[c]);
        }
    }
    // One frame is 0.03 of flight: a particle launched straight from a post
    // has risen by 0.03 of its upward speed.
    const FireworkParticle& p = start.particles[0];
    EXPECT_NEAR(fast.particles[0].position[1], 0.03f * p.velocity[1], 1e-4);
}

} // namespace
