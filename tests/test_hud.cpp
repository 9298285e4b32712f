// The bitmap font, the health bars and the match HUD, read back from the
// screen.
#include "app/controls.h"
#include "assets/catalogue.h"
#include "match/hud.h"
#include "match/phases.h"
#include "tests/quiet_gl.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class HudTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        static bool fontReady = false;
        if (!fontReady) {
            buildFont();
            fontReady = true;
        }
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setPixelFrame(glTestWidth, glTestHeight);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }

    std::vector<unsigned char> pixels() { return readPixels(); }

    // Text printed in white at the window centre, read back.
    std::vector<unsigned char> printed(const char* text)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(0, 0);
        printText(text);
        return pixels();
    }

    static bool lit(const std::vector<unsigned char>& rgba, int x, int y)
    {
        return rgba[(static_cast<std::size_t>(y) * glTestWidth + x) * 4] > 128;
    }

    // Columns of a pixel row (window coordinates, origin bottom-left) that
    // have the given colour.
    static int countColour(const std::vector<unsigned char>& rgba, int y, int r, int g, int b)
    {
        int n = 0;
        for (int x = 0; x < glTestWidth; ++x) {
            const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * glTestWidth + x) * 4];
            n += std::abs(p[0] - r) <= 2 && std::abs(p[1] - g) <= 2 && std::abs(p[2] - b) <= 2;
        }
        return n;
    }

    static int firstLitColumn(const std::vector<unsigned char>& rgba, int fromX, int y0, int y1)
    {
        for (int x = fromX; x < glTestWidth; ++x)
            for (int y = y0; y <= y1; ++y)
                if (lit(rgba, x, y))
                    return x;
        return -1;
    }
};

TEST_F(HudTest, GlyphsAreDrawnBottomRowFirstFromTheBaseline)
{
    const std::vector<unsigned char> t = printed("T");
    const int cx = glTestWidth / 2, cy = glTestHeight / 2;
    // The T's bar is its top row (row 12, 10 above the baseline), all 8 wide.
    for (int x = 0; x < 8; ++x)
        EXPECT_TRUE(lit(t, cx + x, cy + 10)) << x;
    // Its stem: the two middle columns only.
    EXPECT_TRUE(lit(t, cx + 3, cy + 2));
    EXPECT_TRUE(lit(t, cx + 4, cy + 2));
    EXPECT_FALSE(lit(t, cx + 2, cy + 2));
    EXPECT_FALSE(lit(t, cx + 3, cy + 11)) << "nothing above the top row";
}

TEST_F(HudTest, OnlyCapitalsAndSpacesAreDrawnOrTakeRoom)
{
    const std::vector<unsigned char> plain = printed("AB");
    EXPECT_EQ(printed("A1B"), plain) << "a digit draws nothing and takes no room";
    EXPECT_EQ(printed("Ab.B"), plain);
    EXPECT_EQ(printed("A\xC9\x42"), plain) << "bytes beyond the font draw nothing";
    EXPECT_NE(printed("A B"), plain) << "a space takes room";
    EXPECT_EQ(textAdvance("A1B"), 20);
    EXPECT_EQ(textAdvance("A B"), 30);
    EXPECT_EQ(textAdvance("zorag"), 0);
}

TEST_F(HudTest, HealthBarFillsItsFrameInProportion)
{
    EXPECT_FLOAT_EQ(healthFillLength(100), 124);
    EXPECT_FLOAT_EQ(healthFillLength(50), 62);
    EXPECT_FLOAT_EQ(healthFillLength(0), 0);
    EXPECT_FLOAT_EQ(healthFillLength(-30), 0) << "below zero the bar is empty, not reversed";

    Wrestler w;
    const int row = glTestHeight / 2 - 59;   // through the middle of the fill
    // Fill colour (0.3, 0.3, 0.6), frame colour (0, 0, 0.6).
    for (int side : {1, -1}) {
        w.health = 100;
        glClear(GL_COLOR_BUFFER_BIT);
        drawHealthBar(w, side);
        std::vector<unsigned char> full = pixels();
        EXPECT_EQ(countColour(full, row, 77, 77, 153), 124) << side;
        EXPECT_EQ(countColour(full, row, 0, 0, 153), 4) << side;

        w.health = 0;
        glClear(GL_COLOR_BUFFER_BIT);
        drawHealthBar(w, side);
        std::vector<unsigned char> empty = pixels();
        EXPECT_EQ(countColour(empty, row, 77, 77, 153), 0) << side;
        EXPECT_EQ(countColour(empty, row, 0, 0, 153), 128) << side;

        w.health = -40;
        glClear(GL_COLOR_BUFFER_BIT);
        drawHealthBar(w, side);
        EXPECT_EQ(pixels(), empty) << side;
    }

    // Side -1 empties toward its right end: half health keeps the right half.
    w.health = 50;
    glClear(GL_COLOR_BUFFER_BIT);
    drawHealthBar(w, -1);
    std::vector<unsigned char> half = pixels();
    const int centre = glTestWidth / 2;
    auto green = [&](int x) { return half[(static_cast<std::size_t>(row) * glTestWidth + centre + x) * 4 + 1]; };
    EXPECT_NEAR(green(190), 77, 2);
    EXPECT_NEAR(green(130), 77, 2);
    EXPECT_EQ(green(127), 0);
    EXPECT_EQ(green(68), 0);
}

