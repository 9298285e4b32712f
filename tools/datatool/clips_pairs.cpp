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
#include <string>

namespace {

constexpr double approachLift = 1.0;
constexpr float easeTime = 6;       // the hand travels to its hold and back over this
constexpr double stiffness = 2e-5;
// Room kept between an arm and the partner beyond their balls: the balls
// sit inside the skin, so arms laid against them still dent it.
constexpr double armClearance = 0.12;
constexpr double trunkHoldClearance = 0.18;
// The same between two bodies placed apart.
constexpr double bodyClearance = 0.1;

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

// How clear of the partner a holding arm is kept, above the elbow and below
// it: a forearm holding an arm wraps round it.
struct ArmClearance {
    double upper, fore;
};
// An arm holding the trunk or a leg lies along flesh that the balls fill
// less closely, so it is kept further out; one holding the head keeps the
// usual room, so that its hand still reaches the neck.
ArmClearance holdClearance(int point)
{
    if (onAnArm(point))
        return {armClearance, 0};
    const double c = contactPoints[static_cast<std::size_t>(point)].joint == Head ? armClearance : trunkHoldClearance;
    return {c, c};
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

// A body point of one of a pair (in its own frame, waist at its root) in
// the attacker's frame.
Point3 pairPoint(bool victim, const Point3& root, const Point3& body)
{
    const Point3 p{body.x + root.x, body.y + root.y, body.z + root.z};
    return victim ? Point3{-p.x, p.y, 5 - p.z} : p;
}

Point3 bodyPointOf(bool victim, const Point3& root, const Point3& pair)
{
    const Point3 p = victim ? Point3{-pair.x, pair.y, 5 - pair.z} : pair;
    return {p.x - root.x, p.y - root.y, p.z - root.z};
}

// The body as a few balls, to keep a holding arm out of the partner while
// its hand rests on it.
struct Ball {
    int joint;
    Point3 at;      // rest position
    double radius;
};

// The shins first and the arms last, upper arms before forearms, so that
// the whole body, the part that places it and that part with the upper arms
// are ranges of one table.
constexpr Ball balls[] = {
    {RightShin, {-0.75f, -3.1f, 0}, 0.45}, {RightShin, {-0.75f, -3.9f, 0.05f}, 0.4},
    {LeftShin, {0.75f, -3.1f, 0}, 0.45}, {LeftShin, {0.75f, -3.9f, 0.05f}, 0.4},
    {Head, {0, 3.85f, 0.02f}, 0.66}, {Head, {0, 3.2f, -0.02f}, 0.48},
    {Torso, {-0.55f, 2.1f, 0}, 0.8}, {Torso, {0.55f, 2.1f, 0}, 0.8}, {Torso, {0, 2.5f, 0}, 0.75},
    {Torso, {-0.45f, 1.1f, 0}, 0.7}, {Torso, {0.45f, 1.1f, 0}, 0.7},
    {Torso, {-0.45f, 0.3f, 0}, 0.7}, {Torso, {0.45f, 0.3f, 0}, 0.7},
    {Torso, {0, 1.9f, 0.25f}, 0.75}, {Torso, {0, 1.9f, -0.14f}, 0.72},
    {Pelvis, {-0.45f, -0.5f, 0}, 0.72}, {Pelvis, {0.45f, -0.5f, 0}, 0.72},
    {RightThigh, {-0.75f, -1.5f, 0}, 0.58}, {RightThigh, {-0.75f, -2.3f, 0}, 0.5},
    {LeftThigh, {0.75f, -1.5f, 0}, 0.58}, {LeftThigh, {0.75f, -2.3f, 0}, 0.5},
    {RightThigh, {-0.75f, -1.9f, 0}, 0.56}, {LeftThigh, {0.75f, -1.9f, 0}, 0.56},
    {RightUpperArm, {-1.7f, 2.52f, 0}, 0.48}, {RightUpperArm, {-2.5f, 2.55f, 0}, 0.4},
    {LeftUpperArm, {1.7f, 2.52f, 0}, 0.48}, {LeftUpperArm, {2.5f, 2.55f, 0}, 0.4},
    {RightForearm, {-3.4f, 2.57f, 0}, 0.36}, {LeftForearm, {3.4f, 2.57f, 0}, 0.36},
};
constexpr std::size_t shinBalls = 4, armBalls = 6, upperArmBalls = 4;
constexpr std::size_t ballCount = sizeof balls / sizeof balls[0];

// The body a holding arm keeps out of: all but the shins.
constexpr const Ball* bodyBallsBegin = balls + shinBalls;
constexpr const Ball* bodyBallsEnd = balls + ballCount;
// The trunk, head and legs: the part of a body that places it.
constexpr const Ball* coreBallsBegin = balls;
constexpr const Ball* coreBallsEnd = balls + ballCount - armBalls;
// The upper arms, which a carried body rides on.
constexpr const Ball* upperArmBallsEnd = coreBallsEnd + upperArmBalls;

// The balls leave a gap between the hips and the tops of the thighs, where
// the body is closed; a free arm never goes there, but one reaching between
// the legs for a hold would pass through it.
constexpr Ball crotch{Pelvis, {0, -1.15f, 0}, 0.4};

// Points along an arm that must stay out of the partner (the hand itself
// may press into it a little), with the arm's own half thickness.
struct ArmPoint {
    int joint;
    float x;
    double radius;
};
constexpr ArmPoint armPoints[] = {
    {RightUpperArm, 1.75f, 0.46}, {RightUpperArm, 2.2f, 0.42}, {RightUpperArm, 2.7f, 0.36}, {RightForearm, 3.2f, 0.34},
    {RightForearm, 3.7f, 0.34}, {RightForearm, 4.15f, 0.28},
};

struct PlacedBall {
    Point3 at;
    double radius;
};

// The partner's balls, placed in the holder's own frame.
std::vector<PlacedBall> partnerBalls(const Pose& partner, bool partnerIsVictim, const Point3& partnerRoot,
                                     const Point3& holderRoot, bool withCrotch = false)
{
    BodyFrames f;
    bodyFrames(partner, f);
    std::vector<PlacedBall> out;
    auto place = [&](const Ball& b) {
        const Point3 pair = pairPoint(partnerIsVictim, partnerRoot, framePoint(f, b.joint, b.at));
        out.push_back({bodyPointOf(!partnerIsVictim, holderRoot, pair), b.radius});
    };
    for (const Ball* b = bodyBallsBegin; b != bodyBallsEnd; ++b)
        place(*b);
    if (withCrotch)
        place(crotch);
    return out;
}

// Brings a hand to its goal (holder's frame), keeping the arm outside the
// partner's balls.
// The way out of the body at a contact point: away from the bone of its
// joint.
Point3 contactNormal(const Pose& pose, int id)
{
    const ContactPoint& c = contactPoints[static_cast<std::size_t>(id)];
    BodyFrames f;
    bodyFrames(pose, f);
    const Point3 p = framePoint(f, c.joint, {c.x, c.y, c.z});
    const double* o = f.origin[c.joint];
    const float* off = skeletonLayout[static_cast<std::size_t>(c.joint)].offset;
    const Point3 bone = frameDirection(f, c.joint, {off[0], off[1], off[2]});
    const double len2 = bone.x * bone.x + bone.y * bone.y + bone.z * bone.z;
    double u = len2 > 0 ? ((p.x - o[0]) * bone.x + (p.y - o[1]) * bone.y + (p.z - o[2]) * bone.z) / len2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    Point3 d{p.x - o[0] - u * bone.x, p.y - o[1] - u * bone.y, p.z - o[2] - u * bone.z};
    const double l = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return l > 1e-6 ? Point3{d.x / l, d.y / l, d.z / l} : Point3{0, 0, 0};
}

// Brings a hand to its goal (holder's frame), its palm laid against the
// way `facing` points into the body held (a zero direction leaves the palm
// as it is), keeping the arm outside the partner's balls.
void reach(Pose& holder, const Pose& reference, int hand, const Point3& goal, const std::vector<PlacedBall>& balls,
           const Point3& facing, ArmClearance clear)
{
    const ContactPoint& palm = contactPoints[static_cast<std::size_t>(hand)];
    const float sign = hand == RightPalm ? -1.0f : 1.0f;
    std::vector<IkDof> dofs = armDofs(hand == RightPalm ? Right : Left);
    const bool lay = facing.x != 0 || facing.y != 0 || facing.z != 0;
    if (lay)
        for (int axis = 0; axis < 3; ++axis)
            dofs.push_back({palm.joint, axis, -70, 70});
    for (int pass = 0; pass < 4; ++pass) {
        BodyFrames f;
        bodyFrames(holder, f);
        std::vector<IkRow> rows;
        pointGoal(rows, palm.joint, {palm.x, palm.y, palm.z}, goal);
        if (lay) {
            // The palm (the hand's underside in the rest pose) faces in.
            const Point3 centre{palm.x, palm.y, palm.z}, under{palm.x, palm.y - 1, palm.z};
            rows.push_back({palm.joint, under, palm.joint, centre, {1, 0, 0}, facing.x, 0.6});
            rows.push_back({palm.joint, under, palm.joint, centre, {0, 1, 0}, facing.y, 0.6});
            rows.push_back({palm.joint, under, palm.joint, centre, {0, 0, 1}, facing.z, 0.6});
        }
        for (const ArmPoint& a : armPoints) {
            const int joint = hand == RightPalm ? a.joint : a.joint + (LeftUpperArm - RightUpperArm);
            const Point3 rest{sign * a.x, 2.55f, 0};
            const Point3 p = framePoint(f, joint, rest);
            for (const PlacedBall& b : balls) {
                const Point3 d{p.x - b.at.x, p.y - b.at.y, p.z - b.at.z};
                const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
                const double need = b.radius + a.radius + (a.joint == RightUpperArm ? clear.upper : clear.fore);
                if (len >= need || len < 1e-6)
                    continue;
                const Point3 u{d.x / len, d.y / len, d.z / len};
                rows.push_back({joint, rest, -1, {}, u, u.x * b.at.x + u.y * b.at.y + u.z * b.at.z + need, 0.6});
            }
        }
        solveIk(holder, reference, dofs, rows, 6, stiffness);
    }
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
        // Into the partner's body: its outward way turned half round into
        // the holder's frame, and reversed.
        const Point3 n = contactNormal(held.poses[k], h.point);
        // The hand comes to the hold and leaves it through the space off
        // the surface, not through the body.
        const double off = approachLift * 4 * w * (1 - w);
        const Point3 goal{now.x + (target.x - now.x) * w - n.x * off, now.y + (target.y - now.y) * w + n.y * off,
                          now.z + (target.z - now.z) * w - n.z * off};
        const std::vector<PlacedBall> balls =
            partnerBalls(held.poses[k], !byVictim, held.root[k], holder.root[k], true);
        const Point3 facing{n.x * w, -n.y * w, n.z * w};
        // Solved from the authored arm, and from the arm solved a moment
        // before: the nearer to the hold wins, so the arm does not flick to
        // another solution for a frame.
        Pose fromBefore = pose;
        const bool carried = k > 0 && holdWeight(h, holder.times[k - 1]) > 0;
        reach(pose, authored[k], h.hand, goal, balls, facing, holdClearance(h.point));
        if (carried) {
            for (const IkDof& d : armDofs(side))
                fromBefore.r[d.joint][d.axis] = holder.poses[k - 1].r[d.joint][d.axis];
            reach(fromBefore, authored[k], h.hand, goal, balls, facing, holdClearance(h.point));
            auto miss = [&](const Pose& p) {
                BodyFrames pf;
                bodyFrames(p, pf);
                const Point3 at = framePoint(pf, palm.joint, {palm.x, palm.y, palm.z});
                return std::hypot(at.x - goal.x, at.y - goal.y, at.z - goal.z);
            };
            if (miss(fromBefore) < miss(pose) - 0.01)
                pose = fromBefore;
        }
    }
}

} // namespace

