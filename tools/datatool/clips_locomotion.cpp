// Standing, lying, walking, running, getting up and the rope rebounds.
#include "tools/datatool/clips_author.h"

#include <algorithm>
#include <cmath>

Pose standPose()
{
    // Knees soft and the weight forward, shins upright over flat feet: the
    // height the walk and the run start from as well.
    return Pose()
        .torso(9)
        .head(-6)
        .arm(Right, 72, 14, 0, 32)
        .arm(Left, 72, 14, 0, 32)
        .leg(Right, 18, 4, 18)
        .leg(Left, 18, 4, 18);
}

float standHeight()
{
    return groundHeight(standPose());
}

Pose liePose()
{
    // On the back, the knees a little up and the feet together.
    return Pose()
        .body(-90)
        .head(-4)
        .arm(Right, 72, 0, 0, 12)
        .arm(Left, 72, 0, 0, 12)
        .leg(Right, 16, 3, 30)
        .leg(Left, 16, 3, 30);
}

namespace {

// Walk: right heel strike, then the left leg passing the right.
Pose walkContact()
{
    return Pose()
        .torso(6, -6)
        .head(-2)
        .leg(Right, 24, 3, 4)
        .leg(Left, -16, 3, 16)
        .arm(Right, 78, -18, 0, 25)
        .arm(Left, 78, 22, 0, 38);
}

Pose walkPassing()
{
    return Pose()
        .torso(6)
        .head(-2)
        .leg(Right, 2, 3, 6)
        .leg(Left, 20, 3, 52)
        .arm(Right, 78, 0, 0, 28)
        .arm(Left, 78, 6, 0, 32);
}

// The walk's key poses every quarter cycle, the second half mirrored.
Pose walkKey(int quarter)
{
    switch (quarter % 4) {
    case 0: return walkContact();
    case 1: return walkPassing();
    case 2: return walkContact().mirrored();
    default: return walkPassing().mirrored();
    }
}

// Side step toward +x (the figure's left): lead with the left leg. The
// knees are bent with the shins upright and the feet a little ahead of the
// hips, a wrestler's crouch: the foot has no ankle of its own, so only an
// upright shin stands it flat.
Pose sideKey(int quarter)
{
    Pose p = Pose().torso(6).head(-2).arm(Right, 66, 35, 0, 70).arm(Left, 66, 35, 0, 70);
    switch (quarter % 4) {
    case 0: return p.leg(Right, 22, 4, 22).leg(Left, 22, 4, 22);
    case 1: return p.leg(Right, 22, 2, 24).leg(Left, 27, 20, 36).torso(6, 0, -4);
    case 2: return p.leg(Right, 22, 13, 22).leg(Left, 22, 13, 22);
    default: return p.leg(Right, 29, 1, 40).leg(Left, 22, 7, 22).torso(6, 0, -2);
    }
}

Clip stand()
{
    Pose breathe = standPose();
    breathe.torso(7).head(-1).arm(Right, 70, 10, 0, 36).arm(Left, 70, 10, 0, 36);
    Clip c("stand.anim", 80, true);
    c.grounded(0, standPose()).grounded(40, breathe).grounded(80, standPose());
    return c;
}

Clip lie()
{
    Pose breathe = liePose();
    breathe.torso(-2).head(-2);
    Clip c("lie.anim", 60, true);
    c.grounded(0, liePose()).at(30, breathe).grounded(60, liePose());
    return c;
}

// Plants given for one cycle, repeated over the cycles either side so the
// feet of a looping clip carry on across its ends.
void repeatPlants(Clip& c, Side side, const std::vector<FootPlant>& cycle, float dx, float dz)
{
    for (int k = -2; k <= 2; ++k)
        for (FootPlant p : cycle) {
            p.from += k * c.length;
            p.to += k * c.length;
            p.x += k * dx;
            p.z += k * dz;
            c.plants[side == Right ? 0 : 1].push_back(p);
        }
}

// The waist's height along a stepping clip, from where its feet stand: as
// high as a standing body, but never so high that the foot it stands on
// (the flattest of those on the mat) must rise onto its toe or heel by more
// than a little, nor any planted foot by more than a lot.
void stepHeights(Clip& c)
{
    const double top = standHeight();
    const double leg = 3.32;    // hip to ankle, the knee a little bent
    const int n = static_cast<int>(std::lround(c.length));
    std::vector<double> height(static_cast<std::size_t>(n + 1));
    for (int k = 0; k <= n; ++k) {
        const float t = static_cast<float>(k);
        const double rx = channelValue(c.rootX, t, c.loops, c.length);
        const double rz = channelValue(c.rootZ, t, c.loops, c.length);
        double flattest = 0, highest = top;
        bool any = false;
        for (int foot = 0; foot < 2; ++foot)
            for (const FootPlant& p : c.plants[foot])
                if (t >= p.from && t <= p.to) {
                    const double hipX = rx + (foot == 0 ? -hipSocketX : hipSocketX);
                    const double across = std::hypot(p.x - hipX, p.z - rz);
                    auto reach = [&](double ankle) {
                        return -hipLineY + ankle + std::sqrt(std::max(0.0, leg * leg - across * across));
                    };
                    flattest = std::max(flattest, reach(0.5));
                    highest = std::min(highest, reach(0.75));
                    any = true;
                }
        height[static_cast<std::size_t>(k)] = any ? std::min({top, flattest, highest}) : top;
    }
    c.rootY.clear();
    for (int k = 0; k <= n; ++k) {
        double sum = 0;
        for (int d = -2; d <= 2; ++d) {
            int j = k + d;
            if (c.loops)
                j = (j % n + n) % n;
            sum += height[static_cast<std::size_t>(std::clamp(j, 0, n))];
        }
        c.y(static_cast<float>(k), static_cast<float>(sum / 5));
    }
}

constexpr float walkFootX = 1.0f;       // ankles either side of the body's line
constexpr float walkFootAhead = 1.6f;   // heel strike ahead of the waist

// The forward walk: each foot planted for a little over half the cycle, so
// both stand together only briefly and the back foot leaves the mat before
// it tips far onto its toe (the foot has no ankle of its own); the heel
// strikes well ahead of the waist, toe up. A backward walk plays it in
// reverse.
//
// The cycle starts a quarter in, at the passing pose: one foot under the
// body, the other lifting, the body at its highest. A walk started from
// standing then begins by lifting a foot, instead of sliding the feet
// apart into a stride while the body drops.
Clip walkForward(const char* file, float direction)
{
    Clip c(file, walkCycle, true);
    for (int q = 0; q <= 4; ++q) {
        // Backward walking plays the forward cycle in reverse.
        const float t = direction > 0 ? q * walkCycle / 4 : walkCycle - q * walkCycle / 4;
        c.at(t, walkKey(q + 1));
    }
    c.y(0, standHeight()).y(walkCycle, standHeight());
    c.z(0, 0).z(walkCycle, direction * walkStride);
    const float stance = walkCycle * 0.55f;
    const float toeOut = 0.08f;
    // Heel strikes of the cycle that starts with the heel strike, moved
    // back a quarter cycle in time and in place.
    const float start = walkCycle / 4, back = walkStride / 4;
    std::vector<FootPlant> right{{-start, stance - start, -walkFootX, walkFootAhead - back, -toeOut}};
    std::vector<FootPlant> left{
        {walkCycle / 2 - start, walkCycle / 2 + stance - start, walkFootX, walkFootAhead + walkStride / 2 - back, toeOut}};
    if (direction < 0)
        for (auto* feet : {&right, &left})
            for (FootPlant& p : *feet) {
                const float from = walkCycle - p.to, to = walkCycle - p.from;
                p.from = from, p.to = to;
                p.z -= walkStride;
            }
    repeatPlants(c, Right, right, 0, direction * walkStride);
    repeatPlants(c, Left, left, 0, direction * walkStride);
    c.footLift = 0.45f;
    c.longestStep = walkCycle;
    c.liftToGround = false;
    stepHeights(c);
    return c;
}

// Side steps toward +x (direction 1) or -x: the leading foot steps out,
// the trailing foot follows, twice a cycle.
Clip walkSide(const char* file, float direction)
{
    Clip c(file, walkCycle, true);
    for (int q = 0; q <= 8; ++q) {
        const Pose p = direction > 0 ? sideKey(q) : sideKey(q).mirrored();
        c.at(q * walkCycle / 8, p);
    }
    c.y(0, standHeight()).y(walkCycle, standHeight());
    c.x(0, 0).x(walkCycle, direction * walkStride);
    const float half = walkCycle / 2, step = walkStride / 2, width = 0.8f;
    const Side lead = direction > 0 ? Left : Right, trail = direction > 0 ? Right : Left;
    const float ahead = 0.7f;   // the ankles ahead of the hips, as the crouch puts them
    repeatPlants(c, lead, {{-half + 8, 0, direction * width, ahead, 0}, {8, half, direction * (width + step), ahead, 0}}, direction * walkStride, 0);
    repeatPlants(c, trail, {{-2, 10, -direction * width, ahead, 0}, {half - 2, half + 10, -direction * (width - step), ahead, 0}},
                 direction * walkStride, 0);
    c.footLift = 0.35f;
    c.longestStep = walkCycle;
    c.liftToGround = false;
    stepHeights(c);
    return c;
}

Pose runContact()
{
    return Pose()
        .torso(18)
        .head(-10)
        .leg(Right, 38, 3, 22)
        .leg(Left, -26, 3, 45)
        .arm(Right, 80, -38, 0, 85)
        .arm(Left, 80, 48, 0, 100);
}

Pose runFlight()
{
    return Pose()
        .torso(18)
        .head(-10)
        .leg(Right, 4, 3, 30)
        .leg(Left, 36, 3, 100)
        .arm(Right, 80, -2, 0, 90)
        .arm(Left, 80, 12, 0, 90);
}

// Running: each foot on the mat for a third of the cycle, both in the air
// between; the body is highest in the air, where the cycle starts.
Clip run()
{
    Clip c("run.anim", runCycle, true);
    for (int q = 0; q <= 8; ++q) {
        const float t = q * runCycle / 8;
        c.at(t, runPose(t / runCycle)).y(t, runHeight(t / runCycle));
    }
    c.z(0, 0).z(runCycle, runStride);
    const float stance = 7, land = runCycle / 4 - stance / 2;
    const float speed = runStride / runCycle;
    // Each foot lands ahead of the waist and leaves behind it.
    const float plantZ = speed * (land + stance * 0.5f) + 0.3f;
    repeatPlants(c, Right, {{land, land + stance, -0.6f, plantZ, -0.05f}}, 0, runStride);
    repeatPlants(c, Left, {{land + runCycle / 2, land + runCycle / 2 + stance, 0.6f, plantZ + runStride / 2, 0.05f}}, 0,
                 runStride);
    c.footLift = 0.9f;
    c.longestStep = runCycle;
    c.liftToGround = false;
    return c;
}

Clip fall()
{
    Pose reel = standPose();
    reel.torso(-18).head(-30).arm(Right, 40, 40, 0, 40).arm(Left, 40, 40, 0, 40).leg(Right, 10, 6, 12);
    Pose stagger = reel;
    stagger.body(-12).leg(Right, 30, 6, 25).leg(Left, 6, 6, 20).head(-20);
    Pose sink = Pose()
                    .body(-30)
                    .torso(12)
                    .head(10)
                    .arm(Right, 30, 60, 0, 20)
                    .arm(Left, 30, 60, 0, 20)
                    .leg(Right, 55, 6, 80)
                    .leg(Left, 45, 6, 70);
    Pose land = liePose();
    land.arm(Right, 35, 0, 0, 5).arm(Left, 35, 0, 0, 5).leg(Right, 30, 8, 20).leg(Left, 25, 8, 20).head(8);
    Clip c("fall.anim", 72);
    c.grounded(0, standPose())
        .grounded(10, reel)
        .grounded(25, stagger)
        .grounded(40, sink)
        .at(51.5f, land)
        .y(51.5f, groundHeight(land))
        .at(60, liePose().leg(Right, 8, 7, 6).leg(Left, 8, 7, 6))
        .grounded(72, liePose());
    c.z(0, 0).z(25, -1.0f).z(40, -1.8f).z(51.5f, -2.4f).z(72, -2.4f);
    return c;
}

Clip getup()
{
    Pose sit = liePose();
    sit.torso(50).head(10).arm(Right, 55, -40, 0, 24).arm(Left, 55, -40, 0, 24).leg(Right, 35, 6, 70).leg(Left, 20, 6, 40);
    Pose crouch = Pose()
                      .body(-15)
                      .torso(40)
                      .head(-10)
                      .arm(Right, 80, 50, 0, 40)
                      .arm(Left, 80, 30, 0, 40)
                      .leg(Right, 100, 8, 135)
                      .leg(Left, 90, 8, 130);
    Pose rise = Pose()
                    .torso(30)
                    .head(-10)
                    .arm(Right, 75, 30, 0, 40)
                    .arm(Left, 75, 30, 0, 40)
                    .leg(Right, 55, 6, 80)
                    .leg(Left, 55, 6, 80);
    Pose almost = standPose();
    almost.torso(14).leg(Right, 20, 5, 25).leg(Left, 20, 5, 25);
    Clip c("getup.anim", 80);
    c.grounded(0, liePose()).grounded(14, sit).grounded(32, crouch).grounded(50, rise).grounded(64, almost)
        .grounded(80, standPose());
    c.z(0, 0).z(14, 0).z(32, 0.8f).z(80, 0.8f);
    return c;
}

// Walking backward into the ropes, bouncing off them into a run.
Clip ropesBack()
{
    Pose step = standPose();
    step.torso(0).leg(Right, -12, 5, 10).leg(Left, 8, 5, 6);
    Pose lean = Pose()
                    .torso(-22)
                    .head(-12)
                    .arm(Right, 25, 0, -35, 20)
                    .arm(Left, 25, 0, -35, 20)
                    .leg(Right, 14, 6, 24)
                    .leg(Left, 20, 6, 28);
    Pose deep = lean;
    deep.torso(-28).leg(Right, 20, 6, 34).leg(Left, 26, 6, 38);
    Pose launch = runPose(0.75f);
    launch.torso(26);
    Clip c("ropesback.anim", 50);
    c.grounded(0, standPose()).grounded(14, step).grounded(25, lean).grounded(33, deep).grounded(42, launch)
        .grounded(50, runPose(0));
    c.z(0, 0).z(14, -1.0f).z(25, -2.0f).z(33, -2.4f).z(42, -1.9f).z(50, 0.9f);
    // Two steps back, both feet braced while the ropes take the weight, then
    // off into the run.
    c.plant(Right, 0, 3, 0).plant(Right, 10, 36, 25).plant(Left, 0, 12, 0).plant(Left, 18, 40, 33);
    return c;
}

// Side-stepping into the ropes toward +x (direction 1) or -x (-1), and
// bouncing back into the opposite side step.
Clip ropesSide(const char* file, float direction)
{
    Pose lean = Pose()
                    .body(0, 0, -8)
                    .torso(4, 0, -12)
                    .head(-4, 0, -10)
                    .arm(Right, 55, 40, 0, 60)
                    .arm(Left, -5, 0, -30, 20)
                    .leg(Right, 4, 14, 16)
                    .leg(Left, 4, 8, 10);
    Pose deep = lean;
    deep.body(0, 0, -12).torso(4, 0, -16).leg(Right, 4, 16, 22);
    Pose push = sideKey(0);
    push.body(0, 0, 5).torso(6, 0, 6);
    auto side = [&](Pose p) { return direction > 0 ? p : p.mirrored(); };
    Clip c(file, 50);
    c.grounded(0, side(sideKey(0)))
        .grounded(10, side(sideKey(1)))
        .grounded(20, side(lean))
        .grounded(28, side(deep))
        .grounded(38, side(push))
        .grounded(50, side(sideKey(0)).mirrored());
    c.x(0, 0).x(10, direction * 0.9f).x(20, direction * 1.6f).x(28, direction * 1.9f).x(38, direction * 1.2f)
        .x(50, 0);
    const Side lead = direction > 0 ? Left : Right, trail = direction > 0 ? Right : Left;
    c.plant(lead, 0, 1, 0).plant(lead, 8, 36, 20).plant(lead, 42, 50, 50);
    c.plant(trail, 0, 10, 0).plant(trail, 16, 33, 24).plant(trail, 37, 43, 40).plant(trail, 49, 50, 50);
    return c;
}

// A runner meets the ropes: turns, takes them on its back, and runs back
// the way it came (the heading turns by 180 when the clip ends).
Clip runRopes()
{
    Pose slow = runPose(0.5f);
    slow.torso(4);
    Pose turn = Pose()
                    .body(0, 100)
                    .torso(-4)
                    .arm(Right, 40, 0, -20, 30)
                    .arm(Left, 40, 0, -20, 30)
                    .leg(Right, 10, 10, 20)
                    .leg(Left, 18, 10, 24);
    Pose lean = Pose()
                    .body(0, 180)
                    .torso(-24)
                    .head(-14)
                    .arm(Right, 22, 0, -40, 20)
                    .arm(Left, 22, 0, -40, 20)
                    .leg(Right, 16, 7, 28)
                    .leg(Left, 22, 7, 32);
    Pose deep = lean;
    deep.torso(-30).leg(Right, 24, 7, 40).leg(Left, 30, 7, 44);
    Pose launch = runPose(0.75f);
    launch.body(0, 180).torso(28);
    Pose away = runPose(0);
    away.body(0, 180);
    Clip c("runropes.anim", 60);
    c.grounded(0, runPose(0)).grounded(10, slow).grounded(22, turn).grounded(33, lean).grounded(42, deep)
        .grounded(52, launch).grounded(60, away);
    c.z(0, 0).z(10, 3.2f).z(22, 5.0f).z(33, 5.9f).z(42, 6.3f).z(52, 5.3f).z(60, 2.6f);
    // Slowing in two strides, two steps round as the body turns, braced
    // against the ropes, and away in a stride the other way.
    c.plantAt(Right, 2, 7, -0.6f, 2.6f, 0).plantAt(Left, 9, 14, 0.6f, 4.5f, 0.5f)
        .plantAt(Right, 16, 21, 0.2f, 5.3f, 1.6f).plantAt(Left, 24, 49, -0.6f, 5.0f, 3.14f)
        .plantAt(Right, 28, 46, 0.4f, 5.2f, 3.14f).plantAt(Right, 52, 55, 0.6f, 3.6f, 3.14f);
    return c;
}

} // namespace

