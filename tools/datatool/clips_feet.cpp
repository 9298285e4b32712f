// Feet on the mat. A foot that touches the mat stays where it touched it
// until it lifts again: the leg is solved so that the lowest point of the
// sole keeps its place, rolling from heel to toe as the shin tilts (the
// foot has no ankle joint of its own), and the foot keeps the way it
// points. The body is lowered where a leg cannot reach its plant, and feet
// in the air are kept clear of the mat.
#include "tools/datatool/clips_author.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float plantedHeight = 0.15f;     // a sole lower than this is on the mat
constexpr float airClearance = 0.13f;      // a foot in the air stays this high
constexpr int approachSamples = 2;         // a foot comes down onto its plant over these
constexpr int fadeSamples = 6;             // the solved legs ease back to the authored ones
constexpr double stepDrift = 0.35;         // a contact whose foot wanders further takes a step
constexpr int swingSamples = 8;            // the length of such a step
constexpr double stiffness = 1e-5;

struct Leg {
    Side side;
    int shin;
    Point3 ankle;                   // rest position of the ankle
    std::vector<Point3> sole;       // rest positions of the sole's vertices
    int heel = 0, toe = 0;          // the sole vertices furthest back and forward
};

const Leg& leg(int foot)
{
    static const std::vector<Leg> legs = [] {
        std::vector<Leg> l(2);
        for (int f = 0; f < 2; ++f) {
            l[static_cast<std::size_t>(f)].side = f == 0 ? Right : Left;
            l[static_cast<std::size_t>(f)].shin = f == 0 ? RightShin : LeftShin;
            l[static_cast<std::size_t>(f)].ankle = {f == 0 ? -hipSocketX : hipSocketX, ankleY, 0};
            Leg& one = l[static_cast<std::size_t>(f)];
            for (const BodyPoint& v : bodyVertices())
                if (v.joint == one.shin && v.rest.y <= soleY + 0.1f)
                    one.sole.push_back(v.rest);
            // The heel and the toe on the foot's own line.
            double back = 1e9, front = -1e9;
            for (std::size_t i = 0; i < one.sole.size(); ++i) {
                const Point3& p = one.sole[i];
                const double side = std::fabs(p.x - one.ankle.x);
                if (p.z - side < back)
                    back = p.z - side, one.heel = static_cast<int>(i);
                if (p.z - side > front)
                    front = p.z - side, one.toe = static_cast<int>(i);
            }
        }
        return l;
    }();
    return legs[static_cast<std::size_t>(foot)];
}

// The lowest sole vertex, and its height in the clip's frame.
struct Lowest {
    Point3 rest;
    double y;
};

Lowest lowestSole(const BodyFrames& f, const Leg& l, const Point3& root)
{
    Lowest best{l.sole.front(), 1e9};
    for (const Point3& p : l.sole) {
        const double y = framePoint(f, l.shin, p).y + root.y;
        if (y < best.y)
            best = {p, y};
    }
    return best;
}

bool soleDown(const BodyFrames& f, const Leg& l)
{
    return frameDirection(f, l.shin, {0, -1, 0}).y < -0.5;
}

double footYaw(const BodyFrames& f, const Leg& l)
{
    const Point3 d = frameDirection(f, l.shin, {0, 0, 1});
    return std::atan2(d.x, d.z);
}

// Where a sole point lies (clip frame) when the foot stands flat at a plant.
Point3 flatPlace(const FootPlant& p, const Leg& l, const Point3& rest)
{
    const double dx = rest.x - l.ankle.x, dz = rest.z - l.ankle.z;
    const double c = std::cos(p.yaw), s = std::sin(p.yaw);
    return {p.x + c * dx + s * dz, 0, p.z - s * dx + c * dz};
}

// The plant that leaves the given sole point where it is now.
FootPlant plantHere(const BodyFrames& f, const Leg& l, const Point3& root, float from, float to)
{
    const Lowest low = lowestSole(f, l, root);
    FootPlant p{from, to, 0, 0, static_cast<float>(footYaw(f, l))};
    const Point3 at = framePoint(f, l.shin, low.rest);
    const Point3 flat = flatPlace(p, l, low.rest);
    p.x = static_cast<float>(at.x + root.x - flat.x);
    p.z = static_cast<float>(at.z + root.z - flat.z);
    return p;
}

