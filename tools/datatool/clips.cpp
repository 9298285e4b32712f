#include "tools/datatool/clips.h"

#include "tools/datatool/clips_author.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Clips that hand over to a follower without a blend, each follower before
// the clips that lead into it; the turn is the heading change at the hand
// over (the body's own turn at the root joint is authored to match it).
struct Join {
    const char* clip;
    const char* next;
};

constexpr Join joins[] = {
    {"peopleelbow1.anim", "run.anim"}, {"vorlanbottom.anim", "peopleelbow1.anim"},
    {"pinfall.anim", "stand.anim"}, {"getpinfalled.anim", "lie.anim"}, {"pin.anim", "pinfall.anim"},
    {"getpinned.anim", "getpinfalled.anim"},
    {"grab.anim", "grapple.anim"}, {"getgrabbed.anim", "getgrappled.anim"},
    {"punch.anim", "stand.anim"}, {"hit.anim", "stand.anim"}, {"fall.anim", "lie.anim"},
    {"getup.anim", "stand.anim"}, {"kick.anim", "stand.anim"}, {"liehit.anim", "lie.anim"},
    {"grabmiss.anim", "stand.anim"}, {"getsuplexed.anim", "lie.anim"}, {"getslammed.anim", "lie.anim"},
    {"stunner.anim", "stand.anim"}, {"olympicslam.anim", "getup.anim"}, {"getolympicslam.anim", "lie.anim"},
    {"getvorlanbottom.anim", "lie.anim"}, {"peopleelbow2.anim", "stand.anim"}, {"ropesback.anim", "run.anim"},
    {"ropesleft.anim", "walkright.anim"}, {"ropesright.anim", "walkleft.anim"}, {"runropes.anim", "run.anim"},
    {"runpunch.anim", "stand.anim"}, {"getrunpunch.anim", "lie.anim"}, {"runpunchmiss.anim", "lie.anim"},
    {"hitrun.anim", "stand.anim"}, {"gethitrun.anim", "lie.anim"}, {"throw.anim", "stand.anim"},
    {"getthrown.anim", "run.anim"}, {"kickout.anim", "lie.anim"}, {"getkickout.anim", "stand.anim"},
    {"vorlanceleb.anim", "stand.anim"}, {"kalverceleb.anim", "stand.anim"}, {"zoragceleb.anim", "stand.anim"},
    {"teskarceleb.anim", "stand.anim"},
    // These hand over with a short blend of the joints, but not of the
    // root's height.
    {"suplex.anim", "getup.anim"}, {"slam.anim", "stand.anim"}, {"getstunner.anim", "lie.anim"},
    {"chokeslam.anim", "stand.anim"}, {"getchokeslammed.anim", "lie.anim"},
};

// Clips that end by bursting into the run: as their legs ease into the
// run's stride the feet swing low, and are lifted clear of the mat.
constexpr const char* launches[] = {"ropesback.anim", "getthrown.anim", "runropes.anim", "peopleelbow1.anim"};

// The moves whose victim is placed clear of the attacker where their bodies
// would meet. A carried victim rides on the attacker's upper arms. The
// slammed victim falls past the attacker's legs, and planting his feet moves
// them, so it is placed clear once more after they are planted.
struct Separated {
    const char* attacker;
    const char* victim;
    bool carried, againOnPlantedFeet;
};
constexpr Separated separated[] = {
    {"suplex.anim", "getsuplexed.anim", false, false},
    {"slam.anim", "getslammed.anim", true, true},
    {"stunner.anim", "getstunner.anim", false, false},
    {"chokeslam.anim", "getchokeslammed.anim", false, false},
    {"olympicslam.anim", "getolympicslam.anim", true, false},
    {"vorlanbottom.anim", "getvorlanbottom.anim", false, false},
    {"runpunch.anim", "getrunpunch.anim", false, false},
    {"hitrun.anim", "gethitrun.anim", false, false},
    {"throw.anim", "getthrown.anim", false, false},
};

constexpr int joinSamples = 8;      // the end eases into the follower's start over these

// Clips the game cuts to in the middle of another (no blend): each starts
// from the pose the clip it interrupts shows at a typical moment, so the cut
// moves as little as it can whenever it comes.
struct Start {
    const char* clip;
    const char* from;
    float at;
};