void solveHoldsAt(Pose& attacker, const Point3& rootA, Pose& victim, const Point3& rootV,
                  const std::vector<HoldAt>& holdsNow)
{
    const Pose authoredA = attacker, authoredV = victim;
    // Holds on arms follow the arms they hold: a few rounds settle them.
    for (int round = 0; round < 4; ++round)
        for (const HoldAt& h : holdsNow) {
            Pose& holder = h.byVictim ? victim : attacker;
            const Pose& held = h.byVictim ? attacker : victim;
            const Point3& holderRoot = h.byVictim ? rootV : rootA;
            const Point3& heldRoot = h.byVictim ? rootA : rootV;
            const Point3 target =
                bodyPointOf(h.byVictim, holderRoot, pairPoint(!h.byVictim, heldRoot, contactPosition(held, h.point)));
            const Point3 n = contactNormal(held, h.point);
            reach(holder, h.byVictim ? authoredV : authoredA, h.hand, target,
                  partnerBalls(held, !h.byVictim, heldRoot, holderRoot), {n.x, -n.y, n.z}, holdClearance(h.point));
        }
}

namespace {

std::vector<PlacedBall> coreInPair(const Pose& pose, bool victim, const Point3& root, bool withUpperArms)
{
    BodyFrames f;
    bodyFrames(pose, f);
    std::vector<PlacedBall> out;
    for (const Ball* b = coreBallsBegin; b != (withUpperArms ? upperArmBallsEnd : coreBallsEnd); ++b)
        out.push_back({pairPoint(victim, root, framePoint(f, b->joint, b->at)), b->radius});
    return out;
}

} // namespace

