// Pins, the count, the kick-out, climbing into the ring and the four
// celebrations.
#include "tools/datatool/clips_author.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The pinner stands just past the lying opponent's feet, facing it; the
// count runs over the cover, so pin.anim lasts long enough for two counts.
constexpr float pinLength = 135;
constexpr float pinfallLength = 60;

// The pinner drops to its knees at the lying opponent's feet, where the
// pin puts it, and lies forward across its legs, hands pressing down on its
// hips. Nothing of the pin moves the pinner's feet or waist: the kick-out
// puts both wrestlers back where the pin began.
Pose coverPose()
{
    return Pose()
        .body(66)
        .torso(14)
        .head(-34)
        .arm(Right, 70, 60, 0, 50)
        .arm(Left, 70, 60, 0, 50)
        .leg(Right, 62, 26, 92)
        .leg(Left, 62, 26, 92);
}

Pose pinnedPose()
{
    // Flat on the back, the arms out from the body.
    return liePose().arm(Right, 45, 10, 0, 20).arm(Left, 45, 10, 0, 20).head(4);
}

Clip pin()
{
    Pose drop = standPose();
    drop.torso(34).leg(Right, 60, 34, 90).leg(Left, 55, 34, 85).arm(Right, 80, 50, 0, 30).arm(Left, 80, 50, 0, 30);
    // Bearing down in turn through the count.
    Pose press = coverPose();
    press.torso(18).head(-38);
    // The pin puts the pinner at the opponent's feet: it arrives astride
    // them.
    Pose astride = standPose();
    astride.leg(Right, 18, 30, 20).leg(Left, 18, 30, 20).torso(16);
    Clip c("pin.anim", pinLength);
    c.grounded(0, astride).grounded(8, drop).grounded(16, coverPose());
    for (float t = 40; t < pinLength; t += 40)
        c.grounded(t, press).grounded(t + 20, coverPose());
    c.grounded(pinLength, coverPose());
    c.z(0, 0).z(pinLength, 0);
    return c;
}

Clip getpinned()
{
    Pose strain = pinnedPose();
    strain.torso(6).head(10).arm(Right, 40, 20, 0, 30).arm(Left, 50, 5, 0, 25);
    Clip c("getpinned.anim", pinLength);
    c.grounded(0, liePose()).grounded(16, pinnedPose());
    for (float t = 34; t < pinLength - 10; t += 36)
        c.grounded(t, strain).grounded(t + 18, pinnedPose());
    c.grounded(pinLength, pinnedPose());
    return c;
}

// After the count the pinner pushes up off the opponent's legs to its knees
// and stands where it knelt.
Clip pinfall()
{
    Pose push = coverPose();
    push.body(40).torso(20).arm(Right, 75, 50, 0, 20).arm(Left, 75, 50, 0, 20);
    Pose kneel = Pose()
                     .body(-5)
                     .torso(24)
                     .arm(Right, 75, 30, 0, 30)
                     .arm(Left, 75, 30, 0, 30)
                     .leg(Right, 88, 35, 118)
                     .leg(Left, 70, 35, 116);
    Pose rise = standPose();
    rise.torso(20).leg(Right, 40, 28, 50).leg(Left, 40, 28, 50);
    Clip c("pinfall.anim", pinfallLength);
    c.grounded(0, coverPose()).grounded(14, coverPose()).grounded(24, push).grounded(34, kneel).grounded(47, rise)
        .grounded(pinfallLength, standPose());
    c.z(0, 0).z(24, 0).z(34, -0.4f).z(47, -1.2f).z(pinfallLength, -1.2f);
    return c;
}

Clip getpinfalled()
{
    Clip c("getpinfalled.anim", pinfallLength);
    // The legs draw up out of the way as the pinner gets off them.
    Pose drawn = pinnedPose();
    drawn.leg(Right, 50, 32, 90).leg(Left, 42, 32, 85);
    c.grounded(0, pinnedPose()).grounded(20, pinnedPose()).grounded(27, drawn).grounded(46, drawn)
        .grounded(pinfallLength, liePose());
    return c;
}

