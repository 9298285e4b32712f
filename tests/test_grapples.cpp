// Grabs and holds, moves from the hold, signature moves and the elbow drop.
#include "move_fixture.h"

#include "wrestler/grapples.h"

namespace {

constexpr int up = 1, strike = 4, grab = 9, down = 14, special = 12;

using GrappleTest = MoveTest;

// Both locked in a hold, attacker at x facing +x.
void inHold(Wrestler& w, Wrestler& o, float x)
{
    playing(w, ClipGrapple, Grabbing);
    playing(o, ClipGetGrappled, Grabbed);
    w.x = w.anchorX = x;
    w.z = w.anchorZ = 0;
    w.heading = 90;
    o.x = o.anchorX = x + 5;
    o.z = o.anchorZ = 0;
}

TEST_F(GrappleTest, GrabReachIsSixInclusive)
{
    hold(grab);
    b.x = 6.01f;
    grabHandler(a, grab, b);
    EXPECT_EQ(a.clip, ClipGrabMiss);
    EXPECT_EQ(a.holdTimer, 100);  // a miss starts the timer too
    EXPECT_EQ(b.state, Idle);

    playing(a, ClipStand, Idle);
    b.x = 6;
    grabHandler(a, grab, b);
    EXPECT_EQ(a.clip, ClipGrab);
    EXPECT_EQ(a.nextClip, ClipGrapple);
    EXPECT_EQ(b.clip, ClipGetGrabbed);
    EXPECT_EQ(b.nextState, Grabbed);
    EXPECT_NEAR(b.x, 5, 0.01);
    EXPECT_EQ(b.heading, 270);
}

TEST_F(GrappleTest, GrabIsRefusedOnAFallingOpponentAndMissesARunner)
{
    hold(grab);
    b.nextState = Lying;
    grabHandler(a, grab, b);
    EXPECT_EQ(a.state, Idle);
    EXPECT_EQ(a.holdTimer, 0);

    playing(b, ClipRun, Running);
    grabHandler(a, grab, b);
    EXPECT_EQ(a.clip, ClipGrabMiss);
    EXPECT_EQ(b.state, Running);
}

TEST_F(GrappleTest, HoldExpiryStandsBothWhateverTheVictimDoes)
{
    inHold(a, b, 0);
    playing(b, ClipPunch, Striking);
    a.holdTimer = 0;
    grabHandler(a, grab, b);
    EXPECT_EQ(a.state, Grabbing);
    a.holdTimer = -0.1f;
    grabHandler(a, grab, b);
    EXPECT_EQ(a.clip, ClipStand);
    EXPECT_EQ(a.state, Idle);
    EXPECT_EQ(b.clip, ClipStand);
    EXPECT_EQ(b.state, Idle);
}

TEST_F(GrappleTest, AGrabThenASuplexOrSlamReturnsBothToWhereTheGrabPutThem)
{
    // The whole chain through the handlers: the grab places the victim and
    // saves both spots itself; the bodies drift during the hold; the move
    // from the hold puts them back.
    for (int follow : {up, strike}) {
        playing(a, ClipStand, Idle);
        playing(b, ClipStand, Idle);
        place(a, 1, 2, 90);
        place(b, 4, 3, 200);
        clearKeys();
        hold(grab);
        grabHandler(a, grab, b);
        ASSERT_EQ(a.state, Grabbing);
        ASSERT_EQ(b.nextState, Grabbed);
        EXPECT_NEAR(b.x, 6, 1e-3) << "5 ahead of the attacker";
        EXPECT_NEAR(b.z, 2, 1e-2);
        const float victimX = b.x, victimZ = b.z;
        a.x += 0.7f, a.z -= 0.4f;
        b.x -= 1.1f, b.z += 0.3f;
        b.heading = 10;
        clearKeys();
        hold(follow);
        if (follow == up)
            suplexHandler(a, up, b);
        else
            slamHandler(a, strike, b);
        EXPECT_EQ(a.clip, follow == up ? ClipSuplex : ClipSlam);
        EXPECT_FLOAT_EQ(a.x, 1) << follow;
        EXPECT_FLOAT_EQ(a.z, 2) << follow;
        EXPECT_FLOAT_EQ(b.x, victimX) << follow;
        EXPECT_FLOAT_EQ(b.z, victimZ) << follow;
        EXPECT_FLOAT_EQ(b.heading, 270) << "facing the attacker again";
        EXPECT_EQ(separationOn, 0);
    }
}

TEST_F(GrappleTest, SuplexAndSlamNeedRoomTheThrowDoesNot)
{
    hold(up);
    inHold(a, b, -3.1f);  // 15 behind reaches -18.1: outside
    suplexHandler(a, up, b);
    EXPECT_EQ(a.state, Grabbing);
    inHold(a, b, -2.9f);
    b.x = 1;  // wandered; the suplex puts it back where the hold began
    suplexHandler(a, up, b);
    EXPECT_EQ(a.clip, ClipSuplex);
    EXPECT_EQ(b.clip, ClipGetSuplexed);
    EXPECT_FLOAT_EQ(b.x, 2.1f);
    EXPECT_EQ(b.heading, 270);

    clearKeys();
    hold(strike);
    inHold(a, b, 5.1f);  // 13 ahead reaches 18.1
    slamHandler(a, strike, b);
    EXPECT_EQ(a.state, Grabbing);
    inHold(a, b, 4.9f);
    slamHandler(a, strike, b);
    EXPECT_EQ(a.clip, ClipSlam);
    EXPECT_EQ(b.nextState, Lying);

    clearKeys();
    hold(down);
    inHold(a, b, 17);
    a.heading = 100;  // snapped to 90
    b.ropeRebounds = 3;
    throwHandler(a, down, b);
    EXPECT_EQ(a.heading, 90);
    EXPECT_NEAR(a.x, 14.5f, 0.01);
    EXPECT_NEAR(b.x, 19.5f, 0.01);
    EXPECT_EQ(b.heading, 270);
    EXPECT_EQ(b.ropeRebounds, 0);
    EXPECT_EQ(b.clip, ClipGetThrown);
    EXPECT_EQ(b.nextClip, ClipRun);
    EXPECT_EQ(b.nextState, Running);
}

TEST_F(GrappleTest, SignatureMovesNeedTheOpponentBelowTwenty)
{
    struct Row { int character; int clip; int victimClip; int victimState; };
    const Row rows[] = {
        {1, ClipStunner, ClipGetStunner, Stunned},
        {3, ClipOlympicSlam, ClipGetOlympicSlam, OlympicSlammed},
        {2, ClipChokeslam, ClipGetChokeslammed, Chokeslammed},
        {0, ClipVorlanBottom, ClipGetVorlanBottom, BottomSlammed},
    };
    hold(special);
    for (const Row& r : rows) {
        playing(a, ClipStand, Idle);
        playing(b, ClipStand, Idle);
        place(a, 3, 0, 90);  // 20 behind is still inside the ring
        place(b, 6, 0, 0);
        a.character = r.character;
        b.health = 20;
        for (int k = 0; k < 4; ++k)
            signatureHandler(a, special, b, k);
        EXPECT_EQ(a.state, Idle) << "character " << r.character;
        b.health = 19.9f;
        signatureHandler(a, special, b, (r.character + 1) % 4);  // another's move
        EXPECT_EQ(a.state, Idle) << "character " << r.character;
        signatureHandler(a, special, b, r.character);
        EXPECT_EQ(a.clip, r.clip) << "character " << r.character;
        EXPECT_EQ(b.clip, r.victimClip) << "character " << r.character;
        EXPECT_EQ(b.state, r.victimState) << "character " << r.character;
        EXPECT_EQ(b.nextState, Lying) << "character " << r.character;
    }
    EXPECT_EQ(a.nextState, ElbowDropping);
}

TEST_F(GrappleTest, StunnerAndOlympicSlamRefuseARunnerOlympicSlamNeedsRoom)
{
    hold(special);
    b.health = 10;
    place(a, 3, 0, 90);
    place(b, 6, 0, 270);
    for (int k : {1, 3}) {
        a.character = k;
        playing(b, ClipRun, Running);
        signatureHandler(a, special, b, k);
        EXPECT_EQ(a.state, Idle) << "character " << k;
    }
    a.character = 2;
    signatureHandler(a, special, b, 2);
    EXPECT_EQ(a.clip, ClipChokeslam);  // the chokeslam catches a runner

    a.character = 3;
    playing(a, ClipStand, Idle);
    playing(b, ClipStand, Idle);
    place(a, -1, 0, 90);  // 20 behind reaches -21
    place(b, 2, 0, 270);
    signatureHandler(a, special, b, 3);
    EXPECT_EQ(a.state, Idle);
}

TEST_F(GrappleTest, ElbowDropFiresOnlyAtExactlyTwoRebounds)
{
    playing(a, ClipRun, Running);
    a.elbowArmed = 1;
    place(b, 5.9f, 0, 0);
    for (int rebounds : {1, 3}) {
        a.ropeRebounds = rebounds;
        elbowDropHandler(a, b);
        EXPECT_EQ(a.clip, ClipRun) << rebounds << " rebounds";
    }
    a.ropeRebounds = 2;
    place(b, 6, 0, 0);
    elbowDropHandler(a, b);
    EXPECT_EQ(a.clip, ClipRun);
    place(b, 5.9f, 0, 0);
    elbowDropHandler(a, b);
    EXPECT_EQ(a.clip, ClipPeopleElbow2);
    EXPECT_EQ(a.state, ElbowDropping);
}

} // namespace
