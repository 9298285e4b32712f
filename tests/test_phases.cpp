// The game cycle: selection input, the entrances and their skip, the match
// frame, the referee's count and the return to selection.
#include "anim/maths.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "tests/quiet_gl.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include "tests/support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class CycleTest : public testing::Test {
protected:
    float time = 0;

    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        static bool ready = false;
        if (!ready) {
            stillClips(playerOne);
            stillClips(playerTwo);
            createRopes();
            initFireworks(fireworks, 50);
            buildFont();
            ready = true;
        }
        glClearColor(0, 0, 0, 1);
        resetMatch();
        separationOn = 1;
        time = 0;
    }

    void frame(float delta = 1)
    {
        time += delta;
        gameFrame(time, glTestWidth, glTestHeight);
    }

    // Straight into the first entrance, both players having chosen.
    void enterEntrance()
    {
        playerOne.chosen = playerTwo.chosen = 1;
        frame();
        ASSERT_EQ(gamePhase, Entrance);
    }

    // Straight into a match with both wrestlers in their corners.
    void enterMatch()
    {
        enterEntrance();
        phaseStage = 4;
        playerOne.x = -8, playerOne.z = 5;
        frame();
        ASSERT_EQ(featuredWrestler, &playerTwo);
        phaseStage = 4;
        playerTwo.x = 8, playerTwo.z = -5;
        frame();
        ASSERT_EQ(gamePhase, Match);
    }
};

TEST_F(CycleTest, SelectionCyclesConsumesAndWraps)
{
    keyDown[1] = 1;
    frame();
    EXPECT_EQ(playerOne.character, 1);
    EXPECT_EQ(keyDown[1], 0) << "a press moves one place";
    frame();
    EXPECT_EQ(playerOne.character, 1);

    keyDown[15] = 1;            // player two down from 1 to 0, then wraps to 3
    frame();
    EXPECT_EQ(playerTwo.character, 0);
    keyDown[15] = 1;
    frame();
    EXPECT_EQ(playerTwo.character, 3);
    EXPECT_EQ(playerTwo.bodyTexture1, roster[3].bodyTexture1);

    keyDown[5] = 1;             // and up from 3 back to 0
    frame();
    EXPECT_EQ(playerTwo.character, 0);

    // Up and down together in one frame cancel out; both are consumed.
    keyDown[1] = keyDown[14] = 1;
    frame();
    EXPECT_EQ(playerOne.character, 1);
    EXPECT_EQ(keyDown[1] + keyDown[14], 0);
    EXPECT_EQ(gamePhase, Selection);
}

TEST_F(CycleTest, ConfirmedPlayerStopsCyclingAndBothConfirmStartEntranceNextFrame)
{
    keyDown[4] = 1;
    frame();
    EXPECT_EQ(playerOne.chosen, 1);
    EXPECT_EQ(keyDown[4], 1) << "confirming does not consume the key";
    keyDown[1] = 1;
    frame();
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(keyDown[1], 1) << "a chosen player's slot is left alone";

    resetMatch();
    time = 0;
    keyDown[4] = keyDown[8] = 1;
    frame();
    EXPECT_EQ(playerOne.chosen + playerTwo.chosen, 2);
    EXPECT_EQ(gamePhase, Selection);
    frame();
    EXPECT_EQ(gamePhase, Entrance);
}

// A match that ends with a wrestler pressing the ropes out must not leave
// them pinned in the air for the next one.
TEST_F(CycleTest, MatchResetLetsGoOfHeldRopes)
{
    for (int r : {3, 4, 5})
        ropes[static_cast<std::size_t>(r)].points[5].pinned = 1;
    playerTwo.heldRopeSide = 1;
    playerTwo.heldRopePoint = 5;
    resetMatch();
    for (int r : {3, 4, 5})
        EXPECT_EQ(ropes[static_cast<std::size_t>(r)].points[5].pinned, 0) << "rope " << r;
    EXPECT_EQ(playerTwo.heldRopeSide, -1);
}

