// The pads, played with SDL's virtual joysticks: which slots each control
// presses for which player, the stick's dead zone and diagonals, runs
// tapped out on a pad, pads plugged in and pulled out mid-game, and the
// keyboard beside them.
#include "tests/move_fixture.h"
#include "tests/pad_support.h"
#include "tests/sound_support.h"

#include "app/controls.h"
#include "input/keys.h"
#include "match/phases.h"
#include "pad/pad.h"
#include "sound/sound.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Slots = std::vector<int>;

class Pads : public testing::Test {
protected:
    VirtualPad pads[4];
    double clock = 0;
    int savedPhase = 0;

    void SetUp() override
    {
        savedPhase = gamePhase;
        gamePhase = Match;
        clearKeys();
        padsOff = false;
        padsInit();
        poll();
    }

    void TearDown() override
    {
        for (VirtualPad& p : pads)
            p.pullOut();
        poll();
        padsShutdown();
        clearKeys();
        gamePhase = savedPhase;
    }

    // One frame's poll, a game time unit after the last.
    void poll()
    {
        clock += 1;
        pollPads(clock);
    }

    // The slots down after the control is pushed, then none after it is let
    // go.
    Slots pressing(VirtualPad& pad, int button)
    {
        pad.button(button, true);
        poll();
        const Slots down = slotsDown();
        pad.button(button, false);
        poll();
        EXPECT_EQ(slotsDown(), Slots{}) << "button " << button << " left something down";
        return down;
    }

    Slots leaning(VirtualPad& pad, float x, float y)
    {
        pad.stick(x, y);
        poll();
        const Slots down = slotsDown();
        pad.stick(0, 0);
        poll();
        EXPECT_EQ(slotsDown(), Slots{}) << "the stick at " << x << ", " << y << " left something down";
        return down;
    }
};

TEST_F(Pads, TheFirstPadsButtonsDpadAndStickPressPlayerOnesSlots)
{
    ASSERT_TRUE(pads[0].plugIn());
    poll();
    ASSERT_TRUE(padSeats[0].occupied);
    EXPECT_FALSE(padSeats[1].occupied);
    EXPECT_EQ(slotsDown(), Slots{}) << "a pad at rest presses nothing";

    struct Case {
        int button;
        Slots slots;
    };
    const Case cases[] = {
        {SDL_CONTROLLER_BUTTON_A, {4}},           {SDL_CONTROLLER_BUTTON_B, {9}},
        {SDL_CONTROLLER_BUTTON_X, {12}},          {SDL_CONTROLLER_BUTTON_Y, {12}},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {11}}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {11}},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {1}},     {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {2}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {3}},  {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {14}},
        // Start only outside the match; the rest mean nothing.
        {SDL_CONTROLLER_BUTTON_START, {}},        {SDL_CONTROLLER_BUTTON_GUIDE, {}},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, {}},    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pressing(pads[0], c.button), c.slots) << "button " << c.button;
    EXPECT_EQ(leaning(pads[0], 0, -1), Slots{1});
    EXPECT_EQ(leaning(pads[0], -1, 0), Slots{2});
    EXPECT_EQ(leaning(pads[0], 1, 0), Slots{3});
    EXPECT_EQ(leaning(pads[0], 0, 1), Slots{14});
    // The right stick and the triggers are not read.
    for (int axis : {SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT,
                     SDL_CONTROLLER_AXIS_TRIGGERRIGHT}) {
        pads[0].axis(axis, 32767);
        poll();
        EXPECT_EQ(slotsDown(), Slots{}) << "axis " << axis;
        pads[0].axis(axis, 0);
    }

    // Start confirms on the selection screen and skips the entrances and the
    // victory, as the strike key does.
    for (int phase : {Selection, Entrance, Victory}) {
        gamePhase = phase;
        EXPECT_EQ(pressing(pads[0], SDL_CONTROLLER_BUTTON_START), Slots{4}) << "phase " << phase;
    }
    gamePhase = Match;

    // Back changes the character once a press, however long it is held.
    playerOne.character = 3;
    pads[0].button(SDL_CONTROLLER_BUTTON_BACK, true);
    poll();
    poll();
    EXPECT_EQ(playerOne.character, 0);
    pads[0].button(SDL_CONTROLLER_BUTTON_BACK, false);
    poll();
    pads[0].button(SDL_CONTROLLER_BUTTON_BACK, true);
    poll();
    EXPECT_EQ(playerOne.character, 1);
    EXPECT_EQ(playerOne.bodyTexture1, roster[1].bodyTexture1);
    pads[0].button(SDL_CONTROLLER_BUTTON_BACK, false);
    poll();
    EXPECT_EQ(slotsDown(), Slots{});

    // Several controls at once hold their slots together; the d-pad and the
    // stick hold one direction between them until both let go.
    pads[0].button(SDL_CONTROLLER_BUTTON_A, true);
    pads[0].button(SDL_CONTROLLER_BUTTON_B, true);
    pads[0].button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pads[0].stick(0, -1);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{1, 4, 9}));
    pads[0].button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{1, 4, 9}));
    pads[0].stick(0, 0);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{4, 9}));
}

