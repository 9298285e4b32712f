#include "tests/choreography_check.h"

#include "anim/body.h"
#include "anim/playback.h"
#include "anim/pose.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/clipfile.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "tools/datatool/choreography.h"
#include "tools/datatool/skeleton_layout.h"
#include "wrestler/grapples.h"
#include "wrestler/pins.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

// ------------------------------------------------------------ loading

std::string checkDataDir()
{
    const char* other = std::getenv("TARVOK_CHECK_DATA");
    return other && *other ? std::string(other) + "/" : std::string(TARVOK_RUN_DIR) + "/data/";
}

namespace {

struct Loaded {
    Wrestler wrestlers[2];
    Mesh mesh;
};

Loaded& loaded()
{
    static Loaded* l = [] {
        auto* s = new Loaded;
        const std::string dir = checkDataDir();
        for (Wrestler& w : s->wrestlers)
            for (int id = 0; id < clipCount; ++id) {
                Animation& a = w.clips[static_cast<std::size_t>(id)];
                loadSkeleton(a, (dir + "man.bone").c_str());
                if (!loadAnimation(a, (dir + clipFiles[static_cast<std::size_t>(id)]).c_str()))
                    throw std::runtime_error(std::string("cannot read ") + clipFiles[static_cast<std::size_t>(id)]);
            }
        loadMesh(s->mesh, (dir + "man_low.mesh").c_str());
        bindSkin(s->mesh, s->wrestlers[0].clips[0]);
        s->wrestlers[0].opponent = &s->wrestlers[1];
        s->wrestlers[1].opponent = &s->wrestlers[0];
        s->wrestlers[0].model = s->wrestlers[1].model = &s->mesh;
        return s;
    }();
    return *l;
}

} // namespace

Wrestler& checkWrestler(int index)
{
    return loaded().wrestlers[index];
}

Mesh& checkMesh()
{
    return loaded().mesh;
}

int clipIdNamed(const std::string& file)
{
    for (int id = 0; id < clipCount; ++id)
        if (file == clipFiles[static_cast<std::size_t>(id)])
            return id;
    throw std::runtime_error("no clip " + file);
}

// ------------------------------------------------------------ skinning

namespace {

// The drawing turns the body by its heading about the vertical in exact
// degrees and lifts it by the clip's root height.
Vector3 toWorld(const Wrestler& w, const Vector3& p, double lift)
{
    const double r = w.heading * 3.14159265358979 / 180, c = std::cos(r), s = std::sin(r);
    return {w.x + p.x * c + p.z * s, w.y + p.y + lift, w.z - p.x * s + p.z * c};
}

Animation& currentClip(Wrestler& w)
{
    return w.clips[static_cast<std::size_t>(w.clip)];
}

} // namespace

void skinBody(Wrestler& w, std::vector<Vector3>& out)
{
    Mesh& mesh = checkMesh();
    Animation& a = currentClip(w);
    evaluatePose(a);
    mesh.skeleton = &a;
    deformMesh(mesh, 1.0f);
    out.resize(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        const MeshVertex& v = mesh.vertices[i];
        out[i] = toWorld(w, {v.posedX, v.posedY, v.posedZ}, a.rootOffset[1]);
    }
}

Vector3 bodyPoint(Wrestler& w, int joint, float x, float y, float z)
{
    Animation& a = currentClip(w);
    evaluatePose(a);
    const Bone& b = a.bones[static_cast<std::size_t>(joint)];
    Vector3 local, posed;
    matTransformPoint(local, b.bindInverse, x, y, z);
    matTransformPoint(posed, b.worldMatrix, local.x, local.y, local.z);
    return toWorld(w, posed, a.rootOffset[1]);
}

// ------------------------------------------------------------ inside test

