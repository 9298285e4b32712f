// Numeric core of the animation system: a double 4x4 matrix, a double
// 3-vector, and keyframe tracks interpolated by a natural cubic spline.
#pragma once

#include <vector>

// 16 doubles, row-major, used with column vectors (translation in 3, 7, 11).
struct Matrix4 {
    double m[16];
};

struct Vector3 {
    double x, y, z;
};

// One keyframe. Note the field order: value first, as the game holds it,
// while the clip files write the time first.
struct Key {
    float value;
    float time;
    float secondDerivative;
};

// The keys of one animated quantity, sorted by ascending time. `keys` always
// has `capacity` entries; the first `count` are in use.
struct KeyTrack {
    std::vector<Key> keys;
    int count = 0;
    int capacity = 0;
    float endTime = 0;
};

constexpr int trackCapacity = 100;

// Degrees to radians the way the game has always done it: 1/360 and 6.282,
// so a 90-degree turn is 1.5705 radians, a hair short of a right angle.
constexpr float degreesToTurn = 1.0f / 360.0f;
constexpr double twoPiApprox = 6.282;
// Headings convert with 1/180 and 3.141.
constexpr float degreesToHalfTurn = 1.0f / 180.0f;
constexpr double piApprox = 3.141;

void matIdentity(Matrix4& m);
void matCopy(const Matrix4& src, Matrix4& dst);
void matMultiply(Matrix4& dst, const Matrix4& a, const Matrix4& b);
void matRotate(Matrix4& m, double degrees, double ax, double ay, double az);
void matTranslate(Matrix4& m, double tx, double ty, double tz);
void matTransformPoint(Vector3& out, const Matrix4& m, double x, double y, double z);
void matTransformDirection(Vector3& out, const Matrix4& m, double x, double y, double z);

void vecSet(Vector3& out, double x, double y, double z);
void vecScale(Vector3& out, double s, double x, double y, double z);
void vecCross(Vector3& out, const Vector3& u, const Vector3& v);
// Scales v to unit length and returns its former length; a negligible vector
// is left as it is and 0 is returned.
double vecNormalize(Vector3& v);

// Gives a track `capacity` empty key slots.
void trackCreate(KeyTrack& track, int capacity = trackCapacity);
void trackSolveSpline(KeyTrack& track);
float splineEvaluate(const KeyTrack& track, float t);
float trackSample(const KeyTrack& track, float t);
void trackInsertKey(KeyTrack& track, float t, float value);
void trackRemoveKey(KeyTrack& track, float t);
