// The lock-up and the moves from it. Each pair is authored side by side:
// the victim stands 5 ahead facing the attacker, so the victim's forward
// (root z) points at the attacker.
#include "tools/datatool/clips_author.h"
#include "tools/datatool/choreography.h"

#include <algorithm>

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
        // The left foot forward, the right back, both flat on the mat.
        const float h = 4.5f;
        placeFeet(p, h, {0, 0, -1.05f, -0.55f, -0.15f}, {0, 0, 1.05f, 0.95f, 0.1f});
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
    // Reaching, the legs already take the hold's stance, and the body's
    // height follows the planted feet alone: it settles into the hold and
    // stays there, never sinking and springing back up in it.
    const Pose lock = lockPose();
    Pose reach = standPose();
    reach.torso(16).arm(Right, 70, 110, 15, 60).arm(Left, 80, 30, 0, 60);
    for (int j : {RightHip, RightThigh, RightShin, LeftHip, LeftThigh, LeftShin})
        std::copy(lock.r[j], lock.r[j] + 3, reach.r[j]);
    // The hands meet a little before the hold begins, so a move cut from
    // its first moment finds both already in the hold's pose.
    Clip c(file, 30);
    c.grounded(0, standPose()).grounded(11, reach).grounded(20, lock).grounded(30, lock);
    c.plant(Right, 0, 12, 0).plant(Right, 18, 30, 30).plant(Left, 0, 4, 0).plant(Left, 11, 30, 30);
    c.footLift = 0.35f;
    c.liftToGround = false;
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
    // Over the bent victim: the left arm round its neck and back, the right
    // hand on its trunks.
    Pose facelock = lockPose();
    facelock.body(0, 12).torso(31, -14, -4).head(6, 10, 0).arm(Left, 70, 80, 20, 80).arm(Right, 70, 60, 10, 60)
        .leg(Right, 14, 8, 22).leg(Left, 24, 8, 26);
    Pose dip = facelock;
    dip.torso(22, 8, 0).leg(Right, 38, 10, 62).leg(Left, 44, 10, 66);
    // Standing tall under the upturned victim, leaning back a little.
    Pose hoist = Pose()
                     .torso(-8, -10, 0)
                     .head(-14, 20)
                     .arm(Left, 60, 120, 20, 90)
                     .arm(Right, 40, 150, 0, 40)
                     .leg(Right, 14, 8, 20)
                     .leg(Left, 20, 8, 22);
    Pose shift = hoist;
    shift.torso(-12, -6, -3).leg(Right, 18, 8, 24).leg(Left, 16, 8, 20);
    // Springing off both feet into the fall, so they leave the mat rather
    // than skate forward as he goes over backward.
    Pose spring = hoist;
    spring.body(-24).torso(-4, -6).leg(Right, 34, 8, 44).leg(Left, 30, 8, 40);
    Pose topple = hoist;
    topple.body(-50).torso(-6, -6).head(-5, 10).leg(Right, 55, 10, 70).leg(Left, 50, 10, 65);
    Pose land = liePose();
    land.arm(Right, 55, 20, 0, 30).arm(Left, 55, 20, 0, 30).leg(Right, 30, 10, 30).leg(Left, 30, 10, 30);
    Clip c("suplex.anim", 110);
    c.grounded(0, lockPose())
        .grounded(14, facelock)
        .grounded(28, dip)
        .grounded(45, hoist)
        .grounded(52, shift)
        .grounded(58, hoist)
        .at(65, spring)
        .y(65, groundHeight(spring) + 0.35f)
        .at(72, topple)
        .y(72, groundHeight(topple) + 0.6f)
        .grounded(suplexLand, land)
        .grounded(96, liePose().torso(6))
        .grounded(110, liePose());
    c.z(0, 0).z(28, 0.3f).z(58, 0.3f).z(suplexLand, -0.6f).z(110, -0.6f);
    c.x(0, 0).x(58, 0).x(suplexLand, -2.0f).x(110, -2.0f);
    c.plant(Right, 0, 6, 0).plant(Right, 12, 62, 45).plant(Left, 0, 8, 0).plant(Left, 14, 62, 45);
    return c;
}

