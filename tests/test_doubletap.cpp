// Running starts with a double tap of a direction key. People tap with the
// key up for 60 to 150 ms; the game may run at anything from a few ms to a
// tenth of a second per frame, and the tap must work at all of them.
#include "tests/move_fixture.h"

#include "input/keys.h"
#include "wrestler/movement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr double msToUnits = 1.0 / 30.0;

// A key event at a real time in milliseconds.
struct KeyEvent {
    double ms;
    int slot;
    bool down;
};

class DoubleTap : public MoveTest {
protected:
    // Plays the events against frames of `frameMs` each, as the window
    // would: every event lands between two frames with its own time, then
    // the frame shifts the history and runs the run handler. Returns
    // whether player one started running.
    bool plays(std::vector<KeyEvent> events, double frameMs, double untilMs = 600)
    {
        std::stable_sort(events.begin(), events.end(), [](const KeyEvent& x, const KeyEvent& y) { return x.ms < y.ms; });
        std::size_t next = 0;
        for (double t = frameMs; t <= untilMs; t += frameMs) {
            for (; next < events.size() && events[next].ms <= t; ++next) {
                const KeyEvent& e = events[next];
                if (e.down)
                    pressKey(e.slot, KeyboardSource, e.ms * msToUnits);
                else
                    releaseKey(e.slot, KeyboardSource, e.ms * msToUnits);
            }
            shiftKeyHistory(t * msToUnits);
            runHandler(a, playerOneKeys.up, playerOneKeys.left, playerOneKeys.right, playerOneKeys.down, b);
            if (a.state == Running)
                return true;
        }
        return false;
    }

    // Two taps of the slot: held `holdMs` each, up for `gapMs` between,
    // starting `offsetMs` into the game.
    static std::vector<KeyEvent> tapTwice(int slot, double holdMs, double gapMs, double offsetMs = 7)
    {
        const double second = offsetMs + holdMs + gapMs;
        return {{offsetMs, slot, true}, {offsetMs + holdMs, slot, false},
                {second, slot, true}, {second + holdMs, slot, false}};
    }

    void freshStart()
    {
        clearKeys();
        playing(a, ClipStand, Idle);
        place(a, 0, 0, 90);
    }
};

constexpr double frameRates[] = {2, 5, 16, 33, 100};

TEST_F(DoubleTap, APersonsTapRunsAtEveryFrameRate)
{
    const int left = playerOneKeys.left;
    for (double frameMs : frameRates)
        for (double holdMs : {60.0, 100.0})
            for (double gapMs : {60.0, 100.0, 140.0}) {
                freshStart();
                EXPECT_TRUE(plays(tapTwice(left, holdMs, gapMs), frameMs))
                    << frameMs << " ms frames, held " << holdMs << ", up " << gapMs;
            }
}

TEST_F(DoubleTap, OneUpFrameStillCountsAtEveryFrameRate)
{
    // Pressed in one frame, up in the next, down again in the third: even
    // at frames so long that the presses lie further apart than the window.
    for (double frameMs : {2.0, 5.0, 16.0, 33.0, 100.0, 200.0}) {
        freshStart();
        const int down = playerOneKeys.down;
        const double f = frameMs;
        EXPECT_TRUE(plays({{0.5 * f, down, true}, {1.5 * f, down, false}, {2.5 * f, down, true}}, f, 10 * f))
            << frameMs;
    }
}

TEST_F(DoubleTap, PressesFurtherApartThanTheWindowAreTwoPresses)
{
    const double windowMs = doubleTapWindow * 30;
    for (double frameMs : frameRates) {
        // Up for at least two whole frames, so the one-frame rule cannot
        // apply; press to press just past the window.
        const double holdMs = std::max(60.0, 2 * frameMs);
        const double gapMs = windowMs - holdMs + 10;
        freshStart();
        EXPECT_FALSE(plays(tapTwice(playerOneKeys.left, holdMs, gapMs), frameMs, 2000)) << frameMs;
        // And at the window's edge, with the same hold, it is a tap.
        freshStart();
        EXPECT_TRUE(plays(tapTwice(playerOneKeys.left, holdMs, windowMs - holdMs - 5), frameMs, 2000)) << frameMs;
    }
}