constexpr Start starts[] = {
    {"suplex.anim", "grapple.anim", 0}, {"getsuplexed.anim", "getgrappled.anim", 0},
    {"slam.anim", "grapple.anim", 0},   {"getslammed.anim", "getgrappled.anim", 0},
    // The whip steps both bodies back as it starts: its clips start from the
    // hold leaning in as far as it goes, so the pose gives back some of that
    // step wherever in the hold it comes.
    {"throw.anim", "grapple.anim", 15}, {"getthrown.anim", "getgrappled.anim", 15},
    {"getkickout.anim", "pin.anim", 20}, {"kickout.anim", "getpinned.anim", 20},
};

Clip& named(std::vector<Clip>& clips, const char* file)
{
    for (Clip& c : clips)
        if (c.file == file)
            return c;
    std::fprintf(stderr, "tarvok_data: no clip %s\n", file);
    std::exit(1);
}

// Whatever the solvers left between a clip's last pose and its follower's
// first (both solved on their own) is taken up over the clip's last
// moments, so the hand-over shows no jump. The root joint's turn is left
// as authored: it may differ from the follower's by the heading's turn.
void join(Clip& clip, const Clip& next)
{
    Timeline a = sampleTimeline(clip, 1);
    const Timeline b = sampleTimeline(next, 1);
    const Pose& last = a.poses.back();
    const Pose& first = b.poses.front();
    const double dy = b.root.front().y - a.root.back().y;
    const int n = static_cast<int>(a.times.size());
    for (int k = std::max(0, n - 1 - joinSamples); k < n; ++k) {
        const double u = static_cast<double>(k - (n - 1 - joinSamples)) / joinSamples;
        const double w = u * u * (3 - 2 * u);
        Pose& p = a.poses[static_cast<std::size_t>(k)];
        for (int j = 0; j < layoutJointCount; ++j) {
            if (j == Body)
                continue;
            for (int axis = 0; axis < 3; ++axis)
                p.r[j][axis] += static_cast<float>(w * (first.r[j][axis] - last.r[j][axis]));
        }
        a.root[static_cast<std::size_t>(k)].y += w * dy;
    }
    storeTimeline(clip, a);
}

// The difference between a clip's first pose and the pose it is cut to
// from is taken up over its first moments.
void startFrom(Clip& clip, const Clip& from, float at)
{
    Timeline a = sampleTimeline(clip, 1);
    const Timeline b = sampleTimeline(from, 1);
    const Pose& first = a.poses.front();
    const Pose& there = b.poses[std::min(b.poses.size() - 1, static_cast<std::size_t>(std::lround(at)))];
    for (int k = 0; k <= joinSamples && k < static_cast<int>(a.times.size()); ++k) {
        const double u = 1.0 - static_cast<double>(k) / joinSamples;
        const double w = u * u * (3 - 2 * u);
        Pose& p = a.poses[static_cast<std::size_t>(k)];
        for (int j = 0; j < layoutJointCount; ++j)
            for (int axis = 0; axis < 3; ++axis)
                p.r[j][axis] += static_cast<float>(w * (there.r[j][axis] - first.r[j][axis]));
    }
    storeTimeline(clip, a);
}

} // namespace

void writeClips(const std::string& dataDir)
{
    std::vector<Clip> clips;
    for (auto family : {locomotionClips, strikeClips, grappleClips, signatureClips, pinAndShowClips})
        for (Clip& clip : family())
            clips.push_back(std::move(clip));
    for (const Separated& s : separated)
        separatePair(named(clips, s.attacker), named(clips, s.victim), s.carried);
    for (Clip& clip : clips)
        plantFeet(clip);
    for (const Separated& s : separated)
        if (s.againOnPlantedFeet)
            separatePair(named(clips, s.attacker), named(clips, s.victim), s.carried);
    choreograph(clips);
    for (const Start& s : starts)
        startFrom(named(clips, s.clip), named(clips, s.from), s.at);
    for (const char* move : {"suplex.anim", "slam.anim", "throw.anim"})
        clearArmsAtStart(clips, move, joinSamples);
    for (const Join& j : joins)
        join(named(clips, j.clip), named(clips, j.next));
    for (const char* file : launches)
        liftSweepingFeet(named(clips, file), joinSamples);
    // The stunner's feet leave the mat as it drops to sit, rather than
    // skating out from under it.
    liftSweepingFeet(named(clips, "stunner.anim"), 76, 88);
    for (const Clip& clip : clips)
        writeClipFile(clip, dataDir);
}
