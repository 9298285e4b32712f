// The game's sound as a player hears it: a scripted game played in real
// time with SDL's disk driver recording what the game plays, and the real
// program started with sound, without it, and without a device.
#include "tests/game_session.h"
#include "tests/real_game.h"
#include "tests/quiet_gl.h"
#include "tests/sound_support.h"

#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "sound/sound.h"
#include "wrestler/movement.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The stretch of the recording in which a request made during some frames
// must start: from what was recorded before them to what was recorded after
// them, plus the device's and the recording's buffering.
struct Moment {
    std::size_t from = 0, to = 0;
    std::size_t recorded = 0;   // what had been recorded when the frames ended
};

class HeardGame : public testing::Test {
protected:
    DiskRecording recording;
    float clock = 0;
    Clock::time_point started;
    long sizeBefore = 0;

    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        // Start-up opens the sound device, into the recording made above.
        ASSERT_TRUE(loadWholeGame());
        resetMatch();
        separationOn = 1;
        showModels = showShadows = 1;
        showBones = 0;
        glEnable(GL_DEPTH_TEST);
        started = Clock::now();
    }

    void TearDown() override { clearKeys(); }

    // One 60 ms frame of game time; real time is kept at least as slow, so
    // sounds play out as they would in the game.
    void frame()
    {
        sizeBefore = recording.size();
        clock += 2.0f;
        displayFrame(clock, glTestWidth, glTestHeight);
        std::this_thread::sleep_until(started + std::chrono::milliseconds(static_cast<long>(clock * 30)));
    }

    // The frame just run, as a moment in the recording.
    Moment now() const
    {
        const std::size_t recorded = sampleOfByte(recording.size());
        return {sampleOfByte(sizeBefore), recorded + recordRate * 3 / 10, recorded};
    }

    bool runUntil(const std::function<bool()>& done, int limit)
    {
        for (int i = 0; i < limit && !done(); ++i)
            frame();
        return done();
    }

    void runFor(int frames)
    {
        for (int i = 0; i < frames; ++i)
            frame();
    }

    static void press(unsigned char key) { keyPressed(key, 0); }
    static void release(unsigned char key) { keyReleased(key); }

    // Player one walks up to player two with the key that plays the forward
    // walk in the current walking frame.
    bool walkUpTo(float distance)
    {
        static const unsigned char forwardKey[5] = {0, 'd', 's', 'a', 'w'};
        unsigned char held = 0;
        for (int i = 0; i < 300 && distanceTo(playerOne, playerTwo) >= distance; ++i) {
            const int quadrant = playerOne.state == Walking ? playerOne.quadrant : selectFrame(playerOne.bearing);
            if (forwardKey[quadrant] != held) {
                if (held)
                    release(held);
                held = forwardKey[quadrant];
                press(held);
            }
            frame();
        }
        if (held)
            release(held);
        frame();
        return distanceTo(playerOne, playerTwo) < distance;
    }

    // A strike key skips the entrance once it has run a while.
    Moment skipEntrance(unsigned char key)
    {
        EXPECT_TRUE(runUntil([] { return phaseTime > 31; }, 200));
        press(key);
        frame();
        release(key);
        return now();
    }
};

// Where a sound requested at a moment is heard at full level.
Found heardAt(const std::vector<float>& heard, const std::vector<float>& sound, Moment m, std::size_t offset = 0,
              std::size_t length = 4000)
{
    return findSound(heard, sound, m.from, m.to, offset, length);
}

