// The 54 generated clips, read through the game's own loaders: the file
// rules the clip player relies on, the timing facts the moves rely on, and
// the joins between a clip and the clip that follows it.
#include "anim/maths.h"
#include "anim/playback.h"
#include "anim/pose.h"
#include "assets/clipfile.h"
#include "assets/skeleton.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string runData = std::string(TARVOK_RUN_DIR) + "/data/";

const char* const clipFiles[] = {
    "walk", "stand", "punch", "hit", "fall", "lie", "getup", "kick", "liehit", "grab", "getgrabbed",
    "grapple", "getgrappled", "suplex", "getsuplexed", "stunner", "getstunner", "slam", "getslammed",
    "chokeslam", "getchokeslammed", "walkback", "walkleft", "walkright", "ropesback", "ropesleft",
    "ropesright", "grabmiss", "run", "runropes", "runpunch", "getrunpunch", "runpunchmiss", "hitrun",
    "gethitrun", "throw", "getthrown", "pin", "getpinned", "pinfall", "getpinfalled", "kickout",
    "getkickout", "getinring", "vorlanceleb", "kalverceleb", "zoragceleb", "teskarceleb", "olympicslam",
    "getolympicslam", "vorlanbottom", "getvorlanbottom", "peopleelbow1", "peopleelbow2"};

// Every clip loaded once, each into its own skeleton copy.
Animation& clip(const std::string& name)
{
    static std::map<std::string, Animation> loaded;
    auto it = loaded.find(name);
    if (it == loaded.end()) {
        Animation& a = loaded[name];
        loadSkeleton(a, (runData + "man.bone").c_str());
        loadAnimation(a, (runData + name + ".anim").c_str());
        return a;
    }
    return it->second;
}

struct Point {
    double x, y, z;
};

double distance(const Point& a, const Point& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// Where every joint and bone end of a clip sits at time t, in the frame the
// body is drawn in (root height included), turned by `turn` degrees about
// the vertical the way drawing turns a heading.
std::vector<Point> bodyPoints(Animation& a, float t, double turn = 0)
{
    sampleClip(a, t);
    evaluatePose(a);
    const double r = turn * 3.141592653589793 / 180, c = std::cos(r), s = std::sin(r);
    std::vector<Point> points;
    for (const Bone& b : a.bones) {
        Vector3 start, end;
        matTransformPoint(start, b.worldMatrix, 0, 0, 0);
        matTransformPoint(end, b.worldMatrix, b.offset[0], b.offset[1], b.offset[2]);
        for (const Vector3& v : {start, end})
            points.push_back({v.x * c + v.z * s, v.y + a.rootOffset[1], -v.x * s + v.z * c});
    }
    return points;
}

Point boneEndAt(Animation& a, float t, int joint)
{
    return bodyPoints(a, t)[static_cast<std::size_t>(joint) * 2 + 1];
}

float rootAt(Animation& a, int track, float t)
{
    return trackSample(a.rootTracks[static_cast<std::size_t>(track)], t);
}

float lyingHeight()
{
    return rootAt(clip("lie"), 1, 0);
}

float standingHeight()
{
    return rootAt(clip("stand"), 1, 0);
}

// ------------------------------------------------------------ file rules

TEST(ClipFiles, EveryClipFollowsTheFormatRules)
{
    for (const char* name : clipFiles) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        const KeyTrack& x = a.rootTracks[0];
        const KeyTrack& z = a.rootTracks[2];
        ASSERT_GE(x.count, 2);
        ASSERT_GE(z.count, 2);
        // The length and the key beyond it are shared by root x and z, so the
        // wrap takes both displacements at the same moment.
        EXPECT_EQ(x.keys[static_cast<std::size_t>(x.count - 2)].time, z.keys[static_cast<std::size_t>(z.count - 2)].time);
        EXPECT_EQ(x.keys[static_cast<std::size_t>(x.count - 1)].time, z.keys[static_cast<std::size_t>(z.count - 1)].time);
        EXPECT_GT(clipLength(a), 0);
        EXPECT_FLOAT_EQ(rootAt(a, 0, 0), 0);
        EXPECT_FLOAT_EQ(rootAt(a, 2, 0), 0);

        std::vector<const KeyTrack*> tracks{&a.rootTracks[0], &a.rootTracks[1], &a.rootTracks[2]};
        for (const Bone& b : a.bones)
            for (const KeyTrack& t : b.rotationTracks)
                tracks.push_back(&t);
        for (const KeyTrack* t : tracks) {
            EXPECT_LE(t->count, trackCapacity);
            // A key at time 0 on every track: a blend key inserted before it
            // then eases into the clip instead of holding the old pose.
            ASSERT_GE(t->count, 2);
            EXPECT_EQ(t->keys[0].time, 0);
            for (int i = 1; i < t->count; ++i)
                EXPECT_LT(t->keys[static_cast<std::size_t>(i - 1)].time, t->keys[static_cast<std::size_t>(i)].time);
        }
    }
}