void separatePair(Clip& attacker, Clip& victim, bool carried)
{
    Timeline a = sampleTimeline(attacker, 1), v = sampleTimeline(victim, 1);
    const std::size_t n = std::min(a.times.size(), v.times.size());
    // How far the victim must move (in the attacker's frame) to clear the
    // attacker at each moment: the deepest overlap of their balls is pushed
    // out, a few times over. Never downward: a victim is lifted clear, not
    // pushed into the mat.
    std::vector<Point3> shift(n, {0, 0, 0});
    for (std::size_t k = 0; k < n; ++k) {
        const std::vector<PlacedBall> ba = coreInPair(a.poses[k], false, a.root[k], carried);
        Point3 root = v.root[k];
        for (int round = 0; round < 12; ++round) {
            const std::vector<PlacedBall> bv = coreInPair(v.poses[k], true, root, false);
            double deepest = 0;
            Point3 push{0, 0, 0};
            for (const PlacedBall& p : ba)
                for (const PlacedBall& q : bv) {
                    const Point3 d{q.at.x - p.at.x, q.at.y - p.at.y, q.at.z - p.at.z};
                    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
                    const double depth = p.radius + q.radius + bodyClearance - len;
                    if (depth > deepest && len > 1e-6) {
                        deepest = depth;
                        push = {d.x / len * depth, std::max(0.0, d.y / len * depth), d.z / len * depth};
                    }
                }
            if (deepest < 0.01)
                break;
            // The push in the attacker's frame moves the victim's root the
            // other way round along x and z.
            root.x -= 0.6 * push.x;
            root.y += 0.6 * push.y;
            root.z -= 0.6 * push.z;
        }
        shift[k] = {root.x - v.root[k].x, root.y - v.root[k].y, root.z - v.root[k].z};
    }
    // Smoothed, widened a little and eased in from the start (the pair
    // starts from a pose it shares with the clip before).
    std::vector<Point3> smooth(n, {0, 0, 0});
    for (std::size_t k = 0; k < n; ++k) {
        Point3 sum{0, 0, 0};
        double weight = 0;
        for (int d = -5; d <= 5; ++d) {
            const long j = static_cast<long>(k) + d;
            if (j < 0 || j >= static_cast<long>(n))
                continue;
            const double w = 1.0 - std::abs(d) / 6.0;
            const Point3& s = shift[static_cast<std::size_t>(j)];
            sum = {sum.x + w * s.x, sum.y + w * s.y, sum.z + w * s.z};
            weight += w;
        }
        const double ease = std::min(1.0, k / 3.0);
        smooth[k] = {sum.x / weight * ease, sum.y / weight * ease, sum.z / weight * ease};
    }
    for (std::size_t k = 0; k < v.times.size(); ++k) {
        const Point3& s = smooth[std::min(k, n - 1)];
        v.root[k] = {v.root[k].x + s.x, v.root[k].y + s.y, v.root[k].z + s.z};
    }
    storeTimeline(victim, v);
}

