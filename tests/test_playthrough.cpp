// Whole games played headless: the real data, real frames through gameFrame,
// and the keys pressed and released between frames as the players would.
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/quiet_gl.h"
#include "tests/support.h"

#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/config.h"
#include "anim/body.h"
#include "match/phases.h"
#include "match/view.h"
#include "match/ropes.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// A 16 ms frame in game time units (30 ms each).
constexpr float frameUnits = 16.0f / 30.0f;

class PlayThrough : public testing::Test {
protected:
    static bool loaded;
    float clock = 0;

    static void SetUpTestSuite() { loaded = loadWholeGame(); }

    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        ASSERT_TRUE(loaded);
        freshGame();
        clock = 0;
    }

    void TearDown() override { clearKeys(); }

    // Game time per frame when a call does not say: 16 ms frames unless a
    // test picks another rate.
    float pace = frameUnits;

    // One displayed frame, set up as the window's display callback does.
    void frame(float units = 0)
    {
        clock += units > 0 ? units : pace;
        displayFrame(clock);
    }

    // Runs frames until the condition holds; false if it never did.
    bool runUntil(const std::function<bool()>& done, int limit, float units = 0)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            frame(units);
        }
        return done();
    }

    void runFor(int count, float units = 0)
    {
        for (int i = 0; i < count; ++i)
            frame(units);
    }

    static void press(unsigned char key) { keyPressed(key, 0); }
    static void release(unsigned char key) { keyReleased(key); }

    static void shot(const char* name)
    {
        EXPECT_TRUE(writePng(shotDirectory() + "/" + name + ".png", readPixels(), glTestWidth, glTestHeight)) << name;
    }

    // Both players confirm on the selection screen (characters as they
    // stand) and let go of their keys.
    void confirmBoth()
    {
        press('f');
        press('h');
        frame();
        release('f');
        release('h');
        frame();
        ASSERT_EQ(gamePhase, Entrance);
    }

    // Skips both entrances with the strike keys: straight to the match.
    void skipToMatch()
    {
        confirmBoth();
        for (int entrant = 0; entrant < 2; ++entrant) {
            ASSERT_TRUE(runUntil([] { return phaseTime > 31; }, 100, 1.0f)) << entrant;
            press(entrant == 0 ? 'f' : 'h');
            frame();
            release('f');
            release('h');
        }
        ASSERT_EQ(gamePhase, Match);
    }

    // Player one walks up to player two with the keys a player would use:
    // the one that plays the forward walk in the current walking frame.
    // Returns false if it did not arrive.
    bool walkUpTo(float distance, int limit = 600, float units = 0)
    {
        // The key that plays the forward walk in each walking frame 1 to 4.
        static const unsigned char forwardKey[5] = {0, 'd', 's', 'a', 'w'};
        unsigned char held = 0;
        for (int i = 0; i < limit && distanceTo(playerOne, playerTwo) >= distance; ++i) {
            const int quadrant = playerOne.state == Walking ? playerOne.quadrant : selectFrame(playerOne.bearing);
            const unsigned char key = forwardKey[quadrant];
            if (key != held) {
                if (held)
                    release(held);
                press(key);
                held = key;
            }
            frame(units);
        }
        if (held)
            release(held);
        frame(units);
        return distanceTo(playerOne, playerTwo) < distance;
    }
};

bool PlayThrough::loaded = false;

