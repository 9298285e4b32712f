#include "tools/datatool/clips_author.h"

#include "anim/maths.h"
#include "anim/pose.h"
#include "assets/config.h"
#include "assets/skeleton.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

// ---------------------------------------------------------------- poses

Pose& Pose::body(float pitch, float yaw, float roll)
{
    r[Body][0] = pitch;
    r[Body][1] = yaw;
    r[Body][2] = roll;
    return *this;
}

Pose& Pose::torso(float bend, float twist, float lean)
{
    r[Torso][0] = bend;
    r[Torso][1] = twist;
    r[Torso][2] = lean;
    return *this;
}

Pose& Pose::head(float nod, float turn, float tilt)
{
    r[Head][0] = nod;
    r[Head][1] = turn;
    r[Head][2] = tilt;
    return *this;
}

Pose& Pose::arm(Side s, float lower, float forward, float swing, float elbow)
{
    // The -x arm lowers with +z and swings forward with +y; the +x arm is
    // its mirror image. Both pitch forward with -x.
    const float sign = s == Right ? 1.0f : -1.0f;
    float* upper = r[s == Right ? RightUpperArm : LeftUpperArm];
    float* fore = r[s == Right ? RightForearm : LeftForearm];
    upper[0] = -forward;
    upper[1] = sign * swing;
    upper[2] = sign * lower;
    fore[0] = 0;
    fore[1] = sign * elbow;
    fore[2] = 0;
    return *this;
}

Pose& Pose::flex(Side s, float angle)
{
    r[s == Right ? RightForearm : LeftForearm][2] = s == Right ? -angle : angle;
    return *this;
}

Pose& Pose::leg(Side s, float forward, float out, float knee)
{
    float* thigh = r[s == Right ? RightThigh : LeftThigh];
    float* shin = r[s == Right ? RightShin : LeftShin];
    thigh[0] = -forward;
    thigh[1] = 0;
    thigh[2] = s == Right ? -out : out;
    shin[0] = knee;
    shin[1] = 0;
    shin[2] = 0;
    return *this;
}

Pose Pose::mirrored() const
{
    static constexpr int pairs[][2] = {
        {RightHip, LeftHip}, {RightThigh, LeftThigh}, {RightShin, LeftShin},
        {RightShoulder, LeftShoulder}, {RightUpperArm, LeftUpperArm},
        {RightForearm, LeftForearm}, {RightHand, LeftHand}};
    Pose m = *this;
    for (const auto& p : pairs)
        for (int a = 0; a < 3; ++a) {
            m.r[p[0]][a] = r[p[1]][a];
            m.r[p[1]][a] = r[p[0]][a];
        }
    for (auto& joint : m.r) {
        joint[1] = -joint[1];
        joint[2] = -joint[2];
    }
    return m;
}

// ---------------------------------------------------------------- clips

Clip::Clip(std::string fileName, float clipLength, bool looping)
    : file(std::move(fileName)), length(clipLength), loops(looping)
{
}

Clip& Clip::at(float time, const Pose& pose)
{
    poseTimes.push_back(time);
    poses.push_back(pose);
    return *this;
}

// A root knot; one given again for a time already keyed replaces it (a
// grounded pose whose height is then set), rather than leaving two knots
// at one time for the curve to jump between.
static void setKnot(std::vector<Knot>& knots, float time, float value)
{
    for (Knot& k : knots)
        if (std::fabs(k.time - time) < 1e-4f) {
            k.value = value;
            return;
        }
    knots.push_back({time, value});
}

Clip& Clip::x(float time, float value)
{
    setKnot(rootX, time, value);
    return *this;
}

Clip& Clip::y(float time, float value)
{
    setKnot(rootY, time, value);
    return *this;
}

Clip& Clip::z(float time, float value)
{
    setKnot(rootZ, time, value);
    return *this;
}

Clip& Clip::plant(Side s, float from, float to, float at)
{
    FootPlant p{from, to};
    p.at = at;
    plants[s == Right ? 0 : 1].push_back(p);
    return *this;
}

Clip& Clip::plantAt(Side s, float from, float to, float x, float z, float yaw)
{
    plants[s == Right ? 0 : 1].push_back({from, to, x, z, yaw});
    return *this;
}

Clip& Clip::ground(float time, const Pose& pose)
{
    return y(time, groundHeight(pose));
}

Clip& Clip::grounded(float time, const Pose& pose)
{
    at(time, pose);
    return ground(time, pose);
}

// ------------------------------------------------ monotone cubic channels