// The pinned wrestler sits up and shoves the pinner off its legs, then
// lies back.
Clip kickout()
{
    Pose curl = pinnedPose();
    curl.torso(40).head(20).arm(Right, 80, 80, 0, 60).arm(Left, 80, 80, 0, 60).leg(Right, 45, 6, 95)
        .leg(Left, 45, 6, 95);
    Pose shove = curl;
    shove.torso(55).arm(Right, 80, 95, 0, 10).arm(Left, 80, 95, 0, 10);
    Clip c("kickout.anim", 60);
    c.grounded(0, pinnedPose()).grounded(5, curl).grounded(10, shove).grounded(22, Pose(curl).torso(30))
        .grounded(40, liePose().torso(8).leg(Right, 40, 4, 80).leg(Left, 40, 4, 80)).grounded(60, liePose());
    return c;
}

// Shoved off the cover: the pinner rocks back onto its heels and knees,
// then stands up.
Clip getkickout()
{
    Pose shoved = coverPose();
    shoved.body(52).torso(4).head(-24).arm(Right, 60, 60, 0, 30).arm(Left, 60, 60, 0, 30);
    Pose thrown = coverPose();
    thrown.body(22).torso(-10).head(-20).arm(Right, 40, 70, 0, 30).arm(Left, 40, 70, 0, 30);
    Pose sat = Pose()
                   .body(-10)
                   .torso(20)
                   .arm(Right, 70, 30, 0, 30)
                   .arm(Left, 70, 30, 0, 30)
                   .leg(Right, 88, 24, 120)
                   .leg(Left, 80, 24, 118);
    Pose rise = standPose();
    rise.torso(20).leg(Right, 40, 18, 50).leg(Left, 40, 18, 50);
    Clip c("getkickout.anim", 70);
    c.grounded(0, coverPose()).grounded(7, shoved).grounded(14, thrown).grounded(24, sat).grounded(36, sat)
        .grounded(52, rise).grounded(70, standPose());
    c.z(0, 0).z(7, -0.1f).z(14, -0.6f).z(24, -1.2f).z(70, -1.2f);
    return c;
}

// Climbing from the hall floor onto the apron (5 up) and through the ropes.
// The clip takes over from the walk at any time within the walk's cycle,
// so the climb itself starts after that.
constexpr float climbStart = walkCycle + 8;
constexpr float ringStep = 5;

// On the apron the feet stand where they come down, the body moving over
// them: the right foot up beside the knee, the left as he rises, the right
// again once it has stepped through the ropes and the left last. Between
// its steps a foot follows the authored leg, carried up off the apron and
// over as it leaves a step and comes onto the next.
struct ApronStep {
    Side side;
    float from, to;
    float at;   // the clip time whose authored foot marks the place
};

constexpr ApronStep apronSteps[] = {
    {Right, climbStart + 42, climbStart + 62, climbStart + 48},
    {Left, climbStart + 48, climbStart + 74, climbStart + 56},
    {Right, climbStart + 82, climbStart + 100, climbStart + 86},
    {Left, climbStart + 92, climbStart + 100, climbStart + 100},
};

constexpr int apronSwing = 6;       // samples of the carry onto a step and off it
constexpr double apronLift = 0.9;   // how high the foot is carried

