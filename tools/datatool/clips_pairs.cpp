// The two-body moves played together: for every hold of the choreography,
// the holding arm is solved so the hand rests on its point of the partner
// through the hold, easing there from the authored arm just before and back
// just after. The victim stands 5 ahead of the attacker facing it, and each
// body moves by its own clip's root path, as in the game.
#include "tools/datatool/clips_author.h"
#include "tools/datatool/choreography.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float easeTime = 6;       // the hand travels to its hold and back over this
constexpr double stiffness = 2e-5;

// A body point of one of the pair in the attacker's frame.
Point3 inPairFrame(const Timeline& tl, std::size_t k, bool victim, const Point3& body)
{
    const Point3& r = tl.root[k];
    const Point3 p{body.x + r.x, body.y + r.y, body.z + r.z};
    return victim ? Point3{-p.x, p.y, 5 - p.z} : p;
}

// A point of the attacker's frame in a body's own frame (waist at its root).
Point3 toBody(const Timeline& tl, std::size_t k, bool victim, const Point3& pair)
{
    const Point3 p = victim ? Point3{-pair.x, pair.y, 5 - pair.z} : pair;
    const Point3& r = tl.root[k];
    return {p.x - r.x, p.y - r.y, p.z - r.z};
}

Point3 contactPosition(const Pose& pose, int id)
{
    const ContactPoint& c = contactPoints[static_cast<std::size_t>(id)];
    BodyFrames f;
    bodyFrames(pose, f);
    return framePoint(f, c.joint, {c.x, c.y, c.z});
}

bool onAnArm(int id)
{
    const int j = contactPoints[static_cast<std::size_t>(id)].joint;
    return j >= RightShoulder && j <= LeftHand;
}

// How much of the way to its hold a hand is at time t.
double holdWeight(const Hold& h, float t)
{
    if (t >= h.from && t <= h.to)
        return 1;
    const float d = t < h.from ? h.from - t : t - h.to;
    if (d >= easeTime)
        return 0;
    const double u = 1 - d / easeTime;
    return u * u * (3 - 2 * u);
}

void solveHold(const Hold& h, Timeline& holder, const std::vector<Pose>& authored, const Timeline& held)
{
    const bool byVictim = h.byVictim;
    const Side side = h.hand == RightPalm ? Right : Left;
    const ContactPoint& palm = contactPoints[static_cast<std::size_t>(h.hand)];
    const std::size_t n = std::min(holder.times.size(), held.times.size());
    for (std::size_t k = 0; k < n; ++k) {
        const double w = holdWeight(h, holder.times[k]);
        if (w <= 0)
            continue;
        Pose& pose = holder.poses[k];
        const Point3 onPartner = inPairFrame(held, k, !byVictim, contactPosition(held.poses[k], h.point));
        const Point3 target = toBody(holder, k, byVictim, onPartner);
        BodyFrames f;
        bodyFrames(pose, f);
        const Point3 now = framePoint(f, palm.joint, {palm.x, palm.y, palm.z});
        const Point3 goal{now.x + (target.x - now.x) * w, now.y + (target.y - now.y) * w,
                          now.z + (target.z - now.z) * w};
        for (int pass = 0; pass < 3; ++pass) {
            std::vector<IkRow> rows;
            pointGoal(rows, palm.joint, {palm.x, palm.y, palm.z}, goal);
            solveIk(pose, authored[k], armDofs(side), rows, 6, stiffness);
        }
    }
}

} // namespace

void choreograph(std::vector<Clip>& clips)
{
    auto find = [&](const char* file) -> Clip& {
        for (Clip& c : clips)
            if (c.file == file)
                return c;
        std::fprintf(stderr, "tarvok_data: no clip %s\n", file);
        std::exit(1);
    };
    for (int p = 0; p < pairCount; ++p) {
        const PairedMove& move = pairedMoves[static_cast<std::size_t>(p)];
        Clip& attacker = find(move.attacker);
        Clip& victim = find(move.victim);
        Timeline a = sampleTimeline(attacker, 1), v = sampleTimeline(victim, 1);
        const std::vector<Pose> authoredA = a.poses, authoredV = v.poses;
        bool any = false;
        // Holds on the body first, then holds on an arm (which may itself
        // have moved to its own hold).
        for (bool arms : {false, true})
            for (const Hold& h : holds)
                if (h.pair == p && onAnArm(h.point) == arms) {
                    any = true;
                    if (h.byVictim)
                        solveHold(h, v, authoredV, a);
                    else
                        solveHold(h, a, authoredA, v);
                }
        if (any) {
            storeTimeline(attacker, a);
            storeTimeline(victim, v);
        }
    }
}
