#include "assets/clipfile.h"

#include "assets/config.h"
#include "assets/skeleton.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

DataText dataText(std::string_view text, const char* file)
{
    return DataText{file, std::string(text), 0};
}

// Skips white space; bad data when nothing is left.
static const char* nextNumber(DataText& data, const char* what)
{
    const char* text = data.text.c_str();
    while (data.at < data.text.size() && std::isspace(static_cast<unsigned char>(text[data.at])))
        ++data.at;
    if (data.at >= data.text.size() || text[data.at] == '\0')
        badData(data.path.c_str(), "ends early, in %s", what);
    return text + data.at;
}

// Quotes the offending word in an error message.
static std::string wordAt(const char* start)
{
    std::string word;
    while (*start && !std::isspace(static_cast<unsigned char>(*start)) && word.size() < 20)
        word += *start++;
    return word;
}

int readInt(DataText& data, const char* what)
{
    const char* start = nextNumber(data, what);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(start, &end, 0);
    if (end == start)
        badData(data.path.c_str(), "\"%s\" is not a number, in %s", wordAt(start).c_str(), what);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        badData(data.path.c_str(), "%s is out of range, in %s", wordAt(start).c_str(), what);
    data.at += static_cast<std::size_t>(end - start);
    return static_cast<int>(value);
}

float readFloat(DataText& data, const char* what)
{
    const char* start = nextNumber(data, what);
    char* end = nullptr;
    const float value = std::strtof(start, &end);
    if (end == start)
        badData(data.path.c_str(), "\"%s\" is not a number, in %s", wordAt(start).c_str(), what);
    if (!std::isfinite(value))
        badData(data.path.c_str(), "%s is not a finite number, in %s", wordAt(start).c_str(), what);
    data.at += static_cast<std::size_t>(end - start);
    return value;
}

// Names a track in error messages: "root track 2", "joint 5 rotation y".
static std::string trackName(int joint, int axis)
{
    static const char* const axes[3] = {"x", "y", "z"};
    if (joint < 0)
        return "root track " + std::to_string(axis);
    return "joint " + std::to_string(joint) + " rotation " + axes[axis];
}

float readBoundedFloat(DataText& data, const char* what)
{
    const float value = readFloat(data, what);
    if (std::fabs(value) > maxDataMagnitude)
        badData(data.path.c_str(), "%g is too large (more than %g), in %s", static_cast<double>(value),
                      static_cast<double>(maxDataMagnitude), what);
    return value;
}

// One track block: key count, end time, then time, value and second
// derivative per key. Keys must start at time 0 or later (the times before 0
// belong to blends, whose keys are later removed by their exact time) and
// rise strictly, or the spline divides by zero. How close they lie is the
// clip's own business.
static void readTrack(DataText& data, KeyTrack& track, int joint, int axis)
{
    const std::string name = trackName(joint, axis);
    const char* what = name.c_str();
    const int count = readInt(data, what);
    if (count < 0)
        badData(data.path.c_str(), "%s has a negative key count (%d)", what, count);
    if (count > track.capacity || static_cast<std::size_t>(count) > track.keys.size())
        badData(data.path.c_str(), "%s has %d keys; at most %d fit", what, count, track.capacity);
    const float endTime = readBoundedFloat(data, what);
    for (int k = 0; k < count; ++k) {
        Key& key = track.keys[static_cast<std::size_t>(k)];
        key.time = readBoundedFloat(data, what);
        key.value = readBoundedFloat(data, what);
        key.secondDerivative = readFloat(data, what);
        if (key.time < 0)
            badData(data.path.c_str(), "%s: key %d has the negative time %g", what, k,
                          static_cast<double>(key.time));
        if (k > 0 && !(key.time > track.keys[static_cast<std::size_t>(k - 1)].time))
            badData(data.path.c_str(), "%s: key %d at time %g does not come after the key before it",
                          what, k, static_cast<double>(key.time));
    }
    track.count = count;
    track.endTime = endTime;
}

void parseAnimation(Animation& animation, std::string_view text, const char* file)
{
    DataText data = dataText(text, file);
    const char* path = file;
    const int joints = readInt(data, "the joint count");
    if (joints != animation.boneCount)
        badData(path, "has %d joints but the skeleton has %d", joints, animation.boneCount);

    for (int axis = 0; axis < 6; ++axis)
        readTrack(data, animation.rootTracks[static_cast<std::size_t>(axis)], -1, axis);
    for (int b = 0; b < joints; ++b)
        for (int axis = 0; axis < 3; ++axis)
            readTrack(data, animation.bones[static_cast<std::size_t>(b)].rotationTracks[static_cast<std::size_t>(axis)],
                      b, axis);

    // The loop point and the root path at the loop come from the next-to-last
    // keys of root tracks 0 and 2.
    for (int axis : {0, 2})
        if (animation.rootTracks[static_cast<std::size_t>(axis)].count < 2)
            badData(path, "root track %d has %d keys; the loop point needs at least 2", axis,
                          animation.rootTracks[static_cast<std::size_t>(axis)].count);
    const KeyTrack& rootX = animation.rootTracks[0];
    const float length = rootX.keys[static_cast<std::size_t>(rootX.count - 2)].time;
    if (!(length > 0))
        badData(path, "the clip length (the next-to-last key time of root track 0) is %g, not positive",
                      static_cast<double>(length));
}

int loadAnimation(Animation& animation, const char* path)
{
    loadDataFile(path, [&](const std::string& text) { parseAnimation(animation, text, path); });
    return 1;
}