TEST_F(CycleTest, EntranceWalksThroughItsStages)
{
    assignProfile(playerOne, 2);
    enterEntrance();
    frame();
    // Stage 0 and 1 in one frame: at the far end of the entrance way, walking.
    EXPECT_EQ(phaseStage, 1);
    EXPECT_FLOAT_EQ(playerOne.z, 100);
    EXPECT_FLOAT_EQ(playerOne.y, -5);
    EXPECT_EQ(playerOne.state, Walking);
    EXPECT_EQ(playerOne.clip, ClipWalk);
    EXPECT_FLOAT_EQ(playerOne.heading, 180);
    EXPECT_FLOAT_EQ(cameraEye[2], -15);
    EXPECT_FLOAT_EQ(cameraTarget[2], 100);
    EXPECT_NE(themeSound, 0);
    EXPECT_EQ(redLighting, 1) << "character 2 enters in red light";

    playerOne.z = 17.5f;        // reached the ring
    frame();
    EXPECT_EQ(phaseStage, 2);
    EXPECT_EQ(playerOne.clip, ClipGetInRing);
    EXPECT_EQ(playerOne.state, EnteringRing);
    EXPECT_EQ(playerOne.nextClip, ClipStand);
    EXPECT_FLOAT_EQ(cameraEye[0], 60);

    playerOne.state = Idle;     // climbed in
    playerOne.scriptStep = 7;
    playerOne.x = 5, playerOne.z = 5;
    frame();
    EXPECT_EQ(phaseStage, 3);
    EXPECT_EQ(playerOne.state, Walking) << "the celebration walks to the centre";

    phaseStage = 4;             // celebration over: off to the corner
    frame();
    EXPECT_EQ(featuredWrestler, &playerOne);
    EXPECT_EQ(playerOne.state, Walking);
    EXPECT_GT(playerOne.targetHeading, 180) << "turning toward (-8, 5) from (5, 5)";

    playerOne.x = -7.5f, playerOne.z = 5.5f;
    frame();
    EXPECT_EQ(featuredWrestler, &playerTwo);
    EXPECT_EQ(phaseStage, 0);
    EXPECT_FLOAT_EQ(playerOne.x, -8);
    EXPECT_FLOAT_EQ(playerOne.z, 5);
    EXPECT_FLOAT_EQ(playerOne.heading, 180);
    EXPECT_EQ(playerOne.state, Idle);
    EXPECT_EQ(playerOne.clip, ClipStand);

    frame();
    EXPECT_FLOAT_EQ(playerTwo.z, 100);
    phaseStage = 4;
    playerTwo.x = 8.5f, playerTwo.z = -5.5f;
    const float before = time;
    frame();
    EXPECT_EQ(gamePhase, Match);
    EXPECT_FLOAT_EQ(playerTwo.x, 8);
    EXPECT_FLOAT_EQ(playerTwo.z, -5);
    EXPECT_FLOAT_EQ(playerTwo.heading, 0);
    EXPECT_EQ(themeSound, 0);
    EXPECT_FLOAT_EQ(previousTime, before + 1);
}

TEST_F(CycleTest, ParkedWrestlersStayOnTheirSpots)
{
    // Both arrive walking, their walk clips' roots well along.
    enterEntrance();
    phaseStage = 4;
    playerOne.x = -8, playerOne.z = 5;
    playerOne.prevRootZ = 3;
    frame();
    phaseStage = 4;
    playerTwo.x = 8, playerTwo.z = -5;
    playerTwo.prevRootZ = 3;
    frame();
    ASSERT_EQ(gamePhase, Match);
    frame();
    frame();
    EXPECT_FLOAT_EQ(playerOne.x, -8);
    EXPECT_FLOAT_EQ(playerOne.z, 5);
    EXPECT_FLOAT_EQ(playerTwo.x, 8);
    EXPECT_FLOAT_EQ(playerTwo.z, -5);
}

TEST_F(CycleTest, StrikeKeySkipsAnEntranceOnlyAfterThirtyUnits)
{
    enterEntrance();
    keyDown[4] = keyDown[1] = 1;
    frame(10);
    EXPECT_EQ(featuredWrestler, &playerOne) << "too early to skip";
    frame(21);
    EXPECT_EQ(featuredWrestler, &playerTwo);
    EXPECT_EQ(keyDown[4] + keyDown[8] + keyDown[1], 0) << "the skip clears up and both strikes";
    EXPECT_FLOAT_EQ(playerOne.x, -8);
    EXPECT_FLOAT_EQ(playerOne.z, 5);
    EXPECT_EQ(playerOne.state, Idle);
    EXPECT_FLOAT_EQ(playerTwo.z, 100) << "the second entrance began in the same frame";

    // The time starts again for the second entrance.
    keyDown[8] = 1;
    frame(20);
    EXPECT_EQ(gamePhase, Entrance);
    frame(11);
    EXPECT_EQ(gamePhase, Match);
}