TEST(ClipFiles, TheDataToolWritesTheSameBytesEveryRun)
{
    TempDir first;
    ASSERT_EQ(std::system((std::string(TARVOK_DATATOOL) + " " + first.path + " >/dev/null 2>&1").c_str()), 0);
    for (const char* name : clipFiles) {
        const std::string file = std::string(name) + ".anim";
        EXPECT_EQ(readFile(first.path + "/data/" + file), readFile(runData + file)) << file;
    }
}

// ------------------------------------------------------------ loops and joins

TEST(ClipJoins, LoopingClipsEndWhereTheyStart)
{
    for (const char* name : {"stand", "walk", "walkback", "walkleft", "walkright", "run", "lie", "grapple",
                             "getgrappled"}) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        const float L = clipLength(a);
        const std::vector<Point> start = bodyPoints(a, 0), end = bodyPoints(a, L);
        for (std::size_t i = 0; i < start.size(); ++i)
            EXPECT_LT(distance(start[i], end[i]), 0.05) << "point " << i;
    }
}

// A clip that hands over without a blend must end in the next clip's first
// pose, turned by whatever turn of the heading comes with the hand-over.
struct Join {
    const char* clip;
    const char* next;
    double turn;        // heading change at the hand-over, degrees
    double tolerance;   // largest jump of any joint, scene units
};

const Join joins[] = {
    {"punch", "stand", 0, 0.05}, {"hit", "stand", 0, 0.05}, {"fall", "lie", 0, 0.05},
    {"getup", "stand", 0, 0.05}, {"kick", "stand", 0, 0.05}, {"liehit", "lie", 0, 0.05},
    {"grab", "grapple", 0, 0.05}, {"getgrabbed", "getgrappled", 0, 0.05}, {"grabmiss", "stand", 0, 0.05},
    {"getsuplexed", "lie", 0, 0.05}, {"getslammed", "lie", 180, 0.05}, {"stunner", "stand", 0, 0.05},
    {"olympicslam", "getup", 0, 0.05}, {"getolympicslam", "lie", 0, 0.05},
    {"vorlanbottom", "peopleelbow1", 180, 0.05}, {"getvorlanbottom", "lie", 0, 0.05},
    {"peopleelbow1", "run", 90, 0.05}, {"peopleelbow2", "stand", 0, 0.05}, {"ropesback", "run", 0, 0.05},
    {"ropesleft", "walkright", 0, 0.05}, {"ropesright", "walkleft", 0, 0.05}, {"runropes", "run", 180, 0.05},
    {"runpunch", "stand", 0, 0.05}, {"getrunpunch", "lie", 0, 0.05}, {"runpunchmiss", "lie", 180, 0.05},
    {"hitrun", "stand", 0, 0.05}, {"gethitrun", "lie", 0, 0.05}, {"throw", "stand", 0, 0.05},
    {"getthrown", "run", 0, 0.05}, {"pin", "pinfall", 0, 0.05}, {"getpinned", "getpinfalled", 0, 0.05},
    {"pinfall", "stand", 0, 0.05}, {"getpinfalled", "lie", 0, 0.05}, {"kickout", "lie", 0, 0.05},
    {"getkickout", "stand", 0, 0.05}, {"vorlanceleb", "stand", 0, 0.05}, {"kalverceleb", "stand", 0, 0.05},
    {"zoragceleb", "stand", 0, 0.05}, {"teskarceleb", "stand", 0, 0.05},
    // These hand over with a short blend of the joints; the root height is
    // not blended, and the poses should be near.
    {"suplex", "getup", 0, 1.0}, {"slam", "stand", 0, 1.0}, {"getstunner", "lie", 0, 1.0},
    {"chokeslam", "stand", 0, 1.0}, {"getchokeslammed", "lie", 0, 1.0},
};

