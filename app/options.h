// The command line. Started without options the game is the two-player
// keyboard game; every other way of playing is asked for here.
#pragma once

#include <string>

struct Options {
    bool help = false;
    bool version = false;
    bool noSound = false;       // play silent, never opening the audio device
    bool noPads = false;        // keyboard only, leaving the game controllers alone
    std::string recordPath;     // write a recording of the game here
    std::string replayPath;     // play this recording back
    double replaySpeed = 1;     // times the recorded pace; 0 as fast as frames come
};

extern Options options;

// The game's version, as `tarvok --version` prints it.
extern const char* const gameVersion;

// Reads argv[1..] into `out`. On a bad option or value returns false with a
// one-line description of the problem in `error`.
bool parseOptions(int argc, char** argv, Options& out, std::string& error);

// The text `tarvok --help` prints.
std::string helpText();

// The options that shape a game (and so belong in a recording of it), as
// they would be written on the command line; empty when there are none.
std::string gameShapingOptions(const Options& o);
