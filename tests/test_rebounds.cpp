// Bouncing off the ropes, holding them out and jolting them.
#include "move_fixture.h"

#include "match/ropes.h"
#include "wrestler/rebounds.h"
#include "wrestler/strikes.h"

namespace {

constexpr int up = 1;  // a key slot standing for Up

class ReboundTest : public MoveTest {
protected:
    void SetUp() override
    {
        MoveTest::SetUp();
        createRopes();
    }
};

TEST_F(ReboundTest, JoltKicksTheEndPointsDownAndTheRestUp)
{
    ropes[4].points[3].velocity[1] = 1;
    ropeJolt();
    for (int r = 0; r < ropeCount; ++r) {
        const Rope& rope = ropes[static_cast<std::size_t>(r)];
        for (int i = 0; i < rope.pointCount; ++i) {
            float expected = (i == 0 || i == 9) ? 0 : (i == 1 || i == 8) ? -3 : 2;
            if (r == 4 && i == 3)
                expected += 1;
            EXPECT_EQ(rope.points[static_cast<std::size_t>(i)].velocity[1], expected)
                << "rope " << r << " point " << i;
            EXPECT_EQ(rope.points[static_cast<std::size_t>(i)].velocity[0], 0);
        }
    }
}

TEST_F(ReboundTest, WalkingIntoTheEdge)
{
    playing(a, ClipWalk, Walking);
    place(a, 17, 0, 270);
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipWalk);  // forward walks go through the ropes

    playing(a, ClipWalkBack, Walking);
    place(a, 14, 0, 270);  // the edge zone is strict
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipWalkBack);
    place(a, 14.1f, 0, 630);
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipRopesBack);
    EXPECT_EQ(a.state, OnRopes);
    EXPECT_EQ(a.nextClip, ClipRun);
    EXPECT_EQ(a.nextState, Running);
    EXPECT_EQ(a.ropeSide, 1);
    EXPECT_EQ(a.ropeRebounds, 1);
    EXPECT_EQ(a.heading, 270);
}

TEST_F(ReboundTest, InACornerTheXSideWins)
{
    playing(a, ClipWalkLeft, Walking);
    place(a, 15, 15, 0);
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipRopesLeft);
    EXPECT_EQ(a.nextClip, ClipWalkRight);
    EXPECT_EQ(a.ropeSide, 1);

    playing(a, ClipWalkRight, Walking);
    place(a, -15, -15, 0);
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipRopesRight);
    EXPECT_EQ(a.ropeSide, 0);
}

TEST_F(ReboundTest, RunnerReboundsOnlyOffTheRopeItRunsAt)
{
    playing(a, ClipRun, Running);
    place(a, 0, 15, 90);  // alongside the +z rope
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipRun);
    EXPECT_EQ(a.ropeRebounds, 0);

    place(a, 10.1f, 15, 90);  // now also at the +x rope it runs at
    ropeContact(a, b);
    EXPECT_EQ(a.clip, ClipRunRopes);
    EXPECT_EQ(a.ropeSide, 1);
    EXPECT_EQ(a.nextState, Running);
    EXPECT_EQ(a.ropeRebounds, 1);
}

// The elbow drop can only fire off the second rebound. A runner that comes
// off the ropes a third time has missed it, and its opponent must not be
// kept on the mat for the rest of the match.
TEST_F(ReboundTest, ElbowRunIsSpentAfterItsSecondRebound)
{
    playing(a, ClipRun, Running);
    a.elbowArmed = 1;
    a.ropeRebounds = 1;
    place(a, 0, 15.1f, 0);
    ropeContact(a, b);
    EXPECT_EQ(a.ropeRebounds, 2);
    EXPECT_EQ(a.elbowArmed, 1) << "the drop can still come";

    playing(a, ClipRun, Running);
    place(a, 0, -15.1f, 180);
    ropeContact(a, b);
    EXPECT_EQ(a.ropeRebounds, 3);
    EXPECT_EQ(a.elbowArmed, 0);

    playing(b, ClipLie, Lying);
    b.health = 50;
    hold(up);
    getUpHandler(b, up, a);
    EXPECT_EQ(b.state, GettingUp);
}