namespace {

// Knot slopes for a monotone cubic (Fritsch and Carlson): zero at every
// local extremum and on holds, so the curve never overshoots its knots.
std::vector<float> knotSlopes(const std::vector<Knot>& k, bool loops)
{
    const std::size_t n = k.size();
    std::vector<float> m(n, 0.0f);
    if (n < 2)
        return m;
    std::vector<float> d(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i)
        d[i] = (k[i + 1].value - k[i].value) / (k[i + 1].time - k[i].time);
    auto blend = [](float a, float b) { return a * b <= 0 ? 0.0f : 0.5f * (a + b); };
    for (std::size_t i = 1; i + 1 < n; ++i)
        m[i] = blend(d[i - 1], d[i]);
    if (loops) {
        // The two ends meet: the first segment follows the last. A loop that
        // travels (root motion) compares slopes, not values, so this holds.
        m[0] = m[n - 1] = blend(d[n - 2], d[0]);
    } else {
        m[0] = d[0];
        m[n - 1] = d[n - 2];
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (d[i] == 0) {
            m[i] = m[i + 1] = 0;
            continue;
        }
        float a = m[i] / d[i], b = m[i + 1] / d[i];
        if (a < 0)
            m[i] = a = 0;
        if (b < 0)
            m[i + 1] = b = 0;
        const float s = a * a + b * b;
        if (s > 9) {
            const float tau = 3.0f / std::sqrt(s);
            m[i] = tau * a * d[i];
            m[i + 1] = tau * b * d[i];
        }
    }
    return m;
}

struct Channel {
    std::vector<Knot> knots;
    std::vector<float> slopes;

    Channel(std::vector<Knot> k, bool loops) : knots(std::move(k))
    {
        std::stable_sort(knots.begin(), knots.end(),
                         [](const Knot& a, const Knot& b) { return a.time < b.time; });
        slopes = knotSlopes(knots, loops);
    }

    float value(float t) const
    {
        if (knots.empty())
            return 0;
        if (t <= knots.front().time)
            return knots.front().value;
        if (t >= knots.back().time)
            return knots.back().value;
        // The segment whose end is the first knot at or after t.
        const std::size_t i = static_cast<std::size_t>(
            std::lower_bound(knots.begin() + 1, knots.end(), t, [](const Knot& k, float v) { return k.time < v; })
            - knots.begin() - 1);
        const Knot& a = knots[i];
        const Knot& b = knots[i + 1];
        const float h = b.time - a.time;
        const float s = (t - a.time) / h;
        const float s2 = s * s, s3 = s2 * s;
        return (2 * s3 - 3 * s2 + 1) * a.value + (s3 - 2 * s2 + s) * h * slopes[i]
             + (-2 * s3 + 3 * s2) * b.value + (s3 - s2) * h * slopes[i + 1];
    }

    // Slope at t, used to carry root motion past the clip's end.
    float slopeAt(float t) const
    {
        if (knots.size() < 2 || t < knots.front().time || t > knots.back().time)
            return 0;
        const float e = 0.25f;
        return (value(t) - value(t - e)) / e;
    }
};

std::vector<Knot> poseChannel(const Clip& clip, int joint, int axis)
{
    std::vector<Knot> k;
    for (std::size_t i = 0; i < clip.poses.size(); ++i)
        k.push_back({clip.poseTimes[i], clip.poses[i].r[joint][axis]});
    return k;
}

} // namespace

float channelValue(const std::vector<Knot>& knots, float t, bool loops, float)
{
    return Channel(knots, loops).value(t);
}

Pose poseAt(const Clip& clip, float t)
{
    Pose p;
    for (int j = 0; j < layoutJointCount; ++j)
        for (int a = 0; a < 3; ++a)
            p.r[j][a] = Channel(poseChannel(clip, j, a), clip.loops).value(t);
    return p;
}

Timeline sampleTimeline(const Clip& clip, float step)
{
    std::vector<Channel> joints;
    for (int j = 0; j < layoutJointCount; ++j)
        for (int a = 0; a < 3; ++a)
            joints.emplace_back(poseChannel(clip, j, a), clip.loops);
    const Channel x(clip.rootX, clip.loops), y(clip.rootY, clip.loops), z(clip.rootZ, clip.loops);
    Timeline tl;
    tl.step = step;
    const int n = static_cast<int>(std::lround(clip.length / step));
    for (int k = 0; k <= n; ++k) {
        const float t = k == n ? clip.length : static_cast<float>(k) * step;
        Pose p;
        for (int j = 0; j < layoutJointCount; ++j)
            for (int a = 0; a < 3; ++a)
                p.r[j][a] = joints[static_cast<std::size_t>(j * 3 + a)].value(t);
        tl.times.push_back(t);
        tl.poses.push_back(p);
        const float height = clip.liftToGround ? std::max(y.value(t), groundHeight(p)) : y.value(t);
        tl.root.push_back({x.value(t), height, z.value(t)});
    }
    return tl;
}

