// Reading one keyframed clip (".anim") into a record whose skeleton is loaded.
#pragma once

#include <string>

struct Animation;

// Fills the record's key tracks from the file. A missing or short file, a
// joint count that differs from the skeleton's, a track of more than 100 keys,
// or root tracks that cannot give the clip a positive length stop the
// program with a one-line error. Returns 1.
int loadAnimation(Animation& animation, const char* path);

// Largest magnitude a key time, value or slope may have; beyond it the spline
// arithmetic could overflow, so such a file is taken for corrupt.
constexpr float maxKeyMagnitude = 1.0e6f;
// Neighbouring key times must differ by at least this much.
constexpr float minKeySpacing = 1.0e-3f;

// A whole text data file in memory, taken apart number by number the way
// formatted input reads it (any white space separates numbers, integers may
// be octal or hexadecimal). Every reader stops the program with a one-line
// error naming the file when the text ends early, holds something that is
// not a number, or a number out of range or not finite. The mesh and clip
// loaders share it.
struct DataText {
    std::string path;
    std::string text;
    std::size_t at = 0;
};

// False when the file cannot be opened.
bool openDataText(DataText& data, const char* path);
int readInt(DataText& data, const char* what);
float readFloat(DataText& data, const char* what);
