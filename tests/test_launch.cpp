// Starts the real game headless against a temporary game.ini, finds its
// window on the X display, and reads its loading log.
#include "tests/support.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace {

struct Game {
    pid_t pid = -1;
    int out = -1;
    std::string log;

    void start(const std::string& directory)
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            if (chdir(directory.c_str()) != 0)
                _exit(99);
            execl(TARVOK_BINARY, "tarvok", static_cast<char*>(nullptr));
            _exit(98);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
    }

    void readLog()
    {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out, buffer, sizeof buffer)) > 0)
            log.append(buffer, static_cast<std::size_t>(n));
    }

    bool running()
    {
        int status;
        return waitpid(pid, &status, WNOHANG) == 0;
    }

    ~Game()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (out >= 0)
            close(out);
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

// The window may be resized between two requests (the game resizes it to
// 640 x 480 at start); a failed image request is simply tried again.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// Counts pixels that are not black in the window: a drawn frame has many.
// The image is taken from the screen, clipped to it, since without a window
// manager the window sits a pixel off the screen's corner.
long litPixels(Display* display, Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    if (attributes.map_state != IsViewable)
        return 0;
    const Window root = DefaultRootWindow(display);
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    const int right = std::min(left + attributes.width, DisplayWidth(display, DefaultScreen(display)));
    const int bottom = std::min(top + attributes.height, DisplayHeight(display, DefaultScreen(display)));
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (right <= left || bottom <= top)
        return 0;
    XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    long lit = 0;
    for (int y = 0; y < bottom - top; y += 4)
        for (int x = 0; x < right - left; x += 4)
            lit += (XGetPixel(image, x, y) & 0xffffff) != 0;
    XDestroyImage(image);
    return lit;
}

bool waitFor(const std::function<bool()>& done, int seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

TEST(Launch, TheGameOpensItsWindowDrawsFramesAndLogsItsLoading)
{
    const char* displayName = std::getenv("DISPLAY");
    ASSERT_TRUE(displayName && *displayName) << "the test suite runs under xvfb-run";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XSetErrorHandler(ignoreXError);

    TempDir dir;
    writeFile(dir.file("game.ini"), std::string(TARVOK_RUN_DIR) + "/data/\n%.0s" + TARVOK_RUN_DIR + "/data/%s\n");
    Game game;
    game.start(dir.path);

    Window window = 0;
    ASSERT_TRUE(waitFor([&] { window = findWindow(display, DefaultRootWindow(display), "Tarvok");
                              return window != 0 || !game.running(); }, 60))
        << "no window titled Tarvok appeared";
    ASSERT_NE(window, 0u) << "the game ended before opening its window";
    EXPECT_TRUE(waitFor([&] { return litPixels(display, window) > 100; }, 60)) << "no frame was drawn";
    EXPECT_TRUE(game.running());

    game.readLog();
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