// Choose characters, watch one entrance, skip the other, start the match.
TEST_F(PlayThrough, SelectionAndEntrances)
{
    // Selection: player one steps back round to the third character,
    // player two back to the first; the wrestlers wait out of sight.
    ASSERT_EQ(gamePhase, Selection);
    frame();
    press('s');
    frame();
    release('s');
    EXPECT_EQ(playerOne.character, 3) << "down from the first wraps round to the last";
    press('s');
    frame();
    release('s');
    press('k');
    frame();
    release('k');
    EXPECT_EQ(playerOne.character, 2);
    EXPECT_EQ(playerTwo.character, 0);
    EXPECT_EQ(playerOne.bodyTexture1, roster[2].bodyTexture1);
    EXPECT_EQ(playerOne.y, -100);
    shot("play_selection");

    press('f');
    frame();
    EXPECT_EQ(playerOne.chosen, 1);
    EXPECT_EQ(gamePhase, Selection);
    release('f');
    // A chosen player's cycling keys do nothing.
    press('w');
    frame();
    release('w');
    EXPECT_EQ(playerOne.character, 2);
    shot("play_selection_chosen");
    press('h');
    frame();
    release('h');
    EXPECT_EQ(gamePhase, Selection);
    frame();
    ASSERT_EQ(gamePhase, Entrance);

    // Player one's entrance runs in full: down the entrance way under the
    // red light of its character, into the ring, celebrate, to the corner.
    frame();
    EXPECT_EQ(featuredWrestler, &playerOne);
    EXPECT_EQ(phaseStage, 1);
    EXPECT_EQ(redLighting, 1);
    EXPECT_FLOAT_EQ(playerOne.y, -5);
    EXPECT_EQ(playerOne.state, Walking);
    const float startZ = playerOne.z;
    runFor(40);
    EXPECT_LT(playerOne.z, startZ - 2) << "the walk carries the wrestler towards the ring";
    shot("play_entrance_walk");
    // Longer frames from here on: the game must cope with a slower rate.
    ASSERT_TRUE(runUntil([] { return phaseStage >= 2; }, 1000, 2.0f)) << playerOne.z;
    EXPECT_EQ(playerOne.clip, ClipGetInRing);
    EXPECT_FLOAT_EQ(playerOne.y, -5);
    ASSERT_TRUE(runUntil([] { return phaseStage >= 3; }, 400, 1.0f));
    EXPECT_FLOAT_EQ(playerOne.y, 0) << "up on the ring floor after the climb";
    EXPECT_LT(std::fabs(playerOne.x), 18.0f);
    EXPECT_LT(std::fabs(playerOne.z), 18.0f);
    shot("play_entrance_ring");
    bool fireworksSeen = false;
    int fireworkFrames = 0;
    ASSERT_TRUE(runUntil(
        [&] {
            fireworksSeen = fireworksSeen || fireworksOn;
            if (fireworksOn && ++fireworkFrames == 40)
                shot("play_fireworks");
            return phaseStage >= 4 || featuredWrestler != &playerOne;
        },
        2000, 1.0f));
    EXPECT_TRUE(fireworksSeen) << "the third character's celebration lights the fireworks";
    ASSERT_TRUE(runUntil([] { return featuredWrestler == &playerTwo; }, 2000, 1.0f))
        << playerOne.x << ", " << playerOne.z;
    EXPECT_FLOAT_EQ(playerOne.x, -8);
    EXPECT_FLOAT_EQ(playerOne.z, 5);
    EXPECT_EQ(playerOne.state, Idle);

    // Player two's entrance is skipped with its strike key, which the skip
    // consumes together with player one's up and strike slots.
    runFor(5);
    EXPECT_EQ(gamePhase, Entrance);
    EXPECT_GT(playerTwo.z, 18) << "player two is still on the entrance way";
    shot("play_entrance_two");
    press('h');
    press('w');
    frame();
    EXPECT_EQ(gamePhase, Match);
    EXPECT_EQ(keyDown[8], 0);
    EXPECT_EQ(keyDown[1], 0);
    release('h');
    release('w');
    EXPECT_FLOAT_EQ(playerTwo.x, 8);
    EXPECT_FLOAT_EQ(playerTwo.z, -5);
    EXPECT_FLOAT_EQ(playerTwo.y, 0);
    EXPECT_EQ(playerTwo.state, Idle);
    EXPECT_EQ(playerOne.character, 2);
    EXPECT_EQ(playerTwo.character, 0);
    // The frame that starts the match draws nothing but the cleared screen.
    const std::vector<unsigned char> pixels = readPixels();
    int differing = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        differing += pixels[i] != pixels[0] || pixels[i + 1] != pixels[1] || pixels[i + 2] != pixels[2];
    EXPECT_EQ(differing, 0);
    frame();
    EXPECT_EQ(redLighting, 0);
    shot("play_match_start");
}