TEST_F(Pads, TheStickHasADeadZoneHoldsItsEdgeAndGivesTwoDirectionsOnADiagonal)
{
    ASSERT_TRUE(pads[0].plugIn());
    poll();
    // Inside the dead zone nothing is pressed.
    for (float at : {0.1f, 0.3f, 0.45f}) {
        EXPECT_EQ(leaning(pads[0], at, 0), Slots{}) << at;
        EXPECT_EQ(leaning(pads[0], 0, -at), Slots{}) << at;
    }
    // Taken past half way; once taken, held until well back inside.
    pads[0].stick(0.55f, 0);
    poll();
    EXPECT_EQ(slotsDown(), Slots{3});
    pads[0].stick(0.4f, 0);
    poll();
    EXPECT_EQ(slotsDown(), Slots{3}) << "still held just inside the edge";
    pads[0].stick(0.3f, 0);
    poll();
    EXPECT_EQ(slotsDown(), Slots{});

    // Diagonals hold both directions, as two keys would; a lean mostly one
    // way holds only that one.
    EXPECT_EQ(leaning(pads[0], 0.7f, -0.7f), (Slots{1, 3}));
    EXPECT_EQ(leaning(pads[0], -0.7f, 0.7f), (Slots{2, 14}));
    EXPECT_EQ(leaning(pads[0], -1, -1), (Slots{1, 2}));
    EXPECT_EQ(leaning(pads[0], 0.95f, 0.3f), Slots{3});
    EXPECT_EQ(leaning(pads[0], -0.2f, 0.98f), Slots{14});

    // Swept round from right to up: right is let go only once the stick has
    // come back inside the edge on its axis.
    pads[0].stick(1, 0);
    poll();
    pads[0].stick(0.7f, -0.7f);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{1, 3}));
    pads[0].stick(0.38f, -0.92f);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{1, 3}));
    pads[0].stick(0.2f, -0.98f);
    poll();
    EXPECT_EQ(slotsDown(), Slots{1});
}

