// The built game program run by tests: started in a folder of the test's,
// with its output collected, on an X server of the test's own when it must
// be alone there; and its window found and read back.
#pragma once

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct RealGame {
    std::string binary = TARVOK_BINARY;     // the program to start
    pid_t pid = -1;
    int in = -1, out = -1, err = -1;
    std::string log, errors;

    // Starts the game in `folder` with the arguments and the environment
    // additions ("NAME=value"; "NAME=" leaves NAME empty), as started from a
    // terminal: Ctrl+C and SIGTERM at their default actions.
    void start(const std::string& folder, const std::vector<std::string>& arguments = {},
               const std::vector<std::string>& environment = {});
    // Writes to its standard input.
    void say(const std::string& lines);
    // Collects what it wrote so far.
    void read();
    bool running();
    // Sends the signal (if any) and waits for the end, at most `seconds`;
    // the wait status, or -1 if it did not end.
    int endWith(int signal, double seconds);
    ~RealGame();
};

// An X server of the test's own, so the game's window is the only one titled
// Tarvok on it whatever other tests run beside.
struct PrivateDisplay {
    pid_t pid = -1;
    std::string name;
    Display* display = nullptr;     // the test's connection, opened by start
    bool start();
    ~PrivateDisplay();
};

// A connection to the X server `name` (nullptr: $DISPLAY) on which a failed
// request is ignored: a window can go away or change size between two
// requests, and a failed image request is simply tried again.
Display* openDisplay(const char* name);

// game.ini in `folder`, naming the build's generated data.
void writeGameIni(const std::string& folder);

bool waitFor(const std::function<bool()>& done, double seconds);

// Sends a key press or release (`type` KeyPress or KeyRelease) to the window.
void sendKey(Display* display, Window window, KeySym symbol, int type);

// The first window under `root` with that title, or 0.
Window findWindow(Display* display, Window root, const char* title);

// The window's pixels as RGBA rows, bottom row first (as glReadPixels
// gives them), the size of the window, taken from the screen: without a
// window manager the window may sit partly off the screen's corner, and
// what lies off the screen reads black. Empty when it is not shown.
std::vector<unsigned char> windowPixels(Display* display, Window window, int& width, int& height);
// Which of the window's pixels windowPixels could read (true) and which lay
// off the screen, in the same order.
std::vector<bool> windowPixelsOnScreen(Display* display, Window window);