// Fight, pin, win, celebrate and start again.
TEST_F(PlayThrough, PunchesAPinAndTheVictory)
{
    // The first two characters, as a new game offers them.
    frame();
    skipToMatch();
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(playerTwo.character, 1);

    // The match, at 30 ms frames: player one walks up to player two.
    pace = 1.0f;
    runFor(3);
    EXPECT_FLOAT_EQ(playerOne.health, 100);
    ASSERT_TRUE(walkUpTo(3.5f, 300)) << "player one stopped at " << distanceTo(playerOne, playerTwo);
    runUntil([] { return playerOne.state == Idle; }, 60);
    EXPECT_GE(distanceTo(playerOne, playerTwo), 2.0f) << "the bodies do not pass into each other";
    shot("play_match");

    // Four punches: three make player two reel, the fourth knocks it down.
    for (int punch = 1; punch <= 4; ++punch) {
        ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 200)) << punch;
        // Health in the frame before the punch lands.
        float before = playerTwo.health;
        press('f');
        const bool landed = runUntil(
            [&] {
                if (playerTwo.state == Hurt)
                    return true;
                before = playerTwo.health;
                return false;
            },
            120);
        release('f');
        ASSERT_TRUE(landed) << "punch " << punch << " at distance " << distanceTo(playerOne, playerTwo);
        EXPECT_NEAR(playerTwo.health, before - 2, 0.02f) << punch;
        EXPECT_EQ(playerOne.state, Striking);
        EXPECT_EQ(playerOne.clip, ClipPunch);
        EXPECT_NEAR(normalizeHeading(playerTwo.heading), normalizeHeading(playerOne.heading + 180), 0.01f)
            << "the victim turns to face the attacker";
        if (punch < 4) {
            EXPECT_EQ(playerTwo.clip, ClipHit) << punch;
            EXPECT_EQ(playerTwo.punchesTaken, punch);
        } else {
            EXPECT_EQ(playerTwo.clip, ClipFall);
            EXPECT_EQ(playerTwo.nextState, Lying);
            EXPECT_EQ(playerTwo.punchesTaken, 0);
        }
        if (punch == 2)
            shot("play_punch");
    }
    const float beforeFall = playerTwo.health;
    ASSERT_TRUE(runUntil([] { return playerTwo.state == Lying; }, 300));
    EXPECT_EQ(playerTwo.clip, ClipLie);
    EXPECT_NEAR(playerTwo.health, beforeFall - 2, 0.5f) << "the fall's impact";

    // The pin: Grab on a lying opponent within reach. Player two does not
    // press Up, so there is no kick-out.
    if (distanceTo(playerOne, playerTwo) > 5.5f) {
        ASSERT_TRUE(walkUpTo(5.5f, 300)) << distanceTo(playerOne, playerTwo);
    }
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));
    EXPECT_EQ(playerTwo.state, Lying);
    // The count runs at 16 ms frames.
    pace = frameUnits;
    press('e');
    frame();
    release('e');
    EXPECT_EQ(playerOne.state, Pinning);
    EXPECT_EQ(playerOne.clip, ClipPin);
    EXPECT_EQ(playerTwo.state, Pinned);
    EXPECT_EQ(playerTwo.clip, ClipGetPinned);
    EXPECT_EQ(pinCount, 0);
    EXPECT_NEAR(distanceTo(playerOne, playerTwo), 5, 0.5f);
    std::vector<int> counts{pinCount};
    bool pinShot = false;
    ASSERT_TRUE(runUntil(
        [&] {
            if (pinCount != counts.back())
                counts.push_back(pinCount);
            if (pinCount == 1 && !pinShot) {
                shot("play_pin");
                pinShot = true;
            }
            return gamePhase != Match;
        },
        600))
        << "count reached " << pinCount << ", clips " << playerOne.clip << " " << playerTwo.clip;
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 3}));
    // The winning frame still drew the match with "THREE" on it.
    shot("play_three");
    EXPECT_EQ(gamePhase, Victory);
    EXPECT_EQ(featuredWrestler, &playerOne);
    EXPECT_EQ(phaseStage, 3);
    EXPECT_EQ(playerOne.clip, ClipPinfall);
    EXPECT_EQ(separationOn, 0);

    // The winner walks to the centre, to a corner, celebrates, crosses to
    // the far corner and celebrates again; then the game waits for a
    // strike key.
    pace = 1.0f;
    bool victoryShot = false;
    std::vector<int> steps{playerOne.scriptStep};
    std::vector<FloorPoint> celebratedAt;
    int previousClip = playerOne.clip;
    ASSERT_TRUE(runUntil(
        [&] {
            if (playerOne.scriptStep != steps.back())
                steps.push_back(playerOne.scriptStep);
            if (playerOne.clip == ClipVorlanCeleb && previousClip != ClipVorlanCeleb)
                celebratedAt.push_back({playerOne.x, playerOne.z});
            previousClip = playerOne.clip;
            if (playerOne.clip == ClipVorlanCeleb && playerOne.clipTime > 40 && !victoryShot) {
                shot("play_victory");
                victoryShot = true;
            }
            return phaseStage == 4;
        },
        1200))
        << "script step " << playerOne.scriptStep << " at " << playerOne.x << ", " << playerOne.z;
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(celebratedAt.size(), 2u);
    for (const FloorPoint& p : celebratedAt) {
        EXPECT_NEAR(std::fabs(p.x), 14, 1) << "celebrating in a corner";
        EXPECT_NEAR(std::fabs(p.z), 14, 1);
    }
    EXPECT_NEAR(celebratedAt[1].x, 14, 1) << "the far corner";
    EXPECT_NEAR(celebratedAt[1].z, 14, 1);
    EXPECT_EQ(playerTwo.state, Lying) << "the loser stays down";
    runFor(20);
    EXPECT_EQ(gamePhase, Victory) << "it waits for a key";
    EXPECT_GT(victoryTime, 0);
    press('f');
    frame();
    release('f');

    // A new game: characters 0 and 1, nobody chosen, fresh records.
    EXPECT_EQ(gamePhase, Selection);
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(playerTwo.character, 1);
    EXPECT_EQ(playerOne.chosen, 0);
    EXPECT_EQ(playerTwo.chosen, 0);
    EXPECT_FLOAT_EQ(playerOne.health, 100);
    EXPECT_FLOAT_EQ(playerTwo.health, 100);
    EXPECT_EQ(pinCount, -1);
    EXPECT_EQ(keyDown[4], 0);
    frame();
    shot("play_selection_again");
    EXPECT_EQ(gamePhase, Selection);
}