// The victim, bent into the facelock beside the attacker's left hip, is
// turned upside down above his left shoulder, held there, and carried over
// as he falls back, landing behind him on its back.
Clip getsuplexed()
{
    Pose bent = lockPose();
    bent.body(20, 8).torso(50, 0, 0).head(42, 20, 0).arm(Right, 70, 30, 0, 60).arm(Left, 70, 50, 0, 40)
        .leg(Right, 34, 8, 50).leg(Left, 24, 8, 44);
    Pose tip = bent;
    tip.body(80).torso(25).head(10).leg(Right, 10, 8, 10).leg(Left, 24, 8, 24).arm(Left, 45, 70, 0, 75);
    Pose inverted = Pose()
                        .body(180)
                        .torso(6)
                        .head(14)
                        .arm(Right, 55, 60, 0, 40)
                        .arm(Left, 40, 50, 0, 40)
                        .leg(Right, 4, 6, 6)
                        .leg(Left, -4, 6, 10);
    Pose kick = inverted;
    kick.leg(Right, -10, 8, 20).leg(Left, 8, 8, 4).torso(10);
    Pose over = inverted;
    over.body(232).leg(Right, 24, 8, 24).leg(Left, 18, 8, 18).arm(Right, 30, 80, 0, 20).arm(Left, 30, 80, 0, 20);
    Pose land = liePose();
    land.body(270).arm(Right, 25, 0, 0, 5).arm(Left, 25, 0, 0, 5).leg(Right, 30, 8, 20).leg(Left, 25, 8, 20);
    Pose rest = liePose();
    rest.body(270);
    Clip c("getsuplexed.anim", 110);
    c.grounded(0, lockPose())
        .grounded(14, bent)
        .at(28, tip)
        .y(28, 6.0f)
        .at(45, inverted)
        .y(45, 9.3f)
        .at(52, kick)
        .y(52, 9.4f)
        .at(58, inverted)
        .y(58, 9.3f)
        .at(72, over)
        .y(72, 7.6f)
        .grounded(suplexLand, land)
        .grounded(96, Pose(rest).torso(5))
        .grounded(110, rest);
    c.z(0, 0).z(5, -0.08f).z(14, 0.4f).z(28, 1.8f).z(45, 3.3f).z(58, 3.4f).z(72, 6.8f).z(suplexLand, 10.6f).z(110, 10.6f);
    c.x(0, 0).x(4, -1.3f).x(7, -2.0f).x(14, -2.0f).x(30, -2.5f).x(38, -2.1f).x(45, -1.5f).x(58, -1.5f).x(suplexLand, -2.6f).x(110, -2.6f);
    return c;
}

// Body slam: the victim is scooped onto the attacker's shoulder, face down,
// then turned over in the air and slammed on its back in front of him. It
// lands head toward the attacker; its heading turns when the clip ends.
constexpr float slamLand = 91.5f;