void buildSurface(Surface& s, const std::vector<Vector3>& vertices, const Mesh& mesh)
{
    s.vertices = &vertices;
    s.low = {1e9, 1e9, 1e9};
    s.high = {-1e9, -1e9, -1e9};
    for (const Vector3& v : vertices) {
        s.low = {std::min(s.low.x, v.x), std::min(s.low.y, v.y), std::min(s.low.z, v.z)};
        s.high = {std::max(s.high.x, v.x), std::max(s.high.y, v.y), std::max(s.high.z, v.z)};
    }
    s.columnsX = static_cast<int>((s.high.x - s.low.x) / s.cell) + 1;
    s.columnsZ = static_cast<int>((s.high.z - s.low.z) / s.cell) + 1;
    const std::size_t columns = static_cast<std::size_t>(s.columnsX) * static_cast<std::size_t>(s.columnsZ);
    // Two passes: count the faces over each column, then file them.
    std::vector<int> count(columns + 1, 0);
    auto span = [&](const MeshFace& f, int& x0, int& x1, int& z0, int& z1) {
        double lx = 1e9, hx = -1e9, lz = 1e9, hz = -1e9;
        for (int k : f.vertex) {
            const Vector3& v = vertices[static_cast<std::size_t>(k)];
            lx = std::min(lx, v.x), hx = std::max(hx, v.x), lz = std::min(lz, v.z), hz = std::max(hz, v.z);
        }
        x0 = static_cast<int>((lx - s.low.x) / s.cell), x1 = static_cast<int>((hx - s.low.x) / s.cell);
        z0 = static_cast<int>((lz - s.low.z) / s.cell), z1 = static_cast<int>((hz - s.low.z) / s.cell);
    };
    for (const MeshFace& f : mesh.faces) {
        int x0, x1, z0, z1;
        span(f, x0, x1, z0, z1);
        for (int x = x0; x <= x1; ++x)
            for (int z = z0; z <= z1; ++z)
                ++count[static_cast<std::size_t>(x * s.columnsZ + z) + 1];
    }
    for (std::size_t c = 1; c <= columns; ++c)
        count[c] += count[c - 1];
    s.columnStart = count;
    s.columnFaces.assign(static_cast<std::size_t>(count[columns]), 0);
    std::vector<int> fill(count.begin(), count.end() - 1);
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        int x0, x1, z0, z1;
        span(mesh.faces[f], x0, x1, z0, z1);
        for (int x = x0; x <= x1; ++x)
            for (int z = z0; z <= z1; ++z)
                s.columnFaces[static_cast<std::size_t>(fill[static_cast<std::size_t>(x * s.columnsZ + z)]++)] =
                    static_cast<int>(f);
    }
}

bool insideSurface(const Surface& s, const Vector3& point)
{
    // A nudge off any exact edge or corner the ray might graze.
    const double px = point.x + 3.1e-7, pz = point.z + 1.7e-7, py = point.y;
    if (px <= s.low.x || px >= s.high.x || pz <= s.low.z || pz >= s.high.z || py <= s.low.y || py >= s.high.y)
        return false;
    const int cx = static_cast<int>((px - s.low.x) / s.cell), cz = static_cast<int>((pz - s.low.z) / s.cell);
    const std::size_t column = static_cast<std::size_t>(cx * s.columnsZ + cz);
    const std::vector<Vector3>& v = *s.vertices;
    const Mesh& mesh = checkMesh();
    int crossings = 0;
    for (int i = s.columnStart[column]; i < s.columnStart[column + 1]; ++i) {
        const MeshFace& f = mesh.faces[static_cast<std::size_t>(s.columnFaces[static_cast<std::size_t>(i)])];
        const Vector3& a = v[static_cast<std::size_t>(f.vertex[0])];
        const Vector3& b = v[static_cast<std::size_t>(f.vertex[1])];
        const Vector3& c = v[static_cast<std::size_t>(f.vertex[2])];
        const double area = (b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x);
        if (std::fabs(area) < 1e-12)
            continue;
        const double wa = ((b.x - px) * (c.z - pz) - (b.z - pz) * (c.x - px)) / area;
        const double wb = ((c.x - px) * (a.z - pz) - (c.z - pz) * (a.x - px)) / area;
        const double wc = 1 - wa - wb;
        if (wa < 0 || wb < 0 || wc < 0)
            continue;
        if (wa * a.y + wb * b.y + wc * c.y > py)
            ++crossings;
    }
    return crossings % 2 == 1;
}

// ------------------------------------------------------------ playing