// A double tap starts a run; the ropes throw the runner back the way it
// came, and after two rebounds the opposite key stops it.
TEST_F(PlayThrough, RunIntoTheRopesAndBack)
{
    skipToMatch();
    runFor(3);
    // Left runs along +z, away from player two.
    press('a');
    frame();
    release('a');
    frame();
    press('a');
    frame();
    release('a');
    ASSERT_EQ(playerOne.state, Running);
    ASSERT_EQ(playerOne.clip, ClipRun);
    EXPECT_FLOAT_EQ(normalizeHeading(playerOne.heading), 0);
    const int reboundsBefore = playerOne.ropeRebounds;

    ASSERT_TRUE(runUntil([] { return playerOne.state == OnRopes; }, 400)) << playerOne.z;
    EXPECT_EQ(playerOne.clip, ClipRunRopes);
    EXPECT_GT(playerOne.z, 10);
    EXPECT_EQ(playerOne.ropeSide, 2);
    EXPECT_EQ(playerOne.ropeRebounds, reboundsBefore + 1);
    // Inside the hold window the +z ropes are pinned at the runner, pushed
    // out by one.
    ASSERT_TRUE(runUntil([] { return playerOne.heldRopeSide != -1; }, 100));
    EXPECT_EQ(playerOne.heldRopeSide, 2);
    for (int r = 6; r < 9; ++r) {
        const RopePoint& p = ropes[static_cast<std::size_t>(r)].points[static_cast<std::size_t>(playerOne.heldRopePoint)];
        EXPECT_EQ(p.pinned, 1) << r;
        EXPECT_NEAR(p.position[2], playerOne.z + 1, 0.6f) << r;
    }
    shot("play_ropes");
    const int heldPoint = playerOne.heldRopePoint;
    ASSERT_TRUE(runUntil([] { return playerOne.state == Running; }, 200));
    EXPECT_FLOAT_EQ(normalizeHeading(playerOne.heading), 180) << "the rebound turns the runner round";
    EXPECT_EQ(playerOne.heldRopeSide, -1);
    EXPECT_EQ(ropes[6].points[static_cast<std::size_t>(heldPoint)].pinned, 0) << "released after the window";
    const float turnZ = playerOne.z;
    runFor(20);
    EXPECT_LT(playerOne.z, turnZ - 1) << "running back along -z";

    // The -z rope sends it back along +z; now the opposite key (Right for
    // a run at heading 0) stops it at the end of a run cycle.
    ASSERT_TRUE(runUntil([] { return playerOne.state == OnRopes; }, 400)) << playerOne.z;
    EXPECT_LT(playerOne.z, -10);
    EXPECT_EQ(playerOne.ropeSide, 3);
    EXPECT_EQ(playerOne.ropeRebounds, reboundsBefore + 2);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Running; }, 200));
    EXPECT_FLOAT_EQ(normalizeHeading(playerOne.heading), 0);
    press('d');
    frame();
    release('d');
    EXPECT_EQ(playerOne.nextState, Idle);
    EXPECT_EQ(playerOne.nextClip, ClipStand);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 200));
    EXPECT_LT(std::fabs(playerOne.z), 18.0f) << "stopped inside the ring";
    EXPECT_EQ(gamePhase, Match);
}

