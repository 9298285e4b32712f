// Authoring kit for the clips: poses as named joint rotations, clips as poses
// and root positions at times, and the writer that turns them into ".anim"
// files. Between the authored keys every channel follows a monotone cubic
// (holds stay still, nothing overshoots); the writer then picks just enough
// keys for the game's natural spline to follow that curve closely.
#pragma once

#include "tools/datatool/skeleton_layout.h"

#include <string>
#include <vector>

// Joint numbers of the skeleton. "Right" is the figure's -x side (it faces +z).
enum JointId {
    Pelvis = 0,
    Body = 1,
    RightHip = 2, RightThigh = 3, RightShin = 4,
    LeftHip = 5, LeftThigh = 6, LeftShin = 7,
    Torso = 8,
    RightShoulder = 9, RightUpperArm = 10, RightForearm = 11, RightHand = 12,
    LeftShoulder = 13, LeftUpperArm = 14, LeftForearm = 15, LeftHand = 16,
    Head = 17,
};

enum Side { Right, Left };

// Half the body's thickness: the root height of a wrestler lying flat.
constexpr float lyingRootHeight = 1.0f;

// Every joint's rotation in degrees about its own x, y, z. The setters speak
// in body terms and take care of the mirrored signs of the two sides.
struct Pose {
    float r[layoutJointCount][3] = {};

    // Whole body about the waist: pitch > 0 topples forward (face down),
    // yaw > 0 turns the front toward +x, roll > 0 tips the head toward -x.
    Pose& body(float pitch, float yaw = 0, float roll = 0);
    // Upper body at the waist: bend > 0 forward, twist > 0 turns the chest
    // toward the figure's left (+x), lean > 0 toward its right (-x).
    Pose& torso(float bend, float twist = 0, float lean = 0);
    // nod > 0 chin down, turn > 0 toward the figure's left, tilt > 0 right.
    Pose& head(float nod, float turn = 0, float tilt = 0);
    // lower: from the T-pose down toward the side (90 hangs, -90 straight up);
    // forward: then swings a lowered arm forward and up about the shoulder
    // (90 points ahead, 180 overhead, negative behind); swing: turns the arm
    // forward in the horizontal plane (for arms held out sideways);
    // elbow: bends the forearm toward the front of the upper arm.
    Pose& arm(Side s, float lower, float forward, float swing = 0, float elbow = 0);
    // Forearm raised toward the head from an arm held out sideways (a
    // biceps flex); set after `arm`, which clears it.
    Pose& flex(Side s, float angle);
    // forward: thigh lifted forward (negative behind); out: spread sideways;
    // knee: shin bent back.
    Pose& leg(Side s, float forward, float out = 0, float knee = 0);
    // Both sides swapped, as in a mirror through the body's centre plane.
    Pose mirrored() const;
};

// A channel of a clip: values at authored times.
struct Knot {
    float time, value;
};

// One clip under construction.
struct Clip {
    std::string file;
    float length = 0;
    bool loops = false;
    std::vector<float> poseTimes;
    std::vector<Pose> poses;
    std::vector<Knot> rootX, rootY, rootZ;

    Clip(std::string fileName, float clipLength, bool looping = false);
    Clip& at(float time, const Pose& pose);
    Clip& x(float time, float value);
    Clip& y(float time, float value);
    Clip& z(float time, float value);
    // Root height at `time` that rests the pose on the floor.
    Clip& ground(float time, const Pose& pose);
    // `at` and `ground` together.
    Clip& grounded(float time, const Pose& pose);
};

// The authored value of a channel at t (monotone cubic through the knots;
// beyond the ends it holds, or for a loop continues with the end slope).
float channelValue(const std::vector<Knot>& knots, float t, bool loops, float length);
// The authored pose of a clip at time t.
Pose poseAt(const Clip& clip, float t);

// Forward kinematics with the game's own pose walk (root at the origin,
// no root height): where a joint sits, and where its bone ends.
struct Point3 {
    double x, y, z;
};
Point3 jointPosition(const Pose& pose, int joint);
Point3 boneEnd(const Pose& pose, int joint);
// Root height that puts the lowest part of the body on the floor.
float groundHeight(const Pose& pose);

// Writes the clip as "<dir>/<file>"; the same clip gives the same bytes.
void writeClipFile(const Clip& clip, const std::string& dir);

// The shared poses that chain clips together.
Pose standPose();       // idle stance; stand.anim starts and ends here
Pose liePose();         // on the back, head toward -z; lie.anim
Pose runPose(float phase);  // run cycle pose, phase 0..1
Pose lockPose();        // the collar-and-elbow tie-up of grab and grapple
float standHeight();    // root height of standPose
constexpr float walkCycle = 40;   // length of the four walk clips
constexpr float walkStride = 6;   // distance covered per walk cycle
constexpr float runCycle = 28;
constexpr float runStride = 11;

// The families of clips; each returns its clips ready to write.
std::vector<Clip> locomotionClips();
std::vector<Clip> strikeClips();
std::vector<Clip> grappleClips();
std::vector<Clip> signatureClips();
std::vector<Clip> pinAndShowClips();
