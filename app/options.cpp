#include "app/options.h"

#include <string_view>

#ifndef TARVOK_VERSION
#define TARVOK_VERSION "0.0.0"
#endif

Options options;
const char* const gameVersion = TARVOK_VERSION;

bool parseOptions(int argc, char** argv, Options& out, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
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
    return true;
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
           "      --no-pads   play on the keyboard only, leaving game controllers untouched\n";
}
