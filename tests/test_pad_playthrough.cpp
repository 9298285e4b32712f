// A whole game played on two virtual pads and nothing else: characters
// chosen, entrances skipped, a fight and a pinfall, through real frames
// with the pads read before each frame as the window reads them.
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/pad_support.h"
#include "tests/quiet_gl.h"

#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "pad/pad.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class PadPlayThrough : public testing::Test {
protected:
    static bool loaded;
    VirtualPad one, two;
    float clock = 0;
    // 16 ms frames unless a stretch picks another rate.
    float pace = 16.0f / 30.0f;

    static void SetUpTestSuite() { loaded = loadWholeGame(); }

    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        ASSERT_TRUE(loaded);
        freshGame();
        padsOff = false;
        padsInit();
        ASSERT_TRUE(one.plugIn("Player one's pad"));
        ASSERT_TRUE(two.plugIn("Player two's pad"));
    }

    void TearDown() override
    {
        one.pullOut();
        two.pullOut();
        pollPads(clock);
        padsShutdown();
        clearKeys();
    }

    void frame()
    {
        clock += pace;
        pollPads(clock);
        displayFrame(clock);
    }

    void runFor(int count)
    {
        for (int i = 0; i < count; ++i)
            frame();
    }

    bool runUntil(const std::function<bool()>& done, int limit)
    {
        for (int i = 0; i < limit && !done(); ++i)
            frame();
        return done();
    }

    // A button held for a few frames, then let go for one.
    void push(VirtualPad& pad, int button, int frames = 3)
    {
        pad.button(button, true);
        runFor(frames);
        pad.button(button, false);
        frame();
    }

    // Player one walks up to player two on the stick, leaning the way that
    // plays the forward walk in its walking frame.
    bool walkUpTo(float distance)
    {
        // Right, down, left, up: the forward walk of walking frames 1 to 4.
        static const float lean[5][2] = {{0, 0}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        for (int i = 0; i < 300 && distanceTo(playerOne, playerTwo) >= distance; ++i) {
            const int quadrant = playerOne.state == Walking ? playerOne.quadrant : selectFrame(playerOne.bearing);
            one.stick(lean[quadrant][0], lean[quadrant][1]);
            frame();
        }
        one.stick(0, 0);
        frame();
        return distanceTo(playerOne, playerTwo) < distance;
    }

    static void shot(const char* name)
    {
        EXPECT_TRUE(writePng(shotDirectory() + "/" + name + ".png", readPixels(), glTestWidth, glTestHeight)) << name;
    }
};

bool PadPlayThrough::loaded = false;

TEST_F(PadPlayThrough, FromTheSelectionScreenToAPinfall)
{
    frame();
    ASSERT_TRUE(padSeats[0].occupied && padSeats[1].occupied);
    ASSERT_EQ(gamePhase, Selection);

    // Player one steps back twice on the d-pad, each push one place however
    // long it is held; player two steps on with the stick and Back.
    push(one, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 10);
    EXPECT_EQ(playerOne.character, 3);
    push(one, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(playerOne.character, 2);
    two.stick(0.1f, -1);
    runFor(6);
    two.stick(0, 0);
    frame();
    EXPECT_EQ(playerTwo.character, 2);
    push(two, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(playerTwo.character, 3);
    EXPECT_EQ(playerTwo.bodyTexture1, roster[3].bodyTexture1);

    // A confirms player one, Start player two; the entrances follow.
    push(one, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(playerOne.chosen, 1);
    EXPECT_EQ(gamePhase, Selection);
    shot("pad_selection");
    push(two, SDL_CONTROLLER_BUTTON_START, 1);
    ASSERT_EQ(gamePhase, Entrance);
    EXPECT_EQ(playerOne.character, 2);
    EXPECT_EQ(playerTwo.character, 3);

    // Start skips player one's entrance, A player two's.
    pace = 1.0f;
    ASSERT_TRUE(runUntil([] { return phaseTime > 31; }, 100));
    push(one, SDL_CONTROLLER_BUTTON_START, 1);
    ASSERT_EQ(featuredWrestler, &playerTwo);
    ASSERT_TRUE(runUntil([] { return phaseTime > 31; }, 100));
    push(two, SDL_CONTROLLER_BUTTON_A, 1);
    ASSERT_EQ(gamePhase, Match);

    // The fireworks while a shoulder is held.
    one.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    runFor(3);
    EXPECT_EQ(fireworksOn, 1);
    one.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    frame();
    EXPECT_EQ(fireworksOn, 0);

    // Player one walks up on the stick and punches with A until player two
    // is down; Start does nothing in the match.
    ASSERT_TRUE(walkUpTo(3.5f)) << distanceTo(playerOne, playerTwo);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));
    push(one, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(playerOne.state, Idle);
    for (int punch = 1; punch <= 4; ++punch) {
        ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 200)) << punch;
        one.button(SDL_CONTROLLER_BUTTON_A, true);
        const bool landed = runUntil([] { return playerTwo.state == Hurt; }, 120);
        one.button(SDL_CONTROLLER_BUTTON_A, false);
        frame();
        ASSERT_TRUE(landed) << "punch " << punch << " at " << distanceTo(playerOne, playerTwo);
        EXPECT_EQ(playerOne.clip, ClipPunch) << punch;
    }
    EXPECT_EQ(playerTwo.clip, ClipFall);
    ASSERT_TRUE(runUntil([] { return playerTwo.state == Lying; }, 300));

    // B pins the lying opponent; the count runs to the pinfall at 16 ms
    // frames.
    if (distanceTo(playerOne, playerTwo) > 5.5f) {
        ASSERT_TRUE(walkUpTo(5.5f)) << distanceTo(playerOne, playerTwo);
    }
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));
    pace = 16.0f / 30.0f;
    push(one, SDL_CONTROLLER_BUTTON_B, 1);
    ASSERT_EQ(playerOne.state, Pinning);
    EXPECT_EQ(playerTwo.state, Pinned);
    bool pinShot = false;
    ASSERT_TRUE(runUntil(
        [&] {
            if (pinCount == 1 && !pinShot) {
                shot("pad_pin");
                pinShot = true;
            }
            return gamePhase != Match;
        },
        600))
        << "count " << pinCount;
    EXPECT_EQ(gamePhase, Victory);
    EXPECT_EQ(featuredWrestler, &playerOne);
    EXPECT_EQ(playerOne.clip, ClipPinfall);
}

} // namespace