// Sets the knee for a sole point to reach a target (body frame).
void presetFor(Pose& pose, const BodyFrames& f, const Leg& l, const Point3& point, const Point3& target)
{
    const Point3 ankle = framePoint(f, l.shin, l.ankle);
    const Point3 now = framePoint(f, l.shin, point);
    presetKnee(pose, l.side, {ankle.x + target.x - now.x, ankle.y + target.y - now.y, ankle.z + target.z - now.z});
}

IkRow yawRow(const Leg& l, double yaw)
{
    // The foot's forward direction has nothing across the plant's.
    const Point3 toe{l.ankle.x, l.ankle.y, l.ankle.z + 1};
    return {l.shin, toe, l.shin, l.ankle, {std::cos(yaw), 0, -std::sin(yaw)}, 0, 1};
}

// Solves the leg so one sole point (`on`) keeps its flat place and no
// part of the sole goes into the mat. Returns how far the foot ends up
// from standing there.
double standOn(Pose& pose, const Pose& reference, const Leg& l, const FootPlant& plant, const Point3& root,
               const Point3& on)
{
    BodyFrames f;
    const Point3 w = flatPlace(plant, l, on);
    const Point3 target{w.x - root.x, -root.y, w.z - root.z};
    for (int pass = 0; pass < 4; ++pass) {
        bodyFrames(pose, f);
        if (pass == 0) {
            presetFor(pose, f, l, on, target);
            bodyFrames(pose, f);
        }
        std::vector<IkRow> rows;
        pointGoal(rows, l.shin, on, target);
        rows.push_back(yawRow(l, plant.yaw));
        for (const Point3& p : l.sole) {
            const Point3 at = framePoint(f, l.shin, p);
            if (at.y + root.y > 0.01)
                continue;
            const Point3 pw = flatPlace(plant, l, p);
            rows.push_back({l.shin, p, -1, {}, {0, 1, 0}, 0.01 - root.y, 2});
            rows.push_back({l.shin, p, -1, {}, {1, 0, 0}, pw.x - root.x, 0.5});
            rows.push_back({l.shin, p, -1, {}, {0, 0, 1}, pw.z - root.z, 0.5});
        }
        solveIk(pose, reference, legDofs(l.side), rows, 4, stiffness);
    }
    bodyFrames(pose, f);
    const Point3 at = framePoint(f, l.shin, on);
    return std::hypot(at.x - target.x, at.y - target.y, at.z - target.z);
}

// A rigid foot on a leg of two bones stands either flat or rocked onto an
// edge, whichever the hip's place allows. As it comes down, of the ways the
// leg can stand on its plant the one with the foot flattest is taken; from
// then on the foot rolls from the point it stands on to whichever point
// comes down next. `pivot` carries that point from one moment to the next. Returns how far the foot still
// hangs above the mat.
double solvePlanted(Pose& pose, const Pose& reference, const Leg& l, const FootPlant& plant, const Point3& root,
                    int& pivot)
{
    // Once standing, the foot only rolls from point to point (below).
    std::vector<int> candidates;
    if (pivot >= 0)
        candidates.push_back(pivot);
    else
        candidates = {l.heel, l.toe};
    if (pivot < 0) {
        BodyFrames f;
        bodyFrames(pose, f);
        const Lowest low = lowestSole(f, l, root);
        for (std::size_t i = 0; i < l.sole.size(); ++i)
            if (l.sole[i].x == low.rest.x && l.sole[i].y == low.rest.y && l.sole[i].z == low.rest.z)
                candidates.insert(candidates.begin(), static_cast<int>(i));
    }
    Pose best = pose;
    double bestScore = 1e9;
    int bestPivot = candidates.front();
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        Pose trial = pose;
        const double miss = standOn(trial, reference, l, plant, root, l.sole[static_cast<std::size_t>(candidates[c])]);
        BodyFrames f;
        bodyFrames(trial, f);
        const Point3 up = frameDirection(f, l.shin, {0, 1, 0});
        const double tilt = std::acos(std::clamp(up.y, -1.0, 1.0));
        const double sunk = std::max(0.0, -lowestSole(f, l, root).y - 0.02);
        // Standing where it should matters most; then not sinking; then a
        // flat foot; and a small preference for the point stood on before.
        const double score = 10 * std::max(0.0, miss - 0.02) + 10 * sunk + tilt + (c == 0 && pivot >= 0 ? 0 : 0.03);
        if (score < bestScore) {
            bestScore = score;
            best = trial;
            bestPivot = candidates[c];
        }
    }
    pose = best;
    pivot = bestPivot;
    BodyFrames f;
    bodyFrames(pose, f);
    const Lowest low = lowestSole(f, l, root);
    const Point3 pivotAt = framePoint(f, l.shin, l.sole[static_cast<std::size_t>(pivot)]);
    if (low.y < pivotAt.y + root.y - 0.005)
        for (std::size_t i = 0; i < l.sole.size(); ++i)
            if (l.sole[i].x == low.rest.x && l.sole[i].y == low.rest.y && l.sole[i].z == low.rest.z)
                pivot = static_cast<int>(i);
    return low.y;
}

