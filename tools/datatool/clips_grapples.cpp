// The lock-up and the moves from it. Each pair is authored side by side:
// the victim stands 5 ahead facing the attacker, so the victim's forward
// (root z) points at the attacker.
#include "tools/datatool/clips_author.h"
#include "tools/datatool/choreography.h"

// The collar-and-elbow tie-up both wrestlers take in the hold: bent in to
// each other, heads past each other's right shoulder, the right hand behind
// the partner's neck and the left on the partner's right elbow.
Pose lockPose()
{
    static const Pose lock = [] {
        Pose p = Pose()
                     .torso(32, 8, 8)
                     .head(-10, -30, 16)
                     .arm(Right, 75, 95, 25, 70)
                     .arm(Left, 60, 45, 0, 95)
                     .leg(Right, 10, 6, 22)
                     .leg(Left, 34, 6, 34);
        const float h = groundHeight(p);
        // Both take the same pose, so each hand's point moves with the
        // other's solved arm: a few rounds settle it.
        for (int round = 0; round < 4; ++round) {
            Pose other = p;
            solveHoldsAt(p, {0, h, 0}, other, {0, h, 0},
                         {{false, RightPalm, NeckBack}, {false, LeftPalm, RightElbow}});
        }
        return p;
    }();
    return lock;
}