TEST_F(CycleTest, FrameThatStartsTheMatchShowsOnlyTheClearedScreen)
{
    enterEntrance();
    frame(40);
    keyDown[4] = 1;
    frame(1);
    ASSERT_EQ(featuredWrestler, &playerTwo);
    frame(40);
    keyDown[8] = 1;
    glClearColor(0.25f, 0.5f, 0.75f, 1);
    frame(1);
    ASSERT_EQ(gamePhase, Match);
    const std::vector<unsigned char> pixels = readPixels();
    std::size_t others = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (std::abs(pixels[i] - 64) > 1 || std::abs(pixels[i + 1] - 128) > 1 || std::abs(pixels[i + 2] - 191) > 1)
            ++others;
    EXPECT_EQ(others, 0u);
}

TEST_F(CycleTest, MatchFrameUpdatesBeforeItDraws)
{
    enterMatch();
    playerOne.holdTimer = -9.5f;
    playerTwo.holdTimer = 3;
    playerOne.health = 50;
    playerTwo.health = 99.995f;
    keyDown[11] = 1;
    keyDown[9] = 1;
    // Clip time crosses 10 in this frame's advance, which comes before the
    // count: the count's timer runs in the same frame.
    playerOne.clip = playerOne.nextClip = ClipPin;
    playerOne.state = playerOne.nextState = Pinning;
    playerOne.clipTime = playerOne.prevClipTime = 9.5f;
    pinCount = 0;
    countTimer = 0;
    frame(1);
    EXPECT_FLOAT_EQ(playerOne.holdTimer, -10);
    EXPECT_FLOAT_EQ(playerTwo.holdTimer, 2);
    EXPECT_FLOAT_EQ(playerOne.health, 50.01f);
    EXPECT_FLOAT_EQ(playerTwo.health, 100);
    EXPECT_EQ(fireworksOn, 1);
    EXPECT_EQ(keyHistory[0][9], 1) << "the key history is shifted every match frame";
    EXPECT_FLOAT_EQ(countTimer, 1);
    EXPECT_NE(crowdSound, 0);
    EXPECT_EQ(crowdSound2, 0);
    EXPECT_EQ(bellSound, 0);
    frame(10);
    EXPECT_NE(bellSound, 0) << "the bell rings once the match is 10 units old";
    EXPECT_EQ(crowdSound2, 0);
    frame(110);
    EXPECT_NE(crowdSound2, 0);
}

TEST_F(CycleTest, HudIsDrawnOverTheMatch)
{
    enterMatch();
    frame(1);
    // The health bar's frame, right of player one's portrait: (0, 0, 0.6).
    const std::vector<unsigned char> pixels = readPixels();
    const int x = 16 + 128;
    const int y = glTestHeight - 16 - 63;
    const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * glTestWidth + x) * 4];
    EXPECT_LT(p[0], 5);
    EXPECT_LT(p[1], 5);
    EXPECT_NEAR(p[2], 153, 2);
}

// Advances the count by `delta` per frame with a pin held, and returns the
// game time at which each of the first three steps happened.
std::vector<double> stepTimes(float delta)
{
    playerOne.clip = ClipPin;
    playerOne.clipTime = 20;
    playerTwo.clip = ClipGetPinned;
    pinCount = 0;
    countTimer = 0;
    std::vector<double> times;
    int last = 0;
    for (int frame = 1; times.size() < 3 && frame < 100000; ++frame) {
        updatePinCount(delta);
        if (pinCount != last) {
            times.push_back(frame * static_cast<double>(delta));
            last = pinCount;
        }
    }
    return times;
}

TEST(PinCount, StepsEvery27UnitsAtAnyFrameRate)
{
    for (float ms : {5.0f, 16.0f, 33.0f, 100.0f}) {
        const float delta = ms / 30;
        const std::vector<double> times = stepTimes(delta);
        ASSERT_EQ(times.size(), 3u) << ms << " ms frames";
        for (std::size_t k = 0; k < times.size(); ++k) {
            const double due = 27.0 * static_cast<double>(k + 1);
            EXPECT_GT(times[k], due - 0.01) << ms << " ms frames, step " << k + 1;
            EXPECT_LE(times[k], due + delta + 0.01) << ms << " ms frames, step " << k + 1;
        }
        EXPECT_EQ(pinCount, 3);
    }
}

