// The real program with its pad support started, on an X server of the
// test's own: the keyboard, the window and the frame timer work as before,
// Ctrl+C and SIGTERM still end it at once, and virtual pads play the real
// window's game (through the pad player, the game with virtual pads fed
// from standard input).
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/real_game.h"
#include "tests/support.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <csignal>
#include <algorithm>
#include <cstdint>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

// What the window shows, top row first, as 0xRRGGBB; empty when it cannot
// be read. What lies off the screen reads black.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    // Pixels that differ from another picture's within a rectangle.
    long differing(const Picture& other, int left, int top, int right, int bottom) const
    {
        if (other.width != width || other.height != height)
            return -1;
        long count = 0;
        for (int y = top; y < std::min(bottom, height); ++y)
            for (int x = left; x < std::min(right, width); ++x)
                count += at(x, y) != other.at(x, y);
        return count;
    }
    long differing(const Picture& other) const { return differing(other, 0, 0, width, height); }

    bool save(const std::string& path) const
    {
        std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                unsigned char* p = &rgba[(static_cast<std::size_t>(height - 1 - y) * width + x) * 4];
                const std::uint32_t v = at(x, y);
                p[0] = v >> 16 & 255, p[1] = v >> 8 & 255, p[2] = v & 255, p[3] = 255;
            }
        return writePng(path, rgba, width, height);
    }
};

Picture capture(Display* display, Window window)
{
    Picture picture;
    const std::vector<unsigned char> rgba = windowPixels(display, window, picture.width, picture.height);
    if (rgba.empty())
        return Picture{};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = &rgba[(static_cast<std::size_t>(picture.height - 1 - y) * picture.width + x) * 4];
            picture.pixels[static_cast<std::size_t>(y) * picture.width + x] =
                static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
        }
    return picture;
}

// Player one's portrait on the selection screen, in the 640 by 480 window
// (give or take the pixel the screen's edge may clip).
constexpr int portraitLeft = 64, portraitTop = 112, portraitRight = 192, portraitBottom = 240;

class PadGame : public testing::Test {
protected:
    PrivateDisplay server;
    Display* display = nullptr;
    TempDir dir;
    RealGame game;
    Window window = 0;

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs the X display of xvfb-run";
        ASSERT_TRUE(server.start()) << "no X server of its own";
        display = server.display;
        writeGameIni(dir.path);
    }

    // Starts the program and waits for its selection screen to show and
    // hold still. Returns that picture.
    Picture startGame(const std::string& binary)
    {
        game.binary = binary;
        game.start(dir.path, {}, {"DISPLAY=" + server.name, "TARVOK_NO_SOUND=1"});
        EXPECT_TRUE(waitFor([&] {
            window = findWindow(display, DefaultRootWindow(display), "Tarvok");
            return window != 0 || !game.running();
        }, 60)) << "no window";
        Picture last;
        if (!window)
            return last;
        // Drawn at its full size (the screen's edge may clip a pixel), and
        // the same in two readings a moment apart.
        EXPECT_TRUE(waitFor([&] {
            Picture now = capture(display, window);
            const Picture black{now.width, now.height, std::vector<std::uint32_t>(now.pixels.size())};
            const bool settled = now.width >= 600 && now.height >= 440 && now.differing(last) == 0 &&
                                 now.differing(black) > now.width * now.height / 2;
            last = std::move(now);
            return settled;
        }, 60)) << "the selection screen did not settle: " << last.width << " by " << last.height;
        return last;
    }

    // Waits for player one's portrait to change from the picture's.
    bool portraitChanges(const Picture& before)
    {
        return waitFor([&] {
            return capture(display, window).differing(before, portraitLeft, portraitTop, portraitRight,
                                                      portraitBottom) > 2000;
        }, 30);
    }

    // Waits for the entrance: the whole picture unlike the selection
    // screen's, and still moving.
    bool entranceRuns(const Picture& selection, Picture& seen)
    {
        if (!waitFor([&] { return capture(display, window).differing(selection) > selection.width * selection.height / 2; }, 30))
            return false;
        return waitFor([&] {
            Picture now = capture(display, window);
            const bool moving = now.differing(seen) > 1000;
            seen = std::move(now);
            return moving;
        }, 10);
    }
};

TEST_F(PadGame, WithPadsStartedTheKeysTheTimerAndSigtermWorkAsBefore)
{
    const Picture selection = startGame(TARVOK_BINARY);
    ASSERT_NE(window, 0u);
    // 'z' changes player one's character; 'f' and 'h' confirm both and the
    // entrance plays, frame after frame.
    sendKey(display, window, XK_z, KeyPress);
    sendKey(display, window, XK_z, KeyRelease);
    ASSERT_TRUE(portraitChanges(selection)) << "the keyboard did not reach the game";
    const Picture changed = capture(display, window);
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyPress);
    Picture seen;
    EXPECT_TRUE(entranceRuns(changed, seen)) << "no entrance after both players confirmed";
    for (KeySym key : {XK_f, XK_h})
        sendKey(display, window, key, KeyRelease);

    const int status = game.endWith(SIGTERM, 10);
    ASSERT_NE(status, -1) << "SIGTERM did not end the game";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    game.read();
    EXPECT_EQ(game.errors, "") << "no pad was expected, so nothing is said";
}

TEST_F(PadGame, VirtualPadsPlayTheRealWindowsGameAndCtrlCEndsIt)
{
    const Picture selection = startGame(TARVOK_PADPLAY);
    ASSERT_NE(window, 0u);
    game.say("plug\nplug\n");
    // Back on the first pad changes player one's character.
    game.say("button 0 back 1\n");
    ASSERT_TRUE(portraitChanges(selection)) << "the first pad's Back did not reach the game";
    game.say("button 0 back 0\n");
    const Picture changed = capture(display, window);
    // A on the first pad and Start on the second confirm both players.
    game.say("button 0 a 1\nbutton 1 start 1\n");
    Picture seen;
    EXPECT_TRUE(entranceRuns(changed, seen)) << "no entrance after both pads confirmed";
    game.say("button 0 a 0\nbutton 1 start 0\npull 0\n");
    EXPECT_TRUE(seen.save(shotDirectory() + "/pad_game_entrance.png"));

    const int status = game.endWith(SIGINT, 10);
    ASSERT_NE(status, -1) << "SIGINT did not end the game";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    game.read();
    EXPECT_EQ(game.errors, "");
}

} // namespace