void standOnApron(Clip& c)
{
    Timeline tl = sampleTimeline(c, 1);
    const std::vector<Pose> authored = tl.poses;
    const int n = static_cast<int>(tl.times.size());
    const double standY = ringStep + (ankleY - soleY);
    for (const ApronStep& s : apronSteps) {
        const int shin = s.side == Right ? RightShin : LeftShin;
        const Point3 ankle{s.side == Right ? -hipSocketX : hipSocketX, ankleY, 0};
        auto authoredAnkle = [&](int k) {
            BodyFrames f;
            bodyFrames(authored[static_cast<std::size_t>(k)], f);
            const Point3 a = framePoint(f, shin, ankle);
            const Point3& r = tl.root[static_cast<std::size_t>(k)];
            return Point3{a.x + r.x, a.y + r.y, a.z + r.z};
        };
        const int from = static_cast<int>(std::lround(s.from)), to = static_cast<int>(std::lround(s.to));
        const Point3 place = authoredAnkle(static_cast<int>(std::lround(s.at)));
        const Point3 stand{place.x, standY, place.z};
        for (int k = from; k <= to && k < n; ++k) {
            const std::size_t i = static_cast<std::size_t>(k);
            FootPlant p{s.from, s.to, static_cast<float>(place.x - tl.root[i].x),
                        static_cast<float>(place.z - tl.root[i].z), 0};
            Pose solved = tl.poses[i];
            placeFeet(solved, static_cast<float>(tl.root[i].y - ringStep), p, p);
            for (const IkDof& d : legDofs(s.side))
                tl.poses[i].r[d.joint][d.axis] = solved.r[d.joint][d.axis];
        }
        // The carries: across first, down last, so the toes never drag; the
        // foot turns steadily from the way it points as it leaves to the way
        // it points as it arrives.
        const Point3 toe{ankle.x, ankle.y, ankle.z + 1};
        auto placed = [&](const Pose& pose, int k, const Point3& rest) {
            BodyFrames f;
            bodyFrames(pose, f);
            const Point3 a = framePoint(f, shin, rest);
            const Point3& r = tl.root[static_cast<std::size_t>(k)];
            return Point3{a.x + r.x, a.y + r.y, a.z + r.z};
        };
        auto carry = [&](int k0, int k1, const Point3& a, const Point3& b, const Point3& da, const Point3& db) {
            for (int k = std::max(1, k0 + 1); k < k1 && k < n; ++k) {
                const std::size_t i = static_cast<std::size_t>(k);
                const double u = static_cast<double>(k - k0) / (k1 - k0);
                const double e = std::clamp(1.5 * (b.y < a.y ? u : u - 0.33), 0.0, 1.0);
                const double h = e * e * (3 - 2 * e);
                const Point3 goal{a.x + (b.x - a.x) * h, a.y + (b.y - a.y) * u + apronLift * std::sin(M_PI * u),
                                  a.z + (b.z - a.z) * h};
                const Point3 body{goal.x - tl.root[i].x, goal.y - tl.root[i].y, goal.z - tl.root[i].z};
                const Point3 d{da.x + (db.x - da.x) * u, da.y + (db.y - da.y) * u, da.z + (db.z - da.z) * u};
                // From the leg a moment before, so the foot turns no more
                // than it must.
                Pose& pose = tl.poses[i];
                for (const IkDof& dof : legDofs(s.side))
                    pose.r[dof.joint][dof.axis] = tl.poses[i - 1].r[dof.joint][dof.axis];
                std::vector<IkRow> rows;
                pointGoal(rows, shin, ankle, body);
                pointGoal(rows, shin, toe, {body.x + d.x, body.y + d.y, body.z + d.z}, 0.5);
                solveIk(pose, authored[i], legDofs(s.side), rows, 20, 1e-5);
            }
        };
        auto toeWay = [&](const Pose& pose, int k) {
            const Point3 a = placed(pose, k, ankle), t = placed(pose, k, toe);
            return Point3{t.x - a.x, t.y - a.y, t.z - a.z};
        };
        if (from - apronSwing >= 1) {
            const int k0 = from - apronSwing;
            carry(k0, from, placed(tl.poses[static_cast<std::size_t>(k0)], k0, ankle), stand,
                  toeWay(tl.poses[static_cast<std::size_t>(k0)], k0), {0, 0, 1});
        }
        if (to + apronSwing < n) {
            const int k1 = to + apronSwing;
            carry(to, k1, placed(tl.poses[static_cast<std::size_t>(to)], to, ankle),
                  placed(authored[static_cast<std::size_t>(k1)], k1, ankle), toeWay(tl.poses[static_cast<std::size_t>(to)], to),
                  toeWay(authored[static_cast<std::size_t>(k1)], k1));
        }
    }
    storeTimeline(c, tl);
}