void storeTimeline(Clip& clip, const Timeline& tl)
{
    clip.poseTimes = tl.times;
    clip.poses = tl.poses;
    clip.rootX.clear();
    clip.rootY.clear();
    clip.rootZ.clear();
    for (std::size_t k = 0; k < tl.times.size(); ++k) {
        clip.rootX.push_back({tl.times[k], static_cast<float>(tl.root[k].x)});
        clip.rootY.push_back({tl.times[k], static_cast<float>(tl.root[k].y)});
        clip.rootZ.push_back({tl.times[k], static_cast<float>(tl.root[k].z)});
    }
    clip.dense = true;
}

// ------------------------------------------------------------ kinematics

namespace {

Animation& kinematicSkeleton()
{
    static Animation a = [] {
        Animation s;
        s.boneCount = s.boneCapacity = layoutJointCount;
        s.rootBone = layoutRootJoint;
        s.bones.resize(layoutJointCount);
        for (int b = 0; b < layoutJointCount; ++b) {
            const JointLayout& j = skeletonLayout[static_cast<std::size_t>(b)];
            Bone& bone = s.bones[static_cast<std::size_t>(b)];
            for (int k = 0; k < 3; ++k)
                bone.offset[k] = j.offset[k];
            bone.parentIndex = j.parent;
            bone.firstChild = j.firstChild;
            bone.nextSibling = j.nextSibling;
        }
        return s;
    }();
    return a;
}

Animation& posed(const Pose& pose)
{
    Animation& a = kinematicSkeleton();
    for (int b = 0; b < layoutJointCount; ++b)
        for (int k = 0; k < 3; ++k)
            a.bones[static_cast<std::size_t>(b)].rotation[k] = pose.r[b][k];
    evaluatePose(a);
    return a;
}

} // namespace

Point3 jointPosition(const Pose& pose, int joint)
{
    const Matrix4& m = posed(pose).bones[static_cast<std::size_t>(joint)].worldMatrix;
    return {m.m[3], m.m[7], m.m[11]};
}

Point3 boneEnd(const Pose& pose, int joint)
{
    const Bone& b = posed(pose).bones[static_cast<std::size_t>(joint)];
    Vector3 v;
    matTransformPoint(v, b.worldMatrix, b.offset[0], b.offset[1], b.offset[2]);
    return {v.x, v.y, v.z};
}

// ---------------------------------------------------------------- writing

namespace {

constexpr float rotationTolerance = 0.25f;   // degrees
constexpr float rootTolerance = 0.01f;       // scene units
constexpr float extraKeyGap = 10;            // root key beyond the end
constexpr float fitStep = 0.5f;
constexpr float maxKeyGap = 15;

// Values are stored as printed, so the spline is solved on exactly the
// numbers the game will read.
float stored(float v)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(v));
    const float r = std::strtof(text, nullptr);
    return r == 0 ? 0.0f : r;
}

KeyTrack splineThrough(const std::vector<float>& times, const std::function<float(float)>& f)
{
    KeyTrack track;
    trackCreate(track);
    track.count = static_cast<int>(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        track.keys[i].time = times[i];
        track.keys[i].value = stored(f(times[i]));
    }
    track.endTime = times.back();
    trackSolveSpline(track);
    return track;
}

// Starts from the given key times and adds the worst-followed time until
// the game's spline stays within `tolerance` of f over [0, end].
KeyTrack fitTrack(std::vector<float> times, const std::function<float(float)>& f, float end,
                  float tolerance)
{
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    std::vector<float> wanted;
    for (float t = 0; t <= end; t += fitStep)
        wanted.push_back(f(t));
    for (;;) {
        KeyTrack track = splineThrough(times, f);
        float worst = 0, worstTime = -1;
        std::size_t at = 0;
        for (float t = 0; t <= end; t += fitStep) {
            const float e = std::fabs(trackSample(track, t) - wanted[at++]);
            if (e > worst && !std::binary_search(times.begin(), times.end(), t)) {
                worst = e;
                worstTime = t;
            }
        }
        if (worst <= tolerance || worstTime < 0 || static_cast<int>(times.size()) >= trackCapacity)
            return track;
        times.insert(std::upper_bound(times.begin(), times.end(), worstTime), worstTime);
    }
}

