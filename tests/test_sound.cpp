// The sound back-end's promises, heard through SDL's disk driver: handles,
// loops, stops, and what happens without a device or a file.
#include "tests/sound_support.h"

#include "sound/sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

namespace {

const std::string dataDir = std::string(TARVOK_RUN_DIR) + "/data/";

void wait(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool waitUntil(const std::function<bool()>& done, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        wait(0.01);
    }
    return done();
}

// Lines written to standard error while `run` runs.
std::string stderrOf(const std::function<void()>& run)
{
    testing::internal::CaptureStderr();
    run();
    return testing::internal::GetCapturedStderr();
}

int lineCount(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

TEST(SoundHandles, EveryRequestGetsItsOwnNonZeroHandleWhetherOrNotItPlays)
{
    std::set<int> handles;
    {
        // Switched off: nothing is opened, nothing plays, handles still come.
        DiskRecording recording;
        soundOff = true;
        soundInit();
        for (int i = 0; i < 3; ++i)
            handles.insert(soundPlay((dataDir + "crowd2.aiff").c_str(), 1));
        soundStop(*handles.begin());
        soundStop(0);
        soundOff = false;
    }
    {
        DiskRecording recording;
        soundInit();
        stderrOf([&] { handles.insert(soundPlay((dataDir + "nothing-here.aiff").c_str(), 0)); });
        const int bell = soundPlay((dataDir + "bell.aiff").c_str(), 0);
        handles.insert(bell);
        EXPECT_TRUE(soundPlaying(bell));
    }
    EXPECT_EQ(handles.size(), 5u) << "each request a handle of its own";
    EXPECT_EQ(handles.count(0), 0u);
}

TEST(SoundHandles, AStaleHandleStopsNothing)
{
    DiskRecording recording;
    soundInit();
    const std::string punch = dataDir + "punchface.aiff";
    const int first = soundPlay(punch.c_str(), 0);
    ASSERT_TRUE(soundPlaying(first));
    ASSERT_TRUE(waitUntil([&] { return !soundPlaying(first); }, 3)) << "a 0.4 s sound still playing";
    // The freed channel is taken by the next sound; the old handle must not
    // reach it.
    const int second = soundPlay(punch.c_str(), 1);
    soundStop(first);
    wait(0.1);
    EXPECT_TRUE(soundPlaying(second));
    soundStop(second);
    EXPECT_FALSE(soundPlaying(second));
    // Stopping one of two copies leaves the other.
    const int a = soundPlay(punch.c_str(), 1), b = soundPlay(punch.c_str(), 1);
    soundStop(a);
    wait(0.1);
    EXPECT_FALSE(soundPlaying(a));
    EXPECT_TRUE(soundPlaying(b));
}

TEST(SoundHandles, ALoopRepeatsUntilStoppedAndStopsAtOnce)
{
    DiskRecording recording;
    soundInit();
    const std::vector<float> punch = generatedSound("punchface.aiff");
    ASSERT_FALSE(punch.empty());
    const long before = recording.size();
    const int handle = soundPlay((dataDir + "punchface.aiff").c_str(), 1);
    wait(1.5);
    const long stoppedAt = recording.size();
    soundStop(handle);
    wait(0.5);
    const std::vector<float> heard = recording.finish();

    // The first copy, then copies back to back, each exactly one sound
    // length after the one before.
    const Found start = findSound(heard, punch, sampleOfByte(before), sampleOfByte(before) + recordRate / 2, 0, 2000);
    ASSERT_NEAR(start.gain, 1, 0.02) << "the sound was not heard";
    int repeats = 0;
    for (std::size_t at = start.at; at + punch.size() < sampleOfByte(stoppedAt); at += punch.size()) {
        EXPECT_NEAR(gainAt(heard, punch, at, 0, punch.size()), 1, 0.02) << "copy " << repeats;
        ++repeats;
    }
    EXPECT_GE(repeats, 2);
    // After the stop and its short fade, silence: nothing later than a
    // device buffer and the recording's own buffering after the stop.
    const std::size_t quiet = sampleOfByte(stoppedAt) + recordRate / 4;
    ASSERT_LT(quiet, heard.size());
    EXPECT_EQ(rms(heard, quiet, heard.size()), 0);
}

TEST(SoundHandles, TwoCopiesOfALoopDoNotPlayInStep)
{
    DiskRecording recording;
    soundInit();
    const std::string crowd = dataDir + "crowd2.aiff";
    soundPlay(crowd.c_str(), 1);
    soundPlay(crowd.c_str(), 1);
    wait(1.0);
    const std::vector<float> heard = recording.finish();
    const std::vector<float> murmur = generatedSound("crowd2.aiff");
    ASSERT_FALSE(murmur.empty());
    // Started together in step, the murmur would be heard at twice its level
    // (gain 2) and comb-filtered by any small offset; the second copy starts
    // halfway through the loop instead, so each is heard once at full level.
    const Found first = findSound(heard, murmur, 0, recordRate / 2, 0, 8000);
    EXPECT_NEAR(first.gain, 1, 0.15);
    const Found second = findSound(heard, murmur, 0, recordRate / 2, murmur.size() / 2, 8000);
    EXPECT_NEAR(second.gain, 1, 0.15);
    EXPECT_LT(first.at > second.at ? first.at - second.at : second.at - first.at, recordRate / 10u)
        << "both started at once";
}

TEST(SoundTrouble, WithoutADeviceOneLineAndTheGameGoesOn)
{
    DiskRecording recording;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string said = stderrOf([] {
        soundInit();
        for (int i = 0; i < 5; ++i) {
            const int h = soundPlay((dataDir + "bell.aiff").c_str(), 0);
            EXPECT_NE(h, 0);
            EXPECT_FALSE(soundPlaying(h));
            soundStop(h);
        }
        soundInit();
    });
    EXPECT_EQ(said.rfind("tarvok: no sound: ", 0), 0u) << said;
    EXPECT_EQ(lineCount(said), 1) << said;
}

TEST(SoundTrouble, AMissingOrBadFileIsNamedOnceAndOthersStillPlay)
{
    DiskRecording recording;
    const std::string bad = recording.dir.file("bad.aiff");
    writeFile(bad, "FORM not really a sound\n");
    const std::string missing = recording.dir.file("missing.aiff");
    soundInit();
    int bell = 0;
    const std::string said = stderrOf([&] {
        for (int frame = 0; frame < 10; ++frame) {
            EXPECT_NE(soundPlay(missing.c_str(), 0), 0);
            EXPECT_NE(soundPlay(bad.c_str(), 1), 0);
        }
        bell = soundPlay((dataDir + "bell.aiff").c_str(), 0);
    });
    EXPECT_EQ(lineCount(said), 2) << said;
    EXPECT_NE(said.find("tarvok: " + missing + ": cannot be played: No such file or directory\n"), std::string::npos) << said;
    EXPECT_NE(said.find("tarvok: " + bad + ": cannot be played"), std::string::npos) << said;
    EXPECT_TRUE(soundPlaying(bell));
}

TEST(SoundTrouble, AFileIsReadOnceAndKept)
{
    DiskRecording recording;
    const std::string copy = recording.dir.file("punch.aiff");
    writeFile(copy, readFile(dataDir + "punchface.aiff"));
    soundInit();
    soundStop(soundPlay(copy.c_str(), 0));
    // Gone from the disk, still played from what was read, without a word.
    std::filesystem::remove(copy);
    const std::string said = stderrOf([&] { EXPECT_TRUE(soundPlaying(soundPlay(copy.c_str(), 0))); });
    EXPECT_EQ(said, "");
}

TEST(SoundTrouble, SwitchedOffTheDeviceIsNeverOpened)
{
    for (int way = 0; way < 2; ++way) {
        DiskRecording recording;
        if (way == 0)
            soundOff = true;
        else
            setenv("TARVOK_NO_SOUND", "1", 1);
        const std::string said = stderrOf([] {
            soundInit();
            soundPlay((dataDir + "bell.aiff").c_str(), 0);
        });
        wait(0.2);
        EXPECT_EQ(said, "");
        EXPECT_FALSE(std::filesystem::exists(recording.file)) << "the disk driver wrote " << recording.file;
        soundOff = false;
    }
}

} // namespace