TEST_F(Pads, PadsPluggedInAndPulledOutTakeAndFreeTheirSeats)
{
    // The game plays on without pads, then a pad arrives mid-game.
    poll();
    EXPECT_FALSE(padSeats[0].occupied || padSeats[1].occupied);
    ASSERT_TRUE(pads[0].plugIn("First"));
    poll();
    ASSERT_TRUE(padSeats[0].occupied);

    // Pulled out with controls held, beside a key held on the keyboard:
    // the pad's slots come up at once, the key's stays down.
    keyPressed('w', 0, clock);
    pads[0].button(SDL_CONTROLLER_BUTTON_A, true);
    pads[0].button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    pads[0].button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pads[0].stick(1, 0.8f);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{1, 3, 4, 11, 14}));
    pads[0].pullOut();
    poll();
    EXPECT_EQ(slotsDown(), Slots{1}) << "only the keyboard's key is left";
    EXPECT_FALSE(padSeats[0].occupied);
    keyReleased('w', clock);
    poll();
    EXPECT_EQ(slotsDown(), Slots{});

    // Plugged in again it plays player one again, from rest.
    ASSERT_TRUE(pads[0].plugIn("First again"));
    poll();
    ASSERT_TRUE(padSeats[0].occupied);
    EXPECT_EQ(slotsDown(), Slots{});
    EXPECT_EQ(pressing(pads[0], SDL_CONTROLLER_BUTTON_B), Slots{9});

    // Two pads; the first goes and the second stays player two. A third
    // takes the free seat, a fourth waits for one.
    ASSERT_TRUE(pads[1].plugIn("Second"));
    poll();
    ASSERT_TRUE(padSeats[1].occupied);
    pads[1].button(SDL_CONTROLLER_BUTTON_A, true);
    poll();
    EXPECT_EQ(slotsDown(), Slots{8});
    pads[0].pullOut();
    poll();
    EXPECT_FALSE(padSeats[0].occupied);
    EXPECT_EQ(slotsDown(), Slots{8}) << "the second pad's slot is its own";
    pads[1].button(SDL_CONTROLLER_BUTTON_A, false);
    poll();
    EXPECT_EQ(pressing(pads[1], SDL_CONTROLLER_BUTTON_A), Slots{8}) << "still player two";

    ASSERT_TRUE(pads[2].plugIn("Third"));
    ASSERT_TRUE(pads[3].plugIn("Fourth"));
    poll();
    ASSERT_TRUE(padSeats[0].occupied);
    EXPECT_EQ(pressing(pads[2], SDL_CONTROLLER_BUTTON_A), Slots{4}) << "the third pad plays player one";
    EXPECT_EQ(pressing(pads[3], SDL_CONTROLLER_BUTTON_A), Slots{}) << "the fourth has no seat";
    pads[1].button(SDL_CONTROLLER_BUTTON_B, true);
    poll();
    pads[1].pullOut();
    poll();
    EXPECT_EQ(slotsDown(), Slots{}) << "the second pad's grab came up with it";
    EXPECT_EQ(pressing(pads[3], SDL_CONTROLLER_BUTTON_A), Slots{8}) << "the waiting pad takes the free seat";
    EXPECT_EQ(SDL_JoystickGetPlayerIndex(pads[3].joystick), 1) << "its player light shows player two";
}

TEST_F(Pads, TheKeyboardAndAPadHoldTheSameSlotTogether)
{
    ASSERT_TRUE(pads[0].plugIn());
    poll();
    // Key first, then the pad: down until both have let go.
    keyPressed('f', 0, clock);
    pads[0].button(SDL_CONTROLLER_BUTTON_A, true);
    poll();
    keyReleased('f', clock);
    poll();
    EXPECT_EQ(slotsDown(), Slots{4}) << "the pad still holds it";
    pads[0].button(SDL_CONTROLLER_BUTTON_A, false);
    poll();
    EXPECT_EQ(slotsDown(), Slots{});

    // Pad first; a key pressed and let go meanwhile does not lift it, and
    // the other player's keys go on beside it.
    pads[0].stick(-1, 0);
    poll();
    keyPressed('a', 0, clock);
    keyPressed('j', 0, clock);
    keyReleased('a', clock);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{2, 6}));
    pads[0].stick(0, 0);
    poll();
    EXPECT_EQ(slotsDown(), Slots{6});
    keyReleased('j', clock);
}

