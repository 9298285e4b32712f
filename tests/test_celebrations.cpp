// Turning toward a heading or a point, and the scripted celebration walks.
#include "anim/maths.h"
#include "anim/playback.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/movement.h"
#include "wrestler/pins.h"
#include "wrestler/wrestler.h"

#include "tests/support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

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

namespace {

// Whole celebration walks with the generated clips, as the victory plays
// them: the script step, then both clips advanced by the frame's time.
class CelebrationWalks : public testing::Test {
protected:
    static std::unique_ptr<Wrestler> winner, loser;

    static void SetUpTestSuite()
    {
        winner = std::make_unique<Wrestler>();
        loser = std::make_unique<Wrestler>();
        generatedClips(*winner);
        generatedClips(*loser);
        winner->opponent = loser.get();
        loser->opponent = winner.get();
    }
    static void TearDownTestSuite()
    {
        winner.reset();
        loser.reset();
    }

    void SetUp() override { createRopes(); }

    // The winner starts at (x, z) facing `heading`, the loser lies at
    // (lx, lz). Returns the game time the celebration took, or -1 if it had
    // not ended after `limit`. `frame` gives each frame's length in ms.
    static float celebrate(int clip, float x, float z, float heading, float lx, float lz,
                           const std::function<double()>& frame, float limit = 3000, int fromStep = 0)
    {
        Wrestler& w = *winner;
        Wrestler& o = *loser;
        resetWrestler(w);
        resetWrestler(o);
        w.opponent = &o;
        o.opponent = &w;
        w.x = x, w.z = z;
        w.heading = w.targetHeading = heading;
        cutToClip(w, o, ClipStand, ClipStand, Idle, Idle);
        o.x = lx, o.z = lz;
        cutToClip(o, w, ClipLie, ClipLie, Lying, Lying);
        w.scriptStep = fromStep;
        phaseStage = 3;
        // As the win leaves it; the corner celebration turns it back on.
        separationOn = fromStep < 3 ? 0 : 1;
        fireworksOn = 0;
        const bool corner = clip == ClipVorlanCeleb || clip == ClipKalverCeleb;
        float time = 0;
        while (phaseStage == 3) {
            const float dt = static_cast<float>(frame() / 30.0);
            if (corner)
                cornerCelebration(w, clip, dt);
            else
                centreCelebration(w, clip, dt);
            advanceClip(w, dt * clipTimeRate, o);
            advanceClip(o, dt * clipTimeRate, w);
            time += dt;
            if (time > limit)
                return -1;
        }
        return time;
    }
};

std::unique_ptr<Wrestler> CelebrationWalks::winner;
std::unique_ptr<Wrestler> CelebrationWalks::loser;

TEST_F(CelebrationWalks, EveryStartAndFrameRateEnds)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> anyFrame(1, 200);
    const std::function<double()> frames[] = {
        [] { return 5.0; }, [] { return 16.0; }, [] { return 50.0; }, [] { return 200.0; },
        [&] { return anyFrame(random); }};
    const float spots[] = {-15, -4, 0.6f, 9};
    int runs = 0;
    for (const auto& frame : frames)
        for (int clip : {ClipKalverCeleb, ClipZoragCeleb})
            for (float x : spots)
                for (float z : spots)
                    for (float heading : {0.0f, 100.0f, 225.0f}) {
                        // The loser lies just beside the winner, or on the
                        // way to the far corner, or right before it.
                        const float lx = runs % 3 == 0 ? x + 3 : runs % 3 == 1 ? 7 : 11.5f;
                        const float lz = runs % 3 == 0 ? z : runs % 3 == 1 ? 7 : 11.5f;
                        ++runs;
                        const float took = celebrate(clip, x, z, heading, lx, lz, frame);
                        EXPECT_GT(took, 0) << "clip " << clip << " from " << x << ", " << z << " heading "
                                           << heading << ", loser at " << lx << ", " << lz;
                    }
}

TEST_F(CelebrationWalks, ALoserLyingInTheWayIsWalkedOver)
{
    // After its first corner the walk heads straight along +z for the far
    // corner, and the loser lies across that line: head on, the body box
    // leaves nothing to slide along.
    const float took = celebrate(ClipVorlanCeleb, 14, -13.5f, 0, 14, 0, [] { return 16.0; }, 3000, 3);
    EXPECT_GT(took, 0);
    EXPECT_LT(took, 250) << "straight on to the corner, not held at the body";
}

TEST_F(CelebrationWalks, AGoalInsideTheTurningCircleIsReachedNotCircled)
{
    // Half a unit to the side of a walker: far inside the 3.9 radius of a
    // walk turning 4 degrees a unit.
    const double frame = 16;
    const float took = celebrate(ClipTeskarCeleb, 1.5f, 0, 0, 15, -15, [&] { return frame; });
    EXPECT_GT(took, 0);
    EXPECT_LT(took, 200) << "a short walk and the celebration, no circling";
}

TEST(Turning, WalkTowardTurnsAsFacePointUnlessTheGoalWouldBeCircled)
{
    // A far goal: the usual 4 degrees a unit, so the usual walks are as
    // they were.
    Wrestler a, b;
    a.heading = b.heading = 0;
    facePoint(a, 20, 10, 1);
    walkToward(b, 20, 10, 1, 0.27f);
    EXPECT_FLOAT_EQ(a.heading, b.heading);
    EXPECT_FLOAT_EQ(b.heading, 4);
    EXPECT_FLOAT_EQ(b.bearing, 4);

    // A goal 1 to the side: the walk turns much faster, both ways round.
    Wrestler c;
    c.heading = 0;
    walkToward(c, 1, 0, 1, 0.27f);
    EXPECT_GT(c.heading, 20);
    Wrestler d;
    d.heading = 0;
    walkToward(d, -1, 0, 1, 0.27f);
    EXPECT_LT(d.heading, -20);
    // Standing still, nothing forces a faster turn.
    Wrestler e;
    walkToward(e, 1, 0, 1, 0);
    EXPECT_FLOAT_EQ(e.heading, 4);
}

} // namespace