namespace {

// Arms that hold nothing are kept out of the partner: each point of the
// arm, the hand included, that would be inside one of the partner's balls
// is pushed out, the arm staying as near its pose as it can.
void clearArms(Timeline& body, bool victim, const Timeline& partner, int pair)
{
    const std::size_t n = std::min(body.times.size(), partner.times.size());
    for (std::size_t k = 0; k < n; ++k)
        for (int hand : {RightPalm, LeftPalm}) {
            bool holding = false;
            for (const Hold& h : holds)
                if (h.pair == pair && h.byVictim == victim && h.hand == hand && holdWeight(h, body.times[k]) >= 1)
                    holding = true;
            if (holding)
                continue;
            // An arm the partner holds stays against the hand that holds it.
            bool held = false;
            for (const Hold& h : holds) {
                const int j = contactPoints[static_cast<std::size_t>(h.point)].joint;
                const bool sameSide = hand == RightPalm ? j >= RightShoulder && j <= RightHand
                                                        : j >= LeftShoulder && j <= LeftHand;
                if (h.pair == pair && h.byVictim != victim && sameSide && holdWeight(h, body.times[k]) > 0)
                    held = true;
            }
            const double clearance = held ? 0.0 : armClearance;
            const std::vector<PlacedBall> balls =
                partnerBalls(partner.poses[k], !victim, partner.root[k], body.root[k]);
            Pose& pose = body.poses[k];
            const Pose reference = pose;
            const float sign = hand == RightPalm ? -1.0f : 1.0f;
            for (int pass = 0; pass < 8; ++pass) {
                BodyFrames f;
                bodyFrames(pose, f);
                std::vector<IkRow> rows;
                auto push = [&](int joint, const Point3& rest, double radius) {
                    const Point3 p = framePoint(f, joint, rest);
                    for (const PlacedBall& b : balls) {
                        const Point3 d{p.x - b.at.x, p.y - b.at.y, p.z - b.at.z};
                        const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
                        const double need = b.radius + radius + clearance;
                        if (len >= need || len < 1e-6)
                            continue;
                        const Point3 u{d.x / len, d.y / len, d.z / len};
                        rows.push_back({joint, rest, -1, {}, u, u.x * b.at.x + u.y * b.at.y + u.z * b.at.z + need, 1});
                    }
                };
                for (const ArmPoint& a : armPoints)
                    push(hand == RightPalm ? a.joint : a.joint + (LeftUpperArm - RightUpperArm), {sign * a.x, 2.55f, 0},
                         a.radius);
                push(hand == RightPalm ? RightHand : LeftHand, {sign * 4.85f, 2.55f, 0}, 0.3);
                if (rows.empty())
                    break;
                solveIk(pose, reference, armDofs(hand == RightPalm ? Right : Left), rows, 6, 3 * stiffness);
            }
        }
}

} // namespace