// A step through the air from one plant to the next, `u` of the way.
void solveSwing(Pose& pose, const Pose& reference, const Leg& l, const FootPlant& from, const FootPlant& to,
                double u, float lift, const Point3& root)
{
    const double e = u * u * (3 - 2 * u);
    const double x = from.x + (to.x - from.x) * e, z = from.z + (to.z - from.z) * e;
    double turn = to.yaw - from.yaw;
    while (turn > M_PI)
        turn -= 2 * M_PI;
    while (turn < -M_PI)
        turn += 2 * M_PI;
    const double yaw = from.yaw + turn * e;
    // Clear of the mat from the moment it lifts until it comes down.
    const double height = std::max(lift * std::sin(M_PI * u), static_cast<double>(airClearance));
    BodyFrames f;
    for (int pass = 0; pass < 3; ++pass) {
        bodyFrames(pose, f);
        const Lowest low = lowestSole(f, l, root);
        if (pass == 0) {
            const Point3 ankle = framePoint(f, l.shin, l.ankle);
            presetKnee(pose, l.side, {x - root.x, ankle.y + height - low.y, z - root.z});
            bodyFrames(pose, f);
        }
        std::vector<IkRow> rows;
        rows.push_back({l.shin, l.ankle, -1, {}, {1, 0, 0}, x - root.x, 1});
        rows.push_back({l.shin, l.ankle, -1, {}, {0, 0, 1}, z - root.z, 1});
        rows.push_back({l.shin, low.rest, -1, {}, {0, 1, 0}, height + 0.01 - root.y, 1});
        rows.push_back(yawRow(l, yaw));
        for (const Point3& p : l.sole)
            if (framePoint(f, l.shin, p).y + root.y < height)
                rows.push_back({l.shin, p, -1, {}, {0, 1, 0}, height + 0.01 - root.y, 1});
        solveIk(pose, reference, legDofs(l.side), rows, 4, stiffness);
    }
}

enum class FootState { Free, Planted, Swing };

struct FootAt {
    FootState state = FootState::Free;
    FootPlant plant{}, next{};
    double u = 0;
};

// What a planned foot does at time t.
FootAt planned(const std::vector<FootPlant>& plants, float t, float longestStep)
{
    FootAt a;
    for (std::size_t i = 0; i < plants.size(); ++i) {
        if (t >= plants[i].from && t <= plants[i].to) {
            a.state = FootState::Planted;
            a.plant = plants[i];
            return a;
        }
        if (i + 1 < plants.size() && plants[i].listed && plants[i + 1].listed && t > plants[i].to
            && t < plants[i + 1].from && plants[i + 1].from - plants[i].to <= longestStep) {
            a.state = FootState::Swing;
            a.plant = plants[i];
            a.next = plants[i + 1];
            a.u = (t - plants[i].to) / (plants[i + 1].from - plants[i].to);
            return a;
        }
    }
    return a;
}