TEST_F(HeardGame, SilenceThenThemesBellCrowdImpactsAndTheWin)
{
    const std::vector<float> vorlan = generatedSound("vorlan.aiff"), kalver = generatedSound("kalver.aiff");
    const std::vector<float> bell = generatedSound("bell.aiff"), crowd = generatedSound("crowd2.aiff");
    const std::vector<float> punch = generatedSound("punchface.aiff"), fall = generatedSound("fall.aiff");
    const std::vector<float> cheer = generatedSound("bigcrowd2.aiff");
    ASSERT_FALSE(vorlan.empty() || kalver.empty() || bell.empty() || crowd.empty() || punch.empty() ||
                 fall.empty() || cheer.empty());

    // Selection: nothing is asked for.
    runFor(10);
    press('f');
    press('h');
    frame();
    release('f');
    release('h');
    ASSERT_TRUE(runUntil([] { return gamePhase == Entrance && phaseStage >= 1; }, 5));
    const Moment firstTheme = now();
    ASSERT_EQ(playerOne.character, 0);
    ASSERT_EQ(playerTwo.character, 1);
    const Moment firstSkip = skipEntrance('f');
    ASSERT_TRUE(runUntil([] { return phaseStage >= 1; }, 5));
    const Moment secondTheme = now();
    const Moment secondSkip = skipEntrance('h');
    ASSERT_EQ(gamePhase, Match);
    frame();
    const Moment matchStart = now();
    ASSERT_TRUE(runUntil([] { return bellSound != 0; }, 40));
    const Moment bellAtStart = now();

    // Four punches, the fourth knocks player two down.
    std::vector<Moment> punches;
    Moment fallMoment, secondCrowd;
    bool secondCrowdSeen = false;
    auto watchCrowd = [&] {
        if (crowdSound2 != 0 && !secondCrowdSeen) {
            secondCrowd = now();
            secondCrowdSeen = true;
        }
    };
    ASSERT_TRUE(walkUpTo(3.5f));
    for (int punchCount = 1; punchCount <= 4; ++punchCount) {
        ASSERT_TRUE(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 200));
        watchCrowd();
        press('f');
        const bool landed = runUntil([&] { watchCrowd(); return playerTwo.state == Hurt; }, 120);
        release('f');
        ASSERT_TRUE(landed) << "punch " << punchCount;
        punches.push_back(now());
    }
    ASSERT_EQ(playerTwo.clip, ClipFall);
    ASSERT_EQ(playerTwo.impactDone, 0);
    ASSERT_TRUE(runUntil([&] { watchCrowd(); return playerTwo.clip == ClipFall && playerTwo.impactDone == 1; }, 300));
    fallMoment = now();
    ASSERT_TRUE(runUntil([&] { watchCrowd(); return playerTwo.state == Lying; }, 300));

    // The pin and the count to three.
    if (distanceTo(playerOne, playerTwo) > 5.5f) {
        ASSERT_TRUE(walkUpTo(5.5f));
    }
    ASSERT_TRUE(runUntil([&] { watchCrowd(); return playerOne.state == Idle; }, 60));
    press('e');
    frame();
    release('e');
    ASSERT_TRUE(runUntil([&] { watchCrowd(); return gamePhase == Victory; }, 600));
    const Moment win = now();
    ASSERT_TRUE(secondCrowdSeen) << "the match ran " << phaseTime << " units";
    // The disk driver keeps its own pace, slower than real time on a busy
    // machine: play on until two seconds after the win are recorded.
    ASSERT_TRUE(runUntil([&] { return sampleOfByte(recording.size()) > win.to + 2 * recordRate; }, 500));
    const std::size_t end = sampleOfByte(recording.size());
    const std::vector<float> heard = recording.finish();
    ASSERT_GT(heard.size(), end / 2);

    // Nothing at all until the first entrance.
    EXPECT_EQ(rms(heard, 0, firstTheme.from), 0) << "sound on the selection screen";
    ASSERT_GT(firstTheme.from, static_cast<std::size_t>(recordRate / 4)) << "the selection was recorded";

    // Each entrance plays its wrestler's theme; a skip stops it at once.
    const Found one = heardAt(heard, vorlan, firstTheme);
    EXPECT_NEAR(one.gain, 1, 0.05) << "the first wrestler's theme";
    const Found two = heardAt(heard, kalver, secondTheme);
    EXPECT_NEAR(two.gain, 1, 0.05) << "the second wrestler's theme";
    for (auto [theme, start, skip] : {std::tuple{&vorlan, one.at, firstSkip}, std::tuple{&kalver, two.at, secondSkip}}) {
        // Gone 0.2 s after what was recorded by the skip's frame: the
        // recording's own buffering, a device buffer or two and the stop's
        // short fade.
        const std::size_t before = skip.from - recordRate / 5, after = skip.recorded + recordRate / 5;
        EXPECT_NEAR(gainAt(heard, *theme, before, before - start, 2000), 1, 0.1) << "playing before the skip";
        EXPECT_NEAR(gainAt(heard, *theme, after, after - start, 2000), 0, 0.05) << "still playing after the skip";
    }

    // The match: the bell, then the crowd's murmur throughout, a second
    // copy of it joining later half a loop apart.
    const Found crowdStart = heardAt(heard, crowd, matchStart, 0, 8000);
    EXPECT_NEAR(crowdStart.gain, 1, 0.2) << "the crowd at the start of the match";
    EXPECT_NEAR(heardAt(heard, bell, bellAtStart).gain, 1, 0.1) << "the bell at the start of the match";
    EXPECT_NEAR(heardAt(heard, crowd, secondCrowd, crowd.size() / 2, 8000).gain, 1, 0.25) << "the second crowd";
    // Checked twice a second: louder sounds on top make single readings
    // noisy, never near silent, and they centre on full level.
    std::vector<double> readings;
    for (std::size_t at = crowdStart.at + recordRate / 2; at + 8000 < win.from; at += recordRate / 2) {
        const std::size_t offset = (at - crowdStart.at) % crowd.size();
        if (offset + 8000 > crowd.size())
            continue;
        readings.push_back(gainAt(heard, crowd, at, offset, 8000));
        EXPECT_GT(readings.back(), 0.5) << "the crowd " << static_cast<double>(at - crowdStart.at) / recordRate
                                        << " s into the match";
    }
    ASSERT_GT(readings.size(), 10u);
    std::sort(readings.begin(), readings.end());
    EXPECT_NEAR(readings[readings.size() / 2], 1, 0.1) << "the crowd's typical level through the match";

    // Every landed punch is heard, then the fall.
    for (std::size_t i = 0; i < punches.size(); ++i)
        EXPECT_NEAR(heardAt(heard, punch, punches[i], 0, 2000).gain, 1, 0.1) << "punch " << i + 1;
    EXPECT_NEAR(heardAt(heard, fall, fallMoment).gain, 1, 0.1) << "the fall";

    // The win: the bell, the cheer and the winner's theme together.
    EXPECT_NEAR(heardAt(heard, bell, win, 0, 8000).gain, 1, 0.15) << "the bell at the win";
    const std::size_t cheerPeak = static_cast<std::size_t>(recordRate);
    const Found cheering = findSound(heard, cheer, win.from + cheerPeak, win.to + cheerPeak, cheerPeak, 8000);
    EXPECT_NEAR(cheering.gain, 1, 0.15) << "the cheer at the win";
    EXPECT_NEAR(heardAt(heard, vorlan, win).gain, 1, 0.15) << "the winner's theme";
}