TEST_F(ReboundTest, HoldPinsTheNearestPointThenReleasesIt)
{
    playing(a, ClipRopesLeft, OnRopes, 25);
    place(a, 15, -1.5f, 0);
    a.ropeSide = 1;
    ropes[5].points[5].velocity[1] = 3;
    ropeContact(a, b);
    EXPECT_EQ(a.heldRopeSide, 1);
    EXPECT_EQ(a.heldRopePoint, 5);
    for (int r : {3, 4, 5}) {
        const RopePoint& p = ropes[static_cast<std::size_t>(r)].points[5];
        EXPECT_EQ(p.pinned, 1) << "rope " << r;
        EXPECT_FLOAT_EQ(p.position[0], 16);  // pushed out by 1
        EXPECT_FLOAT_EQ(p.position[2], -1.5f);
        EXPECT_EQ(p.velocity[1], 0);
    }
    EXPECT_EQ(ropes[3].points[4].pinned, 0);

    a.clipTime = 35.5f;
    ropeContact(a, b);
    EXPECT_EQ(a.heldRopeSide, -1);
    EXPECT_EQ(a.heldRopePoint, -1);
    for (int r : {3, 4, 5})
        EXPECT_EQ(ropes[static_cast<std::size_t>(r)].points[5].pinned, 0) << "rope " << r;
}

// A wrestler knocked off the ropes inside the hold window must not leave
// them pinned in the air.
TEST_F(ReboundTest, HeldRopesAreLetGoWhenTheRopeClipIsCutShort)
{
    const auto pinnedOnSideOne = [] {
        int pinned = 0;
        for (int r : {3, 4, 5})
            for (const RopePoint& p : ropes[static_cast<std::size_t>(r)].points)
                pinned += p.pinned;
        return pinned;
    };

    playing(a, ClipRunRopes, OnRopes, 40);
    place(a, 15, 0, 90);
    a.ropeSide = 1;
    ropeContact(a, b);
    ASSERT_EQ(a.heldRopeSide, 1);
    EXPECT_EQ(pinnedOnSideOne(), 3);
    playing(a, ClipHit, Hurt);
    ropeContact(a, b);
    EXPECT_EQ(a.heldRopeSide, -1);
    EXPECT_EQ(pinnedOnSideOne(), 0);
}

TEST_F(ReboundTest, HoldBackInsideTheZonePressesOutwardFromTheRopeSide)
{
    // Within 12 of the centre no direction test holds: each side presses
    // its ropes out its own way.
    struct Side {
        int side;
        float x, z, pushedX, pushedZ;
    };
    const Side sides[] = {{0, -11, 0, -12, 0}, {1, 11, 0, 12, 0}, {2, 0, 11, 0, 12}, {3, 0, -11, 0, -12}};
    for (const Side& s : sides) {
        createRopes();
        playing(a, ClipRunRopes, OnRopes, 40);
        place(a, s.x, s.z, 0);
        place(b, 30, 30, 0);
        a.ropeSide = s.side;
        ropeContact(a, b);
        ASSERT_EQ(a.heldRopeSide, s.side);
        const RopePoint& p = ropes[static_cast<std::size_t>(3 * s.side + 2)].points[static_cast<std::size_t>(a.heldRopePoint)];
        EXPECT_FLOAT_EQ(p.position[0], s.pushedX) << "side " << s.side;
        EXPECT_FLOAT_EQ(p.position[2], s.pushedZ) << "side " << s.side;
        releaseHeldRopes(a);
    }
}

TEST_F(ReboundTest, EachRopeClipHoldsExactlyThroughItsWindow)
{
    struct Window {
        int clip;
        float from, to;
    };
    const Window windows[] = {{ClipRopesBack, 25, 35}, {ClipRopesLeft, 20, 35}, {ClipRopesRight, 20, 35},
                              {ClipRunRopes, 35, 50}};
    for (const Window& w : windows) {
        for (float t : {w.from - 0.01f, w.from, w.to, w.to + 0.01f}) {
            createRopes();
            playing(a, w.clip, OnRopes, t);
            place(a, 15, 0, 90);
            place(b, -30, 0, 0);
            a.ropeSide = 1;
            a.heldRopeSide = a.heldRopePoint = -1;
            ropeContact(a, b);
            const bool inside = t >= w.from && t <= w.to;
            EXPECT_EQ(a.heldRopeSide, inside ? 1 : -1) << "clip " << w.clip << " at " << t;
            releaseHeldRopes(a);
        }
        // Held inside the window, let go on the first frame past it.
        createRopes();
        playing(a, w.clip, OnRopes, w.to);
        place(a, 15, 0, 90);
        a.ropeSide = 1;
        ropeContact(a, b);
        ASSERT_EQ(a.heldRopeSide, 1);
        const int point = a.heldRopePoint;
        a.clipTime = w.to + 0.01f;
        ropeContact(a, b);
        EXPECT_EQ(a.heldRopeSide, -1);
        EXPECT_EQ(ropes[5].points[static_cast<std::size_t>(point)].pinned, 0) << "clip " << w.clip;
    }
}

} // namespace