TEST(ClipJoins, EachClipEndsInThePoseItsFollowerStartsFrom)
{
    for (const Join& j : joins) {
        SCOPED_TRACE(std::string(j.clip) + " -> " + j.next);
        Animation& a = clip(j.clip);
        Animation& b = clip(j.next);
        EXPECT_NEAR(rootAt(a, 1, clipLength(a)), rootAt(b, 1, 0), 0.02);
        const std::vector<Point> end = bodyPoints(a, clipLength(a));
        const std::vector<Point> start = bodyPoints(b, 0, j.turn);
        double worst = 0;
        for (std::size_t i = 0; i < end.size(); ++i)
            worst = std::max(worst, distance(end[i], start[i]));
        EXPECT_LT(worst, j.tolerance);
    }
}

TEST(ClipJoins, TheLockUpStandsStillOnceTheHandsMeet)
{
    // A throw or a slam may be cut from any moment of the hold: the body
    // must not sink and spring back up in it.
    for (const char* name : {"grab", "getgrabbed"}) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        const float hold = rootAt(clip("grapple"), 1, 0);
        for (float t = 20; t <= clipLength(a); t += 0.5f)
            EXPECT_NEAR(rootAt(a, 1, t), hold, 0.01) << t;
    }
}

TEST(ClipJoins, WalksAndTheRunStartNearlyAsHighAsStanding)
{
    // From standing the game blends only the joints into a walk or a run:
    // the body drops at once by the difference in height.
    for (const char* name : {"walk", "walkback", "walkleft", "walkright", "run"}) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(rootAt(clip(name), 1, 0), standingHeight(), 0.05);
    }
}

TEST(ClipJoins, GettingIntoTheRingClimbsFiveAfterAWholeWalkCycle)
{
    Animation& a = clip("getinring");
    const float walkLength = clipLength(clip("walk"));
    // The entrance switches over at any moment of the walk cycle: until the
    // cycle's length the wrestler neither climbs nor travels.
    for (float t = 0; t <= walkLength; t += 2) {
        EXPECT_NEAR(rootAt(a, 1, t), standingHeight(), 0.05) << t;
        EXPECT_NEAR(rootAt(a, 2, t), 0, 0.02) << t;
    }
    // Its height becomes 0 as it ends, so it must stand 5 up on the mat.
    EXPECT_NEAR(rootAt(a, 1, clipLength(a)), standingHeight() + 5, 0.01);
    EXPECT_GT(rootAt(a, 2, clipLength(a)), 2);   // through the ropes
}

// ------------------------------------------------------------ lying

// Direction the chest faces and where the head points, in the body frame.
Point chestFacing(Animation& a, float t)
{
    sampleClip(a, t);
    evaluatePose(a);
    const Matrix4& m = a.bones[8].worldMatrix;   // the torso
    return {m.m[2], m.m[6], m.m[10]};
}

TEST(ClipLying, LyingClipsEndOnTheBackWithTheHeadBehind)
{
    for (const char* name : {"lie", "fall", "liehit", "getsuplexed", "getstunner", "getchokeslammed",
                             "getolympicslam", "getvorlanbottom", "getrunpunch", "gethitrun", "kickout",
                             "getpinfalled", "getslammed", "runpunchmiss"}) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        const float L = clipLength(a);
        const bool headForward = std::string(name) == "getslammed" || std::string(name) == "runpunchmiss";
        EXPECT_GT(chestFacing(a, L).y, 0.95);   // face up
        const Point head = boneEndAt(a, L, 17);
        EXPECT_LT(head.y, 1.5);
        if (headForward)
            EXPECT_GT(head.z, 3);
        else
            EXPECT_LT(head.z, -3);
        EXPECT_NEAR(rootAt(a, 1, L), lyingHeight(), 0.02);
    }
}

// ------------------------------------------------------------ timing facts

