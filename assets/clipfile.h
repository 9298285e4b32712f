// Reading one keyframed clip (".anim") into a record whose skeleton is loaded.
#pragma once

#include <string>
#include <string_view>

struct Animation;

// Fills the record's key tracks from the file. A missing or short file, a
// joint count that differs from the skeleton's, a track of more than 100 keys,
// or root tracks that cannot give the clip a positive length stop the
// program with a one-line error. Returns 1.
int loadAnimation(Animation& animation, const char* path);
// The same from the clip's text in memory; a problem is thrown as a
// DataFileError naming `file`.
void parseAnimation(Animation& animation, std::string_view text, const char* file);

// Largest magnitude a key time or value, or a joint offset, may have.
// Clips and bones are tens of units and a few turns at most; far beyond that
// the positions and matrices built from them overflow, so such a file is
// taken for corrupt. (Second derivatives are only required to be finite:
// keys close together legitimately give large ones, and the spline
// arithmetic falls back to a straight line where it would overflow.)
constexpr float maxDataMagnitude = 1.0e6f;

// A whole text data file in memory, taken apart number by number the way
// formatted input reads it (any white space separates numbers, integers may
// be octal or hexadecimal). Every reader throws a DataFileError naming the
// file when the text ends early, holds something that is not a number, or a
// number out of range or not finite. The skeleton, mesh and clip readers
// share it.
struct DataText {
    std::string path;
    std::string text;
    std::size_t at = 0;
};

DataText dataText(std::string_view text, const char* file);
int readInt(DataText& data, const char* what);
float readFloat(DataText& data, const char* what);
// A finite number of magnitude at most maxDataMagnitude.
float readBoundedFloat(DataText& data, const char* what);
