#include "tests/real_game.h"
#include "tests/support.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

void RealGame::start(const std::string& folder, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment)
{
    int inPipe[2], outPipe[2], errPipe[2];
    ASSERT_EQ(pipe(inPipe), 0);
    ASSERT_EQ(pipe(outPipe), 0);
    ASSERT_EQ(pipe(errPipe), 0);
    pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(inPipe[0], 0);
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        close(inPipe[1]);
        close(outPipe[0]);
        close(errPipe[0]);
        if (chdir(folder.c_str()) != 0)
            _exit(99);
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        for (const std::string& e : environment)
            putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv{const_cast<char*>("tarvok")};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(98);
    }
    close(inPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    in = inPipe[1];
    out = outPipe[0];
    err = errPipe[0];
    fcntl(out, F_SETFL, O_NONBLOCK);
    fcntl(err, F_SETFL, O_NONBLOCK);
}

void RealGame::say(const std::string& lines)
{
    ASSERT_EQ(write(in, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
}

void RealGame::read()
{
    char buffer[4096];
    ssize_t n;
    while (out >= 0 && (n = ::read(out, buffer, sizeof buffer)) > 0)
        log.append(buffer, static_cast<std::size_t>(n));
    while (err >= 0 && (n = ::read(err, buffer, sizeof buffer)) > 0)
        errors.append(buffer, static_cast<std::size_t>(n));
}

bool RealGame::running()
{
    int status;
    return pid > 0 && waitpid(pid, &status, WNOHANG) == 0;
}

int RealGame::endWith(int signal, double seconds)
{
    if (signal)
        kill(pid, signal);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        read();
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            read();
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

RealGame::~RealGame()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    for (int fd : {in, out, err})
        if (fd >= 0)
            close(fd);
}

bool PrivateDisplay::start()
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
    // The server writes its display number once it is ready.
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    name = ":" + number;
    if (!number.empty())
        display = openDisplay(name.c_str());
    return display != nullptr;
}

PrivateDisplay::~PrivateDisplay()
{
    if (display)
        XCloseDisplay(display);
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
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

namespace {

int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

Display* openDisplay(const char* name)
{
    Display* display = XOpenDisplay(name);
    XSetErrorHandler(ignoreXError);
    return display;
}

void writeGameIni(const std::string& folder)
{
    writeFile(folder + "/game.ini", std::string(TARVOK_RUN_DIR) + "/data/\n%.0s" + TARVOK_RUN_DIR + "/data/%s\n");
}

bool waitFor(const std::function<bool()>& done, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

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

namespace {

// The part of the window on the screen, in window and screen coordinates.
struct OnScreen {
    int windowWidth = 0, windowHeight = 0;
    int left = 0, top = 0, right = 0, bottom = 0;   // screen
    int offsetX = 0, offsetY = 0;                   // window minus screen
};

bool onScreen(Display* display, Window window, OnScreen& part)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    const Window root = DefaultRootWindow(display);
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    part.windowWidth = attributes.width;
    part.windowHeight = attributes.height;
    part.offsetX = -left;
    part.offsetY = -top;
    part.right = std::min(left + attributes.width, DisplayWidth(display, DefaultScreen(display)));
    part.bottom = std::min(top + attributes.height, DisplayHeight(display, DefaultScreen(display)));
    part.left = std::max(left, 0);
    part.top = std::max(top, 0);
    return part.right > part.left && part.bottom > part.top;
}

} // namespace

std::vector<unsigned char> windowPixels(Display* display, Window window, int& width, int& height)
{
    width = height = 0;
    OnScreen part;
    if (!onScreen(display, window, part))
        return {};
    XImage* image = XGetImage(display, DefaultRootWindow(display), part.left, part.top,
                              static_cast<unsigned>(part.right - part.left),
                              static_cast<unsigned>(part.bottom - part.top), AllPlanes, ZPixmap);
    if (!image)
        return {};
    width = part.windowWidth;
    height = part.windowHeight;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4, 0);
    for (int y = 0; y < part.bottom - part.top; ++y)
        for (int x = 0; x < part.right - part.left; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const int wx = x + part.left + part.offsetX, wy = y + part.top + part.offsetY;
            unsigned char* p = &rgba[(static_cast<std::size_t>(height - 1 - wy) * width + wx) * 4];
            p[0] = static_cast<unsigned char>((pixel >> 16) & 0xff);
            p[1] = static_cast<unsigned char>((pixel >> 8) & 0xff);
            p[2] = static_cast<unsigned char>(pixel & 0xff);
            p[3] = 255;
        }
    XDestroyImage(image);
    return rgba;
}

std::vector<bool> windowPixelsOnScreen(Display* display, Window window)
{
    OnScreen part;
    if (!onScreen(display, window, part))
        return {};
    std::vector<bool> shown(static_cast<std::size_t>(part.windowWidth) * part.windowHeight, false);
    for (int sy = part.top; sy < part.bottom; ++sy)
        for (int sx = part.left; sx < part.right; ++sx) {
            const int wx = sx + part.offsetX, wy = sy + part.offsetY;
            shown[static_cast<std::size_t>(part.windowHeight - 1 - wy) * part.windowWidth + wx] = true;
        }
    return shown;
}