namespace {

struct PairStart {
    const char* attackerNext;
    const char* victimNext;
};

// What follows each move's two clips in the game.
constexpr PairStart pairNext[pairCount] = {
    {"grapple.anim", "getgrappled.anim"}, {"grapple.anim", "getgrappled.anim"},
    {"getup.anim", "lie.anim"},           {"stand.anim", "lie.anim"},
    {"stand.anim", "run.anim"},           {"stand.anim", "lie.anim"},
    {"stand.anim", "lie.anim"},           {"getup.anim", "lie.anim"},
    {"peopleelbow1.anim", "lie.anim"},    {"stand.anim", "lie.anim"},
    {"stand.anim", "lie.anim"},           {"getpinfalled.anim", "getpinfalled.anim"},
    {"stand.anim", "lie.anim"},           {"lie.anim", "stand.anim"},
};

void startClip(Wrestler& w, Wrestler& other, float x, float z, float heading, const std::string& clip,
               const std::string& next)
{
    w.x = x, w.y = 0, w.z = z;
    w.heading = w.targetHeading = heading;
    w.turning = 0;
    separationOn = 0;
    // A state that is neither idle nor getting up, so the queued clip and
    // state follow when the clip ends, as in the moves.
    cutToClip(w, other, clipIdNamed(clip), clipIdNamed(next), Grabbing, Grabbing);
}

void advance(Wrestler& w, Wrestler& other, float dt)
{
    separationOn = 0;
    advanceClip(w, dt, other);
}

float lengthOf(const std::string& clip)
{
    return clipLength(checkWrestler(0).clips[static_cast<std::size_t>(clipIdNamed(clip))]);
}

// Hand vertices: a hand laid on a body may sink into it a little.
bool handVertex(const MeshVertex& v)
{
    return v.bone == 12 || v.bone == 16;
}

struct Share {
    double all, away;
};

// Share of `body`'s vertices inside `other`, and of those not at a hand of
// either body.
Share insideShare(const std::vector<Vector3>& body, const std::vector<Vector3>& other, const Surface& surface)
{
    const Mesh& mesh = checkMesh();
    int inside = 0, away = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (!insideSurface(surface, body[i]))
            continue;
        ++inside;
        if (handVertex(mesh.vertices[i]))
            continue;
        bool nearHand = false;
        for (std::size_t k = 0; k < other.size() && !nearHand; ++k)
            if (handVertex(mesh.vertices[k])) {
                const double dx = body[i].x - other[k].x, dy = body[i].y - other[k].y, dz = body[i].z - other[k].z;
                nearHand = dx * dx + dy * dy + dz * dz < 0.5 * 0.5;
            }
        if (!nearHand)
            ++away;
    }
    const double n = static_cast<double>(body.size());
    return {inside / n, away / n};
}

double distance(const Vector3& a, const Vector3& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

Vector3 contactPoint(Wrestler& w, int id)
{
    const ContactPoint& p = contactPoints[static_cast<std::size_t>(id)];
    return bodyPoint(w, p.joint, p.x, p.y, p.z);
}

} // namespace

PairFigures measurePair(int pair, float step, bool shares)
{
    const PairedMove& move = pairedMoves[static_cast<std::size_t>(pair)];
    Wrestler& a = checkWrestler(0);
    Wrestler& v = checkWrestler(1);
    startClip(a, v, 0, 0, 0, move.attacker, pairNext[pair].attackerNext);
    startClip(v, a, 0, 5, 180, move.victim, pairNext[pair].victimNext);
    const float length = std::max(lengthOf(move.attacker), lengthOf(move.victim));

    PairFigures f;
    for (int h = 0; h < static_cast<int>(std::size(holds)); ++h)
        if (holds[h].pair == pair) {
            f.holds.push_back(h);
            f.holdGaps.push_back(0);
            f.holdGapTimes.push_back(0);
        }
    std::vector<Vector3> bodyA, bodyV;
    Surface surfaceA, surfaceV;
    for (float t = 0; t < length; t += step) {
        if (t > 0) {
            advance(a, v, step);
            advance(v, a, step);
        }
        if (shares) {
            skinBody(a, bodyA);
            skinBody(v, bodyV);
            buildSurface(surfaceA, bodyA, checkMesh());
            buildSurface(surfaceV, bodyV, checkMesh());
            const Share inA = insideShare(bodyV, bodyA, surfaceA);
            const Share inV = insideShare(bodyA, bodyV, surfaceV);
            const double all = std::max(inA.all, inV.all), away = std::max(inA.away, inV.away);
            const double both = (inA.all + inV.all) / 2;
            if (both > f.shareBoth)
                f.shareBoth = both, f.bothTime = t;
            if (all > f.share)
                f.share = all, f.shareTime = t;
            if (away > f.shareAway)
                f.shareAway = away, f.awayTime = t;
        }
        for (std::size_t k = 0; k < f.holds.size(); ++k) {
            const Hold& h = holds[f.holds[k]];
            if (t < h.from || t > h.to)
                continue;
            Wrestler& holder = h.byVictim ? v : a;
            Wrestler& held = h.byVictim ? a : v;
            const double gap = distance(contactPoint(holder, h.hand), contactPoint(held, h.point));
            if (gap > f.holdGaps[k])
                f.holdGaps[k] = gap, f.holdGapTimes[k] = t;
        }
    }
    return f;
}