Clip slam()
{
    // Down under the victim: the left arm between its legs, the right round
    // its back; up with it onto the left shoulder; a step and a shift of
    // the load; then a lunge that turns it over and drives it down.
    Pose scoop = lockPose();
    scoop.body(0, 10).torso(20, 12, 15).head(-4, -30, 16).arm(Left, 88, 60, 0, 40).arm(Right, 70, 70, 0, 90)
        .leg(Right, 50, 12, 80).leg(Left, 42, 12, 72);
    Pose lift = Pose()
                    .torso(-4, 8, 4)
                    .head(-6, -25, 12)
                    .arm(Left, 60, 100, 0, 100)
                    .arm(Right, 60, 110, 20, 110)
                    .leg(Right, 14, 10, 22)
                    .leg(Left, 14, 10, 22);
    Pose settle = lift;
    settle.torso(2, 12, 6).leg(Right, 22, 10, 34).leg(Left, 18, 10, 30);
    Pose turn = lift;
    // The left arm comes up out from between the legs, pushing them over.
    turn.torso(18, -10).head(5, -10).arm(Left, 30, 100, 0, 60);
    Pose drive = Pose()
                     .torso(45)
                     .head(10)
                     .arm(Right, 80, 70, 0, 20)
                     .arm(Left, 80, 70, 0, 20)
                     .leg(Right, 40, 12, 55)
                     .leg(Left, 30, 12, 50);
    // The left hand leaves the elbow low along his own side before it
    // reaches in between the legs, so it never cuts through the body.
    Pose dip = lockPose();
    dip.torso(12, 4, 6).head(-10, -20, 8).arm(Left, 85, 70, -30, 30).leg(Right, 34, 12, 52).leg(Left, 30, 12, 48);
    Clip c("slam.anim", 100);
    c.grounded(0, lockPose())
        .grounded(8, dip)
        .grounded(16, scoop)
        .grounded(34, lift)
        .grounded(46, settle)
        .grounded(60, lift)
        .grounded(76, turn)
        .grounded(slamLand, drive)
        .grounded(100, standPose());
    c.z(0, 0).z(16, 0.3f).z(62, 0.3f).z(80, 0.9f).z(100, 0.9f);
    c.plant(Right, 0, 8, 0).plant(Right, 14, 66, 34).plant(Right, 76, 100, 100).plant(Left, 0, 10, 0)
        .plant(Left, 18, 62, 34).plant(Left, 70, 100, 100);
    return c;
}

// The victim is scooped up face down over the attacker's left shoulder,
// its head hanging behind him, held there kicking, turned over in the air
// and slammed on its back in front of him, head toward him.
Clip getslammed()
{
    Pose scooped = lockPose();
    scooped.body(55).torso(25).head(0).arm(Right, 50, 40, 0, 40).arm(Left, 50, 40, 0, 40).leg(Right, 20, 8, 30)
        .leg(Left, 10, 8, 20);
    Pose shoulder = Pose()
                        .body(90)
                        .torso(18)
                        .head(-10)
                        .arm(Right, 50, 20, 0, 40)
                        .arm(Left, 60, 40, 0, 40)
                        .leg(Right, 10, 14, 25)
                        .leg(Left, 20, 14, 30);
    Pose kick = shoulder;
    kick.leg(Right, -5, 8, 45).leg(Left, 30, 8, 15).head(-20);
    // Turned over with its left leg swung wide of his arm coming out from
    // between its legs, and its right arm flung up clear of his hips.
    Pose turn = shoulder;
    turn.body(90, 110).torso(5).arm(Right, 30, 120, 0, 20).arm(Left, 30, 60, 0, 20).leg(Left, 20, 25, 30);
    // Its head lands tucked back, clear of his feet.
    Pose land = liePose();
    land.body(90, 180).head(-20).arm(Right, 25, 0, 0, 5).arm(Left, 25, 0, 0, 5).leg(Right, 30, 8, 25).leg(Left, 25, 8, 25);
    Pose rest = liePose();
    rest.body(90, 180);
    Clip c("getslammed.anim", 110);
    // Straightening up out of the tie-up, the left arm flung up and out of
    // the way, as the attacker ducks in under it.
    c.grounded(0, lockPose())
        .grounded(10, Pose(lockPose()).torso(14, 8, 8).arm(Left, 20, 40, 0, 30))
        .at(16, scooped)
        .y(16, 5.4f)
        .at(34, shoulder)
        .y(34, 8.6f)
        .at(46, kick)
        .y(46, 8.5f)
        .at(60, shoulder)
        .y(60, 8.6f)
        .at(78, turn)
        .y(78, 6.4f)
        .grounded(slamLand, land)
        .grounded(100, Pose(rest).torso(5))
        .grounded(110, rest);
    c.z(0, 0).z(8, 0.8f).z(13, 1.8f).z(16, 3.4f).z(30, 5.0f).z(60, 5.0f).z(78, 2.6f).z(slamLand, -1.8f).z(110, -1.8f);
    // It swings out to the attacker's left as it tips over, so its chest
    // passes over his shoulder rather than into his chest.
    c.x(0, 0).x(8, -0.8f).x(13, -1.7f).x(16, -2.4f).x(22, -2.6f).x(30, -2.0f).x(60, -1.9f).x(78, -1.6f).x(slamLand, -1.2f).x(110, -1.2f);
    return c;
}