TEST_F(Pads, TheSecondPadDrivesPlayerTwo)
{
    ASSERT_TRUE(pads[0].plugIn("One"));
    ASSERT_TRUE(pads[1].plugIn("Two"));
    poll();
    ASSERT_TRUE(padSeats[0].occupied && padSeats[1].occupied);
    struct Case {
        int button;
        Slots slots;
    };
    const Case cases[] = {
        {SDL_CONTROLLER_BUTTON_A, {8}},          {SDL_CONTROLLER_BUTTON_B, {10}},
        {SDL_CONTROLLER_BUTTON_X, {13}},         {SDL_CONTROLLER_BUTTON_Y, {13}},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {5}},    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {6}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {7}}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {15}},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {11}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pressing(pads[1], c.button), c.slots) << "button " << c.button;
    EXPECT_EQ(leaning(pads[1], 0.7f, -0.7f), (Slots{5, 7}));
    EXPECT_EQ(leaning(pads[1], -0.7f, 0.7f), (Slots{6, 15}));
    gamePhase = Selection;
    EXPECT_EQ(pressing(pads[1], SDL_CONTROLLER_BUTTON_START), Slots{8});
    gamePhase = Match;

    playerOne.character = 0;
    playerTwo.character = 1;
    EXPECT_EQ(pressing(pads[1], SDL_CONTROLLER_BUTTON_BACK), Slots{});
    EXPECT_EQ(playerTwo.character, 2);
    EXPECT_EQ(playerOne.character, 0);

    // Both players' controls at once stay apart.
    pads[0].button(SDL_CONTROLLER_BUTTON_A, true);
    pads[1].button(SDL_CONTROLLER_BUTTON_B, true);
    pads[0].stick(0, 1);
    pads[1].stick(0, -1);
    poll();
    EXPECT_EQ(slotsDown(), (Slots{4, 5, 10, 14}));
    pads[0].button(SDL_CONTROLLER_BUTTON_A, false);
    pads[1].button(SDL_CONTROLLER_BUTTON_B, false);
    pads[0].stick(0, 0);
    pads[1].stick(0, 0);

    // The fireworks are both players': lit while either pad holds them.
    pads[0].button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    pads[1].button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    poll();
    EXPECT_EQ(slotsDown(), Slots{11});
    pads[0].button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    poll();
    EXPECT_EQ(slotsDown(), Slots{11}) << "player two still holds them";
    pads[1].button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    poll();
    EXPECT_EQ(slotsDown(), Slots{});
}

// Restores an environment variable when it goes.
struct SavedEnvironment {
    std::string name, value;
    bool had;
    explicit SavedEnvironment(const char* n) : name(n)
    {
        const char* v = std::getenv(n);
        had = v != nullptr;
        value = v ? v : "";
    }
    ~SavedEnvironment() { had ? setenv(name.c_str(), value.c_str(), 1) : unsetenv(name.c_str()); }
};

TEST_F(Pads, AJoystickSDLDoesNotKnowIsNamedOnceAndItsMappingMakesItPlay)
{
    testing::internal::CaptureStderr();
    ASSERT_TRUE(pads[0].plugIn("Odd stick", false));
    poll();
    ASSERT_TRUE(pads[1].plugIn("Odd stick", false));
    poll();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "tarvok: pad 'Odd stick' is not known to SDL; describe it in SDL_GAMECONTROLLERCONFIG to play "
                    "with it\n");
    EXPECT_FALSE(padSeats[0].occupied);
    EXPECT_EQ(pressing(pads[0], 0), Slots{});

    // Described in SDL's mapping variable, the same joystick plays, with
    // its buttons where the description puts them.
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(pads[0].joystick), guid, sizeof guid);
    pads[0].pullOut();
    pads[1].pullOut();
    poll();
    padsShutdown();
    SavedEnvironment saved("SDL_GAMECONTROLLERCONFIG");
    setenv("SDL_GAMECONTROLLERCONFIG",
           (std::string(guid) + ",Odd stick,a:b5,b:b4,x:b3,y:b2,back:b1,start:b0,leftx:a0,lefty:a1,").c_str(), 1);
    padsInit();
    ASSERT_TRUE(pads[0].plugIn("Odd stick", false));
    testing::internal::CaptureStderr();
    poll();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_TRUE(padSeats[0].occupied);
    EXPECT_EQ(pressing(pads[0], 5), Slots{4}) << "its button 5 is A";
    EXPECT_EQ(pressing(pads[0], 4), Slots{9}) << "its button 4 is B";
    pads[0].axis(1, -32767);
    poll();
    EXPECT_EQ(slotsDown(), Slots{1});
    pads[0].pullOut();
    poll();
    padsShutdown();
}

TEST(PadsOff, NoPadsLeavesTheControllersAlone)
{
    padsOff = true;
    padsInit();
    padsOff = false;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    clearKeys();
    pollPads(1);
    EXPECT_EQ(slotsDown(), Slots{});
}

// The sound and the pads share SDL: each starts and stops only its own part.
TEST(PadsAndSound, EachStopsOnlyItsOwnPartOfSDL)
{
    const std::string bell = TARVOK_RUN_DIR "/data/bell.aiff";
    DiskRecording recording;
    soundInit();
    padsOff = false;
    padsInit();
    clearKeys();
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn());
    pollPads(1);
    soundShutdown();
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pollPads(2);
    EXPECT_EQ(slotsDown(), Slots{4}) << "the pad plays on without the sound";

    soundInit();
    pad.pullOut();
    pollPads(3);
    padsShutdown();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    EXPECT_TRUE(soundPlaying(soundPlay(bell.c_str(), 0))) << "the sound plays on without the pads";
    EXPECT_EQ(slotsDown(), Slots{});
}