struct Impact {
    const char* clip;
    float time;   // the impact fires just after this clip time
};

TEST(ClipTiming, BodiesHitTheMatJustAfterTheirImpactTime)
{
    const Impact falls[] = {{"fall", 50},          {"runpunchmiss", 42},   {"getsuplexed", 82},
                            {"getslammed", 90},    {"getrunpunch", 45},    {"gethitrun", 42},
                            {"getstunner", 120},   {"getchokeslammed", 85}, {"getolympicslam", 75},
                            {"getvorlanbottom", 92}};
    for (const Impact& f : falls) {
        SCOPED_TRACE(f.clip);
        Animation& a = clip(f.clip);
        EXPECT_GT(clipLength(a), f.time + 4);
        EXPECT_LT(rootAt(a, 1, f.time + 4), lyingHeight() + 0.15);   // down
        EXPECT_GT(rootAt(a, 1, f.time - 8), lyingHeight() + 0.8);    // still up
    }
}

TEST(ClipTiming, TheStunnerSitsAndTheElbowLandsOnTime)
{
    Animation& stunner = clip("stunner");
    EXPECT_GT(rootAt(stunner, 1, 70), 4);
    EXPECT_LT(rootAt(stunner, 1, 84), 2);   // sitting on the mat
    Animation& elbow = clip("peopleelbow2");
    EXPECT_LT(rootAt(elbow, 1, 69), rootAt(elbow, 1, 55) - 1.5);
    // The right elbow is down at a lying body's chest as it lands, the
    // lowest point of the falling body.
    const Point elbowPoint = boneEndAt(elbow, 69, 10);
    EXPECT_LT(elbowPoint.y, 2.2);
    for (const Point& p : bodyPoints(elbow, 69))
        EXPECT_GE(p.y, elbowPoint.y - 0.3);
}

TEST(ClipTiming, PunchAndKickLandInsideTheirWindows)
{
    Animation& punch = clip("punch");
    EXPECT_GT(clipLength(punch), 40);
    for (float t = 30; t <= 40; t += 2) {
        const Point fist = boneEndAt(punch, t, 12);
        EXPECT_GT(fist.z, 3.5) << t;          // arm out in front
        EXPECT_GT(fist.y, 6.5) << t;          // at head height
    }
    EXPECT_LT(boneEndAt(punch, 0, 12).z, 2);
    EXPECT_LT(rootAt(punch, 2, 40), 1.5);     // the punch is thrown, not walked in

    Animation& kick = clip("kick");
    EXPECT_GT(boneEndAt(kick, 22, 4).y, boneEndAt(kick, 32, 4).y + 1);   // raised before the window
    for (float t = 30; t <= 35; t += 1) {
        const Point foot = boneEndAt(kick, t, 4);
        EXPECT_LT(foot.y, 2.0) << t;          // down on a lying body
        EXPECT_GT(foot.z, 1.5) << t;
    }
}

TEST(ClipTiming, PinsLastForTwoCountsAndPairsRunTogether)
{
    const float pin = clipLength(clip("pin"));
    EXPECT_GE(pin, 120);
    EXPECT_LE(pin, 150);
    // The count steps every 27 game units (48.6 clip units) once the pin has
    // run 10: two counts must fit before the pin hands over to the pinfall.
    EXPECT_GT(pin, 10 + 2 * 48.6);
    const std::pair<const char*, const char*> together[] = {
        {"pin", "getpinned"}, {"pinfall", "getpinfalled"}, {"grab", "getgrabbed"}, {"grapple", "getgrappled"}};
    for (const auto& p : together)
        EXPECT_EQ(clipLength(clip(p.first)), clipLength(clip(p.second))) << p.first;
}