// The contacts of a foot in the authored clip: runs of samples where the
// sole faces the mat and touches it. Each becomes a plant where the foot
// first touches, or where it is at the clip's end when the contact lasts
// to the end (so the clip still ends in the pose its follower starts from).
// A contact in which the authored foot wanders off its plant (the body
// travels, or the stance changes) takes a step: the foot lifts halfway and
// plants again where the authored foot goes.
std::vector<FootPlant> detectPlants(const Timeline& tl, const Leg& l)
{
    const int n = static_cast<int>(tl.times.size());
    std::vector<bool> down(static_cast<std::size_t>(n));
    std::vector<FootPlant> here(static_cast<std::size_t>(n));
    BodyFrames f;
    for (int k = 0; k < n; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        bodyFrames(tl.poses[i], f);
        down[i] = soleDown(f, l) && lowestSole(f, l, tl.root[i]).y < plantedHeight;
        here[i] = plantHere(f, l, tl.root[i], tl.times[i], tl.times[i]);
    }
    auto apart = [&](int a, int b) {
        const FootPlant& p = here[static_cast<std::size_t>(a)];
        const FootPlant& q = here[static_cast<std::size_t>(b)];
        return std::hypot(p.x - q.x, p.z - q.z) + 1.5 * std::fabs(p.yaw - q.yaw);
    };
    std::vector<FootPlant> plants;
    for (int k = 0; k < n;) {
        if (!down[static_cast<std::size_t>(k)]) {
            ++k;
            continue;
        }
        int e = k;
        while (e + 1 < n && down[static_cast<std::size_t>(e + 1)])
            ++e;
        const bool toEnd = e == n - 1 && k > 0;
        // Steps within the contact, each where the authored foot has gone
        // half its way to where it ends up.
        std::vector<FootPlant> chain;
        int from = k;
        while (true) {
            const int anchor = (toEnd || e == n - 1) && from > k ? e : from;
            double drift = 0;
            for (int j = from; j <= e; ++j)
                drift = std::max(drift, apart(from, j));
            const bool last = drift < stepDrift || e - from < 2 * swingSamples + 4;
            if (last) {
                const int at = toEnd || (from > k && e == n - 1) ? e : from;
                FootPlant p = here[static_cast<std::size_t>(at)];
                p.from = tl.times[static_cast<std::size_t>(from)];
                p.to = tl.times[static_cast<std::size_t>(e)];
                chain.push_back(p);
                break;
            }
            (void)anchor;
            const double whole = apart(from, e) > stepDrift ? apart(from, e) : drift;
            int mid = from + swingSamples + 2;
            while (mid < e - swingSamples - 2 && apart(from, mid) < whole / 2)
                ++mid;
            FootPlant p = here[static_cast<std::size_t>(from)];
            p.from = tl.times[static_cast<std::size_t>(from)];
            p.to = tl.times[static_cast<std::size_t>(mid - swingSamples / 2)];
            chain.push_back(p);
            from = mid + swingSamples / 2;
        }
        for (FootPlant& p : chain)
            p.listed = chain.size() > 1;
        plants.insert(plants.end(), chain.begin(), chain.end());
        k = e + 1;
    }
    return plants;
}

// Bends a leg so that the lowest point of its sole, now at lowY, rises to
// goal above the mat, the ankle kept where it is across the mat.
void liftSole(Pose& pose, const BodyFrames& frames, const Leg& l, const Point3& root, double lowY, double goal)
{
    const Pose reference = pose;
    const Point3 ankle = framePoint(frames, l.shin, l.ankle);
    presetKnee(pose, l.side, {ankle.x, ankle.y + goal - lowY, ankle.z});
    for (int pass = 0; pass < 2; ++pass) {
        BodyFrames f;
        bodyFrames(pose, f);
        const Lowest now = lowestSole(f, l, root);
        std::vector<IkRow> rows;
        rows.push_back({l.shin, l.ankle, -1, {}, {1, 0, 0}, ankle.x, 0.3});
        rows.push_back({l.shin, l.ankle, -1, {}, {0, 0, 1}, ankle.z, 0.3});
        rows.push_back({l.shin, now.rest, -1, {}, {0, 1, 0}, goal - root.y, 1});
        solveIk(pose, reference, legDofs(l.side), rows, 5, stiffness);
    }
}

} // namespace