namespace {

// Stepping in to the tie-up: the left foot steps forward and the right
// settles behind it as the hands reach for the neck and the elbow.
Clip grab(const char* file)
{
    Pose reach = standPose();
    reach.torso(16).arm(Right, 78, 80, 15, 45).arm(Left, 70, 40, 0, 70);
    Clip c(file, 30);
    c.grounded(0, standPose()).grounded(12, reach).grounded(22, lockPose()).grounded(30, lockPose());
    c.plant(Right, 0, 12, 0).plant(Right, 18, 30, 30).plant(Left, 0, 4, 0).plant(Left, 11, 30, 30);
    c.footLift = 0.35f;
    return c;
}

// The hold loops: the two strain against each other in turn, leaning in
// and giving a little, with their feet where they stand.
Clip grapple(const char* file, float phase)
{
    Pose push = lockPose();
    push.r[Torso][0] += 4;
    push.r[Head][0] += 3;
    Pose yield = lockPose();
    yield.r[Torso][0] -= 3;
    yield.r[Torso][2] += 3;
    const Pose first = phase > 0 ? yield : push;
    const Pose second = phase > 0 ? push : yield;
    Clip c(file, 60, true);
    c.grounded(0, lockPose()).grounded(15, first).grounded(30, lockPose()).grounded(45, second)
        .grounded(60, lockPose());
    return c;
}

// Vertical suplex: a front facelock, the victim hoisted upside down, held,
// and both fall back; the victim lands over the attacker, 10 behind its
// start. The attacker then gets up (getup.anim follows with a blend).
constexpr float suplexLand = 83.5f;

Clip suplex()
{
    Pose facelock = lockPose();
    facelock.torso(22).arm(Right, 70, 55, 30, 100).arm(Left, 80, 60, 10, 70).leg(Right, 10, 10, 12)
        .leg(Left, 0, 10, 12);
    Pose dip = facelock;
    dip.torso(14).leg(Right, 40, 10, 60).leg(Left, 35, 10, 55);
    Pose hoist = Pose()
                     .torso(-14)
                     .head(-25)
                     .arm(Right, 60, 150, 0, 60)
                     .arm(Left, 60, 150, 0, 60)
                     .leg(Right, 5, 10, 8)
                     .leg(Left, 5, 10, 8);
    Pose topple = hoist;
    topple.body(-45).leg(Right, 55, 10, 70).leg(Left, 50, 10, 65).torso(-6);
    Pose land = liePose();
    land.arm(Right, 20, 90, 0, 60).arm(Left, 20, 90, 0, 60).leg(Right, 30, 10, 30).leg(Left, 30, 10, 30);
    Clip c("suplex.anim", 110);
    c.grounded(0, lockPose())
        .grounded(14, facelock)
        .grounded(28, dip)
        .grounded(45, hoist)
        .grounded(58, hoist)
        .grounded(72, topple)
        .grounded(suplexLand, land)
        .grounded(96, liePose().torso(6))
        .grounded(110, liePose());
    c.z(0, 0).z(28, 0.3f).z(58, 0.3f).z(suplexLand, -0.6f).z(110, -0.6f);
    c.x(0, 0).x(58, 0).x(suplexLand, -1.2f).x(110, -1.2f);
    return c;
}

Clip getsuplexed()
{
    Pose bent = lockPose();
    bent.body(15).torso(50, 0, -18).head(20).arm(Left, 30, 60, 0, 40).arm(Right, 80, 40, 0, 60);
    Pose tip = bent;
    tip.body(75).torso(20).head(10).leg(Right, 10, 8, 10).leg(Left, 20, 8, 20);
    Pose inverted = Pose()
                        .body(180)
                        .torso(10)
                        .head(10)
                        .arm(Right, 60, 40, 0, 40)
                        .arm(Left, 20, 60, 0, 40)
                        .leg(Right, 0, 6, 4)
                        .leg(Left, 0, 6, 4);
    Pose over = inverted;
    over.body(230).leg(Right, 20, 8, 20).leg(Left, 15, 8, 15);
    Pose land = liePose();
    land.body(270).arm(Right, 25, 0, 0, 5).arm(Left, 25, 0, 0, 5).leg(Right, 30, 8, 20).leg(Left, 25, 8, 20);
    Pose rest = liePose();
    rest.body(270);
    Clip c("getsuplexed.anim", 110);
    c.grounded(0, lockPose())
        .grounded(14, bent)
        .at(28, tip)
        .y(28, groundHeight(tip) + 1.5f)
        .at(45, inverted)
        .y(45, 10.8f)
        .at(58, inverted)
        .y(58, 11.0f)
        .at(72, over)
        .y(72, 7.0f)
        .grounded(suplexLand, land)
        .grounded(96, Pose(rest).torso(5))
        .grounded(110, rest);
    c.z(0, 0).z(14, 0.8f).z(28, 2.0f).z(45, 3.6f).z(58, 3.8f).z(72, 7.0f).z(suplexLand, 10.6f).z(110, 10.6f);
    c.x(0, 0).x(58, 0).x(suplexLand, -1.3f).x(110, -1.3f);
    return c;
}

// Body slam: the victim is scooped onto the attacker's shoulder, face down,
// then turned over in the air and slammed on its back in front of him. It
// lands head toward the attacker; its heading turns when the clip ends.
constexpr float slamLand = 91.5f;

Clip slam()
{
    Pose scoop = lockPose();
    scoop.torso(40).arm(Right, 88, 60, 0, 40).arm(Left, 70, 70, 0, 90).leg(Right, 45, 12, 70)
        .leg(Left, 35, 12, 60);
    Pose lift = Pose()
                    .torso(-6)
                    .head(-10)
                    .arm(Right, 60, 110, 0, 100)
                    .arm(Left, 60, 125, 0, 110)
                    .leg(Right, 5, 10, 8)
                    .leg(Left, 5, 10, 8);
    Pose drive = Pose()
                     .torso(45)
                     .head(10)
                     .arm(Right, 80, 70, 0, 20)
                     .arm(Left, 80, 70, 0, 20)
                     .leg(Right, 40, 12, 55)
                     .leg(Left, 30, 12, 50);
    Clip c("slam.anim", 100);
    c.grounded(0, lockPose())
        .grounded(16, scoop)
        .grounded(34, lift)
        .grounded(60, lift)
        .grounded(76, Pose(lift).torso(10))
        .grounded(slamLand, drive)
        .grounded(100, standPose());
    c.z(0, 0).z(16, 0.5f).z(100, 0.5f);
    return c;
}

Clip getslammed()
{
    Pose scooped = lockPose();
    scooped.body(20).torso(30).head(15);
    Pose shoulder = Pose()
                        .body(90)
                        .torso(10)
                        .head(-15)
                        .arm(Right, 60, 40, 0, 40)
                        .arm(Left, 60, 40, 0, 40)
                        .leg(Right, 10, 8, 25)
                        .leg(Left, 20, 8, 30);
    Pose turn = shoulder;
    turn.body(90, 110).arm(Right, 30, 60, 0, 20).arm(Left, 30, 60, 0, 20);
    Pose land = liePose();
    land.body(90, 180).arm(Right, 25, 0, 0, 5).arm(Left, 25, 0, 0, 5).leg(Right, 30, 8, 25).leg(Left, 25, 8, 25);
    Pose rest = liePose();
    rest.body(90, 180);
    Clip c("getslammed.anim", 110);
    c.grounded(0, lockPose())
        .at(16, scooped)
        .y(16, groundHeight(scooped) + 0.3f)
        .at(34, shoulder)
        .y(34, 8.6f)
        .at(60, shoulder)
        .y(60, 8.8f)
        .at(78, turn)
        .y(78, 6.0f)
        .grounded(slamLand, land)
        .grounded(100, Pose(rest).torso(5))
        .grounded(110, rest);
    c.z(0, 0).z(16, 1.6f).z(34, 4.1f).z(60, 4.1f).z(78, 1.5f).z(slamLand, -0.8f).z(110, -0.8f);
    return c;
}

// Irish whip: the attacker swings the held opponent away; the opponent
// runs off, rebounds, and comes back running at him.
Clip throwClip()
{
    Pose hold = standPose();
    hold.arm(Right, 85, 75, 0, 20).torso(10);
    Pose wind = hold;
    wind.torso(8, -30).arm(Right, 80, 30, 0, 60).leg(Right, -5, 8, 14).leg(Left, 10, 8, 14);
    Pose whip = hold;
    whip.torso(18, 35).arm(Right, 88, 95, 0, 5).leg(Right, 20, 8, 12).leg(Left, -10, 8, 12);
    Clip c("throw.anim", 50);
    c.grounded(0, hold).grounded(12, wind).grounded(22, whip).grounded(32, whip).grounded(50, standPose());
    return c;
}

Clip getthrown()
{
    Pose held = standPose();
    held.arm(Left, 85, 75, 0, 20).torso(12);
    Pose yanked = held;
    yanked.body(8).torso(20).leg(Right, 25, 8, 20).leg(Left, -10, 8, 15);
    Pose spun = runPose(0.5f);
    spun.body(0, 100);
    Pose away = runPose(0.5f);
    away.body(0, 180);
    Pose brake = Pose()
                     .body(0, 180)
                     .torso(-15)
                     .arm(Right, 20, 0, -40, 20)
                     .arm(Left, 20, 0, -40, 20)
                     .leg(Right, 15, 8, 25)
                     .leg(Left, 20, 8, 28);
    Pose back = runPose(0.75f);
    back.body(0, 80).torso(22);
    Clip c("getthrown.anim", 62);
    c.grounded(0, held)
        .grounded(12, yanked)
        .grounded(22, spun)
        .grounded(34, away)
        .grounded(44, brake)
        .grounded(53, back)
        .grounded(62, runPose(0));
    c.z(0, 0).z(12, 0.5f).z(22, -0.8f).z(34, -4.6f).z(44, -7.0f).z(53, -6.4f).z(62, -3.2f);
    return c;
}

} // namespace

std::vector<Clip> grappleClips()
{
    return {grab("grab.anim"), grab("getgrabbed.anim"), grapple("grapple.anim", 0),
            grapple("getgrappled.anim", 1), suplex(), getsuplexed(), slam(), getslammed(), throwClip(),
            getthrown()};
}