TEST(PinCount, WaitsForTenUnitsOfThePinClip)
{
    playerOne.clip = ClipPin;
    playerOne.clipTime = 10;
    playerTwo.clip = ClipGetPinned;
    pinCount = 0;
    countTimer = 0;
    for (int i = 0; i < 40; ++i)
        updatePinCount(1);
    EXPECT_EQ(pinCount, 0);
    EXPECT_FLOAT_EQ(countTimer, 0);
}

TEST(PinCount, BrokenPinVanishesAndACountOfThreeFallsBack)
{
    playerOne.clip = ClipStand;
    playerTwo.clip = ClipLie;
    pinCount = 1;
    updatePinCount(1);
    EXPECT_EQ(pinCount, -1);

    // Still pinning but not yet past 10: only the count of 3 keeps the timer.
    playerOne.clip = ClipPin;
    playerOne.clipTime = 5;
    pinCount = 3;
    countTimer = 0;
    gamePhase = Match;
    for (int i = 0; i < 27; ++i)
        updatePinCount(1);
    EXPECT_EQ(pinCount, 3);
    updatePinCount(1);
    EXPECT_EQ(pinCount, -1);
    updatePinCount(30);
    EXPECT_EQ(pinCount, -1) << "the timer stops with the count gone";
    EXPECT_EQ(gamePhase, Match);
}

TEST(PinCount, PinfallAfterTwoWinsForTheOneHoldingIt)
{
    gamePhase = Match;
    playerOne.clip = ClipGetPinfalled;
    playerTwo.clip = ClipPinfall;
    pinCount = 1;
    countTimer = 0;
    updatePinCount(0);
    EXPECT_EQ(gamePhase, Match) << "a count of one is not enough";

    pinCount = 2;
    separationOn = 1;
    themeSound = 0;
    playerTwo.scriptStep = 4;
    playerTwo.scriptTime = 50;
    phaseTime = 700;
    updatePinCount(0);
    EXPECT_EQ(gamePhase, Victory);
    EXPECT_FLOAT_EQ(phaseTime, 0) << "counts the celebration from its start";
    EXPECT_FLOAT_EQ(playerTwo.scriptTime, 0);
    EXPECT_EQ(pinCount, 3);
    EXPECT_EQ(phaseStage, 3);
    EXPECT_EQ(featuredWrestler, &playerTwo);
    EXPECT_EQ(playerTwo.scriptStep, 0);
    EXPECT_FLOAT_EQ(victoryTime, 0);
    EXPECT_EQ(separationOn, 0);
    EXPECT_NE(themeSound, 0);
    separationOn = 1;
}

TEST_F(CycleTest, VictoryReturnsToAFreshSelection)
{
    assignProfile(playerOne, 3);
    assignProfile(playerTwo, 2);
    playerOne.chosen = playerTwo.chosen = 1;
    gamePhase = Victory;
    featuredWrestler = &playerOne;
    phaseStage = 4;
    victoryTime = 0;
    previousTime = time;
    frame(200);
    frame(200);
    EXPECT_EQ(gamePhase, Victory);
    EXPECT_FLOAT_EQ(victoryTime, 400);
    frame(101);
    EXPECT_EQ(gamePhase, Victory);
    frame(1);
    EXPECT_EQ(gamePhase, Selection);
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(playerTwo.character, 1);
    EXPECT_EQ(playerOne.chosen + playerTwo.chosen, 0);
    EXPECT_FLOAT_EQ(playerOne.x, -100);

    // A strike key ends it at once after the celebration.
    gamePhase = Victory;
    phaseStage = 4;
    victoryTime = 0;
    keyDown[8] = 1;
    frame(1);
    EXPECT_EQ(gamePhase, Selection);
    EXPECT_EQ(keyDown[8], 0);
}