// A grab and a throw; the runner coming back is met with a strike, kicks out
// of the pin that follows and gets up; a last hold is left to expire.
TEST_F(PlayThrough, GrabThrowAndMeetTheRunner)
{
    skipToMatch();
    runFor(3);
    ASSERT_TRUE(walkUpTo(5.5f, 300, 1.0f)) << distanceTo(playerOne, playerTwo);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));

    press('e');
    frame();
    release('e');
    ASSERT_EQ(playerOne.state, Grabbing);
    EXPECT_EQ(playerOne.clip, ClipGrab);
    EXPECT_EQ(playerTwo.state, Grabbed);
    EXPECT_EQ(playerTwo.clip, ClipGetGrabbed);
    EXPECT_NEAR(distanceTo(playerOne, playerTwo), 5, 0.3f) << "the victim is placed 5 ahead";
    EXPECT_EQ(separationOn, 0);
    ASSERT_TRUE(runUntil([] { return playerOne.clip == ClipGrapple; }, 200)) << "the lock-up runs into the hold";
    EXPECT_EQ(playerTwo.clip, ClipGetGrappled);
    EXPECT_GT(playerOne.holdTimer, 0);
    shot("play_grab");

    // Down throws the held opponent away; it runs when its clip ends.
    press('s');
    frame();
    release('s');
    ASSERT_EQ(playerOne.state, Throwing);
    EXPECT_EQ(playerTwo.state, Thrown);
    EXPECT_EQ(playerTwo.ropeRebounds, 0);
    EXPECT_FLOAT_EQ(std::fmod(playerOne.heading, 90.0f), 0) << "the thrower's heading is snapped";
    // The victim is whipped away from the thrower and comes back running
    // straight at it.
    const float thrower[2] = {playerOne.x, playerOne.z};
    float farthest = 0;
    ASSERT_TRUE(runUntil(
        [&] {
            farthest = std::max(farthest, distanceTo(playerOne, playerTwo));
            return playerTwo.state == Running;
        },
        300));
    EXPECT_EQ(playerTwo.clip, ClipRun);
    EXPECT_GT(farthest, 9) << "thrown well away";
    EXPECT_FLOAT_EQ(playerOne.x, thrower[0]);
    EXPECT_FLOAT_EQ(playerOne.z, thrower[1]);
    const FloorPoint ahead = pointAhead(playerTwo, 1);
    EXPECT_LT(std::hypot(ahead.x - playerOne.x, ahead.z - playerOne.z), distanceTo(playerOne, playerTwo))
        << "the runner heads for the thrower";
    EXPECT_EQ(playerOne.state, Idle) << "the thrower has recovered before the runner is back";

    // The thrower meets the runner with a strike when it is 5 ahead.
    ASSERT_TRUE(runUntil(
        [] {
            const FloorPoint p = pointAhead(playerOne, 5);
            return std::hypot(p.x - playerTwo.x, p.z - playerTwo.z) <= 1.2f;
        },
        100))
        << distanceTo(playerOne, playerTwo);
    const float before = playerTwo.health;
    press('f');
    frame();
    release('f');
    EXPECT_EQ(playerOne.clip, ClipHitRun);
    EXPECT_EQ(playerOne.state, Striking);
    EXPECT_EQ(playerTwo.clip, ClipGetHitRun);
    EXPECT_EQ(playerTwo.nextState, Lying);
    runFor(20);
    shot("play_hitrun");
    ASSERT_TRUE(runUntil([] { return playerTwo.state == Lying; }, 300));
    EXPECT_NEAR(playerTwo.health, before - 16, 0.5f) << "the runner's fall";
    EXPECT_EQ(playerOne.state, Idle);

    // A pin, and this time the victim has the health to kick out.
    if (distanceTo(playerOne, playerTwo) > 5.5f) {
        ASSERT_TRUE(walkUpTo(5.5f, 300, 1.0f)) << distanceTo(playerOne, playerTwo);
    }
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));
    press('e');
    frame();
    release('e');
    ASSERT_EQ(playerOne.state, Pinning);
    ASSERT_EQ(playerTwo.state, Pinned);
    const float pinner[2] = {playerOne.anchorX, playerOne.anchorZ};
    runFor(10);
    EXPECT_EQ(pinCount, 0);
    press('i');
    frame();
    release('i');
    EXPECT_EQ(playerTwo.state, KickingOut);
    EXPECT_EQ(playerTwo.clip, ClipKickout);
    EXPECT_EQ(playerOne.state, KickedOff);
    EXPECT_EQ(playerOne.clip, ClipGetKickout);
    EXPECT_FLOAT_EQ(playerOne.x, pinner[0]) << "the pinner is thrown off from where it pinned";
    EXPECT_FLOAT_EQ(playerOne.z, pinner[1]);
    frame();
    EXPECT_EQ(pinCount, -1) << "the count goes once the pin is broken";
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Lying; }, 300));
    EXPECT_EQ(gamePhase, Match);

    // Up gets the kicker back on its feet.
    press('i');
    frame();
    release('i');
    EXPECT_EQ(playerTwo.state, GettingUp);
    ASSERT_TRUE(runUntil([] { return playerTwo.state == Idle; }, 300));
    EXPECT_EQ(playerTwo.clip, ClipStand);
    EXPECT_EQ(separationOn, 1);
    EXPECT_GE(distanceTo(playerOne, playerTwo), 2.0f);

    // A hold that nobody follows up breaks after 100 units of game time.
    if (distanceTo(playerOne, playerTwo) > 5.5f) {
        ASSERT_TRUE(walkUpTo(5.5f, 300, 1.0f)) << distanceTo(playerOne, playerTwo);
    }
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 100));
    press('e');
    frame();
    release('e');
    ASSERT_EQ(playerOne.state, Grabbing);
    ASSERT_EQ(playerTwo.state, Grabbed);
    const float grabbedAt = clock;
    ASSERT_TRUE(runUntil([] { return playerOne.state != Grabbing; }, 150, 1.0f));
    EXPECT_NEAR(clock - grabbedAt, 100, 1.5f);
    EXPECT_EQ(playerOne.state, Idle);
    EXPECT_EQ(playerTwo.state, Idle);
    EXPECT_EQ(playerTwo.clip, ClipStand);
}