void plantFeet(Clip& clip)
{
    Timeline tl = sampleTimeline(clip, 1.0f);
    const int n = static_cast<int>(tl.times.size());
    const std::vector<Pose> authored = tl.poses;
    std::vector<FootPlant> plants[2];
    for (int foot = 0; foot < 2; ++foot) {
        // Listed plants, placed where the authored pose of their time puts
        // the foot; then the contacts found outside the listed stretch.
        float first = 1e9f, last = -1e9f;
        for (FootPlant p : clip.plants[foot]) {
            if (p.at >= 0) {
                const std::size_t k = static_cast<std::size_t>(std::lround(p.at / tl.step));
                BodyFrames f;
                bodyFrames(tl.poses[k], f);
                const FootPlant here = plantHere(f, leg(foot), tl.root[k], p.from, p.to);
                p.x = here.x, p.z = here.z, p.yaw = here.yaw;
            }
            plants[foot].push_back(p);
            first = std::min(first, p.from);
            last = std::max(last, p.to);
        }
        for (const FootPlant& p : detectPlants(tl, leg(foot)))
            if (p.to < first || p.from > last)
                plants[foot].push_back(p);
        std::sort(plants[foot].begin(), plants[foot].end(),
                  [](const FootPlant& a, const FootPlant& b) { return a.from < b.from; });
    }

    // Solve every sample; where a planted leg cannot reach, lower the body
    // (smoothly over the neighbouring samples) and solve again.
    std::vector<double> drop(static_cast<std::size_t>(n), 0);
    std::vector<FootAt> states[2];
    for (int foot = 0; foot < 2; ++foot)
        for (int k = 0; k < n; ++k)
            states[foot].push_back(planned(plants[foot], tl.times[static_cast<std::size_t>(k)], clip.longestStep));
    // A looping clip is solved twice, the second time starting from where
    // the first ended, so its start carries on from its end.
    Pose carried;
    int carriedPivot[2] = {-1, -1};
    bool carry = false;
    auto solveAll = [&](bool measure) {
        int pivot[2] = {-1, -1};
        for (int k = 0; k < n; ++k) {
            const std::size_t i = static_cast<std::size_t>(k);
            Pose& pose = tl.poses[i];
            pose = authored[i];
            for (int foot = 0; foot < 2; ++foot) {
                const FootAt& s = states[foot][i];
                // Start from the leg solved a moment before: the solution
                // then follows on smoothly.
                const Pose* before = k > 0 ? &tl.poses[i - 1] : carry ? &carried : nullptr;
                const FootAt* was = k > 0 ? &states[foot][i - 1] : carry ? &states[foot][static_cast<std::size_t>(n - 2)] : nullptr;
                if (before && s.state != FootState::Free && was->state != FootState::Free)
                    for (const IkDof& d : legDofs(leg(foot).side))
                        pose.r[d.joint][d.axis] = before->r[d.joint][d.axis];
                if (k == 0 && carry)
                    pivot[foot] = carriedPivot[foot];
                if (s.state != FootState::Planted || !was || was->state != FootState::Planted
                    || std::fmod(was->plant.from - s.plant.from + 10 * clip.length, clip.length) > 0.01f)
                    pivot[foot] = -1;
                if (s.state == FootState::Planted) {
                    const double hang = solvePlanted(pose, authored[i], leg(foot), s.plant, tl.root[i], pivot[foot]);
                    if (measure)
                        drop[i] = std::max(drop[i], hang > 0.005 ? hang : 0.0);
                } else if (s.state == FootState::Swing) {
                    solveSwing(pose, authored[i], leg(foot), s.plant, s.next, s.u, clip.footLift, tl.root[i]);
                }
                if (k == n - 2) {
                    carried = pose;
                    carriedPivot[foot] = pivot[foot];
                }
            }
        }
    };
    solveAll(true);
    if (clip.loops) {
        carry = true;
        solveAll(false);
    }
    if (*std::max_element(drop.begin(), drop.end()) > 0) {
        std::vector<double> widened(drop.size(), 0);
        for (int k = 0; k < n; ++k)
            for (int d = -4; d <= 4; ++d)
                if (k + d >= 0 && k + d < n)
                    widened[static_cast<std::size_t>(k)] =
                        std::max(widened[static_cast<std::size_t>(k)], drop[static_cast<std::size_t>(k + d)]);
        for (int k = 0; k < n; ++k) {
            double sum = 0;
            int count = 0;
            for (int d = -3; d <= 3; ++d)
                if (k + d >= 0 && k + d < n) {
                    sum += widened[static_cast<std::size_t>(k + d)];
                    ++count;
                }
            tl.root[static_cast<std::size_t>(k)].y -= sum / count;
        }
        solveAll(false);
    }

    // Around each contact found in the clip the foot comes straight down
    // onto its plant and leaves it straight up; further out the solved leg
    // eases back into the authored one; and every foot in the air clears
    // the mat.
    for (int foot = 0; foot < 2; ++foot) {
        const Leg& l = leg(foot);
        std::vector<bool> anchored(static_cast<std::size_t>(n), false);
        for (int k = 0; k < n; ++k)
            anchored[static_cast<std::size_t>(k)] = states[foot][static_cast<std::size_t>(k)].state != FootState::Free;
        {
            std::vector<bool> near = anchored;
            for (int k = 0; k < n; ++k) {
                const std::size_t i = static_cast<std::size_t>(k);
                if (anchored[i])
                    continue;
                const FootPlant* plant = nullptr;
                for (int d = 1; d <= approachSamples && !plant; ++d)
                    for (int s2 : {k + d, k - d})
                        if (!plant && s2 >= 0 && s2 < n
                            && states[foot][static_cast<std::size_t>(s2)].state == FootState::Planted)
                            plant = &states[foot][static_cast<std::size_t>(s2)].plant;
                if (!plant)
                    continue;
                BodyFrames f;
                Pose& pose = tl.poses[i];
                for (int pass = 0; pass < 3; ++pass) {
                    bodyFrames(pose, f);
                    const Lowest low = lowestSole(f, l, tl.root[i]);
                    const Point3 w = flatPlace(*plant, l, low.rest);
                    if (pass == 0) {
                        presetFor(pose, f, l, low.rest,
                                  {w.x - tl.root[i].x, std::max(low.y, static_cast<double>(airClearance)) - tl.root[i].y,
                                   w.z - tl.root[i].z});
                        bodyFrames(pose, f);
                    }
                    std::vector<IkRow> rows;
                    rows.push_back({l.shin, low.rest, -1, {}, {1, 0, 0}, w.x - tl.root[i].x, 1});
                    rows.push_back({l.shin, low.rest, -1, {}, {0, 0, 1}, w.z - tl.root[i].z, 1});
                    rows.push_back({l.shin, low.rest, -1, {}, {0, 1, 0},
                                    std::max(low.y, static_cast<double>(airClearance)) - tl.root[i].y, 1});
                    rows.push_back(yawRow(l, plant->yaw));
                    solveIk(pose, authored[i], legDofs(l.side), rows, 4, stiffness);
                }
                near[i] = true;
            }
            const std::vector<Pose> solved = tl.poses;
            for (int k = 0; k < n; ++k) {
                const std::size_t i = static_cast<std::size_t>(k);
                if (near[i])
                    continue;
                int nearest = -1, gap = fadeSamples + 1;
                for (int d = 1; d <= fadeSamples && nearest < 0; ++d)
                    for (int s2 : {k - d, k + d})
                        if (nearest < 0 && s2 >= 0 && s2 < n && near[static_cast<std::size_t>(s2)]) {
                            nearest = s2;
                            gap = d;
                        }
                if (nearest < 0)
                    continue;
                const double w = 1.0 - static_cast<double>(gap) / (fadeSamples + 1);
                for (const IkDof& d : legDofs(l.side)) {
                    const float delta = solved[static_cast<std::size_t>(nearest)].r[d.joint][d.axis]
                                        - authored[static_cast<std::size_t>(nearest)].r[d.joint][d.axis];
                    tl.poses[i].r[d.joint][d.axis] += static_cast<float>(w * delta);
                }
            }
            anchored = near;
        }
        for (int k = 0; k < n; ++k) {
            const std::size_t i = static_cast<std::size_t>(k);
            if (anchored[i])
                continue;
            BodyFrames f;
            bodyFrames(tl.poses[i], f);
            if (!soleDown(f, l))
                continue;
            const Lowest low = lowestSole(f, l, tl.root[i]);
            if (low.y >= airClearance)
                continue;
            liftSole(tl.poses[i], f, l, tl.root[i], low.y, airClearance + 0.02);
        }
    }
    // A looping clip's end is its start: the legs and the height solved at
    // the start are the ones it ends with, so the loop joins exactly.
    if (clip.loops && n > 1) {
        const std::size_t last = static_cast<std::size_t>(n - 1);
        for (int foot = 0; foot < 2; ++foot)
            for (const IkDof& d : legDofs(leg(foot).side))
                tl.poses[last].r[d.joint][d.axis] = tl.poses[0].r[d.joint][d.axis];
        tl.root[last].y = tl.root[0].y;
    }
    storeTimeline(clip, tl);
}

