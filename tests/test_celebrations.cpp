// Turning toward a heading or a point, and the scripted celebration walks.
#include "anim/maths.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/movement.h"
#include "wrestler/pins.h"
#include "wrestler/wrestler.h"

#include "tests/support.h"

#include <gtest/gtest.h>

namespace {

TEST(Turning, TakesTheShorterWayAtFourDegreesPerUnit)
{
    Wrestler w;
    w.state = Idle;
    w.turning = 1;
    w.heading = 10;
    w.targetHeading = 100;
    turnStep(w, 1);
    EXPECT_FLOAT_EQ(w.heading, 14);

    // From 1 to 358: down through 0, and the stored heading is not wrapped.
    w.heading = 1;
    w.targetHeading = 358;
    turnStep(w, 0.5f);
    EXPECT_FLOAT_EQ(w.heading, -1);
    EXPECT_EQ(w.turning, 1);
    turnStep(w, 0.5f);
    EXPECT_FLOAT_EQ(w.heading, 358);
    EXPECT_EQ(w.turning, 0) << "arrived";

    turnStep(w, 1);
    EXPECT_FLOAT_EQ(w.heading, 358) << "not turning any more";

    w.turning = 1;
    w.state = Walking;
    w.targetHeading = 0;
    turnStep(w, 1);
    EXPECT_FLOAT_EQ(w.heading, 358) << "only an idle wrestler turns";
}

TEST(Turning, FacePointTurnsEvenAWalkerOneStep)
{
    Wrestler w;
    w.x = 0, w.z = 0;
    w.heading = 80;
    w.state = Walking;
    facePoint(w, 10, 0, 1);     // the point lies along +x: heading 90
    EXPECT_NEAR(w.targetHeading, 90, 1e-4);
    EXPECT_FLOAT_EQ(w.heading, 84);
    EXPECT_FLOAT_EQ(w.bearing, 84);
    EXPECT_EQ(w.state, Walking);
    EXPECT_EQ(w.turning, 1);

    facePoint(w, 0, -10, 100);  // along -z: heading 180, reached at once
    EXPECT_NEAR(w.heading, 180, 1e-4);
    EXPECT_EQ(w.turning, 0);
}

class CelebrationTest : public testing::Test {
protected:
    Wrestler& w = playerOne;

    void SetUp() override
    {
        static bool ready = false;
        if (!ready) {
            stillClips(playerOne);
            stillClips(playerTwo);
            ready = true;
        }
        createRopes();
        w.opponent = &playerTwo;
        w.x = 5, w.z = 5;
        w.clip = w.nextClip = ClipStand;
        w.state = w.nextState = Idle;
        w.clipTime = 0;
        w.impactDone = 0;
        w.scriptStep = 0;
        phaseStage = 3;
        fireworksOn = 0;
        redLighting = 0;
    }
};

TEST_F(CelebrationTest, CornerRoutineVisitsCentreCornerAndFarCorner)
{
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 0);
    EXPECT_EQ(w.clip, ClipWalk);
    EXPECT_EQ(w.state, Walking);

    w.x = 0.5f, w.z = -0.5f;    // at the centre
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 1);

    w.x = 13.2f, w.z = -14.8f;  // any corner will do
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 2);

    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.clip, ClipKalverCeleb);
    EXPECT_EQ(w.state, Celebrating);
    EXPECT_EQ(w.nextState, Idle);
    w.clipTime = 5;
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_FLOAT_EQ(w.clipTime, 5) << "a celebration under way is not restarted";
    EXPECT_EQ(w.scriptStep, 2);

    const float before = ropes[3].points[4].velocity[1];
    w.clipTime = 11;
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_FLOAT_EQ(ropes[3].points[4].velocity[1], before + 2) << "the ropes jump once";
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_FLOAT_EQ(ropes[3].points[4].velocity[1], before + 2);

    w.state = Idle;             // the clip has ended
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 3);
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.state, Walking);
    EXPECT_NEAR(w.targetHeading, 1.59, 0.01) << "heading for (14, 14), nearly along +z";
    w.x = 13.5f, w.z = -13.5f;  // another corner is not the far corner
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 3);
    w.x = 14.5f, w.z = 13.5f;
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 4);
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(w.scriptStep, 5);
    EXPECT_EQ(w.state, Celebrating);
    EXPECT_FLOAT_EQ(w.clipTime, 0);
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(phaseStage, 3);
    w.state = Idle;
    cornerCelebration(w, ClipKalverCeleb, 1);
    EXPECT_EQ(phaseStage, 4);
}

TEST_F(CelebrationTest, CentreRoutineCelebratesInTheMiddleWithFireworksForZorag)
{
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(w.state, Walking);
    EXPECT_EQ(w.scriptStep, 0);
    w.x = 0.9f, w.z = 0.9f;
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(w.scriptStep, 1);
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(w.clip, ClipZoragCeleb);
    EXPECT_EQ(w.state, Celebrating);
    EXPECT_EQ(w.scriptStep, 2);

    w.clipTime = 53;
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(fireworksOn, 0);
    w.clipTime = 54;
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(fireworksOn, 1);
    EXPECT_EQ(phaseStage, 3);

    redLighting = 1;
    w.clip = ClipStand;         // the celebration has ended
    centreCelebration(w, ClipZoragCeleb, 1);
    EXPECT_EQ(phaseStage, 4);
    EXPECT_EQ(fireworksOn, 0);
    EXPECT_EQ(redLighting, 0);
}

TEST_F(CelebrationTest, OnlyZoragsCelebrationLightsFireworks)
{
    w.x = w.z = 0;
    centreCelebration(w, ClipTeskarCeleb, 1);
    centreCelebration(w, ClipTeskarCeleb, 1);
    ASSERT_EQ(w.clip, ClipTeskarCeleb);
    w.clipTime = 80;
    centreCelebration(w, ClipTeskarCeleb, 1);
    EXPECT_EQ(fireworksOn, 0);
}

} // namespace