// ---------------------------------------------------------------------------
// The real program.

bool anySound(const std::string& file)
{
    const std::string bytes = readFile(file);
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return c != 0; });
}

// The test program plays silent; the game it starts is asked for sound.
std::vector<std::string> withSound(std::vector<std::string> environment)
{
    environment.push_back("TARVOK_NO_SOUND=");
    return environment;
}

class RealProgram : public testing::Test {
protected:
    PrivateDisplay server;
    Display* display = nullptr;
    TempDir dir;
    std::string recording;

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs the X display of xvfb-run";
        ASSERT_TRUE(server.start()) << "no X server of its own";
        display = server.display;
        writeGameIni(dir.path);
        recording = dir.file("recording.raw");
    }

    Window waitForWindow(RealGame& game)
    {
        Window window = 0;
        waitFor([&] {
            window = findWindow(display, DefaultRootWindow(display), "Tarvok");
            return window != 0 || waitpid(game.pid, nullptr, WNOHANG) != 0;
        }, 60);
        return window;
    }
};

TEST_F(RealProgram, WithSoundTheKeysStillWorkAndSigtermEndsItAtOnce)
{
    RealGame game;
    const std::vector<std::string> environment{"DISPLAY=" + server.name, "SDL_AUDIODRIVER=disk",
                                               "SDL_DISKAUDIOFILE=" + recording};
    game.start(dir.path, {}, withSound(environment));
    const Window window = waitForWindow(game);
    ASSERT_NE(window, 0u) << "no window";
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(recording); }, 60)) << "the device was not opened";
    // Silence on the selection screen; both players confirm and the first
    // entrance's theme starts.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(anySound(recording));
    // The keys are held until a frame has seen them: the game may still be
    // loading.
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyPress);
    EXPECT_TRUE(waitFor([&] { return anySound(recording); }, 60)) << "no theme after both players confirmed";
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyRelease);

    // Ended by the signal itself; a game with SDL's own handlers would run on
    // for good. A busy machine may take a moment to tear the process down.
    const int status = game.endWith(SIGTERM, 10);
    ASSERT_NE(status, -1) << "SIGTERM did not end the game";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    game.read();
    EXPECT_EQ(game.errors.find("tarvok:"), std::string::npos) << game.errors;
}

