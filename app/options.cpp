#include "app/options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

#ifndef TARVOK_VERSION
#define TARVOK_VERSION "0.0.0"
#endif

Options options;
const char* const gameVersion = TARVOK_VERSION;

namespace {

// A file named on the command line. The installed launcher starts the game
// in a folder of its own and says in TARVOK_START_DIR where the player
// was, so a relative name means there.
std::string startFolderPath(const std::string& name)
{
    const char* start = std::getenv("TARVOK_START_DIR");
    if (name[0] == '/' || !start || !*start)
        return name;
    return std::string(start) + "/" + name;
}

// The value of an option given as "--name value" or "--name=value"; false
// when it is not this option. A missing value leaves `value` empty.
bool optionValue(std::string_view name, int argc, char** argv, int& i, std::string_view& value)
{
    const std::string_view arg = argv[i];
    if (arg == name) {
        value = i + 1 < argc ? std::string_view(argv[++i]) : std::string_view();
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

bool parseSides(std::string_view value, int& sides)
{
    if (value == "one")
        sides = 1;
    else if (value == "two")
        sides = 2;
    else if (value == "both")
        sides = 3;
    else
        return false;
    return true;
}

} // namespace

bool parseOptions(int argc, char** argv, Options& out, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view value;
        // A file's or a number's value: the next argument, or after '='.
        auto needValue = [&]() {
            if (value.empty())
                error = "option '" + std::string(arg.substr(0, arg.find('='))) + "' needs a value (try tarvok --help)";
            return !value.empty();
        };
        if (optionValue("--record", argc, argv, i, value) || optionValue("--replay", argc, argv, i, value)) {
            if (!needValue())
                return false;
            (arg.substr(0, 8) == "--record" ? out.recordPath : out.replayPath) = startFolderPath(std::string(value));
        } else if (optionValue("--replay-speed", argc, argv, i, value)) {
            if (!needValue())
                return false;
            const std::string given(value);
            char* end = nullptr;
            errno = 0;
            const double speed = std::strtod(given.c_str(), &end);
            if (end == given.c_str() || *end || errno || !std::isfinite(speed) || speed < 0 || speed > 1000) {
                error = "--replay-speed takes a number from 0 to 1000, not '" + given + "'";
                return false;
            }
            out.replaySpeed = speed;
        } else if (optionValue("--cpu", argc, argv, i, value)) {
            if (!parseSides(value, out.computerPlayers)) {
                error = value.empty() ? "--cpu needs a value: one, two or both"
                                      : "bad value '" + std::string(value) + "' for --cpu (one, two or both)";
                return false;
            }
        } else if (optionValue("--level", argc, argv, i, value)) {
            if (!parseLevel(value, out.level)) {
                error = value.empty() ? "--level needs a value: easy, normal or hard"
                                      : "bad value '" + std::string(value) + "' for --level (easy, normal or hard)";
                return false;
            }
            out.levelGiven = true;
        } else if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--version") {
            out.version = true;
        } else if (arg == "--no-sound") {
            out.noSound = true;
        } else if (arg == "--no-pads") {
            out.noPads = true;
        } else {
            error = "unknown option '" + std::string(arg) + "' (try tarvok --help)";
            return false;
        }
    }
    if (!out.recordPath.empty() && !out.replayPath.empty()) {
        error = "--record and --replay cannot be used together";
        return false;
    }
    if (out.levelGiven && out.computerPlayers == 0 && !out.help && !out.version) {
        error = "--level sets how the computer plays; add --cpu one, two or both";
        return false;
    }
    return true;
}

std::string gameShapingOptions(const Options& o)
{
    // The computer players' keys are recorded with everyone else's; their
    // options are kept for whoever reads the recording.
    if (o.computerPlayers == 0)
        return "";
    constexpr const char* sides[] = {"", "one", "two", "both"};
    constexpr const char* levels[] = {"easy", "normal", "hard"};
    return std::string("--cpu ") + sides[o.computerPlayers] + " --level " + levels[o.level];
}

std::string helpText()
{
    return "Usage: tarvok [options]\n"
           "Two wrestlers, one keyboard, one ring. Run it in a folder that holds game.ini\n"
           "(the installed tarvok command makes one of its own).\n"
           "\n"
           "Options:\n"
           "  -h, --help           print this help and exit\n"
           "      --version        print the version and exit\n"
           "      --no-sound       play without sound, leaving the audio device alone\n"
           "                       (TARVOK_NO_SOUND=1 in the environment does the same)\n"
           "      --no-pads        play on the keyboard only, leaving game controllers untouched\n"
           "      --cpu two        the computer plays player two: play alone as player one\n"
           "      --cpu one        the computer plays player one: play alone as player two\n"
           "      --cpu both       the computer plays both: a demo that runs until the window\n"
           "                       is closed\n"
           "      --level LEVEL    how well the computer plays: easy, normal (the default)\n"
           "                       or hard\n"
           "      --record FILE    write a recording of the game into FILE, frame by frame\n"
           "      --replay FILE    play a recorded game back exactly; keys are ignored meanwhile\n"
           "      --replay-speed N play it back N times as fast as it was played (0: as fast\n"
           "                       as the frames come; 1 by default)\n";
}