namespace {

Clip& clipNamed(std::vector<Clip>& clips, const char* file)
{
    for (Clip& c : clips)
        if (c.file == file)
            return c;
    std::fprintf(stderr, "tarvok_data: no clip %s\n", file);
    std::exit(1);
}

} // namespace

void clearArmsAtStart(std::vector<Clip>& clips, const char* attackerFile, int samples)
{
    int p = 0;
    while (p < pairCount && std::string(pairedMoves[static_cast<std::size_t>(p)].attacker) != attackerFile)
        ++p;
    if (p == pairCount) {
        std::fprintf(stderr, "tarvok_data: %s is not a two-body move\n", attackerFile);
        std::exit(1);
    }
    Clip& attacker = clipNamed(clips, attackerFile);
    Clip& victim = clipNamed(clips, pairedMoves[static_cast<std::size_t>(p)].victim);
    Timeline a = sampleTimeline(attacker, 1), v = sampleTimeline(victim, 1);
    Timeline clearA = a, clearV = v;
    clearArms(clearA, false, v, p);
    clearArms(clearV, true, a, p);
    constexpr int ease = 3;
    for (Timeline* pair : {&a, &v}) {
        const Timeline& cleared = pair == &a ? clearA : clearV;
        const std::size_t n = std::min(pair->poses.size(), static_cast<std::size_t>(samples + ease + 1));
        for (std::size_t k = 1; k < n; ++k) {
            // In from the first pose, and back out past the start's blend.
            const double in = std::min(1.0, static_cast<double>(k) / ease);
            const double out = std::min(1.0, static_cast<double>(samples + ease - static_cast<int>(k)) / ease);
            const double w = std::max(0.0, std::min(in, out));
            Pose& pose = pair->poses[k];
            for (int j = 0; j < layoutJointCount; ++j)
                for (int axis = 0; axis < 3; ++axis)
                    pose.r[j][axis] += static_cast<float>(w * (cleared.poses[k].r[j][axis] - pose.r[j][axis]));
        }
    }
    storeTimeline(attacker, a);
    storeTimeline(victim, v);
}

void choreograph(std::vector<Clip>& clips)
{
    auto find = [&](const char* file) -> Clip& { return clipNamed(clips, file); };
    for (int p = 0; p < pairCount; ++p) {
        const PairedMove& move = pairedMoves[static_cast<std::size_t>(p)];
        Clip& attacker = find(move.attacker);
        Clip& victim = find(move.victim);
        Timeline a = sampleTimeline(attacker, 1), v = sampleTimeline(victim, 1);
        const std::vector<Pose> authoredA = a.poses, authoredV = v.poses;
        // Holds on the body first, then holds on an arm (which may itself
        // have moved to its own hold).
        for (bool arms : {false, true})
            for (const Hold& h : holds)
                if (h.pair == p && onAnArm(h.point) == arms) {
                    if (h.byVictim)
                        solveHold(h, v, authoredV, a);
                    else
                        solveHold(h, a, authoredA, v);
                }
        clearArms(a, false, v, p);
        clearArms(v, true, a, p);
        storeTimeline(attacker, a);
        storeTimeline(victim, v);
    }
}
