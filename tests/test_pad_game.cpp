// The real program with its pad support started, on an X server of the
// test's own: the keyboard, the window and the frame timer work as before,
// Ctrl+C and SIGTERM still end it at once, and virtual pads play the real
// window's game (through the pad player, the game with virtual pads fed
// from standard input).
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/support.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool waitFor(const std::function<bool()>& done, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

// An X server of the test's own, so the program's window is the only one
// on it.
struct PrivateDisplay {
    pid_t pid = -1;
    std::string name;

    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid = fork();
        if (pid < 0)
            return false;
        if (pid == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(98);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        name = ":" + number;
        return !number.empty();
    }

    ~PrivateDisplay()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

// The game run from a temporary folder, with its standard input a pipe of
// the test's, its standard error read back, and its log thrown away.
struct Program {
    pid_t pid = -1;
    int in = -1, err = -1;
    std::string errors;

    void start(const std::string& binary, const std::string& directory, const std::string& display)
    {
        int input[2], error[2];
        ASSERT_EQ(pipe(input), 0);
        ASSERT_EQ(pipe(error), 0);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(input[0], 0);
            dup2(error[1], 2);
            close(input[1]);
            close(error[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            if (chdir(directory.c_str()) != 0)
                _exit(99);
            // As started from a terminal, whatever started the tests.
            signal(SIGINT, SIG_DFL);
            signal(SIGTERM, SIG_DFL);
            setenv("DISPLAY", display.c_str(), 1);
            setenv("TARVOK_NO_SOUND", "1", 1);
            execl(binary.c_str(), "tarvok", static_cast<char*>(nullptr));
            _exit(98);
        }
        close(input[0]);
        close(error[1]);
        in = input[1];
        err = error[0];
        fcntl(err, F_SETFL, O_NONBLOCK);
    }

    void say(const std::string& lines)
    {
        ASSERT_EQ(write(in, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    }

    void readErrors()
    {
        char buffer[4096];
        ssize_t n;
        while ((n = read(err, buffer, sizeof buffer)) > 0)
            errors.append(buffer, static_cast<std::size_t>(n));
    }

    bool running() { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

    // Sends the signal and waits at most `seconds` for the program to end.
    // Returns the wait status, or -1 if it did not end.
    int endWith(int signal, double seconds)
    {
        kill(pid, signal);
        int status = 0;
        if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds))
            return -1;
        pid = -1;
        return status;
    }

    ~Program()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (in >= 0)
            close(in);
        if (err >= 0)
            close(err);
    }
};

Window findWindow(Display* display, Window root, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, root, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return root;
    }
    Window parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = findWindow(display, children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// What the window shows, top row first, as 0xRRGGBB; empty when it cannot
// be read. Read from the screen, clipped to it.
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
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return picture;
    const Window root = DefaultRootWindow(display);
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    const int right = std::min(left + attributes.width, DisplayWidth(display, DefaultScreen(display)));
    const int bottom = std::min(top + attributes.height, DisplayHeight(display, DefaultScreen(display)));
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (right <= left || bottom <= top)
        return picture;
    XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image)
        return picture;
    picture.width = right - left;
    picture.height = bottom - top;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[static_cast<std::size_t>(y) * picture.width + x] =
                static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffff);
    XDestroyImage(image);
    return picture;
}

void sendKey(Display* display, Window window, KeySym symbol, int type)
{
    XEvent event{};
    event.xkey.type = type;
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.time = CurrentTime;
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display, symbol);
    XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    XFlush(display);
}

// Player one's portrait on the selection screen, in the 640 by 480 window
// (give or take the pixel the screen's edge may clip).
constexpr int portraitLeft = 64, portraitTop = 112, portraitRight = 192, portraitBottom = 240;

class PadGame : public testing::Test {
protected:
    PrivateDisplay server;
    Display* display = nullptr;
    TempDir dir;
    Program game;
    Window window = 0;

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs the X display of xvfb-run";
        ASSERT_TRUE(server.start()) << "no X server of its own";
        display = XOpenDisplay(server.name.c_str());
        ASSERT_NE(display, nullptr);
        XSetErrorHandler(ignoreXError);
        writeFile(dir.file("game.ini"), std::string(TARVOK_RUN_DIR) + "/data/\n%.0s" + TARVOK_RUN_DIR + "/data/%s\n");
    }

    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
    }

    // Starts the program and waits for its selection screen to show and
    // hold still. Returns that picture.
    Picture startGame(const std::string& binary)
    {
        game.start(binary, dir.path, server.name);
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
    game.readErrors();
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
    game.readErrors();
    EXPECT_EQ(game.errors, "");
}

} // namespace
