// Starts the real game headless against a temporary game.ini, finds its
// window on the X display, and reads its loading log.
#include "tests/real_game.h"
#include "tests/support.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

// Counts pixels that are not black in the window: a drawn frame has many.
long litPixels(Display* display, Window window)
{
    int width = 0, height = 0;
    const std::vector<unsigned char> pixels = windowPixels(display, window, width, height);
    long lit = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 16)
        lit += pixels[i] || pixels[i + 1] || pixels[i + 2];
    return lit;
}

TEST(Launch, TheGameOpensItsWindowDrawsFramesAndLogsItsLoading)
{
    const char* displayName = std::getenv("DISPLAY");
    ASSERT_TRUE(displayName && *displayName) << "the test suite runs under xvfb-run";
    Display* display = openDisplay(nullptr);
    ASSERT_NE(display, nullptr);

    TempDir dir;
    writeGameIni(dir.path);
    RealGame game;
    game.start(dir.path);

    Window window = 0;
    ASSERT_TRUE(waitFor([&] { window = findWindow(display, DefaultRootWindow(display), "Tarvok");
                              return window != 0 || !game.running(); }, 60))
        << "no window titled Tarvok appeared";
    ASSERT_NE(window, 0u) << "the game ended before opening its window";
    EXPECT_TRUE(waitFor([&] { return litPixels(display, window) > 100; }, 60)) << "no frame was drawn";
    EXPECT_TRUE(game.running());

    game.read();
    EXPECT_EQ(game.log.rfind("GAME init\n", 0), 0u) << game.log;
    const std::string skeletonLine = std::string("Loading : ") + TARVOK_RUN_DIR + "/data/man.bone\n";
    EXPECT_NE(game.log.find(skeletonLine), std::string::npos) << game.log;
    // 18 textures, 108 skeleton copies, the mesh and 108 clips.
    std::size_t loadingLines = 0;
    for (std::size_t at = game.log.find("Loading : "); at != std::string::npos; at = game.log.find("Loading : ", at + 1))
        ++loadingLines;
    EXPECT_EQ(loadingLines, 235u);
    XCloseDisplay(display);
}

TEST(Launch, WithoutADisplayTheGameSaysSoAndFails)
{
    TempDir dir;
    const std::string command = std::string("cd ") + dir.path + " && env -u DISPLAY " + TARVOK_BINARY + " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char line[512] = {};
    const bool read = fgets(line, sizeof line, p) != nullptr;
    const int status = pclose(p);
    ASSERT_TRUE(read);
    EXPECT_NE(std::string(line).find("no display"), std::string::npos) << line;
    EXPECT_NE(std::string(line).find("xvfb-run"), std::string::npos) << line;
    EXPECT_NE(WEXITSTATUS(status), 0);
}

TEST(Launch, AMissingGameIniStopsTheStartUpWithOneLine)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs the X display of xvfb-run";
    TempDir dir;
    const std::string command = std::string("cd ") + dir.path + " && " + TARVOK_BINARY + " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string output;
    char line[512];
    while (fgets(line, sizeof line, p))
        output += line;
    const int status = pclose(p);
    EXPECT_NE(output.find("tarvok: game.ini: cannot be opened"), std::string::npos) << output;
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

} // namespace