// The first character's signature move on a worn-down opponent, and the
// running elbow drop it chains into.
TEST_F(PlayThrough, BottomSlamAndTheElbowDrop)
{
    skipToMatch();
    ASSERT_EQ(playerOne.character, 0);
    pace = 1.0f;
    runFor(3);
    ASSERT_TRUE(walkUpTo(5.5f, 300)) << distanceTo(playerOne, playerTwo);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));

    // Too fresh for a signature move: the Special key does nothing.
    press('q');
    frame();
    release('q');
    EXPECT_EQ(playerOne.state, Idle);
    EXPECT_EQ(playerTwo.state, Idle);

    // Worn down, as a long fight would leave it.
    playerTwo.health = 15;
    press('q');
    frame();
    release('q');
    ASSERT_EQ(playerOne.state, BottomSlamming);
    EXPECT_EQ(playerOne.clip, ClipVorlanBottom);
    EXPECT_EQ(playerTwo.state, BottomSlammed);
    EXPECT_EQ(playerTwo.clip, ClipGetVorlanBottom);
    ASSERT_TRUE(runUntil([] { return playerTwo.state == Lying; }, 300));
    EXPECT_LT(playerTwo.health, -40) << "the slam's impact";
    shot("play_bottomslam");

    // The taunt, then a run that is armed for the elbow.
    ASSERT_TRUE(runUntil([] { return playerOne.state == Running; }, 300)) << playerOne.clip;
    EXPECT_EQ(playerOne.elbowArmed, 1);
    EXPECT_EQ(playerOne.ropeRebounds, 0);
    EXPECT_FLOAT_EQ(std::fmod(normalizeHeading(playerOne.heading), 90.0f), 0) << "runs along an axis";

    // Two rebounds, then the drop on the lying opponent.
    ASSERT_TRUE(runUntil([] { return playerOne.clip == ClipPeopleElbow2; }, 600))
        << "rebounds " << playerOne.ropeRebounds << " at " << playerOne.x << ", " << playerOne.z << " state "
        << playerOne.state;
    EXPECT_EQ(playerOne.ropeRebounds, 2);
    EXPECT_LT(distanceTo(playerOne, playerTwo), 6);
    ASSERT_TRUE(runUntil([] { return playerTwo.clip == ClipLieHit; }, 200));
    EXPECT_EQ(playerOne.elbowArmed, 0);
    shot("play_elbow");
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Lying; }, 300));
    EXPECT_EQ(gamePhase, Match);
}

