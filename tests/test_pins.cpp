// Pinning a lying opponent and kicking out.
#include "move_fixture.h"

#include "match/phases.h"
#include "wrestler/pins.h"

namespace {

constexpr int up = 1, grab = 9;

using PinTest = MoveTest;

TEST_F(PinTest, PinNeedsTheOpponentLyingWithinSix)
{
    hold(grab);
    pinCount = 2;
    countTimer = 9;
    playing(b, ClipFall, Hurt);
    b.nextState = Lying;  // still falling
    pinHandler(a, grab, b);
    EXPECT_EQ(a.state, Idle);

    playing(b, ClipLie, Lying);
    place(b, 6.01f, 0, 0);
    pinHandler(a, grab, b);
    EXPECT_EQ(a.state, Idle);
    place(b, -6.01f, 0, 0);
    pinHandler(a, grab, b);
    EXPECT_EQ(a.state, Idle);

    // Exactly 6 away, on either side, is within reach.
    for (float side : {6.0f, -6.0f}) {
        playing(a, ClipStand, Idle);
        playing(b, ClipLie, Lying);
        place(a, 0, 0, 90);
        place(b, 0, side, 0);
        pinHandler(a, grab, b);
        EXPECT_EQ(a.state, Pinning) << side;
    }
    playing(a, ClipStand, Idle);
    place(a, 0, 0, 90);
    playing(b, ClipLie, Lying);

    place(b, 5, 2, 0);  // lying along +z
    pinHandler(a, grab, b);
    EXPECT_EQ(a.clip, ClipPin);
    EXPECT_EQ(a.nextClip, ClipPinfall);
    EXPECT_EQ(a.state, Pinning);
    EXPECT_EQ(b.clip, ClipGetPinned);
    EXPECT_EQ(b.nextClip, ClipGetPinfalled);
    EXPECT_EQ(b.state, Pinned);
    EXPECT_NEAR(a.x, 5, 0.01);  // moved 5 along the victim's heading
    EXPECT_NEAR(a.z, 7, 0.01);
    EXPECT_EQ(a.anchorX, a.x);
    EXPECT_EQ(a.anchorZ, a.z);
    EXPECT_EQ(a.heading, 180);
    EXPECT_EQ(b.anchorZ, 2);
    EXPECT_EQ(separationOn, 0);
    EXPECT_EQ(pinCount, 0);
    EXPECT_EQ(countTimer, 0);
}

TEST_F(PinTest, KickOutNeedsMoreThanFiveHealthDuringGetPinned)
{
    hold(up);
    playing(a, ClipGetPinfalled, Pinned);
    a.health = 50;
    kickOutHandler(a, up, b);
    EXPECT_EQ(a.clip, ClipGetPinfalled);

    playing(a, ClipGetPinned, Pinned);
    playing(b, ClipPin, Pinning);
    a.health = 5;
    kickOutHandler(a, up, b);
    EXPECT_EQ(a.clip, ClipGetPinned);

    a.health = 5.1f;
    a.anchorX = -2;
    a.anchorZ = 1;
    b.anchorX = 3;
    b.anchorZ = 4;
    a.heading = 10;
    kickOutHandler(a, up, b);
    EXPECT_EQ(a.clip, ClipKickout);
    EXPECT_EQ(a.nextState, Lying);
    EXPECT_EQ(b.clip, ClipGetKickout);
    EXPECT_EQ(b.nextClip, ClipStand);
    EXPECT_EQ(b.nextState, Idle);
    EXPECT_EQ(a.x, -2);
    EXPECT_EQ(b.z, 4);
    EXPECT_EQ(b.heading, 190);
}

} // namespace