void liftSweepingFeet(Clip& clip, int samples)
{
    const float end = sampleTimeline(clip, 1.0f).times.back();
    liftSweepingFeet(clip, end - static_cast<float>(samples), end);
}

void liftSweepingFeet(Clip& clip, float from, float to)
{
    constexpr double sweep = 0.08;     // a foot on the mat moving more than this a sample is sweeping
    Timeline tl = sampleTimeline(clip, 1.0f);
    const std::vector<Pose> before = tl.poses;
    const int n = static_cast<int>(tl.times.size());
    auto lowestAt = [&](int k, const Leg& l) {
        BodyFrames f;
        bodyFrames(before[static_cast<std::size_t>(k)], f);
        const Point3& root = tl.root[static_cast<std::size_t>(k)];
        const Lowest low = lowestSole(f, l, root);
        const Point3 p = framePoint(f, l.shin, low.rest);
        return Point3{p.x + root.x, low.y, p.z + root.z};
    };
    const int first = std::max(1, static_cast<int>(std::lround(from)));
    const int last = std::min(n - 1, static_cast<int>(std::lround(to)));
    for (int k = first; k < last; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        // Full lift inside the stretch, none at its last sample (at a
        // clip's end, the follower's first pose).
        const double u = static_cast<double>(last - k) / std::max(1, std::min(last - first, 3));
        const double w = std::min(1.0, u);
        for (int foot = 0; foot < 2; ++foot) {
            const Leg& l = leg(foot);
            BodyFrames f;
            bodyFrames(tl.poses[i], f);
            if (!soleDown(f, l))
                continue;
            const Lowest low = lowestSole(f, l, tl.root[i]);
            if (low.y >= airClearance)
                continue;
            const Point3 a = lowestAt(k - 1, l), b = lowestAt(k + 1, l);
            if (std::hypot(b.x - a.x, b.z - a.z) / 2 < sweep)
                continue;
            liftSole(tl.poses[i], f, l, tl.root[i], low.y, low.y + w * (airClearance + 0.02 - low.y));
        }
    }
    storeTimeline(clip, tl);
}

Pose& placeFeet(Pose& pose, float rootHeight, const FootPlant& right, const FootPlant& left)
{
    const Pose reference = pose;
    for (int foot = 0; foot < 2; ++foot) {
        int pivot = -1;
        solvePlanted(pose, reference, leg(foot), foot == 0 ? right : left, {0, rootHeight, 0}, pivot);
    }
    return pose;
}
