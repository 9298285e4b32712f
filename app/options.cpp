#include "app/options.h"

#include <string_view>

#ifndef TARVOK_VERSION
#define TARVOK_VERSION "0.0.0"
#endif

Options options;
const char* const gameVersion = TARVOK_VERSION;

namespace {

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
        if (optionValue("--cpu", argc, argv, i, value)) {
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
        } else {
            error = "unknown option '" + std::string(arg) + "' (try tarvok --help)";
            return false;
        }
    }
    if (out.levelGiven && out.computerPlayers == 0 && !out.help && !out.version) {
        error = "--level sets how the computer plays; add --cpu one, two or both";
        return false;
    }
    return true;
}

std::string helpText()
{
    return "Usage: tarvok [options]\n"
           "Two wrestlers, one keyboard, one ring. Run it in a folder that holds game.ini.\n"
           "\n"
           "Options:\n"
           "  -h, --help           print this help and exit\n"
           "      --version        print the version and exit\n"
           "      --no-sound       play without sound, leaving the audio device alone\n"
           "                       (TARVOK_NO_SOUND=1 in the environment does the same)\n"
           "      --cpu two        the computer plays player two: play alone as player one\n"
           "      --cpu one        the computer plays player one: play alone as player two\n"
           "      --cpu both       the computer plays both: a demo that runs until the window\n"
           "                       is closed\n"
           "      --level LEVEL    how well the computer plays: easy, normal (the default)\n"
           "                       or hard\n";
}