TEST(ClipTiming, RopesAreMetDuringTheHoldWindows)
{
    struct Window {
        const char* clip;
        int track;
        float sign;   // direction of the rope in the clip's frame
        float from, to;
    };
    const Window windows[] = {{"ropesback", 2, -1, 25, 35}, {"ropesleft", 0, 1, 20, 35},
                              {"ropesright", 0, -1, 20, 35}, {"runropes", 2, 1, 35, 50}};
    for (const Window& w : windows) {
        SCOPED_TRACE(w.clip);
        Animation& a = clip(w.clip);
        float before = -1e9f, during = 1e9f, after = 1e9f;
        for (float t = 0; t < w.from - 10; t += 1)
            before = std::max(before, w.sign * rootAt(a, w.track, t));
        for (float t = w.from; t <= w.to; t += 1)
            during = std::min(during, w.sign * rootAt(a, w.track, t));
        after = w.sign * rootAt(a, w.track, clipLength(a));
        EXPECT_GT(during, before);   // pressed into the ropes in the window
        EXPECT_LT(after, during);    // and thrown back off them
    }
}

// ------------------------------------------------------------ two bodies

// A point of the victim's clip in the attacker's frame: the victim stands 5
// ahead, facing the attacker, and moves by its own root motion.
Point victimPoint(Animation& v, float t, int joint)
{
    const Point p = boneEndAt(v, t, joint);
    const float x = p.x + rootAt(v, 0, t), z = p.z + rootAt(v, 2, t);
    return {-x, p.y, 5 - z};
}

Point attackerPoint(Animation& a, float t, int joint)
{
    const Point p = boneEndAt(a, t, joint);
    return {p.x + rootAt(a, 0, t), p.y, p.z + rootAt(a, 2, t)};
}

TEST(ClipPairs, TheLockUpPutsHandsOnTheOpponent)
{
    Animation& a = clip("grapple");
    Animation& v = clip("getgrappled");
    for (float t = 0; t < clipLength(a); t += 10) {
        // Right hand at the back of the other's neck, both ways round.
        EXPECT_LT(distance(attackerPoint(a, t, 11), victimPoint(v, t, 8)), 1.2) << t;
        EXPECT_LT(distance(victimPoint(v, t, 11), attackerPoint(a, t, 8)), 1.2) << t;
    }
}

TEST(ClipPairs, LiftedVictimsTravelWhereTheMoveTakesThem)
{
    // Suplex: held upside down above the attacker's head, then over him to
    // land about 10 behind where the victim started.
    Animation& sv = clip("getsuplexed");
    const Point suplexHead = attackerPoint(clip("suplex"), 50, 17);
    EXPECT_GT(victimPoint(sv, 50, 4).y, suplexHead.y + 3);   // feet high above
    EXPECT_LT(victimPoint(sv, 50, 17).y, victimPoint(sv, 50, 4).y);   // head down
    EXPECT_NEAR(rootAt(sv, 2, clipLength(sv)), 10, 1.5);

    // Slam: up on the attacker's shoulder, then down in front of him.
    Animation& sl = clip("getslammed");
    EXPECT_GT(rootAt(sl, 1, 50), 7);
    EXPECT_LT(rootAt(sl, 2, clipLength(sl)), 1);

    // Olympic slam: landed behind the attacker.
    Animation& ol = clip("getolympicslam");
    EXPECT_GT(rootAt(ol, 1, 40), 7);
    EXPECT_GT(rootAt(ol, 2, clipLength(ol)), 7);

    // Chokeslam: lifted off the mat by the throat, then slammed.
    Animation& ch = clip("getchokeslammed");
    EXPECT_GT(victimPoint(ch, 50, 4).y, 1.5);
    EXPECT_LT(distance(attackerPoint(clip("chokeslam"), 50, 12), victimPoint(ch, 50, 8)), 1.5);
}


// ------------------------------------------------------------ travel

TEST(ClipTravel, WalksAndTheRunCoverGroundInTheirOwnDirection)
{
    struct Travel {
        const char* clip;
        float x, z;   // displacement over one cycle
    };
    const Travel cycles[] = {{"walk", 0, 6},       {"walkback", 0, -6}, {"walkleft", 6, 0},
                             {"walkright", -6, 0}, {"run", 0, 11}};
    for (const Travel& c : cycles) {
        SCOPED_TRACE(c.clip);
        Animation& a = clip(c.clip);
        const float L = clipLength(a);
        EXPECT_NEAR(rootAt(a, 0, L), c.x, 0.05);
        EXPECT_NEAR(rootAt(a, 2, L), c.z, 0.05);
        // Steady progress: never a step backward within the cycle.
        float px = 0, pz = 0;
        for (float t = 1; t <= L; t += 1) {
            const float x = rootAt(a, 0, t), z = rootAt(a, 2, t);
            EXPECT_GE((x - px) * c.x + (z - pz) * c.z, 0) << t;
            px = x;
            pz = z;
        }
    }
    // Running is quicker than walking.
    EXPECT_GT(11 / clipLength(clip("run")), 2 * 6 / clipLength(clip("walk")));
}

