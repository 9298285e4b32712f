// Health regeneration, the once-per-clip impacts and the order in which one
// wrestler's handlers run.
#include "anim/maths.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/ropes.h"
#include "wrestler/rules.h"
#include "wrestler/wrestler.h"

#include "tests/support.h"

#include <gtest/gtest.h>

namespace {

class RulesTest : public testing::Test {
protected:
    Wrestler& a = playerOne;
    Wrestler& b = playerTwo;

    void SetUp() override
    {
        static bool ready = false;
        if (!ready) {
            stillClips(a);
            stillClips(b);
            ready = true;
        }
        createRopes();
        clearKeys();
        separationOn = 1;
        for (Wrestler* w : {&a, &b}) {
            w->clip = w->nextClip = ClipStand;
            w->state = w->nextState = Idle;
            w->clipTime = w->prevClipTime = 0;
            w->health = 100;
            w->impactDone = 0;
            w->punchesTaken = w->elbowArmed = w->turning = w->ropeRebounds = 0;
            w->character = 0;
            w->y = 0;
        }
        a.opponent = &b;
        b.opponent = &a;
        a.x = 0, a.z = 0, a.heading = a.targetHeading = 90;
        b.x = 3, b.z = 0, b.heading = b.targetHeading = 270;
    }

    static void playing(Wrestler& w, int clip, float time)
    {
        w.clip = clip;
        w.clipTime = time;
    }

    static float ropeSpeed() { return ropes[0].points[4].velocity[1]; }
};

TEST_F(RulesTest, HealthRegeneratesUpToFullAndFromBelowZero)
{
    a.health = 50;
    regenerateHealth(a, 10);
    EXPECT_FLOAT_EQ(a.health, 50.1f);
    a.health = 99.995f;
    regenerateHealth(a, 1);
    EXPECT_FLOAT_EQ(a.health, 100);
    regenerateHealth(a, 1000);
    EXPECT_FLOAT_EQ(a.health, 100);
    a.health = -30;
    regenerateHealth(a, 100);
    EXPECT_FLOAT_EQ(a.health, -29);
}

TEST_F(RulesTest, AFallHurtsOnceAfterItsThreshold)
{
    playing(a, ClipFall, 50);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, 100) << "the threshold itself is not past it";
    EXPECT_EQ(a.impactDone, 0);
    EXPECT_FLOAT_EQ(ropeSpeed(), 0);

    playing(a, ClipFall, 51);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, 98);
    EXPECT_EQ(a.impactDone, 1);
    EXPECT_FLOAT_EQ(ropeSpeed(), 2) << "the landing jolts the ropes";
    EXPECT_FLOAT_EQ(ropes[0].points[1].velocity[1], -3);

    playing(a, ClipFall, 70);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, 98);
    EXPECT_FLOAT_EQ(ropeSpeed(), 2);

    // Still done for a new clip until some clip of this wrestler ends.
    playing(a, ClipGetStunner, 121);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, 98);
}

TEST_F(RulesTest, EachFallCostsWhatItsTableSays)
{
    struct Row {
        int clip;
        float past;
        float loss;
    };
    const Row rows[] = {
        {ClipRunPunchMiss, 42, 2}, {ClipGetSuplexed, 82, 10}, {ClipGetSlammed, 90, 10},
        {ClipGetRunPunch, 45, 16}, {ClipGetHitRun, 42, 16}, {ClipGetStunner, 120, 60},
        {ClipGetChokeslammed, 85, 60}, {ClipGetOlympicSlam, 75, 60}, {ClipGetVorlanBottom, 92, 60},
        {ClipStunner, 80, 0}, {ClipVorlanCeleb, 10, 0}, {ClipKalverCeleb, 10, 0},
    };
    for (const Row& row : rows) {
        a.health = 100;
        a.impactDone = 0;
        playing(a, row.clip, row.past);
        impactCheck(a);
        EXPECT_EQ(a.impactDone, 0) << clipFiles[static_cast<std::size_t>(row.clip)];
        playing(a, row.clip, row.past + 0.01f);
        impactCheck(a);
        EXPECT_EQ(a.impactDone, 1) << clipFiles[static_cast<std::size_t>(row.clip)];
        EXPECT_FLOAT_EQ(a.health, 100 - row.loss) << clipFiles[static_cast<std::size_t>(row.clip)];
    }
    // Two signature moves in a row take health below zero.
    a.health = 30;
    a.impactDone = 0;
    playing(a, ClipGetChokeslammed, 86);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, -30);

    // Clips without a row never set the flag.
    a.impactDone = 0;
    playing(a, ClipZoragCeleb, 200);
    impactCheck(a);
    playing(a, ClipGetThrown, 200);
    impactCheck(a);
    EXPECT_EQ(a.impactDone, 0);
}