// Each direction key walks along its own floor direction, whichever walking
// clip it plays; backing into the ropes throws the walker into a run.
TEST_F(PlayThrough, WalkingKeysAndBackingIntoTheRopes)
{
    skipToMatch();
    pace = 1.0f;
    runFor(3);
    // Up walks along -x, Down along +x, Left along +z, Right along -z.
    struct Direction {
        unsigned char key;
        float dx, dz;
    };
    for (const Direction& d : {Direction{'s', 1, 0}, Direction{'w', -1, 0}, Direction{'a', 0, 1}, Direction{'d', 0, -1}}) {
        ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60)) << d.key;
        const float x = playerOne.x, z = playerOne.z;
        press(d.key);
        runFor(15);
        EXPECT_EQ(playerOne.state, Walking) << d.key;
        release(d.key);
        runFor(3);
        const float mx = playerOne.x - x, mz = playerOne.z - z;
        const float moved = std::hypot(mx, mz);
        EXPECT_GT(moved, 2) << d.key;
        EXPECT_GT(mx * d.dx + mz * d.dz, 0.9f * moved) << d.key << " moved " << mx << ", " << mz;
    }

    // Backing into the -x ropes (Up plays the backward walk while the
    // opponent lies towards +x).
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 60));
    ASSERT_EQ(playerOne.quadrant, 2);
    press('w');
    ASSERT_TRUE(runUntil([] { return playerOne.state == OnRopes; }, 200)) << playerOne.x << ", " << playerOne.z;
    release('w');
    EXPECT_EQ(playerOne.clip, ClipRopesBack);
    EXPECT_EQ(playerOne.ropeSide, 0);
    EXPECT_LT(playerOne.x, -12);
    ASSERT_TRUE(runUntil([] { return playerOne.heldRopeSide == 0; }, 100));
    for (int r = 0; r < 3; ++r) {
        const RopePoint& p = ropes[static_cast<std::size_t>(r)].points[static_cast<std::size_t>(playerOne.heldRopePoint)];
        EXPECT_EQ(p.pinned, 1) << r;
        EXPECT_NEAR(p.position[0], playerOne.x, 0.5f) << "held under the wrestler, as it was before this frame's step";
    }
    ASSERT_TRUE(runUntil([] { return playerOne.state == Running; }, 200));
    EXPECT_EQ(playerOne.clip, ClipRun);
    EXPECT_FLOAT_EQ(normalizeHeading(playerOne.heading), 90) << "thrown forward, away from the ropes";
    const float fromX = playerOne.x;
    runFor(10);
    EXPECT_GT(playerOne.x, fromX + 2);

    // Across the ring, off the +x ropes, and the key opposite the run stops
    // it once the ropes have been met twice.
    ASSERT_TRUE(runUntil([] { return playerOne.clip == ClipRunRopes; }, 300)) << playerOne.x;
    EXPECT_EQ(playerOne.ropeSide, 1);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Running; }, 200));
    EXPECT_FLOAT_EQ(normalizeHeading(playerOne.heading), 270);
    EXPECT_GE(playerOne.ropeRebounds, 2);
    press('s');
    frame();
    release('s');
    EXPECT_EQ(playerOne.nextState, Idle);
    ASSERT_TRUE(runUntil([] { return playerOne.state == Idle; }, 200));
    EXPECT_GT(playerOne.x, -18);
    EXPECT_LT(playerOne.x, 18);
}

// Player one changes character during the match with 'z' and tries each
// remaining signature move on a worn-down opponent.
TEST_F(PlayThrough, SignatureMovesOfTheOtherCharacters)
{
    skipToMatch();
    pace = 1.0f;
    runFor(3);
    struct Signature {
        int character, state, clip, victimState, victimClip;
    };
    const Signature moves[] = {
        {1, Stunning, ClipStunner, Stunned, ClipGetStunner},
        {2, Chokeslamming, ClipChokeslam, Chokeslammed, ClipGetChokeslammed},
        {3, OlympicSlamming, ClipOlympicSlam, OlympicSlammed, ClipGetOlympicSlam},
    };
    for (const Signature& m : moves) {
        press('z');
        frame();
        release('z');
        ASSERT_EQ(playerOne.character, m.character);
        EXPECT_EQ(playerOne.bodyTexture1, roster[m.character].bodyTexture1) << "the new look shows at once";
        ASSERT_TRUE(walkUpTo(5.5f, 300)) << m.character << " at " << distanceTo(playerOne, playerTwo);
        ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 100));

        // Worn down, as a long fight would leave it.
        playerTwo.health = 15;
        press('q');
        frame();
        release('q');
        ASSERT_EQ(playerOne.state, m.state) << m.character;
        EXPECT_EQ(playerOne.clip, m.clip);
        EXPECT_EQ(playerTwo.state, m.victimState);
        EXPECT_EQ(playerTwo.clip, m.victimClip);
        ASSERT_TRUE(runUntil([] { return playerTwo.state == Lying && playerOne.state == Idle; }, 400))
            << m.character << ": states " << playerOne.state << ", " << playerTwo.state;
        EXPECT_NEAR(playerTwo.health, 15 - 60, 2) << m.character;
        for (const Wrestler* w : {&playerOne, &playerTwo}) {
            EXPECT_LT(std::fabs(w->x), 18.0f) << m.character << " stays in the ring";
            EXPECT_LT(std::fabs(w->z), 18.0f) << m.character;
        }
        if (m.character == 1)
            shot("play_stunner");

        // Recovered after a long wait, the victim gets up for the next one.
        playerTwo.health = 50;
        press('i');
        frame();
        release('i');
        EXPECT_EQ(playerTwo.state, GettingUp);
        ASSERT_TRUE(runUntil([] { return playerTwo.state == Idle; }, 300));
    }
}

