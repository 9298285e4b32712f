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

// Where a foot stands flat on the mat while it is planted: its ankle's
// place on the floor and the way its toes point (a heading, 0 along +z),
// from one clip time to another.
struct FootPlant {
    float from, to;
    float x = 0, z = 0, yaw = 0;
    // A time of the clip whose authored pose puts the foot where it should
    // stand (instead of x, z, yaw); -1 for none.
    float at = -1;
    bool listed = true;     // a step of the clip's own, not a contact found in it
};

// One clip under construction.
struct Clip {
    std::string file;
    float length = 0;
    bool loops = false;
    std::vector<float> poseTimes;
    std::vector<Pose> poses;
    std::vector<Knot> rootX, rootY, rootZ;
    // Poses and root sampled at every step by the solvers rather than
    // authored: the writer then picks its keys freely.
    bool dense = false;
    // The feet stay where they first touch the mat; clips that step list
    // the plants of each foot (right, then left) in time order, and the feet
    // swing from one plant to the next.
    std::vector<FootPlant> plants[2];
    Clip& plant(Side s, float from, float to, float at);
    // A plant at a given place: the ankle's x and z and the toes' heading
    // (radians).
    Clip& plantAt(Side s, float from, float to, float x, float z, float yaw);
    float footLift = 0.5f;      // how high a planned step lifts the foot
    float longestStep = 12;     // a foot off the mat longer follows the authored poses
    // The authored root height is raised where the authored pose would
    // reach below the mat; clips whose feet are all planned set their
    // heights themselves.
    bool liftToGround = true;

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
// Root height that puts the lowest point of the skin on the floor.
float groundHeight(const Pose& pose);

// The joint frames of a pose, worked out as the game's pose walk does (the
// waist at the origin): fast enough to run inside the solvers.
struct BodyFrames {
    double origin[layoutJointCount][3];
    double turn[layoutJointCount][9];       // the joint's frame, its own rotation included
    double before[layoutJointCount][9];     // the frame its rotation starts from
    Point3 axis[layoutJointCount][3];       // the axes its x, y and z rotations turn about
};
void bodyFrames(const Pose& pose, BodyFrames& frames);
// Where a rest-pose point that moves with `joint` goes, and a rest-pose
// direction.
Point3 framePoint(const BodyFrames& frames, int joint, const Point3& rest);
Point3 frameDirection(const BodyFrames& frames, int joint, const Point3& direction);

// The skin: every vertex of the body mesh with the joint it follows.
struct BodyPoint {
    int joint;
    Point3 rest;
};
const std::vector<BodyPoint>& bodyVertices();
void skinPose(const Pose& pose, std::vector<Point3>& out);

// Limbs solved to reach: some joint angles (each within limits) move so that
// every row comes to its value, while staying near a reference pose. A row
// is a point of the body, less another point when `minusJoint` is not -1,
// measured along `dir`.
struct IkDof {
    int joint, axis;
    float low, high;
};
struct IkRow {
    int joint;
    Point3 point;
    int minusJoint;
    Point3 minusPoint;
    Point3 dir;
    double value;
    double weight;
};
// Three rows that bring a point to a target.
void pointGoal(std::vector<IkRow>& rows, int joint, const Point3& point, const Point3& target, double weight = 1);
// Returns the largest remaining miss of any row.
double solveIk(Pose& pose, const Pose& reference, const std::vector<IkDof>& dofs, const std::vector<IkRow>& rows,
               int iterations, double stiffness);
std::vector<IkDof> armDofs(Side s);     // upper arm about x, y, z and the elbow
std::vector<IkDof> legDofs(Side s);     // thigh about x, y, z and the knee
// Bends the knee so the ankle is as far from the hip as the target (a start
// the leg solver converges from quickly, even from a straight leg).
void presetKnee(Pose& pose, Side s, const Point3& ankleTarget);

// A clip sampled at every `step` from 0 to its length (both ends), for the
// solvers to work on and store back as the clip's poses and root.
struct Timeline {
    float step = 1;
    std::vector<float> times;
    std::vector<Pose> poses;
    std::vector<Point3> root;   // root x, height, z
};
Timeline sampleTimeline(const Clip& clip, float step);
void storeTimeline(Clip& clip, const Timeline& timeline);

// Feet in contact with the mat stay where they are (see Clip::plants), and
// feet in the air clear it.
void plantFeet(Clip& clip);
// Over a clip's last `samples` samples (as it eases into its follower), a
// sole sweeping over the mat is lifted clear of it.
void liftSweepingFeet(Clip& clip, int samples);
// The same from clip time `from` to `to`.
void liftSweepingFeet(Clip& clip, float from, float to);
// Solves the legs of a pose (its waist `rootHeight` above the mat) to stand
// on the two plants (from and to are not used).
Pose& placeFeet(Pose& pose, float rootHeight, const FootPlant& right, const FootPlant& left);
// Solves the hands of every hold of the two-body moves onto the partner.
void choreograph(std::vector<Clip>& clips);
// Over the first `samples` samples of a two-body move (as it eases in from
// the pose it is cut from), arms that hold nothing are kept out of the
// partner again, easing from the cut's own first pose.
void clearArmsAtStart(std::vector<Clip>& clips, const char* attacker, int samples);
// Moves the victim of a two-body move (its root only) out of the attacker
// wherever their trunks, heads or legs would pass through each other; a
// `carried` victim also rides on the attacker's upper arms, not through them.
void separatePair(Clip& attacker, Clip& victim, bool carried);
// A hold at one moment, for authoring key poses of a pair: the hand of the
// attacker (or of the victim) on a point of the other.
struct HoldAt {
    bool byVictim;
    int hand, point;    // ContactPointId values
};
// Solves the arms of both poses so every hold rests its hand on its point;
// each root is the body's root position in its own clip's frame.
void solveHoldsAt(Pose& attacker, const Point3& rootA, Pose& victim, const Point3& rootV,
                  const std::vector<HoldAt>& holds);

// Writes the clip as "<dir>/<file>"; the same clip gives the same bytes.
void writeClipFile(const Clip& clip, const std::string& dir);

// The shared poses that chain clips together.
Pose standPose();       // idle stance; stand.anim starts and ends here
Pose liePose();         // on the back, head toward -z; lie.anim
Pose runPose(float phase);  // run cycle pose, phase 0..1 (0: in the air, between strides)
float runHeight(float phase);   // the run's root height at a phase
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