std::vector<float> startTimes(const std::vector<Knot>& knots, float length, bool dense)
{
    // Keys close together after the start, and never far apart later, keep a
    // blend key (inserted at -5 or -10 by the player) from ringing through
    // the whole clip: each key damps the natural spline's swing.
    std::vector<float> t{0, 3, 7, 12, 18, length};
    for (const Knot& k : knots)
        if (!dense && k.time > 0 && k.time < length)
            t.push_back(k.time);
    t.erase(std::remove_if(t.begin(), t.end(), [&](float v) { return v > length; }), t.end());
    std::sort(t.begin(), t.end());
    std::vector<float> spaced;
    for (float v : t) {
        while (!spaced.empty() && v - spaced.back() > maxKeyGap)
            spaced.push_back(std::round((spaced.back() + maxKeyGap * 0.75f) * 2) / 2);
        spaced.push_back(v);
    }
    return spaced;
}

void writeTrack(std::FILE* f, const KeyTrack& track)
{
    std::fprintf(f, "%d\n%.4f\n", track.count, static_cast<double>(track.count ? track.endTime : 0));
    for (int i = 0; i < track.count; ++i) {
        const Key& k = track.keys[static_cast<std::size_t>(i)];
        std::fprintf(f, "%.4f %.4f %.9g\n", static_cast<double>(k.time), static_cast<double>(k.value),
                     static_cast<double>(k.secondDerivative));
    }
}

} // namespace

void writeClipFile(const Clip& clip, const std::string& dir)
{
    const std::string path = dir + "/" + clip.file;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        dataFileError(path.c_str(), "cannot be written");
    const float L = clip.length;
    std::fprintf(f, "%d\n", layoutJointCount);

    // Root x and z end with keys at the length and one beyond, carrying the
    // motion on, so the player finds the clip's length and displacement.
    auto travel = [&](const std::vector<Knot>& knots) {
        const Channel c(knots, clip.loops);
        const float beyond = c.value(L) + c.slopeAt(L) * extraKeyGap;
        std::vector<float> times = startTimes(knots, L, clip.dense);
        times.push_back(L + extraKeyGap);
        return fitTrack(times, [&](float t) { return t > L ? beyond : c.value(t); }, L, rootTolerance);
    };
    writeTrack(f, travel(clip.rootX));
    {
        // Between authored heights the pose may bend lower than either end:
        // the height never lets any part of the body below the mat.
        const Channel c(clip.rootY, clip.loops);
        std::vector<Channel> joints;
        for (int j = 0; j < layoutJointCount; ++j)
            for (int a = 0; a < 3; ++a)
                joints.emplace_back(poseChannel(clip, j, a), clip.loops);
        std::vector<float> height;
        for (float t = 0; t <= L + fitStep / 2; t += fitStep) {
            Pose p;
            for (int j = 0; j < layoutJointCount; ++j)
                for (int a = 0; a < 3; ++a)
                    p.r[j][a] = joints[static_cast<std::size_t>(j * 3 + a)].value(t);
            height.push_back(std::max(c.value(t), groundHeight(p)));
        }
        auto lifted = [&](float t) {
            const float u = std::clamp(t / fitStep, 0.0f, static_cast<float>(height.size() - 1));
            const std::size_t i = std::min(static_cast<std::size_t>(u), height.size() - 2);
            const float w = u - static_cast<float>(i);
            return height[i] * (1 - w) + height[i + 1] * w;
        };
        writeTrack(f, fitTrack(startTimes(clip.rootY, L, clip.dense), lifted, L, rootTolerance));
    }
    writeTrack(f, travel(clip.rootZ));
    KeyTrack unused;
    for (int i = 0; i < 3; ++i)
        writeTrack(f, unused);

    for (int j = 0; j < layoutJointCount; ++j)
        for (int a = 0; a < 3; ++a) {
            const std::vector<Knot> knots = poseChannel(clip, j, a);
            const Channel c(knots, clip.loops);
            writeTrack(f, fitTrack(startTimes(knots, L, clip.dense), [&](float t) { return c.value(t); }, L,
                                   rotationTolerance));
        }
    if (std::fclose(f) != 0)
        dataFileError(path.c_str(), "cannot be written");
}