TEST_F(RulesTest, TheElbowLandsOnTheOpponentWhereverItIs)
{
    a.elbowArmed = 1;
    b.x = 30;                   // walked well away meanwhile
    b.state = b.nextState = Walking;
    b.punchesTaken = 3;
    playing(a, ClipPeopleElbow2, 66);
    impactCheck(a);
    EXPECT_FLOAT_EQ(a.health, 100);
    EXPECT_EQ(a.elbowArmed, 0);
    EXPECT_EQ(b.clip, ClipLieHit);
    EXPECT_EQ(b.nextClip, ClipLie);
    EXPECT_EQ(b.state, Hurt);
    EXPECT_EQ(b.nextState, Lying);
    EXPECT_EQ(b.punchesTaken, 0);
    EXPECT_FLOAT_EQ(b.health, 100);
}

TEST_F(RulesTest, EveryWayAnElbowRunEndsButTheDropLetsTheOpponentUp)
{
    // The opponent lies while the runner is on its armed run; each way the
    // run can end must leave it free to get up with its Up key.
    auto armedRun = [&] {
        clearKeys();
        a.elbowArmed = 1;
        a.ropeRebounds = 1;
        a.clip = a.nextClip = ClipRun;
        a.state = a.nextState = Running;
        a.clipTime = a.prevClipTime = 10;
        b.clip = b.nextClip = ClipLie;
        b.state = b.nextState = Lying;
        b.health = 50;
        b.x = 30;
    };
    auto opponentGetsUp = [&] {
        clearKeys();
        keyDown[playerTwoKeys.up] = 1;
        behaviourStep(b, a, playerTwoKeys);
        return b.state == GettingUp;
    };

    // While the run lasts the opponent stays down.
    armedRun();
    behaviourStep(a, b, playerOneKeys);
    EXPECT_FALSE(opponentGetsUp());
    EXPECT_EQ(a.elbowArmed, 1);

    // A swing at the lying opponent: the running punch misses.
    armedRun();
    keyDown[playerOneKeys.strike] = 1;
    behaviourStep(a, b, playerOneKeys);
    ASSERT_EQ(a.clip, ClipRunPunchMiss);
    EXPECT_EQ(a.elbowArmed, 0);
    EXPECT_TRUE(opponentGetsUp());

    // A run that ends at the end of its cycle (blocked by the body box).
    armedRun();
    a.state = Idle;             // as the clip player leaves it at the wrap
    a.clip = ClipStand;
    behaviourStep(a, b, playerOneKeys);
    EXPECT_EQ(a.elbowArmed, 0);
    EXPECT_TRUE(opponentGetsUp());

    // A run past its second rebound is spent too.
    armedRun();
    a.state = OnRopes;
    a.clip = ClipRunRopes;
    behaviourStep(a, b, playerOneKeys);
    EXPECT_EQ(a.elbowArmed, 1) << "coming off the ropes is part of the run";
    EXPECT_FALSE(opponentGetsUp());

    // The other wrestler's step sees a run that its own handlers ended.
    armedRun();
    a.state = Hurt;
    behaviourStep(b, a, playerTwoKeys);
    EXPECT_EQ(a.elbowArmed, 0);
}

TEST_F(RulesTest, HandlersReadTheirOwnPlayersSlots)
{
    keyDown[4] = 1;             // player one's strike
    behaviourStep(b, a, playerTwoKeys);
    EXPECT_EQ(b.state, Idle);
    keyDown[8] = 1;
    behaviourStep(b, a, playerTwoKeys);
    EXPECT_EQ(b.clip, ClipPunch);
    EXPECT_EQ(b.state, Striking);
}

TEST_F(RulesTest, AKickStartedEarlierHidesThePunch)
{
    // An opponent lying but about to get up invites both a kick and a punch;
    // the kick's handler comes first.
    b.state = Lying;
    b.nextState = GettingUp;
    keyDown[4] = 1;
    behaviourStep(a, b, playerOneKeys);
    EXPECT_EQ(a.clip, ClipKick);
    EXPECT_EQ(a.state, Kicking);
}

TEST_F(RulesTest, TheImpactCheckRunsInTheBehaviourStep)
{
    playing(a, ClipFall, 60);
    a.state = a.nextState = Hurt;
    behaviourStep(a, b, playerOneKeys);
    EXPECT_FLOAT_EQ(a.health, 98);
    EXPECT_EQ(a.impactDone, 1);
}

} // namespace