// ------------------------------------------------------------ feet and mat

namespace {

constexpr double contactHeight = 0.1;
constexpr double apronHeight = 5;       // the ring's mat above the hall floor
constexpr double lyingWaist = 2.0;

bool soleVertex(const MeshVertex& v)
{
    return (v.bone == 4 || v.bone == 7) && v.restY <= -4.5f;
}

// The sole faces the mat: its outward direction points well down.
bool soleDown(Wrestler& w, int foot)
{
    Animation& a = currentClip(w);
    Vector3 d;
    matTransformDirection(d, a.bones[static_cast<std::size_t>(foot)].worldMatrix, 0, -1, 0);
    return d.y < -0.5;
}

// Climbing into the ring ends on the apron, 5 above the hall floor the clip
// starts on.
bool onAFloor(const std::string& clip, double y)
{
    if (std::fabs(y) <= contactHeight)
        return true;
    return clip == "getinring.anim" && std::fabs(y - apronHeight) <= contactHeight;
}

} // namespace

ClipFigures measureClip(const std::string& clip, float step)
{
    Wrestler& w = checkWrestler(0);
    Wrestler& other = checkWrestler(1);
    other.x = 1000;     // far away: nothing to bump into
    const int id = clipIdNamed(clip);
    startClip(w, other, 0, 0, 0, clip, clip);
    const Animation& a = w.clips[static_cast<std::size_t>(id)];
    const float length = clipLength(a);
    const bool loops = clip == "stand.anim" || clip == "lie.anim" || clip == "run.anim" || clip == "grapple.anim"
        || clip == "getgrappled.anim" || clip.compare(0, 4, "walk") == 0;
    const float end = loops ? 2 * length : length;
    // The loops play on; every other clip is measured up to its end.
    w.nextClip = id;

    const Mesh& mesh = checkMesh();
    std::vector<Vector3> now, before;
    std::vector<double> travelled(mesh.vertices.size(), 0);
    std::vector<bool> inContact(mesh.vertices.size(), false);
    bool footDown[2] = {false, false};
    double phaseSlide[2] = {0, 0};
    // Climbing into the ring: a bone that has come up wholly onto the apron
    // stays on it (the climb never goes back down to the hall floor).
    const bool climbing = clip == "getinring.anim";
    bool onApron[layoutJointCount] = {};
    ClipFigures f;
    for (float t = 0; t < end - 0.001f; t += step) {
        if (t > 0)
            advance(w, other, step);
        skinBody(w, now);
        const bool lying = currentClip(w).rootOffset[1] < lyingWaist;
        const bool down[2] = {soleDown(w, 4), soleDown(w, 7)};
        bool anyContact[2] = {false, false};
        if (climbing) {
            bool above[layoutJointCount];
            std::fill(std::begin(above), std::end(above), true);
            for (std::size_t i = 0; i < now.size(); ++i) {
                const int bone = mesh.vertices[i].bone;
                const double depth = apronHeight - now[i].y;
                above[bone] = above[bone] && depth <= contactHeight;
                if (onApron[bone] && depth > f.depth)
                    f.depth = depth, f.depthTime = t;
            }
            for (int b = 0; b < layoutJointCount; ++b)
                onApron[b] = onApron[b] || above[b];
        }
        for (std::size_t i = 0; i < now.size(); ++i) {
            const MeshVertex& mv = mesh.vertices[i];
            const double depth = -now[i].y;
            if (lying)
                f.lyingDepth = std::max(f.lyingDepth, depth);
            else if (depth > f.depth)
                f.depth = depth, f.depthTime = std::fmod(t, length);
            if (!soleVertex(mv))
                continue;
            const int foot = mv.bone == 4 ? 0 : 1;
            const bool contact = down[foot] && onAFloor(clip, now[i].y);
            if (contact && inContact[i])
                travelled[i] += std::hypot(now[i].x - before[i].x, now[i].z - before[i].z);
            if (!contact)
                travelled[i] = 0;
            inContact[i] = contact;
            anyContact[foot] = anyContact[foot] || contact;
        }
        for (int foot = 0; foot < 2; ++foot) {
            if (!anyContact[foot]) {
                footDown[foot] = false;
                phaseSlide[foot] = 0;
                continue;
            }
            if (!footDown[foot]) {
                // A new contact: every sole vertex starts counting afresh.
                for (std::size_t i = 0; i < now.size(); ++i)
                    if (soleVertex(mesh.vertices[i]) && (mesh.vertices[i].bone == 4) == (foot == 0))
                        travelled[i] = 0;
            }
            footDown[foot] = true;
            double lowest = 1e9, highest = -1e9;
            for (std::size_t i = 0; i < now.size(); ++i)
                if (soleVertex(mesh.vertices[i]) && (mesh.vertices[i].bone == 4) == (foot == 0)) {
                    phaseSlide[foot] = std::max(phaseSlide[foot], travelled[i]);
                    lowest = std::min(lowest, static_cast<double>(now[i].y));
                    highest = std::max(highest, static_cast<double>(now[i].y));
                }
            if (phaseSlide[foot] > f.slide)
                f.slide = phaseSlide[foot], f.slideTime = std::fmod(t, length);
            if (highest - lowest > f.tilt)
                f.tilt = highest - lowest, f.tiltTime = std::fmod(t, length);
        }
        before = now;
    }
    other.x = 0;
    return f;
}

