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
std::string startFolderPath(const char* name)
{
    const char* start = std::getenv("TARVOK_START_DIR");
    if (name[0] == '/' || !start || !*start)
        return name;
    return std::string(start) + "/" + name;
}

} // namespace

bool parseOptions(int argc, char** argv, Options& out, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // The option's value: the next argument.
        auto value = [&](const char*& into) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                error = "option '" + std::string(arg) + "' needs a value (try tarvok --help)";
                return false;
            }
            into = argv[++i];
            return true;
        };
        const char* given = nullptr;
        if (arg == "--record" || arg == "--replay") {
            if (!value(given))
                return false;
            (arg == "--record" ? out.recordPath : out.replayPath) = startFolderPath(given);
        } else if (arg == "--replay-speed") {
            if (!value(given))
                return false;
            char* end = nullptr;
            errno = 0;
            const double speed = std::strtod(given, &end);
            if (end == given || *end || errno || !std::isfinite(speed) || speed < 0 || speed > 1000) {
                error = "--replay-speed takes a number from 0 to 1000, not '" + std::string(given) + "'";
                return false;
            }
            out.replaySpeed = speed;
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
    return true;
}

std::string gameShapingOptions(const Options&)
{
    return "";
}

std::string helpText()
{
    return "Usage: tarvok [options]\n"
           "Two wrestlers, one keyboard, one ring. Run it in a folder that holds game.ini.\n"
           "\n"
           "Options:\n"
           "  -h, --help      print this help and exit\n"
           "      --version   print the version and exit\n"
           "      --no-sound  play without sound, leaving the audio device alone\n"
           "                  (TARVOK_NO_SOUND=1 in the environment does the same)\n"
           "      --no-pads   play on the keyboard only, leaving game controllers untouched\n"
           "      --record FILE\n"
           "                  write a recording of the game into FILE, frame by frame\n"
           "      --replay FILE\n"
           "                  play a recorded game back exactly; keys are ignored meanwhile\n"
           "      --replay-speed N\n"
           "                  play it back N times as fast as it was played (0: as fast\n"
           "                  as the frames come; 1 by default)\n";
}