TEST_F(CycleTest, AStrikeKeyCutsTheCelebrationShortAfterThirtyUnits)
{
    gamePhase = Victory;
    featuredWrestler = &playerOne;
    playerOne.character = 0;
    playerOne.x = 10, playerOne.z = 10;
    playerOne.scriptStep = 0;
    phaseStage = 3;
    phaseTime = 0;
    previousTime = time;
    keyDown[8] = 1;
    frame(10);
    frame(20);
    EXPECT_EQ(gamePhase, Victory) << "not before thirty units";
    EXPECT_EQ(phaseStage, 3);
    frame(1);
    EXPECT_EQ(gamePhase, Selection);
    EXPECT_EQ(keyDown[8], 0) << "a fresh selection with no key held";
    EXPECT_FLOAT_EQ(playerOne.x, -100);

    // Without a key the celebration goes on past thirty units.
    gamePhase = Victory;
    phaseStage = 3;
    phaseTime = 0;
    playerOne.x = 10, playerOne.z = 10;
    playerOne.scriptStep = 0;
    frame(40);
    EXPECT_EQ(gamePhase, Victory);
    EXPECT_EQ(phaseStage, 3);
}

TEST_F(CycleTest, SkippingEitherEntranceInItsCelebrationLeavesTheMatchUnlit)
{
    // The entrant's red light and fireworks are on when its strike key
    // skips the celebration; the match's first frame must light the ring
    // white, whichever entrant it was.
    for (int entrant = 0; entrant < 2; ++entrant) {
        resetMatch();
        assignProfile(entrant == 0 ? playerOne : playerTwo, 2);
        enterEntrance();
        if (entrant == 1) {
            frame(40);
            keyDown[4] = 1;
            frame(1);
            ASSERT_EQ(featuredWrestler, &playerTwo);
        }
        frame(40);
        ASSERT_EQ(redLighting, 1) << entrant;
        fireworksOn = 1;
        keyDown[4] = 1;
        frame(1);
        if (entrant == 0) {
            ASSERT_EQ(featuredWrestler, &playerTwo);
            frame(40);
            keyDown[8] = 1;
            frame(1);
        }
        ASSERT_EQ(gamePhase, Match) << entrant;
        EXPECT_EQ(redLighting, 0) << entrant;
        EXPECT_EQ(fireworksOn, 0) << entrant;
        frame(1);
        GLfloat diffuse[4];
        glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        EXPECT_FLOAT_EQ(diffuse[0], 0.7f) << entrant;
        EXPECT_FLOAT_EQ(diffuse[1], 0.7f) << entrant << ": the light is white, not red";
    }
}

TEST_F(CycleTest, TheRedEntranceLightReachesTheLight)
{
    assignProfile(playerOne, 2);
    enterEntrance();
    frame(1);
    ASSERT_EQ(redLighting, 1);
    frame(1);                   // the light is set up at the start of a frame
    GLfloat diffuse[4], ambient[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(diffuse[0], 0.5f);
    EXPECT_FLOAT_EQ(diffuse[1], 0);
    EXPECT_FLOAT_EQ(diffuse[2], 0);
    EXPECT_FLOAT_EQ(ambient[0], 0.1f);
    EXPECT_FLOAT_EQ(ambient[1], 0);
}

TEST_F(CycleTest, FrameStepsStayExactAfterHoursOfPlay)
{
    // Twenty hours of game time, then 5 ms frames: every step is a sixth of
    // a unit, not rounded to what a float near 2.4 million can hold.
    enterMatch();
    const double start = 20 * 3600 * 1000 / 30.0;
    previousTime = start;
    for (int i = 1; i <= 12; ++i) {
        gameFrame(start + i * (5 / 30.0), glTestWidth, glTestHeight);
        EXPECT_NEAR(frameDelta, 5 / 30.0, 1e-6) << i;
    }
}

TEST_F(CycleTest, VictoryCelebratesBeforeItWaits)
{
    gamePhase = Victory;
    featuredWrestler = &playerTwo;
    playerTwo.character = 3;
    playerTwo.x = 0.2f, playerTwo.z = 0.2f;
    playerTwo.scriptStep = 0;
    phaseStage = 3;
    keyDown[4] = 1;
    frame(1);
    EXPECT_EQ(gamePhase, Victory) << "keys wait until the celebration is over";
    frame(1);
    EXPECT_EQ(playerTwo.clip, ClipTeskarCeleb);
    EXPECT_EQ(playerTwo.state, Celebrating);
}

} // namespace