// ---------------------------------------------------------------------------
// Runs tapped out on a pad, against the run handler, with the pad read once
// a frame as the window reads it.

constexpr double msToUnits = 1.0 / 30.0;

class PadRun : public MoveTest {
protected:
    VirtualPad pad;

    void SetUp() override
    {
        MoveTest::SetUp();
        padsOff = false;
        padsInit();
        ASSERT_TRUE(pad.plugIn());
        pollPads(0);
        ASSERT_TRUE(padSeats[0].occupied);
    }

    void TearDown() override
    {
        pad.pullOut();
        pollPads(0);
        padsShutdown();
        clearKeys();
        MoveTest::TearDown();
    }

    // Plays frames of `frameMs` from a standing start: before each frame
    // the pad is put in the state `at` gives for that moment, then the
    // frame reads the pads, shifts the history and runs the run handler.
    // Returns whether player one started running.
    bool runs(const std::function<void(double ms)>& at, double frameMs, double untilMs = 700)
    {
        clearKeys();
        playing(a, ClipStand, Idle);
        place(a, 0, 0, 90);
        for (double t = frameMs; t <= untilMs; t += frameMs) {
            at(t);
            const double time = 100 + t * msToUnits;
            pollPads(time);
            shiftKeyHistory(time);
            runHandler(a, playerOneKeys.up, playerOneKeys.left, playerOneKeys.right, playerOneKeys.down, b);
            if (a.state == Running)
                break;
        }
        // Back to rest for the next case.
        pad.stick(0, 0);
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
            pad.button(button, false);
        pollPads(200);
        return a.state == Running;
    }
};

bool within(double ms, double from, double to)
{
    return ms >= from && ms < to;
}

TEST_F(PadRun, ADpadDoubleTapOrAStickFlickRunsAt5And16MsFrames)
{
    for (double frameMs : {5.0, 16.0}) {
        // A d-pad tapped twice: held 70 ms, up 90 ms.
        auto taps = [&](int button) {
            return [&, button](double ms) { pad.button(button, within(ms, 10, 80) || within(ms, 170, 240)); };
        };
        EXPECT_TRUE(runs(taps(SDL_CONTROLLER_BUTTON_DPAD_LEFT), frameMs)) << frameMs;
        EXPECT_FLOAT_EQ(a.heading, 0) << "left runs at heading 0";
        EXPECT_TRUE(runs(taps(SDL_CONTROLLER_BUTTON_DPAD_DOWN), frameMs)) << frameMs;
        EXPECT_FLOAT_EQ(a.heading, 90);

        // The stick flicked right, back to the middle, and right again.
        EXPECT_TRUE(runs([&](double ms) { pad.stick(within(ms, 10, 70) || within(ms, 150, 300) ? 1.0f : 0.0f, 0); },
                         frameMs))
            << frameMs;
        EXPECT_FLOAT_EQ(a.heading, 180);
        // Flicked up with a little slant, back not quite to the middle.
        EXPECT_TRUE(runs([&](double ms) {
            const bool out = within(ms, 10, 70) || within(ms, 150, 300);
            pad.stick(out ? 0.2f : 0.05f, out ? -0.95f : -0.2f);
        }, frameMs)) << frameMs;
        EXPECT_FLOAT_EQ(a.heading, 270);

        // Held, there is no run; nor from a stick resting at the edge of
        // the dead zone, trembling across it every frame.
        EXPECT_FALSE(runs([&](double ms) { pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, ms >= 10); }, frameMs))
            << frameMs;
        int frame = 0;
        EXPECT_FALSE(runs([&](double) { pad.stick(++frame % 2 ? 0.55f : 0.42f, 0); }, frameMs)) << frameMs;
        // Two flicks too far apart are two walks.
        EXPECT_FALSE(runs([&](double ms) { pad.stick(within(ms, 10, 80) || within(ms, 400, 500) ? -1.0f : 0.0f, 0); },
                          frameMs))
            << frameMs;
    }
}

} // namespace