Clip getinring()
{
    const float h = standHeight();
    Pose reach = standPose();
    reach.torso(10).arm(Right, 80, 100, 0, 40).arm(Left, 80, 100, 0, 40);
    Pose kneeUp = reach;
    kneeUp.torso(35).arm(Right, 80, 75, 0, 60).arm(Left, 80, 75, 0, 60).leg(Right, 105, 8, 115)
        .leg(Left, -5, 8, 8);
    Pose kneeling = Pose()
                        .torso(20)
                        .arm(Right, 80, 45, 0, 40)
                        .arm(Left, 80, 45, 0, 40)
                        .leg(Right, 85, 8, 95)
                        .leg(Left, 5, 8, 100);
    Pose duck = standPose();
    duck.torso(55).head(-30).arm(Right, 70, 70, 0, 60).arm(Left, 70, 40, 0, 60).leg(Right, 85, 10, 95)
        .leg(Left, 10, 8, 25);
    Pose through = standPose();
    through.torso(35).head(-20).leg(Right, 30, 8, 40).leg(Left, 60, 8, 100);
    Clip c("getinring.anim", climbStart + 100);
    const float t0 = climbStart;
    // Waiting at the apron, looking round at the crowd.
    c.grounded(0, standPose())
        .grounded(14, Pose(standPose()).head(-10, 35).torso(2, 10))
        .grounded(28, Pose(standPose()).head(-10, -35).torso(2, -10))
        .grounded(t0 - 6, standPose())
        .at(t0 + 6, reach)
        .y(t0 + 6, h)
        .at(t0 + 22, kneeUp)
        .y(t0 + 22, h + 1.6f)
        .at(t0 + 40, kneeling)
        .y(t0 + 40, ringStep + groundHeight(kneeling))
        .at(t0 + 56, standPose())
        .y(t0 + 56, ringStep + h)
        .at(t0 + 70, duck)
        .y(t0 + 70, ringStep + groundHeight(duck))
        .at(t0 + 84, through)
        .y(t0 + 84, ringStep + groundHeight(through))
        .at(t0 + 100, standPose())
        .y(t0 + 100, ringStep + h);
    c.z(0, 0).z(t0 + 6, 0).z(t0 + 40, 1.2f).z(t0 + 56, 1.6f).z(t0 + 70, 2.6f).z(t0 + 84, 3.9f).z(t0 + 100, 4.6f);
    standOnApron(c);
    return c;
}

// Corner celebration: a stomp that shakes the ropes at 11, then the
// raised fist, a point to the crowd and arms folded.
Clip vorlanceleb()
{
    Pose lift = standPose();
    lift.leg(Right, 72, 6, 96).arm(Right, 50, 20, 0, 40).arm(Left, 50, 20, 0, 40);
    Pose stomp = standPose();
    stomp.torso(14).leg(Right, 10, 6, 20).leg(Left, 4, 6, 15);
    Pose fist = standPose();
    fist.torso(-6).head(-15).arm(Right, -75, 0, 0, 25).arm(Left, 75, 30, 0, 60);
    Pose point = standPose();
    point.torso(0, 20).head(-5, 25).arm(Right, 80, 100, -30, 5).arm(Left, 75, 10, 0, 40);
    Pose folded = standPose();
    folded.torso(-4).head(-12, 0, 10).arm(Right, 82, 30, 75, 105).arm(Left, 82, 34, 75, 100);
    Clip c("vorlanceleb.anim", 120);
    c.grounded(0, standPose())
        .grounded(6, lift)
        .grounded(11, stomp)
        .grounded(24, fist)
        .grounded(40, fist)
        .grounded(54, point)
        .grounded(68, point)
        .grounded(82, folded)
        .grounded(104, folded)
        .grounded(120, standPose());
    return c;
}