TEST_F(DoubleTap, AHeldKeyOrKeyRepeatIsNoTap)
{
    const int right = playerOneKeys.right;
    for (double frameMs : {5.0, 16.0}) {
        // Held for a second: no run, and key repeat that lifts and presses
        // the key in the same instant every 33 ms is still no tap.
        freshStart();
        std::vector<KeyEvent> repeat{{3, right, true}};
        for (double ms = 300; ms < 1000; ms += 33) {
            repeat.push_back({ms, right, false});
            repeat.push_back({ms, right, true});
        }
        EXPECT_FALSE(plays(repeat, frameMs, 1000)) << frameMs;
        // Repeated presses with no release at all are no tap either.
        freshStart();
        EXPECT_FALSE(plays({{3, right, true}, {200, right, true}, {233, right, true}}, frameMs, 600)) << frameMs;
    }
}

TEST_F(DoubleTap, EachDirectionRunsItsOwnWay)
{
    // Left +z, Right -z, Up -x, Down +x, whatever the wrestler faced.
    const std::pair<int, float> runs[] = {{playerOneKeys.left, 0.0f}, {playerOneKeys.right, 180.0f},
                                          {playerOneKeys.up, 270.0f}, {playerOneKeys.down, 90.0f}};
    for (const auto& [slot, heading] : runs) {
        freshStart();
        ASSERT_TRUE(plays(tapTwice(slot, 80, 90), 16)) << slot;
        EXPECT_EQ(a.heading, heading) << slot;
        EXPECT_EQ(a.targetHeading, heading) << slot;
        EXPECT_EQ(a.clip, ClipRun) << slot;
    }
    // Player two's keys start player two's run, not player one's.
    freshStart();
    const int twoUp = playerTwoKeys.up;
    for (const KeyEvent& e : tapTwice(twoUp, 80, 90))
        e.down ? pressKey(e.slot, KeyboardSource, e.ms * msToUnits) : releaseKey(e.slot, KeyboardSource, e.ms * msToUnits);
    shiftKeyHistory(400 * msToUnits);
    runHandler(a, playerOneKeys.up, playerOneKeys.left, playerOneKeys.right, playerOneKeys.down, b);
    runHandler(b, playerTwoKeys.up, playerTwoKeys.left, playerTwoKeys.right, playerTwoKeys.down, a);
    EXPECT_EQ(a.state, Idle);
    EXPECT_EQ(b.state, Running);
    EXPECT_EQ(b.heading, 270);
}

TEST_F(DoubleTap, ATapIsSeenOnceAndGoesStale)
{
    const int left = playerOneKeys.left;
    for (const KeyEvent& e : tapTwice(left, 80, 90))
        e.down ? pressKey(e.slot, KeyboardSource, e.ms * msToUnits) : releaseKey(e.slot, KeyboardSource, e.ms * msToUnits);
    // Seen by the first shift after it, gone at the next.
    shiftKeyHistory(10);
    EXPECT_TRUE(doubleTapped(left));
    shiftKeyHistory(10.5);
    EXPECT_FALSE(doubleTapped(left));

    // A tap made long before the match frames began (during an entrance)
    // starts nothing when they do.
    clearKeys();
    for (const KeyEvent& e : tapTwice(left, 80, 90))
        e.down ? pressKey(e.slot, KeyboardSource, e.ms * msToUnits) : releaseKey(e.slot, KeyboardSource, e.ms * msToUnits);
    shiftKeyHistory(100);
    EXPECT_FALSE(doubleTapped(left));
}

TEST_F(DoubleTap, SourcesShareSlots)
{
    // The keyboard and another source on the same slot: down while either
    // holds it, and a press while the other holds it is not a new press.
    pressKey(2, KeyboardSource, 0);
    pressKey(2, PadSource, 1);
    releaseKey(2, KeyboardSource, 2);
    EXPECT_TRUE(keyHeld(2));
    releaseKey(2, PadSource, 3);
    EXPECT_FALSE(keyHeld(2));
    pressKey(2, PadSource, 4);
    shiftKeyHistory(4);
    EXPECT_TRUE(doubleTapped(2)) << "released at 3, pressed again at 4, 4 after the first press";

    // A source dropping out lets go of everything it held, and nothing else.
    clearKeys();
    pressKey(2, PadSource, 0);
    pressKey(3, PadSource, 0);
    pressKey(3, KeyboardSource, 0);
    releaseSource(PadSource, 1);
    EXPECT_FALSE(keyHeld(2));
    EXPECT_TRUE(keyHeld(3));

    // A consumed slot reads up until it is pressed again, by anyone.
    consumeKey(3);
    EXPECT_FALSE(keyHeld(3));
    releaseKey(3, KeyboardSource, 2);
    EXPECT_FALSE(keyHeld(3));
    setKey(3, 1);
    EXPECT_TRUE(keyHeld(3));
}

} // namespace