TEST_F(HudTest, PlayerTwosNameIsCentredLeftOfThePortrait)
{
    playerOne.health = playerTwo.health = 100;
    pinCount = -1;
    for (int character : {2, 1}) {
        assignProfile(playerTwo, character);
        glClear(GL_COLOR_BUFFER_BIT);
        drawHud(glTestWidth, glTestHeight);
        const std::vector<unsigned char> shot = pixels();
        // The name's baseline is 32 below the window's top edge.
        const int baseline = glTestHeight - 32;
        const int portraitLeft = glTestWidth - 16 - 64;
        const int n = static_cast<int>(std::strlen(roster[character].ringName));
        const int first = firstLitColumn(shot, glTestWidth / 2, baseline, baseline + 10);
        EXPECT_EQ(first, portraitLeft - 64 - 5 * n) << roster[character].ringName;
    }
}

TEST_F(HudTest, PlayerOnesNameStartsRightOfThePortrait)
{
    // 66 right of the corner point 16 in from the top-left, baseline 16
    // below it, whatever the name.
    playerOne.health = playerTwo.health = 100;
    pinCount = -1;
    for (int character : {0, 1, 2, 3}) {
        assignProfile(playerOne, character);
        glClear(GL_COLOR_BUFFER_BIT);
        drawHud(glTestWidth, glTestHeight);
        const std::vector<unsigned char> shot = pixels();
        const int baseline = glTestHeight - 32;
        const int portraitRight = 16 + 64;
        const int first = firstLitColumn(shot, portraitRight + 1, baseline, baseline + 10);
        EXPECT_EQ(first, 16 + 66) << roster[character].ringName;
    }
    assignProfile(playerOne, 0);
}

TEST_F(HudTest, CameraFlashesFallAcrossTheWidthInTheUpperHalf)
{
    // Many flashes (white, with no flash picture loaded) on black: their
    // corners lie in the upper half, anywhere across the width, and each
    // hangs at most 127 pixels down from its corner.
    std::srand(11);
    glClear(GL_COLOR_BUFFER_BIT);
    drawFlashes(300, glTestWidth, glTestHeight);
    const std::vector<unsigned char> shot = pixels();
    int lowest = glTestHeight, leftmost = glTestWidth, rightmost = -1, topmost = -1;
    for (int y = 0; y < glTestHeight; ++y)
        for (int x = 0; x < glTestWidth; ++x)
            if (lit(shot, x, y)) {
                lowest = std::min(lowest, y);
                topmost = std::max(topmost, y);
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
    EXPECT_GE(lowest, glTestHeight / 2 - 128) << "no flash hangs from the lower half";
    EXPECT_LT(lowest, glTestHeight / 2) << "flashes reach down past the middle";
    EXPECT_GE(topmost, glTestHeight - 4) << "and up to the top";
    EXPECT_LT(leftmost, 20) << "across the whole width";
    EXPECT_EQ(rightmost, glTestWidth - 1);
    // The additive blend is switched off again.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(HudTest, CountShowsFromOne)
{
    auto centreText = [&](int count) {
        pinCount = count;
        glClear(GL_COLOR_BUFFER_BIT);
        drawHud(glTestWidth, glTestHeight);
        const std::vector<unsigned char> shot = pixels();
        return firstLitColumn(shot, glTestWidth / 2 - 2, glTestHeight / 2, glTestHeight / 2 + 10) ==
               glTestWidth / 2;
    };
    EXPECT_FALSE(centreText(-1));
    EXPECT_FALSE(centreText(0)) << "a pin just begun shows nothing";
    EXPECT_TRUE(centreText(1));
    EXPECT_TRUE(centreText(3));
    pinCount = -1;
}

} // namespace

namespace {

TEST(DrawingTests, AnUnreachableDisplayFailsTheTestWithAReason)
{
    // This very test program, asked to draw on a display nobody serves:
    // the drawing tests fail and say why, and the program goes on to
    // report them rather than being ended by the toolkit, or crashing in
    // a fixture's body that would draw without a context.
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = '\0';
    const std::string command = std::string("DISPLAY=:987 ") + self +
                                " --gtest_filter=HudTest.CountShowsFromOne:ShadowDrawing.IsTranslucent 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    EXPECT_NE(output.find("cannot open the X display \":987\""), std::string::npos) << output;
    EXPECT_NE(output.find("[  FAILED  ] HudTest.CountShowsFromOne"), std::string::npos) << output;
    EXPECT_NE(output.find("[  FAILED  ] ShadowDrawing.IsTranslucent"), std::string::npos) << output;
    EXPECT_EQ(output.find("darkAt"), std::string::npos) << "the fixture's body ran:\n" << output;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
}

} // namespace