// ------------------------------------------------------------ cuts

namespace {

// The largest distance any vertex of either body moves between two frames.
double widestMove(const std::vector<Vector3>& a0, const std::vector<Vector3>& a1)
{
    double worst = 0;
    for (std::size_t i = 0; i < a0.size(); ++i)
        worst = std::max(worst, distance(a0[i], a1[i]));
    return worst;
}

// A clip's own largest step per frame over its first 30 units.
double openingMotion(const std::string& clip, float step)
{
    Wrestler& w = checkWrestler(0);
    Wrestler& other = checkWrestler(1);
    other.x = 1000;
    startClip(w, other, 0, 0, 0, clip, clip);
    std::vector<Vector3> before, now;
    skinBody(w, before);
    double worst = 0;
    const float end = std::min(30.0f, lengthOf(clip) - step);
    for (float t = step; t <= end; t += step) {
        advance(w, other, step);
        skinBody(w, now);
        worst = std::max(worst, widestMove(before, now));
        before = now;
    }
    other.x = 0;
    return worst;
}

void press(int slot)
{
    clearKeys();
    keyDown[slot] = 1;
}

void frame(Wrestler& a, Wrestler& b, float step)
{
    advance(a, b, step);
    advance(b, a, step);
}

// Both wrestlers standing, the attacker at the ring's centre facing +z and
// the opponent 4 ahead.
void standFacing(Wrestler& a, Wrestler& b)
{
    for (Wrestler* w : {&a, &b}) {
        w->health = 100;
        w->character = 0;
        w->holdTimer = 0;
        w->elbowArmed = 0;
    }
    startClip(a, b, 0, 0, 0, "stand.anim", "stand.anim");
    startClip(b, a, 0, 4, 180, "stand.anim", "stand.anim");
    a.state = a.nextState = b.state = b.nextState = Idle;
}

struct Cut {
    std::string name;
    std::vector<std::string> followers;     // clips cut into, one per body
    double jump;
    float when;
};

// Runs `lead` frames, measures both bodies across the next frame, in which
// `act` makes the cut, and keeps the worst.
template <typename Act>
void measureOneCut(CutFigures& f, Wrestler& a, Wrestler& b, float step, float leadTime, Act act)
{
    std::vector<Vector3> a0, b0, a1, b1;
    skinBody(a, a0);
    skinBody(b, b0);
    const Vector3 pa0{a.x, a.y, a.z}, pb0{b.x, b.y, b.z};
    frame(a, b, step);
    act();
    skinBody(a, a1);
    skinBody(b, b1);
    const double jump = std::max(widestMove(a0, a1), widestMove(b0, b1));
    if (jump > f.jump)
        f.jump = jump, f.worstTime = leadTime;
    auto relative = [](std::vector<Vector3>& v, const Vector3& at) {
        for (Vector3& p : v)
            p = {p.x - at.x, p.y - at.y, p.z - at.z};
    };
    relative(a0, pa0), relative(b0, pb0), relative(a1, {a.x, a.y, a.z}), relative(b1, {b.x, b.y, b.z});
    f.poseJump = std::max(f.poseJump, std::max(widestMove(a0, a1), widestMove(b0, b1)));
}

} // namespace

