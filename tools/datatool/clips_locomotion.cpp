// Standing, lying, walking, running, getting up and the rope rebounds.
#include "tools/datatool/clips_author.h"

Pose standPose()
{
    return Pose()
        .torso(4)
        .head(-2)
        .arm(Right, 72, 12, 0, 30)
        .arm(Left, 72, 12, 0, 30)
        .leg(Right, 4, 5, 6)
        .leg(Left, 4, 5, 6);
}

float standHeight()
{
    return groundHeight(standPose());
}

Pose liePose()
{
    return Pose()
        .body(-90)
        .head(-4)
        .arm(Right, 72, 0, 0, 12)
        .arm(Left, 72, 0, 0, 12)
        .leg(Right, 0, 7, 4)
        .leg(Left, 0, 7, 4);
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

// Side step toward +x (the figure's left): lead with the left leg.
Pose sideKey(int quarter)
{
    Pose p = Pose().torso(6).head(-2).arm(Right, 66, 35, 0, 70).arm(Left, 66, 35, 0, 70);
    switch (quarter % 4) {
    case 0: return p.leg(Right, 3, 4, 8).leg(Left, 3, 4, 8);
    case 1: return p.leg(Right, 3, 2, 10).leg(Left, 8, 20, 22).torso(6, 0, -4);
    case 2: return p.leg(Right, 3, 13, 8).leg(Left, 3, 13, 8);
    default: return p.leg(Right, 10, 1, 26).leg(Left, 3, 7, 8).torso(6, 0, -2);
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

Clip walkForward(const char* file, float direction)
{
    Clip c(file, walkCycle, true);
    for (int q = 0; q <= 4; ++q) {
        // Backward walking plays the forward cycle in reverse.
        const float t = direction > 0 ? q * walkCycle / 4 : walkCycle - q * walkCycle / 4;
        c.grounded(t, walkKey(q));
    }
    c.z(0, 0).z(walkCycle, direction * walkStride);
    return c;
}

Clip walkSide(const char* file, float direction)
{
    Clip c(file, walkCycle, true);
    for (int q = 0; q <= 4; ++q) {
        const Pose p = direction > 0 ? sideKey(q) : sideKey(q).mirrored();
        c.grounded(q * walkCycle / 4, p);
    }
    c.x(0, 0).x(walkCycle, direction * walkStride);
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

Clip run()
{
    Clip c("run.anim", runCycle, true);
    for (int q = 0; q <= 4; ++q) {
        const Pose p = runPose(q * 0.25f);
        c.at(q * runCycle / 4, p).y(q * runCycle / 4, groundHeight(p) + (q % 2 ? 0.35f : 0.0f));
    }
    c.z(0, 0).z(runCycle, runStride);
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
    sit.torso(50).head(10).arm(Right, 70, -40, 0, 10).arm(Left, 70, -40, 0, 10).leg(Right, 35, 6, 70).leg(Left, 20, 6, 40);
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
    return c;
}

} // namespace

Pose runPose(float phase)
{
    const int quarter = static_cast<int>(phase * 4 + 0.5f) % 4;
    switch (quarter) {
    case 0: return runContact();
    case 1: return runFlight();
    case 2: return runContact().mirrored();
    default: return runFlight().mirrored();
    }
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
