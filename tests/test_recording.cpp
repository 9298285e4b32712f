// Recorded games: what the file holds, which files are refused, and that a
// game played here and recorded plays back in the real program to the same
// end and the same picture, at any pace.
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/random_player.h"
#include "tests/real_game.h"
#include "tests/support.h"

#include "app/controls.h"
#include "app/options.h"
#include "input/keys.h"
#include "input/recording.h"
#include "match/phases.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace {

// A recording with the header of this build.
std::string header()
{
    return std::string("tarvok-recording 1\nversion ") + gameVersion + "\noptions -\nseed 1\n";
}

std::string readProblem(const std::string& text)
{
    static TempDir dir;
    const std::string path = dir.file("game.tvr");
    writeFile(path, text);
    Recording recording;
    std::string error;
    if (readRecording(path.c_str(), gameVersion, recording, error))
        return "";
    return error.substr(error.find(": ") + 2);
}

TEST(Recording, TheFileIsWholeAfterEveryFrame)
{
    TempDir dir;
    const std::string path = dir.file("game.tvr");
    std::string error;
    ASSERT_TRUE(startRecording(path.c_str(), "--cpu two", 7, gameVersion, error)) << error;
    recordPress(4, KeyboardSource, 1.25);
    recordFrame(1.5, 640, 480);
    Recording after;
    ASSERT_TRUE(readRecording(path.c_str(), gameVersion, after, error)) << error;
    EXPECT_EQ(after.frames, 1);
    EXPECT_EQ(after.optionsLine, "--cpu two");
    EXPECT_EQ(after.seed, 7u);

    // Inputs since the last frame wait for the next one; times keep every
    // digit.
    recordRelease(4, KeyboardSource, 1.0 / 3);
    recordCharacterChange(2);
    recordMenuChoice(6);
    ASSERT_TRUE(readRecording(path.c_str(), gameVersion, after, error)) << error;
    EXPECT_EQ(after.events.size(), 2u);
    recordFrame(2 + 1.0 / 3, 320, 200);
    stopRecording();
    ASSERT_TRUE(readRecording(path.c_str(), gameVersion, after, error)) << error;
    ASSERT_EQ(after.events.size(), 6u);
    EXPECT_EQ(after.events[0].kind, RecordedPress);
    EXPECT_EQ(after.events[0].a, 4);
    EXPECT_EQ(after.events[0].time, 1.25);
    EXPECT_EQ(after.events[2].kind, RecordedRelease);
    EXPECT_EQ(after.events[2].time, 1.0 / 3);
    EXPECT_EQ(after.events[3].kind, RecordedCharacter);
    EXPECT_EQ(after.events[3].a, 2);
    EXPECT_EQ(after.events[4].kind, RecordedMenu);
    EXPECT_EQ(after.events[4].a, 6);
    EXPECT_EQ(after.events[5].kind, RecordedFrame);
    EXPECT_EQ(after.events[5].time, 2 + 1.0 / 3);
    EXPECT_EQ(after.events[5].a, 320);
    EXPECT_EQ(after.events[5].b, 200);

    EXPECT_FALSE(startRecording("/nonexistent/folder/game.tvr", "", 1, gameVersion, error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
}

TEST(Recording, BrokenRecordingsAreRefusedWithTheirLine)
{
    const std::string frame = "frame 1 640 480\n";
    EXPECT_EQ(readProblem(header() + frame + "end\n"), "");
    EXPECT_EQ(readProblem(header() + frame), "line 5: the recording is cut short: it has no end line");
    EXPECT_EQ(readProblem(header() + frame + "frame 2 6"), "line 6: cannot be read: \"frame 2 6\"");
    EXPECT_EQ(readProblem(""), "is not a Tarvok recording");
    EXPECT_EQ(readProblem("tarvok-recording 1\nversion 0.0.1\noptions -\nseed 1\nend\n"),
              std::string("line 2: the recording was made by version 0.0.1 of the game, this is ") + gameVersion);
    EXPECT_EQ(readProblem(header() + "frame 2 640 480\nframe 1 640 480\nend\n"), "line 6: the frame time goes back");
    EXPECT_EQ(readProblem(header() + "end\nframe 1 640 480\n"), "line 6: there is more after the end");
    for (const char* line : {"press 4 99 1", "press 4 -1 1", "press 4 0 nan", "frame 1 0 480", "frame inf 640 480",
                             "character 3", "menu", "press 4 0 1 extra", "jump 1"})
        EXPECT_EQ(readProblem(header() + line + "\nend\n"), std::string("line 5: cannot be read: \"") + line + "\"")
            << line;
    EXPECT_EQ(readProblem("tarvok-recording 1\nversion " + std::string(gameVersion) + "\nseed 1\nend\n"),
              "line 3: the options line is missing");
}

// A game of random keys at random frame times, played here and recorded;
// then played back by the real program, as fast as it can and at four times
// the recorded pace, to the same state and the same picture.
TEST(Recording, AGameRecordedHereReplaysInTheProgramToTheSameEndAndPicture)
{
    if (!loadWholeGame())
        GTEST_SKIP() << "no display";
    TempDir dir;
    const std::string path = dir.file("game.tvr");
    std::string error;
    ASSERT_TRUE(startRecording(path.c_str(), "", 1, gameVersion, error)) << error;
    std::srand(1);
    std::mt19937 frameRandom(5);
    RandomPlayer one{std::mt19937(11), &playerOne, "wadsfeqz", {}, 0};
    RandomPlayer two{std::mt19937(12), &playerTwo, "ijlkhou,", {}, 0};
    double clock = 10;
    for (int frame = 0; frame < 700; ++frame) {
        clock += std::uniform_real_distribution<double>(1, 120)(frameRandom) * unitsPerMs;
        one.send(clock);
        two.send(clock);
        recordFrame(clock, glTestWidth, glTestHeight);
        displayFrame(clock);
    }
    stopRecording();
    ASSERT_NE(gamePhase, Selection) << "the game got under way";
    const unsigned long long state = gameStateHash();
    const std::vector<unsigned char> picture = readPixels();
    char expected[80];
    std::snprintf(expected, sizeof expected, "state %016llx\n", state);

    writeGameIni(dir.path);
    for (const char* speed : {"0", "4"}) {
        SCOPED_TRACE(std::string("at speed ") + speed);
        PrivateDisplay server;
        ASSERT_TRUE(server.start());
        Display* display = server.display;
        RealGame game;
        game.start(dir.path, {"--no-sound", "--replay", path, "--replay-speed", speed}, {"DISPLAY=" + server.name});
        ASSERT_TRUE(waitFor([&] { game.read(); return game.log.find("replay finished") != std::string::npos ||
                                                      !game.running(); }, 120))
            << game.errors;
        EXPECT_NE(game.log.find("tarvok: replay finished: 700 frames"), std::string::npos) << game.errors;
        EXPECT_NE(game.log.find(expected), std::string::npos) << game.log.substr(game.log.rfind("tarvok:"));
        const Window window = findWindow(display, DefaultRootWindow(display), "Tarvok");
        int width = 0, height = 0;
        const std::vector<unsigned char> shown = windowPixels(display, window, width, height);
        const std::vector<bool> onScreen = windowPixelsOnScreen(display, window);
        ASSERT_EQ(width, glTestWidth);
        ASSERT_EQ(height, glTestHeight);
        std::size_t differing = 0, compared = 0;
        for (std::size_t i = 0; i < picture.size(); i += 4) {
            if (!onScreen[i / 4])
                continue;
            ++compared;
            differing += picture[i] != shown[i] || picture[i + 1] != shown[i + 1] || picture[i + 2] != shown[i + 2];
        }
        EXPECT_GT(compared, picture.size() / 4 * 9 / 10);
        EXPECT_EQ(differing, 0u) << "pixels differ from the game played here";
        if (differing) {
            writePng(shotDirectory() + "/replay_speed_" + speed + ".png", shown, width, height);
            writePng(shotDirectory() + "/replay_recorded.png", picture, width, height);
        }
    }
}

TEST(Recording, TheProgramRefusesABrokenRecordingWithOneLine)
{
    TempDir dir;
    writeFile(dir.file("cut.tvr"), header() + "frame 1 640 480\n");
    RealGame game;
    game.start(dir.path, {"--replay", "cut.tvr"}, {"DISPLAY=:0"});
    const int status = game.endWith(0, 30);
    ASSERT_NE(status, -1);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(game.errors, "tarvok: cut.tvr: line 5: the recording is cut short: it has no end line\n");
}

} // namespace