// Irish whip: out of the tie-up the attacker takes the opponent's left
// wrist, winds back and flings it away; the opponent stumbles off, runs,
// skids to a stop, turns and comes back running at him.
Clip throwClip()
{
    Pose wind = lockPose();
    wind.torso(14, -30, 0).head(-4, -10).arm(Right, 80, 30, 0, 60).arm(Left, 70, 20, 0, 40).leg(Right, 20, 8, 22)
        .leg(Left, 18, 8, 20);
    Pose whip = standPose();
    whip.torso(18, 35).head(-4, 10).arm(Right, 70, 70, -30, 20).arm(Left, 70, 20, 0, 40).leg(Right, 22, 8, 24)
        .leg(Left, 8, 8, 20);
    Pose follow = whip;
    follow.torso(14, 30).arm(Right, 84, 80, 0, 20);
    // The right hand lifts off the neck before it drops to the wrist.
    Pose letGo = lockPose();
    letGo.arm(Right, 55, 105, 25, 50);
    Clip c("throw.anim", 50);
    c.grounded(0, lockPose()).grounded(4, letGo).grounded(12, wind).grounded(22, whip).grounded(32, follow).grounded(50, standPose());
    c.plant(Right, 0, 8, 0).plant(Right, 14, 50, 50).plant(Left, 0, 30, 0).plant(Left, 36, 50, 50);
    return c;
}

Clip getthrown()
{
    Pose yanked = lockPose();
    yanked.body(8).torso(20, 0, 0).head(-5).arm(Left, 85, 80, 0, 10).arm(Right, 60, 20, 0, 40)
        .leg(Right, 30, 8, 30).leg(Left, 0, 8, 16);
    Pose spun = runPose(0.5f);
    spun.body(0, 100);
    Pose away = runPose(0.5f);
    away.body(0, 180);
    Pose brake = Pose()
                     .body(0, 180)
                     .torso(-12)
                     .arm(Right, 30, 20, -40, 20)
                     .arm(Left, 30, 20, -40, 20)
                     .leg(Right, 20, 8, 24)
                     .leg(Left, 28, 8, 30);
    Pose back = runPose(0.75f);
    back.body(0, 80).torso(22);
    // The right hand comes off the attacker's neck up and out over his
    // shoulder, not down through it.
    Pose letGo = lockPose();
    letGo.arm(Right, 40, 110, 10, 40);
    Clip c("getthrown.anim", 62);
    c.grounded(0, lockPose())
        .grounded(5, letGo)
        .grounded(12, yanked)
        .grounded(22, spun)
        .grounded(34, away)
        .grounded(42, brake)
        .grounded(48, brake)
        .grounded(55, back)
        .at(62, runPose(0))
        .y(62, runHeight(0));
    c.z(0, 0).z(12, 0.4f).z(22, -0.8f).z(34, -4.8f).z(41, -6.6f).z(48, -7.0f).z(55, -6.4f).z(62, -3.4f);
    return c;
}

} // namespace

std::vector<Clip> grappleClips()
{
    return {grab("grab.anim"), grab("getgrabbed.anim"), grapple("grapple.anim", 0),
            grapple("getgrappled.anim", 1), suplex(), getsuplexed(), slam(), getslammed(), throwClip(),
            getthrown()};
}