std::vector<CutFigures> measureCuts(float step)
{
    Wrestler& a = checkWrestler(0);
    Wrestler& b = checkWrestler(1);
    std::vector<CutFigures> out;
    const PlayerKeys& keys = playerOneKeys;

    // From the hold into each follow-up, at every moment of the lock-up
    // once the hands have met, and through the hold's loop.
    struct FollowUp {
        const char* name;
        int key;
        const char* clips[2];
    };
    const FollowUp followUps[] = {{"grab to suplex", keys.up, {"suplex.anim", "getsuplexed.anim"}},
                                  {"grab to slam", keys.strike, {"slam.anim", "getslammed.anim"}},
                                  {"grab to throw", keys.down, {"throw.anim", "getthrown.anim"}}};
    const float grabLength = lengthOf("grab.anim"), holdLength = lengthOf("grapple.anim");
    for (const FollowUp& fu : followUps) {
        CutFigures f;
        f.name = fu.name;
        f.motion = std::max(openingMotion(fu.clips[0], step), openingMotion(fu.clips[1], step));
        for (float cutAt = 22; cutAt < grabLength + holdLength; cutAt += 3) {
            standFacing(a, b);
            press(keys.grab);
            grabHandler(a, keys.grab, b);
            clearKeys();
            for (float t = step; t < cutAt; t += step)
                frame(a, b, step);
            measureOneCut(f, a, b, step, cutAt, [&] {
                press(fu.key);
                if (fu.key == keys.up)
                    suplexHandler(a, keys.up, b);
                else if (fu.key == keys.strike)
                    slamHandler(a, keys.strike, b);
                else
                    throwHandler(a, keys.down, b);
                clearKeys();
            });
        }
        out.push_back(f);
    }

    // The pin, thrown off at any moment once the cover is on; and run to its
    // end, where the count's last moment hands over to the pinfall.
    auto pinStart = [&] {
        standFacing(a, b);
        startClip(b, a, 0, 4, 180, "lie.anim", "lie.anim");
        b.state = b.nextState = Lying;
        b.health = 50;
        press(keys.grab);
        pinHandler(a, keys.grab, b);
        clearKeys();
    };
    {
        CutFigures f;
        f.name = "pin to kick-out";
        f.motion = std::max(openingMotion("kickout.anim", step), openingMotion("getkickout.anim", step));
        const float pinLength = lengthOf("pin.anim");
        for (float cutAt = 20; cutAt < pinLength - step; cutAt += 5) {
            pinStart();
            for (float t = step; t < cutAt; t += step)
                frame(a, b, step);
            measureOneCut(f, a, b, step, cutAt, [&] {
                press(playerTwoKeys.up);
                kickOutHandler(b, playerTwoKeys.up, a);
                clearKeys();
            });
        }
        out.push_back(f);
    }
    {
        CutFigures f;
        f.name = "pin to pinfall";
        f.motion = std::max(openingMotion("pinfall.anim", step), openingMotion("getpinfalled.anim", step));
        pinStart();
        const float pinLength = lengthOf("pin.anim");
        float t = step;
        for (; t + step < pinLength; t += step)
            frame(a, b, step);
        measureOneCut(f, a, b, step, t, [] {});
        out.push_back(f);
    }
    return out;
}
