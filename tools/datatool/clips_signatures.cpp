// The four signature moves and the elbow drop that follows the bottom slam.
// As with the grapples, the victim stands 5 ahead facing the attacker.
#include "tools/datatool/clips_author.h"
#include "tools/datatool/choreography.h"

namespace {

Pose sitPose()
{
    return Pose().torso(-6).head(-10).arm(Right, 50, 0, -20, 10).arm(Left, 50, 0, -20, 10).leg(Right, 88, 8, 4)
        .leg(Left, 88, 8, 4);
}

Pose fallenFlat(Pose p)
{
    return p.arm(Right, 30, 0, 0, 5).arm(Left, 30, 0, 0, 5).leg(Right, 30, 8, 22).leg(Left, 26, 8, 22).head(8);
}

// Stunner: a kick to the gut, a three-quarter facelock with the attacker's
// back to the victim, and a drop to a sitting position that snaps the
// victim's jaw on his shoulder; the victim staggers back and falls.
constexpr float stunnerSit = 82;

Clip stunner()
{
    Pose kick = standPose();
    kick.torso(-8).arm(Right, 50, 20, 0, 30).arm(Left, 50, 20, 0, 30).leg(Right, 85, 4, 15).leg(Left, 6, 5, 14);
    Pose turn = standPose();
    turn.body(0, 100).torso(6).arm(Right, 78, 10, 0, 60).arm(Left, 78, 10, 0, 60);
    // Back to the victim, its head over the right shoulder, both hands
    // reaching back round it.
    Pose lock = standPose();
    lock.body(0, 180).torso(8, 0, 6).head(-4, 20, -30).arm(Right, 40, 150, 0, 120).arm(Left, 40, 150, 0, 120)
        .leg(Right, 22, 8, 26).leg(Left, 22, 8, 26);
    Pose squeeze = lock;
    squeeze.torso(12, 0, 8).head(0, 24, -20).leg(Right, 28, 8, 34).leg(Left, 26, 8, 32);
    Pose sit = sitPose();
    sit.body(0, 180).head(-14, 20, -30).arm(Right, 60, 20, 0, 40).arm(Left, 60, 20, 0, 40);
    Pose rise = Pose()
                    .body(0, 270)
                    .torso(30)
                    .arm(Right, 75, 30, 0, 40)
                    .arm(Left, 75, 30, 0, 40)
                    .leg(Right, 55, 6, 80)
                    .leg(Left, 55, 6, 80);
    Pose done = standPose();
    done.body(0, 360);
    Clip c("stunner.anim", 125);
    c.grounded(0, standPose())
        .grounded(10, kick)
        .grounded(20, standPose())
        .grounded(32, turn)
        .grounded(45, lock)
        .grounded(58, squeeze)
        .grounded(74, lock)
        .grounded(stunnerSit, sit)
        .grounded(95, sit)
        .grounded(110, rise)
        .grounded(125, done);
    c.z(0, 0).z(20, 0.1f).z(33, 0.6f).z(45, 2.1f).z(125, 2.1f);
    // The left foot stands under the kick; then the turn is stepped, a foot
    // at a time, until he stands with his back to the victim.
    // He stands up where his feet come down.
    c.plant(Right, 0, 3, 0).plant(Right, 18, 23, 20).plant(Right, 29, 34, 32).plant(Right, 40, 76, 45)
        .plant(Right, 114, 125, 125);
    c.plant(Left, 0, 23, 0).plant(Left, 31, 37, 35).plant(Left, 43, 76, 45).plant(Left, 114, 125, 125);
    return c;
}

Clip getstunner()
{
    Pose doubled = standPose();
    doubled.torso(44).head(25).arm(Right, 85, 25, 0, 105).arm(Left, 85, 25, 0, 105).leg(Right, 20, 6, 30)
        .leg(Left, 20, 6, 30);
    // Bent over the attacker's back, the chin on his right shoulder.
    Pose locked = doubled;
    locked.torso(24, 0, 18).head(-3, 0, 18).arm(Right, 70, 30, 0, 40).arm(Left, 70, 30, 0, 40)
        .leg(Right, 14, 6, 20).leg(Left, 14, 6, 20);
    Pose struggle = locked;
    struggle.arm(Right, 60, 50, 0, 70).arm(Left, 75, 20, 0, 30).torso(26, 4, 16);
    // Driven down with him as he sits, knees buckling, until its jaw
    // meets his shoulder.
    Pose jawDown = locked;
    jawDown.torso(40, 0, 18).head(-10, 0, 18).leg(Right, 75, 6, 115).leg(Left, 75, 6, 115);
    Pose snap = standPose();
    snap.body(-8).torso(-20).head(-45).arm(Right, 20, 30, 0, 20).arm(Left, 20, 30, 0, 20).leg(Right, 10, 8, 20)
        .leg(Left, 5, 8, 15);
    Pose stagger = standPose();
    stagger.body(-6).torso(-10).head(-25).arm(Right, 40, 10, 0, 20).arm(Left, 50, -10, 0, 30)
        .leg(Right, -10, 10, 15).leg(Left, 25, 10, 30);
    Pose topple = Pose()
                      .body(-50)
                      .torso(5)
                      .head(5)
                      .arm(Right, 10, 60, 0, 20)
                      .arm(Left, 10, 60, 0, 20)
                      .leg(Right, 8, 8, 15)
                      .leg(Left, 2, 8, 10);
    Clip c("getstunner.anim", 150);
    c.grounded(0, standPose())
        .grounded(12, doubled)
        .grounded(30, doubled)
        .grounded(45, locked)
        .grounded(60, struggle)
        .grounded(76, locked)
        .grounded(stunnerSit, jawDown)
        .at(88, snap)
        .y(88, groundHeight(snap) + 0.3f)
        .grounded(95, stagger)
        .grounded(108, stagger.mirrored())
        .at(116, topple)
        .y(116, groundHeight(topple) + 1.0f)
        .grounded(121.5f, fallenFlat(liePose()))
        .grounded(135, liePose().torso(6))
        .grounded(150, liePose());
    c.z(0, 0).z(12, -0.3f).z(30, -0.7f).z(45, 1.3f).z(76, 1.3f).z(stunnerSit, -0.6f).z(95, -0.9f).z(108, -1.6f).z(116, -2.8f)
        .z(121.5f, -3.2f).z(150, -3.2f);
    c.x(0, 0).x(30, 0).x(45, 0.6f).x(78, 0.7f).x(95, 0.4f).x(108, 1.1f).x(150, 1.1f);
    return c;
}

// Chokeslam: a hand at the throat, the victim lifted high one-handed and
// driven down on its back.
constexpr float chokeLand = 86.5f;

Clip chokeslam()
{
    Pose grip = standPose();
    grip.torso(10).arm(Right, 103, 80, 0, 30).arm(Left, 80, 60, 0, 50).leg(Right, 15, 8, 12);
    Pose crouch = grip;
    crouch.leg(Right, 40, 10, 55).leg(Left, 35, 10, 50).torso(15);
    Pose lift = standPose();
    lift.torso(-8).head(-20).arm(Right, 104, 140, 0, 5).arm(Left, 75, 40, 0, 60);
    Pose drive = Pose()
                     .torso(50)
                     .head(15)
                     .arm(Right, 85, 80, 0, 10)
                     .arm(Left, 70, 20, 0, 50)
                     .leg(Right, 45, 12, 65)
                     .leg(Left, 35, 12, 55);
    Clip c("chokeslam.anim", 112);
    c.grounded(0, standPose())
        .grounded(15, grip)
        .grounded(26, crouch)
        .grounded(40, lift)
        .grounded(62, lift)
        .grounded(chokeLand, drive)
        .grounded(98, Pose(drive).torso(40))
        .grounded(112, standPose());
    c.z(0, 0).z(15, 1.0f).z(chokeLand, 1.0f).z(112, 0.1f);
    return c;
}

Clip getchokeslammed()
{
    Pose choked = standPose();
    choked.head(-30).torso(-2).arm(Right, 80, 50, 0, 120).arm(Left, 80, 50, 0, 120);
    Pose hang = choked;
    hang.leg(Right, 6, 8, 26).leg(Left, -5, 6, 20).head(-25);
    Pose kick = hang;
    kick.leg(Right, -5, 6, 20).leg(Left, 20, 6, 35);
    // Driven down on its back, the legs flung apart and back, clear of the
    // attacker's as he follows it down.
    Pose drop = Pose()
                    .body(-55)
                    .torso(10)
                    .head(5)
                    .arm(Right, 10, 80, 0, 20)
                    .arm(Left, 10, 80, 0, 20)
                    .leg(Right, -30, 30, 45)
                    .leg(Left, -35, 30, 40);
    Clip c("getchokeslammed.anim", 120);
    // The hands come up to the choking arm only once it has reached the
    // throat, so the two pairs of arms never tangle on the way.
    c.grounded(0, standPose())
        .grounded(8, Pose(standPose()).head(-6))
        .grounded(15, choked)
        .grounded(26, choked)
        .at(40, hang)
        .y(40, 6.6f)
        .at(52, kick)
        .y(52, 6.8f)
        .at(62, hang)
        .y(62, 6.8f)
        .at(76, drop)
        .y(76, 5.0f)
        .grounded(chokeLand, fallenFlat(liePose()))
        .grounded(98, liePose().torso(6))
        .grounded(120, liePose());
    c.z(0, 0).z(15, 0.2f).z(26, 0.5f).z(40, 2.3f).z(62, 2.3f).z(70, 1.9f).z(76, 0.6f).z(chokeLand, -2.2f).z(120, -2.2f);
    // Lifted, it hangs over the choking arm's shoulder rather than square in
    // front of the attacker's face, so the straight arm can reach its throat
    // and the attacker's head is seen beside it.
    c.x(0, 0).x(26, 0).x(40, 1.0f).x(62, 1.0f).x(76, 0);
    return c;
}

// Olympic slam: the attacker shoots under the victim, hoists it across one
// shoulder and falls back, throwing it over to land behind him.
constexpr float olympicLand = 76.5f;

Clip olympicslam()
{
    // Down and in under the victim's middle, the left arm reaching low
    // between its legs, up with it over the left shoulder, then falling
    // back and to the right, throwing it over behind.
    Pose shoot = Pose()
                     .body(0, 10)
                     .torso(30, 8, 10)
                     .head(-10, -30, 16)
                     .arm(Left, 70, 70, 0, 40)
                     .arm(Right, 70, 80, 0, 90)
                     .leg(Right, 55, 12, 85)
                     .leg(Left, 45, 12, 75);
    Pose hoist = Pose()
                     .torso(-2, 2, 4)
                     .head(-6, -25, 12)
                     .arm(Left, 60, 100, 0, 100)
                     .arm(Right, 60, 110, 20, 110)
                     .leg(Right, 14, 10, 22)
                     .leg(Left, 14, 10, 22);
    Pose brace = hoist;
    brace.torso(4, 14, 6).leg(Right, 24, 10, 36).leg(Left, 20, 10, 32);
    Pose topple = hoist;
    topple.body(-40, -20).torso(-6, 8).arm(Left, 80, 20, 0, 20).leg(Right, 50, 10, 60).leg(Left, 45, 10, 55);
    Pose land = fallenFlat(liePose());
    land.arm(Right, 50, 20, 0, 30).arm(Left, 50, 20, 0, 30);
    // The left arm reaches in low, under the victim's middle, the head and
    // shoulders dropping to its side so the chests never meet.
    Pose dip = standPose();
    dip.torso(16, 4, 18).head(-10, -30, 20).arm(Left, 85, 80, -20, 30);
    Clip c("olympicslam.anim", 104);
    c.grounded(0, standPose())
        .grounded(8, dip)
        .grounded(16, shoot)
        .grounded(34, hoist)
        .grounded(50, brace)
        .at(64, topple)
        .y(64, groundHeight(topple) + 0.4f)
        .grounded(olympicLand, land)
        .grounded(92, liePose().torso(5))
        .grounded(104, liePose());
    c.z(0, 0).z(16, 2.0f).z(50, 2.0f).z(olympicLand, 1.6f).z(104, 1.6f);
    c.x(0, 0).x(50, 0).x(olympicLand, -1.0f).x(104, -1.0f);
    return c;
}

// Scooped over the attacker's left shoulder face down, head behind him,
// then thrown over backward to land on its back behind him.
Clip getolympicslam()
{
    Pose caught = standPose();
    caught.body(55).torso(25).head(0).arm(Right, 50, 40, 0, 40).arm(Left, 50, 40, 0, 40).leg(Right, 20, 8, 30)
        .leg(Left, 10, 8, 20);
    Pose across = Pose()
                      .body(90)
                      .torso(18)
                      .head(-10)
                      .arm(Right, 50, 20, 0, 40)
                      .arm(Left, 60, 40, 0, 40)
                      .leg(Right, 10, 19, 25)
                      .leg(Left, 20, 19, 30);
    Pose kick = across;
    kick.leg(Right, -5, 8, 45).leg(Left, 30, 8, 15).head(-20);
    // Thrown over with its left arm flung up, clear of his chest.
    Pose over = across;
    over.body(190).arm(Left, 30, 120, 20, 20).leg(Right, 20, 8, 20).leg(Left, 15, 8, 15);
    Pose land = fallenFlat(liePose());
    land.body(270);
    Pose rest = liePose();
    rest.body(270);
    // Upright until the attacker is under it, so their heads never meet.
    Pose braced = standPose();
    braced.torso(4).head(-10).arm(Right, 50, 40, 0, 40).arm(Left, 50, 40, 0, 40);
    Clip c("getolympicslam.anim", 104);
    c.grounded(0, standPose())
        .grounded(6, braced)
        .grounded(11, Pose(braced).body(12))
        .at(16, caught)
        .y(16, 5.4f)
        .at(34, across)
        .y(34, 8.6f)
        .at(50, kick)
        .y(50, 8.6f)
        .at(64, over)
        .y(64, 7.0f)
        .grounded(olympicLand, land)
        .grounded(92, Pose(rest).torso(5))
        .grounded(104, rest);
    c.z(0, 0).z(8, 0.2f).z(11, 0.4f).z(16, 2.2f).z(34, 3.0f).z(50, 3.2f).z(64, 6.0f).z(olympicLand, 12.4f).z(104, 12.4f);
    // Out to the attacker's left as he comes in under it, so his head and
    // shoulders pass beside its chest and his arm meets it between the legs.
    c.x(0, 0).x(13, -2.25f).x(16, -2.7f).x(20, -2.7f).x(26, -2.5f).x(34, -1.9f).x(50, -1.9f).x(olympicLand, -2.2f).x(104, -2.2f);
    return c;
}

// The bottom slam: the attacker steps round to the victim's right side
// until they stand shoulder to shoulder facing the same way, hooks his left
// arm across its chest and his right hand on its near shoulder, heaves it
// up across his hip and slams it down on its back, dropping to a knee
// beside it. He rises facing the way the victim
// faced: his heading turns by 180 when the clip ends, and the taunt follows.
constexpr float bottomLand = 93.5f;

Clip vorlanbottom()
{
    Pose step = standPose();
    step.body(0, 100).arm(Left, 70, 60, 0, 40).leg(Right, 12, 10, 16);
    // His left foot comes in close under him, so his shin passes the
    // victim's right shin instead of through it as he steps in.
    Pose hook = standPose();
    hook.body(0, 180).torso(14, -30, 6).head(0, -15).arm(Left, 80, 85, 40, 70).arm(Right, 70, 30, -20, 60)
        .leg(Right, 26, 10, 34).leg(Left, 20, -8, 30);
    // He turns his shoulders away from the victim as he lifts, so the
    // hooking arm wraps round its front rather than pressing into its
    // shoulder.
    Pose lift = hook;
    lift.torso(-6, -50, 10).leg(Right, 10, 10, 14).leg(Left, 10, 0, 14);
    Pose heave = lift;
    heave.torso(-10, -50, 12).leg(Right, 16, 10, 22).leg(Left, 8, 0, 12);
    Pose slamDown = Pose()
                        .body(0, 180)
                        .torso(40, -10)
                        .head(10)
                        .arm(Left, 85, 60, 30, 30)
                        .arm(Right, 70, 40, 0, 40)
                        .leg(Left, 90, 0, 95)
                        .leg(Right, -20, 10, 100);
    Pose rise = standPose();
    rise.body(0, 180).torso(20).leg(Right, 40, 8, 50).leg(Left, 20, 8, 40);
    Pose done = standPose();
    done.body(0, 180);
    Clip c("vorlanbottom.anim", 120);
    c.grounded(0, standPose())
        .grounded(14, step)
        .grounded(28, hook)
        .grounded(48, lift)
        .grounded(58, heave)
        .grounded(70, lift)
        .grounded(bottomLand, slamDown)
        .grounded(104, rise)
        .grounded(120, done);
    // Round wide of the victim's right arm and leg, then in beside it.
    c.z(0, 0).z(14, 2.6f).z(28, 5.0f).z(120, 5.0f);
    c.x(0, 0).x(14, 1.6f).x(21, 2.7f).x(28, 2.1f).x(120, 2.1f);
    // Two steps round, stood through the lift and the slam, the left foot
    // forward as he drops to the right knee, and back under him as he rises.
    c.plant(Right, 0, 1, 0).plant(Right, 12, 20, 15).plant(Right, 26, 80, 30).plant(Right, 106, 120, 120);
    c.plant(Left, 0, 12, 0).plant(Left, 20, 82, 28).plant(Left, 90, 104, 95).plant(Left, 110, 120, 120);
    return c;
}

Clip getvorlanbottom()
{
    Pose hooked = standPose();
    hooked.torso(-5).head(-10, 15, -15).arm(Right, 80, 10, 0, 30).arm(Left, 60, 20, 0, 40);
    // Heaved up backward against the attacker's side, the legs kicking up
    // in front and the right arm round his back, then slammed down on its
    // back.
    Pose lifted = Pose()
                      .body(-40, 0, 4)
                      .torso(15)
                      .head(10, 0, -20)
                      .arm(Right, 60, -30, 0, 60)
                      .arm(Left, 30, 50, 0, 30)
                      .leg(Right, 30, 8, 25)
                      .leg(Left, 20, 8, 15);
    Pose high = lifted;
    high.body(-70, 0, 5).leg(Right, 45, 8, 30).leg(Left, 35, 8, 25);
    Pose kick = high;
    kick.leg(Right, 20, 8, 50).leg(Left, 50, 8, 10);
    Clip c("getvorlanbottom.anim", 120);
    c.grounded(0, standPose())
        .grounded(28, hooked)
        .at(48, lifted)
        .y(48, 5.2f)
        .at(58, kick)
        .y(58, 5.9f)
        .at(66, high)
        .y(66, 6.1f)
        .at(80, Pose(high).body(-80, 0, 4))
        .y(80, 4.8f)
        .grounded(bottomLand, fallenFlat(liePose()))
        .grounded(106, liePose().torso(6))
        .grounded(120, liePose());
    c.z(0, 0).z(28, 0).z(48, 1.4f).z(66, 2.8f).z(80, 2.2f).z(bottomLand, 0.6f).z(120, 0.6f);
    c.x(0, 0).x(28, 0).x(40, 0.8f).x(66, 0.8f).x(80, 0.8f).x(bottomLand, -0.2f).x(120, -0.2f);
    return c;
}

// The taunt before the elbow run: arms crossed, the elbow pad torn off and
// thrown to the crowd, then a turn into a run (the heading turns by 90 as
// the clip ends, so the run starts toward the figure's +x).
Clip peopleelbow1()
{
    Pose cross = standPose();
    cross.torso(-4).head(-8).arm(Right, 82, 30, 75, 105).arm(Left, 82, 34, 75, 100);
    Pose pull = standPose();
    pull.arm(Right, 70, 60, 40, 110).arm(Left, 80, 50, 0, 110).head(8, -15);
    Pose wind = standPose();
    wind.torso(0, -20).arm(Right, 30, 0, -60, 80).leg(Right, -5, 8, 10);
    Pose toss = standPose();
    toss.torso(4, 25).arm(Right, 80, 150, 0, 10).leg(Right, 15, 8, 10);
    Pose turn = runPose(0.75f);
    turn.body(0, 60).torso(10);
    Pose go = runPose(0);
    go.body(0, 90);
    Clip c("peopleelbow1.anim", 100);
    // The waist keeps its height through the taunt: the feet stand flat
    // rather than rocking as each pose would rest on the mat its own way.
    c.at(0, standPose()).at(14, cross).at(34, cross).at(46, pull).at(58, wind).at(66, toss).at(78, toss);
    c.y(0, standHeight()).y(78, standHeight());
    c.liftToGround = false;
    c.grounded(90, turn)
        .at(100, go)
        .y(100, runHeight(0));
    c.x(0, 0).x(84, 0).x(90, 1.2f).x(100, 5.0f);
    // The taunt stands still; the turn into the run is stepped: the right
    // foot out toward the run, the left past it, pushing off into the
    // run's first stride (both feet in the air as the clip ends).
    c.plant(Right, 0, 84, 0).plantAt(Right, 89, 93, 1.5f, 0.65f, 1.4f);
    c.plant(Left, 0, 87, 0).plantAt(Left, 92, 96, 2.8f, -0.65f, 1.57f);
    return c;
}

// The elbow drop: the runner stops over the lying opponent, bounces,
// swings the arm and drops on its right elbow.
constexpr float elbowLand = 67;

Clip peopleelbow2()
{
    Pose stop = standPose();
    stop.torso(-6).leg(Right, 20, 8, 20).leg(Left, 10, 8, 15);
    Pose bounce = standPose();
    bounce.leg(Right, 30, 12, 50).leg(Left, 30, 12, 50).arm(Right, 60, 30, 0, 60).torso(10);
    Pose raise = standPose();
    raise.arm(Right, -60, 0, 0, 20).arm(Left, 70, 20, 0, 40).leg(Right, 20, 10, 30).leg(Left, 20, 10, 30);
    Pose drop = Pose()
                    .body(0, 0, 40)
                    .torso(10, 0, 10)
                    .arm(Right, 20, 60, 0, 120)
                    .arm(Left, 50, 40, 0, 40)
                    .leg(Right, 30, 10, 50)
                    .leg(Left, 20, 10, 40);
    Pose elbow = Pose()
                     .body(0, 0, 85)
                     .torso(15, 0, 5)
                     .head(0, 0, -20)
                     .arm(Right, 60, 30, 0, 130)
                     .arm(Left, 80, 10, 0, 20)
                     .leg(Right, 30, 10, 40)
                     .leg(Left, 20, 10, 30);
    Pose roll = liePose();
    roll.torso(30).leg(Right, 40, 8, 60).leg(Left, 30, 8, 50);
    Pose kneel = Pose()
                     .body(-10)
                     .torso(35)
                     .arm(Right, 80, 40, 0, 40)
                     .arm(Left, 80, 40, 0, 40)
                     .leg(Right, 95, 8, 125)
                     .leg(Left, 80, 8, 120);
    Clip c("peopleelbow2.anim", 120);
    c.grounded(0, runPose(0))
        .grounded(10, stop)
        .grounded(20, bounce)
        .grounded(30, raise)
        .grounded(40, bounce)
        .grounded(50, raise)
        .at(58, drop)
        .y(58, groundHeight(drop) + 0.8f)
        .grounded(elbowLand, elbow)
        .grounded(78, elbow)
        .grounded(90, roll)
        .grounded(104, kneel)
        .grounded(120, standPose());
    c.z(0, 0).z(10, 2.2f).z(120, 2.2f);
    return c;
}

} // namespace

std::vector<Clip> signatureClips()
{
    return {stunner(),     getstunner(),     chokeslam(),    getchokeslammed(), olympicslam(),
            getolympicslam(), vorlanbottom(), getvorlanbottom(), peopleelbow1(),  peopleelbow2()};
}