Pose runPose(float phase)
{
    // Eighths of the cycle: in the air, right foot landing, on it, pushing
    // off, in the air, and the same on the left.
    const int eighth = static_cast<int>(std::floor(phase * 8 + 0.5f)) % 8;
    Pose p;
    switch (eighth / 2) {
    case 0: p = runFlight().mirrored(); break;
    case 1: p = runContact(); break;
    case 2: p = runFlight(); break;
    default: p = runContact().mirrored(); break;
    }
    if (eighth % 2) {
        // Between two of the four poses: halfway.
        const Pose next = runPose((eighth + 1) / 8.0f);
        for (int j = 0; j < layoutJointCount; ++j)
            for (int a = 0; a < 3; ++a)
                p.r[j][a] = (p.r[j][a] + next.r[j][a]) / 2;
    }
    return p;
}

float runHeight(float phase)
{
    // Highest in the air, lowest halfway through each stride on the mat.
    return 4.30f + 0.20f * std::cos(phase * 4 * 3.14159265f);
}

std::vector<Clip> locomotionClips()
{
    return {stand(),
            lie(),
            walkForward("walk.anim", 1),
            walkForward("walkback.anim", -1),
            walkSide("walkleft.anim", 1),
            walkSide("walkright.anim", -1),
            run(),
            fall(),
            getup(),
            ropesBack(),
            ropesSide("ropesleft.anim", 1),
            ropesSide("ropesright.anim", -1),
            runRopes()};
}