// The lights and fireworks of one wrestler's entrance are its own: skipping
// it in the middle of its celebration must not leave them on for the next
// wrestler's entrance.
TEST_F(PlayThrough, SkippedCelebrationLeavesNoLightsOn)
{
    frame();
    press('s');
    frame();
    release('s');
    press('s');
    frame();
    release('s');
    ASSERT_EQ(playerOne.character, 2);
    confirmBoth();
    ASSERT_TRUE(runUntil([] { return fireworksOn == 1; }, 1000, 1.0f)) << "stage " << phaseStage;
    ASSERT_EQ(redLighting, 1);
    press('f');
    frame();
    release('f');
    ASSERT_EQ(featuredWrestler, &playerTwo);
    ASSERT_EQ(playerTwo.character, 1);
    runFor(10);
    EXPECT_EQ(redLighting, 0);
    EXPECT_EQ(fireworksOn, 0);
}


// A wrestler down on the hall floor (walking in along the entrance way)
// casts its shadow on that floor, not on the mat. The light hangs over the
// line z = 0, so out here the shadow is thrown far along the entrance way:
// seen from the side it is a band at floor height, and nothing at the
// height of the mat.
TEST_F(PlayThrough, AShadowBesideTheRingFallsOnTheHallFloor)
{
    frame();
    confirmBoth();
    runFor(20);
    ASSERT_EQ(gamePhase, Entrance);
    ASSERT_FLOAT_EQ(playerOne.y, -5);
    Wrestler& w = playerOne;
    // Where the body's middle (about 5 above the floor) throws its shadow.
    const float shadowZ = w.z + w.z * (5 + 4.9f) / 10;

    auto render = [&](int shadows) {
        cameraEye[0] = w.x + 60, cameraEye[1] = 5, cameraEye[2] = shadowZ;
        cameraTarget[0] = w.x, cameraTarget[1] = -3, cameraTarget[2] = shadowZ;
        glClearColor(1, 1, 1, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(40, static_cast<double>(glTestWidth) / glTestHeight, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        setupView();
        glDisable(GL_LIGHTING);
        drawWrestler(w, 0, 0, shadows);
        return readPixels();
    };
    auto darkNear = [&](const std::vector<unsigned char>& shot, float y) {
        GLdouble model[16], proj[16], px, py, pz;
        GLint view[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, view);
        gluProject(w.x, y, shadowZ, model, proj, view, &px, &py, &pz);
        int dark = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -30; dx <= 30; ++dx) {
                const int x = static_cast<int>(px) + dx, row = static_cast<int>(py) + dy;
                if (x >= 0 && x < glTestWidth && row >= 0 && row < glTestHeight)
                    dark += shot[(static_cast<std::size_t>(row) * glTestWidth + x) * 4] < 240;
            }
        return dark;
    };
    const std::vector<unsigned char> without = render(0);
    EXPECT_EQ(darkNear(without, -4.9f), 0);
    const std::vector<unsigned char> with = render(1);
    writePng(shotDirectory() + "/play_floor_shadow.png", with, glTestWidth, glTestHeight);
    EXPECT_GT(darkNear(with, -4.9f), 20) << "the shadow lies on the floor under the feet";
    EXPECT_EQ(darkNear(with, 0.1f), 0) << "and not at the height of the mat";
    glClearColor(0, 0, 0, 1);
}

} // namespace