// Corner celebration: a two-footed hop onto the mat at 11, then a double
// biceps flex and both fists in the air.
Clip kalverceleb()
{
    // The arms swing back for the hop, up a little through it and are
    // brought down as it lands, never whipped.
    Pose crouch = standPose();
    crouch.torso(20).leg(Right, 40, 8, 60).leg(Left, 40, 8, 60).arm(Right, 68, -22, 0, 24).arm(Left, 68, -22, 0, 24);
    Pose hop = standPose();
    hop.arm(Right, 40, 40, 0, 40).arm(Left, 40, 40, 0, 40).leg(Right, 10, 6, 20).leg(Left, 10, 6, 20);
    Pose land = crouch;
    land.arm(Right, 55, 25, 0, 40).arm(Left, 55, 25, 0, 40);
    Pose flex = standPose();
    flex.torso(-4).head(-10).arm(Right, 0, 0, 10, 0).flex(Right, 100).arm(Left, 0, 0, 10, 0).flex(Left, 100)
        .leg(Right, 4, 12, 10).leg(Left, 4, 12, 10);
    Pose squeeze = flex;
    squeeze.torso(6).flex(Right, 120).flex(Left, 120).head(5);
    Pose fists = standPose();
    fists.head(-20).arm(Right, -70, 0, 0, 20).arm(Left, -70, 0, 0, 20);
    Clip c("kalverceleb.anim", 126);
    c.grounded(0, standPose())
        .grounded(4, crouch)
        .at(8, hop)
        .y(8, groundHeight(hop) + 1.2f)
        .grounded(11, land)
        .grounded(24, flex)
        .grounded(36, squeeze)
        .grounded(48, flex)
        .grounded(60, squeeze)
        .grounded(76, fists)
        .grounded(100, fists)
        .grounded(126, standPose());
    return c;
}

// Centre celebration: crouched, gathering himself, then both arms flung to
// the sky as the fireworks start at 53.
Clip zoragceleb()
{
    Pose gather = standPose();
    gather.torso(35).head(20).arm(Right, 80, 20, 0, 60).arm(Left, 80, 20, 0, 60).leg(Right, 45, 14, 70)
        .leg(Left, 45, 14, 70);
    Pose rising = standPose();
    rising.torso(10).head(0).arm(Right, 40, 30, 0, 40).arm(Left, 40, 30, 0, 40).leg(Right, 20, 12, 30)
        .leg(Left, 20, 12, 30);
    Pose sky = standPose();
    sky.torso(-12).head(-35).arm(Right, -55, 0, 0, 5).arm(Left, -55, 0, 0, 5).leg(Right, 4, 14, 6)
        .leg(Left, 4, 14, 6);
    Clip c("zoragceleb.anim", 130);
    c.grounded(0, standPose())
        .grounded(18, gather)
        .grounded(38, gather)
        .grounded(48, rising)
        .grounded(54, sky)
        .grounded(90, sky)
        .grounded(112, rising)
        .grounded(130, standPose());
    return c;
}

// Centre celebration: a full spin on the spot, a deep bow, and one arm
// pointing to the rafters.
Clip teskarceleb()
{
    Pose spin = standPose();
    spin.arm(Right, 20, 0, 0, 10).arm(Left, 20, 0, 0, 10).head(-10);
    Pose bow = standPose();
    bow.body(0, 360).torso(60).head(15).arm(Right, 80, 60, 40, 100).arm(Left, 40, -30, 0, 20);
    Pose point = standPose();
    point.body(0, 360).torso(-6).head(-20).arm(Right, -70, 20, 0, 5).arm(Left, 75, 10, 0, 40);
    Pose done = standPose();
    done.body(0, 360);
    Clip c("teskarceleb.anim", 120);
    c.grounded(0, standPose())
        .grounded(10, spin)
        .grounded(22, Pose(spin).body(0, 180))
        .grounded(34, Pose(spin).body(0, 360))
        .grounded(56, bow)
        .grounded(68, bow)
        .grounded(86, point)
        .grounded(102, point)
        .grounded(120, done);
    // The spin is stepped round, a foot at a time.
    auto foot = [&](Side side, float from, float to, float degrees) {
        const float a = degrees * 3.14159265f / 180, x = side == Right ? -0.98f : 0.98f, z = 0.57f;
        c.plantAt(side, from, to, x * std::cos(a) + z * std::sin(a), -x * std::sin(a) + z * std::cos(a), a);
    };
    foot(Right, 0, 12, 0), foot(Right, 15, 19, 90), foot(Right, 22, 26, 210), foot(Right, 30, 120, 360);
    foot(Left, 0, 14, 0), foot(Left, 17, 21, 150), foot(Left, 24, 29, 270), foot(Left, 32, 120, 360);
    return c;
}

} // namespace

std::vector<Clip> pinAndShowClips()
{
    return {pin(),         getpinned(),   pinfall(),     getpinfalled(), kickout(),     getkickout(),
            getinring(),   vorlanceleb(), kalverceleb(), zoragceleb(),   teskarceleb()};
}
