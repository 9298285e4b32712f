// Walking frames, facing the opponent, starting and stopping runs.
#include "move_fixture.h"

#include "wrestler/movement.h"

#include <vector>

namespace {

constexpr int up = 1, left = 2, right = 3, down = 14;

using WalkTest = MoveTest;

void walk(Wrestler& w, Wrestler& o) { walkHandler(w, up, left, right, down, o); }
void run(Wrestler& w, Wrestler& o) { runHandler(w, up, left, right, down, o); }

TEST_F(WalkTest, FrameIsChosenFromTheBearingAtTheBorders)
{
    // bearing, frame, heading, clip of the Left key in that frame
    struct Case { float bearing; int quadrant; float heading; int clip; };
    const Case cases[] = {
        {135, 1, 180, ClipWalkBack}, {225, 1, 180, ClipWalkBack}, {45, 2, 90, ClipWalkRight},
        {134.9f, 2, 90, ClipWalkRight}, {225.1f, 4, 270, ClipWalkLeft}, {315, 4, 270, ClipWalkLeft},
        {-45, 4, 270, ClipWalkLeft}, {-44.9f, 3, 0, ClipWalk}, {44.9f, 3, 0, ClipWalk},
    };
    hold(left);
    for (const Case& c : cases) {
        playing(a, ClipStand, Idle);
        a.bearing = c.bearing;
        walk(a, b);
        EXPECT_EQ(a.quadrant, c.quadrant) << "bearing " << c.bearing;
        EXPECT_EQ(a.heading, c.heading) << "bearing " << c.bearing;
        EXPECT_EQ(a.clip, c.clip) << "bearing " << c.bearing;
        EXPECT_EQ(a.state, Walking);
    }
}

TEST_F(WalkTest, AWalkKeepsItsFrameUntilFivePastTheBorder)
{
    hold(left);
    playing(a, ClipWalk, Walking, 40);
    a.quadrant = 3;
    a.bearing = 50;  // past the selection border, inside the keep range
    walk(a, b);
    EXPECT_EQ(a.quadrant, 3);
    EXPECT_EQ(a.clip, ClipWalk);
    EXPECT_EQ(a.clipTime, 40);  // not restarted

    a.bearing = 50.5f;
    walk(a, b);
    EXPECT_EQ(a.quadrant, 2);
    EXPECT_EQ(a.clip, ClipWalkRight);
    EXPECT_EQ(a.clipTime, -5);  // a fresh blend
}

TEST_F(WalkTest, EveryFrameKeepsItsWalkToFivePastBothBorders)
{
    // The clip Left plays in each frame, and bearings just inside and just
    // outside the frame's keep range on both sides (frame 4 has three edges).
    struct Band {
        int quadrant, clip;
        std::vector<float> keeps, leaves;
    };
    const Band bands[] = {
        {1, ClipWalkBack, {130, 230}, {129.9f, 230.1f}},
        {2, ClipWalkRight, {40, 140}, {39.9f, 140.1f}},
        {3, ClipWalk, {-50, 50}, {-50.1f, 50.1f}},
        {4, ClipWalkLeft, {220, 320, -40}, {219.9f, 320.1f, -39.9f}},
    };
    hold(left);
    for (const Band& band : bands) {
        for (float b : band.keeps) {
            playing(a, band.clip, Walking, 40);
            a.quadrant = band.quadrant;
            a.bearing = b;
            walk(a, this->b);
            EXPECT_EQ(a.quadrant, band.quadrant) << b;
            EXPECT_EQ(a.clipTime, 40) << "kept at bearing " << b;
        }
        for (float b : band.leaves) {
            playing(a, band.clip, Walking, 40);
            a.quadrant = band.quadrant;
            a.bearing = b;
            walk(a, this->b);
            EXPECT_NE(a.quadrant, band.quadrant) << b;
            EXPECT_EQ(a.clipTime, -5) << "restarted at bearing " << b;
        }
    }
}

TEST_F(WalkTest, TwoKeysChangeNothingAndReleasingStops)
{
    hold(left);
    hold(up);
    walk(a, b);
    EXPECT_EQ(a.state, Idle);

    playing(a, ClipWalkBack, Walking, 12);
    a.quadrant = 1;
    walk(a, b);
    EXPECT_EQ(a.clip, ClipWalkBack);
    EXPECT_EQ(a.clipTime, 12);

    clearKeys();
    walk(a, b);
    EXPECT_EQ(a.state, Idle);
    EXPECT_EQ(a.clip, ClipStand);
}

TEST_F(WalkTest, IdleWrestlerFacesTheOpponentUnlessTurning)
{
    place(b, 0, 10, 0);  // straight ahead along +z
    a.heading = 123;
    walk(a, b);
    EXPECT_NEAR(a.bearing, 0, 1e-4);
    EXPECT_NEAR(a.heading, 0, 1e-4);

    place(b, 0, -10, 0);  // behind: the bearing gains 180
    a.turning = 1;
    a.heading = 40;
    walk(a, b);
    EXPECT_NEAR(a.bearing, 180, 1e-4);
    EXPECT_EQ(a.heading, 40);
    EXPECT_NEAR(a.targetHeading, 180, 1e-4);

    // Level with the opponent in z (as a throw along x leaves them), or a
    // hair short of it, it still faces the opponent, not away.
    a.turning = 0;
    for (float dz : {0.0f, 0.005f}) {
        place(b, 5, dz, 0);
        walk(a, b);
        EXPECT_NEAR(a.heading, 90, 0.2) << "dz " << dz;
        place(b, -5, dz, 0);
        walk(a, b);
        EXPECT_NEAR(a.heading, 270, 0.2) << "dz " << dz;
    }
    place(b, 0, -10, 0);
    walk(a, b);

    // A busy wrestler keeps its last bearing.
    playing(a, ClipHit, Hurt);
    place(b, 10, 0, 0);
    walk(a, b);
    EXPECT_NEAR(a.bearing, 180, 1e-4);
}

TEST_F(WalkTest, DoubleTapNeedsExactlyOneUpFrame)
{
    auto history = [](int slot, int newest, int previous, int oldest) {
        keyHistory[0][slot] = newest;
        keyHistory[1][slot] = previous;
        keyHistory[2][slot] = oldest;
    };
    history(down, 1, 1, 1);
    run(a, b);
    EXPECT_EQ(a.state, Idle);
    history(down, 1, 0, 0);
    run(a, b);
    EXPECT_EQ(a.state, Idle);

    history(down, 1, 0, 1);
    history(right, 1, 0, 1);  // Right is tested before Down
    run(a, b);
    EXPECT_EQ(a.state, Running);
    EXPECT_EQ(a.clip, ClipRun);
    EXPECT_EQ(a.heading, 180);

    playing(b, ClipHit, Hurt);
    run(b, a);
    EXPECT_EQ(b.state, Hurt);
}

TEST_F(WalkTest, RunStopsOnlyAfterTwoReboundsAndWithTheOppositeKey)
{
    playing(a, ClipRun, Running);
    a.heading = -270;  // 90: running along +x, Up is opposite
    hold(up);
    a.ropeRebounds = 1;
    run(a, b);
    EXPECT_EQ(a.nextState, Running);

    a.ropeRebounds = 2;
    clearKeys();
    hold(down);
    run(a, b);
    EXPECT_EQ(a.nextState, Running);

    a.elbowArmed = 1;
    hold(up);
    run(a, b);
    EXPECT_EQ(a.nextState, Idle);
    EXPECT_EQ(a.nextClip, ClipStand);
    EXPECT_EQ(a.clip, ClipRun);  // the cycle runs to its end
    EXPECT_EQ(a.elbowArmed, 0) << "a stopped elbow run must let the opponent up";
}

} // namespace
