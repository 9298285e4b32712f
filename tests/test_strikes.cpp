// Punches, kicks, running blows and getting up.
#include "move_fixture.h"

#include "wrestler/strikes.h"

namespace {

constexpr int up = 1, strike = 4;

using StrikeTest = MoveTest;

TEST_F(StrikeTest, FourthLandedPunchKnocksDown)
{
    playing(b, ClipPunch, Striking, 35);
    for (int punch = 1; punch <= 3; ++punch) {
        playing(a, ClipStand, Idle);
        a.heading = 0;
        punchContact(a, b);
        EXPECT_EQ(a.clip, ClipHit);
        EXPECT_EQ(a.nextState, Idle);
        EXPECT_EQ(a.punchesTaken, punch);
        EXPECT_EQ(a.heading, 270 + 180);  // turned to face the puncher
    }
    playing(a, ClipStand, Idle);
    punchContact(a, b);
    EXPECT_EQ(a.clip, ClipFall);
    EXPECT_EQ(a.state, Hurt);
    EXPECT_EQ(a.nextState, Lying);
    EXPECT_EQ(a.punchesTaken, 0);
    EXPECT_FLOAT_EQ(a.health, 92);
}

TEST_F(StrikeTest, PunchLandsOnlyInWindowInReachOnAStandingVictim)
{
    struct Case { float time; float distance; int victimState; bool lands; };
    const Case cases[] = {
        {30, 3.9f, Idle, true}, {40, 3.9f, Running, true}, {29.9f, 3, Idle, false},
        {40.1f, 3, Idle, false}, {35, 4, Idle, false}, {35, 3, Hurt, false}, {35, 3, Lying, false},
    };
    for (const Case& c : cases) {
        playing(b, ClipPunch, Striking, c.time);
        playing(a, ClipStand, c.victimState);
        a.punchesTaken = 0;
        place(b, c.distance, 0, 270);
        punchContact(a, b);
        EXPECT_EQ(a.punchesTaken == 1, c.lands) << "time " << c.time << " distance " << c.distance;
    }
}

TEST_F(StrikeTest, StrikeKicksALyingOpponentAndCannotPunchOneGoingDown)
{
    hold(strike);
    b.nextState = Lying;  // on the way down
    kickHandler(a, strike, b);
    punchHandler(a, strike, b);
    EXPECT_EQ(a.state, Idle);

    playing(b, ClipLie, Lying);
    kickHandler(a, strike, b);
    punchHandler(a, strike, b);
    EXPECT_EQ(a.clip, ClipKick);
    EXPECT_EQ(a.state, Kicking);

    // The kick lands between 30 and 35 only.
    a.clipTime = 35.1f;
    kickContact(b, a);
    EXPECT_EQ(b.clip, ClipLie);
    b.punchesTaken = 2;
    a.clipTime = 35;
    kickContact(b, a);
    EXPECT_EQ(b.clip, ClipLieHit);
    EXPECT_EQ(b.punchesTaken, 0);
    EXPECT_FLOAT_EQ(b.health, 98);
}

TEST_F(StrikeTest, RunningPunchHitsInReachAndFloorsTheRunnerOtherwise)
{
    hold(strike);
    playing(a, ClipRun, Running);
    place(b, 6.4f, 0.5f, 0);  // 5 ahead lands within 1.5
    runPunchHandler(a, strike, b);
    EXPECT_EQ(a.clip, ClipRunPunch);
    EXPECT_EQ(b.clip, ClipGetRunPunch);
    EXPECT_EQ(b.nextState, Lying);
    EXPECT_NEAR(b.x, 5, 0.01);  // pulled in front of the attacker
    EXPECT_NEAR(b.z, 0, 0.01);
    EXPECT_EQ(separationOn, 0);

    // Already falling: a miss, even in reach.
    playing(a, ClipRun, Running);
    runPunchHandler(a, strike, b);
    EXPECT_EQ(a.clip, ClipRunPunchMiss);
    EXPECT_EQ(a.nextState, Lying);
}

TEST_F(StrikeTest, HittingARunner)
{
    hold(strike);
    playing(b, ClipRun, Running);
    place(b, 6.6f, 0, 270);  // 1.6 past the point 5 ahead
    hitRunnerHandler(a, strike, b);
    EXPECT_EQ(a.clip, ClipHitRun);
    EXPECT_EQ(b.clip, ClipRun);  // a swing at thin air

    playing(a, ClipStand, Idle);
    place(b, 5, 1.5f, 270);
    hitRunnerHandler(a, strike, b);
    EXPECT_EQ(b.clip, ClipGetHitRun);
    EXPECT_EQ(b.state, Hurt);
}

TEST_F(StrikeTest, GettingUpNeedsHealthAboveTenAndNoElbowRun)
{
    playing(a, ClipLie, Lying);
    hold(up);
    a.health = 10;
    getUpHandler(a, up, b);
    EXPECT_EQ(a.state, Lying);
    a.health = 10.5f;
    b.elbowArmed = 1;
    getUpHandler(a, up, b);
    EXPECT_EQ(a.state, Lying);
    b.elbowArmed = 0;
    getUpHandler(a, up, b);
    EXPECT_EQ(a.clip, ClipGetup);
    EXPECT_EQ(a.state, GettingUp);
}

} // namespace