// ------------------------------------------------------------ the mat

TEST(ClipMat, NoClipSinksThroughTheMat)
{
    // Joints lie inside the body, so none of them may come near the floor's
    // level, let alone below it, at any moment of any clip.
    for (const char* name : clipFiles) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        float lowest = 1e9f, lowestTime = 0;
        for (float t = 0; t <= clipLength(a); t += 1)
            for (const Point& p : bodyPoints(a, t))
                if (p.y < lowest) {
                    lowest = static_cast<float>(p.y);
                    lowestTime = t;
                }
        EXPECT_GT(lowest, 0.1) << "at " << lowestTime;
    }
}

TEST(ClipMat, StandingClipsKeepTheirFeetOnTheFloor)
{
    // Sole = ankle less the foot's depth below it in the rest pose.
    const float footDepth = 0.3f;
    for (const char* name : {"stand", "walk", "walkback", "walkleft", "walkright", "punch", "hit", "grapple",
                             "getgrappled", "throw"}) {
        SCOPED_TRACE(name);
        Animation& a = clip(name);
        for (float t = 0; t <= clipLength(a); t += 2) {
            const float right = static_cast<float>(boneEndAt(a, t, 4).y) - footDepth;
            const float left = static_cast<float>(boneEndAt(a, t, 7).y) - footDepth;
            EXPECT_NEAR(std::min(right, left), 0, 0.15) << t;   // one foot down, not floating
        }
    }
}

// ------------------------------------------------------------ blending

TEST(ClipBlend, ABlendKeySettlesWithinTheFirstMoments)
{
    // The player eases a clip in from whatever pose the wrestler had by
    // inserting a key at -5 (or -10). The clip must then reach its own pose
    // and not keep ringing through the rest of it.
    for (const char* name : clipFiles) {
        SCOPED_TRACE(name);
        Animation fresh;
        loadSkeleton(fresh, (runData + "man.bone").c_str());
        loadAnimation(fresh, (runData + name + ".anim").c_str());
        Animation blended = fresh;
        for (Bone& b : blended.bones)
            for (KeyTrack& t : b.rotationTracks)
                trackInsertKey(t, -5, trackSample(t, 0) + 60);
        double worst = 0;
        for (float t = 12; t <= clipLength(fresh); t += 2) {
            const std::vector<Point> a = bodyPoints(fresh, t), b = bodyPoints(blended, t);
            for (std::size_t i = 0; i < a.size(); ++i)
                worst = std::max(worst, distance(a[i], b[i]));
        }
        EXPECT_LT(worst, 0.5);
    }
}

// ------------------------------------------------------------ shows

TEST(ClipShows, CelebrationsMatchTheirEffects)
{
    // Fireworks start at 53 in zoragceleb: both hands go up with them.
    Animation& z = clip("zoragceleb");
    const Point headTop = boneEndAt(z, 56, 17);
    EXPECT_GT(boneEndAt(z, 56, 12).y, headTop.y);
    EXPECT_GT(boneEndAt(z, 56, 16).y, headTop.y);
    EXPECT_LT(boneEndAt(z, 40, 12).y, headTop.y);
    // The corner celebrations shake the ropes at 10: a stomp of the right
    // foot, and a two-footed hop, come down on the mat just then.
    Animation& stomp = clip("vorlanceleb");
    EXPECT_GT(boneEndAt(stomp, 6, 4).y, 1);
    EXPECT_LT(boneEndAt(stomp, 11, 4).y, 0.45);
    Animation& hop = clip("kalverceleb");
    auto lowFoot = [&](float t) { return std::min(boneEndAt(hop, t, 4).y, boneEndAt(hop, t, 7).y); };
    EXPECT_GT(lowFoot(8), 0.8);
    EXPECT_LT(lowFoot(11), 0.45);
}
} // namespace