TEST_F(RealProgram, ClosingTheWindowWhileSoundPlaysEndsItCleanly)
{
    RealGame game;
    const std::vector<std::string> environment{"DISPLAY=" + server.name, "SDL_AUDIODRIVER=disk",
                                               "SDL_DISKAUDIOFILE=" + recording};
    game.start(dir.path, {}, withSound(environment));
    const Window window = waitForWindow(game);
    ASSERT_NE(window, 0u) << "no window";
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyPress);
    ASSERT_TRUE(waitFor([&] { return anySound(recording); }, 60)) << "no theme after both players confirmed";
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyRelease);
    // The window manager's close button ends the program normally, with the
    // theme still playing.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
    const int status = game.endWith(0, 10);
    ASSERT_NE(status, -1) << "closing the window did not end the game";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "exit status " + std::to_string(WEXITSTATUS(status)));
}

TEST_F(RealProgram, NoSoundLeavesTheDeviceAloneAndCtrlCEndsItAtOnce)
{
    RealGame game;
    const std::vector<std::string> environment{"DISPLAY=" + server.name, "SDL_AUDIODRIVER=disk",
                                               "SDL_DISKAUDIOFILE=" + recording};
    game.start(dir.path, {"--no-sound"}, withSound(environment));
    ASSERT_NE(waitForWindow(game), 0u) << "no window";
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_FALSE(std::filesystem::exists(recording)) << "the device was opened";
    const int status = game.endWith(SIGINT, 10);
    ASSERT_NE(status, -1) << "SIGINT did not end the game";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    game.read();
    EXPECT_EQ(game.errors.find("tarvok:"), std::string::npos) << game.errors;
}

TEST_F(RealProgram, WithoutADeviceItSaysSoOnceAndPlaysOn)
{
    RealGame game;
    game.start(dir.path, {}, withSound({"DISPLAY=" + server.name, "SDL_AUDIODRIVER=no-such-driver"}));
    ASSERT_NE(waitForWindow(game), 0u) << "no window";
    EXPECT_TRUE(waitFor([&] { game.read(); return game.errors.find("tarvok: no sound: ") != std::string::npos; }, 60))
        << game.errors;
    // The game plays on, and says nothing more.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(waitpid(game.pid, nullptr, WNOHANG), 0) << "the game ended";
    game.read();
    const std::size_t said = game.errors.find("tarvok:");
    EXPECT_EQ(game.errors.find("tarvok:", said + 1), std::string::npos) << game.errors;
}

} // namespace
