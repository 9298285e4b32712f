// game.ini, the data and sound paths built from it, the loading log, and
// the one way start-up gives up on bad data. The sound calls that take the
// paths built here live in sound/.
#pragma once

#include "sound/sound.h"

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t settingCapacity = 256;   // 255 characters and the end
constexpr std::size_t pathCapacity = 512;

extern char dataDirectory[settingCapacity];
extern char soundPathFormat[settingCapacity];
extern char pathBuffer[pathCapacity];

// Reads the two settings from the configuration file (normally "game.ini"
// in the working directory). A missing or short file, a setting longer than
// 255 characters or an unsafe sound pattern (anything but at most two "%s"
// or "%.0s" conversions) stops the program.
void readConfig(const char* file = "game.ini");
// The same from the file's text in memory; a problem is thrown as a
// DataFileError naming `file`.
void parseConfig(std::string_view text, const char* file);

// Both return pathBuffer, valid until the next call of either, and log
// "Loading : <path>".
const char* dataPath(const char* fileName);
const char* soundPath(const char* soundFile);

// The part of a host name that enters sound paths: the name without its last
// five characters, empty when the name is unset or shorter.
void hostPart(const char* hostName, char* out, std::size_t outSize);

// A data file the game cannot use: which file, and what is wrong with it.
// The readers that work on text in memory throw it, so that their callers
// (the game's loaders, and the fuzzing targets) decide what follows.
struct DataFileError {
    std::string file;
    std::string problem;
};
[[noreturn]] void badData(const char* file, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Prints "tarvok: <file>: <problem>" on one line to standard error and ends
// the program with status 1: the game's answer to bad data.
[[noreturn]] void dataFileError(const char* file, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
[[noreturn]] void stopOnDataFileError(const DataFileError& error);

// The whole file as bytes; false when it cannot be opened or read.
bool readWholeFile(const char* path, std::string& out);

// The game's way with a data file: reads it whole and hands the text to
// `parse`; a file that cannot be read, or bad data in it, stops the program
// with one line naming it.
template <typename Parse>
void loadDataFile(const char* path, Parse&& parse)
{
    std::string text;
    if (!readWholeFile(path, text))
        dataFileError(path, "cannot be opened");
    try {
        parse(text);
    } catch (const DataFileError& error) {
        stopOnDataFileError(error);
    }
}
