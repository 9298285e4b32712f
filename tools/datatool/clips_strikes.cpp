// Punches, kicks, hit reactions and the running blows.
#include "tools/datatool/clips_author.h"

#include <cmath>

namespace {

// Both fists up in front of the face.
Pose guardPose()
{
    return standPose().arm(Right, 78, 45, 0, 110).arm(Left, 78, 45, 0, 110).torso(8);
}

// A straight right: cocked, then driven out at face height, stepping in on
// the right foot; the fist reaches just far enough to meet the face of an
// opponent the punch lands on.
Clip punch()
{
    Pose cock = guardPose();
    cock.torso(6, -22).arm(Right, 72, -25, 0, 115).leg(Right, 14, 5, 18).leg(Left, 16, 5, 18);
    Pose extend = guardPose();
    extend.torso(12, 18)
        .head(-4, -10)
        .arm(Right, 84, 92, 0, 22)
        .arm(Left, 78, 55, 0, 115)
        .leg(Right, 24, 5, 24)
        .leg(Left, 14, 5, 18);
    Pose follow = extend;
    follow.torso(10, 14).arm(Right, 84, 88, 0, 30);
    Clip c("punch.anim", 60);
    c.grounded(0, standPose())
        .grounded(16, cock)
        .grounded(29, extend)
        .grounded(39, follow)
        .grounded(50, guardPose())
        .grounded(60, standPose());
    c.z(0, 0).z(16, -0.1f).z(29, 0.6f).z(60, 0.6f);
    c.plant(Right, 0, 16, 0).plant(Right, 24, 44, 29).plant(Right, 52, 60, 60);
    c.plant(Left, 0, 32, 0).plant(Left, 40, 60, 60);
    return c;
}

// Rocked back by a punch: the head already snapping back as the clip
// starts, two steps back and a recovery.
Clip hit()
{
    Pose jolt = standPose();
    jolt.torso(-4, 4).head(-14, 6);
    Pose snap = standPose();
    snap.torso(-16, 12)
        .head(-32, 15)
        .arm(Right, 45, 35, 0, 50)
        .arm(Left, 55, 20, 0, 40)
        .leg(Right, 10, 6, 16)
        .leg(Left, 22, 6, 22);
    Pose recover = standPose();
    recover.torso(12).head(10).leg(Right, 6, 6, 16).leg(Left, 6, 6, 16);
    Clip c("hit.anim", 40);
    c.grounded(0, jolt).grounded(7, snap).grounded(22, recover).grounded(40, standPose());
    c.z(0, 0).z(7, -0.3f).z(14, -0.8f).z(22, -1.1f).z(40, -1.1f);
    c.plant(Right, 0, 2, 0).plant(Right, 9, 40, 40).plant(Left, 0, 13, 0).plant(Left, 20, 40, 40);
    return c;
}

// A stomp down at a lying opponent in front. The hips stay over the
// standing foot through the stomp (the foot has no ankle to give) and move
// on only as the kicking foot comes down and the other steps up to it.
Clip kick()
{
    Pose chamber = standPose();
    chamber.torso(-4).arm(Right, 45, 20, 0, 30).arm(Left, 45, 20, 0, 30).leg(Right, 112, 4, 112).leg(Left, 2, 5, 10);
    Pose stomp = standPose();
    stomp.torso(16).head(12).arm(Right, 55, 30, 0, 30).arm(Left, 55, 30, 0, 30).leg(Right, 62, 4, 42)
        .leg(Left, -6, 5, 22);
    Clip c("kick.anim", 50);
    c.grounded(0, standPose())
        .grounded(14, chamber)
        .grounded(24, chamber)
        .grounded(31, stomp)
        .grounded(36, stomp)
        .grounded(50, standPose());
    c.z(0, 0).z(24, 0.1f).z(31, 0.15f).z(42, 0.15f).z(50, 0.6f);
    c.plant(Right, 0, 6, 0).plant(Right, 42, 50, 50).plant(Left, 0, 42, 0).plant(Left, 46, 50, 50);
    return c;
}

Clip liehit()
{
    Pose curl = liePose();
    curl.torso(28).head(22).arm(Right, 60, 40, 0, 60).arm(Left, 60, 40, 0, 60).leg(Right, 35, 7, 45)
        .leg(Left, 30, 7, 40);
    Clip c("liehit.anim", 30);
    c.grounded(0, liePose()).grounded(6, curl).grounded(16, liePose().torso(4)).grounded(30, liePose());
    return c;
}

// The runner's swing, shared by the hit and the miss.
Pose runSwingCock()
{
    Pose p = runPose(0.5f);
    return p.torso(14, -25).arm(Right, 20, 0, -40, 30);
}

Pose clotheslineArm(Pose p)
{
    return p.arm(Right, 12, 0, 70, 6);
}

Clip runpunch()
{
    Pose strike = clotheslineArm(runPose(0));
    strike.torso(10, 25).leg(Right, 20, 4, 14).leg(Left, -18, 4, 20);
    Pose follow = strike;
    follow.torso(12, 40).arm(Right, 15, 0, 100, 10);
    Clip c("runpunch.anim", 60);
    c.grounded(0, runPose(0))
        .grounded(10, runSwingCock())
        .grounded(18, strike)
        .grounded(28, follow)
        .grounded(44, guardPose())
        .grounded(60, standPose());
    c.z(0, 0).z(10, 1.6f).z(18, 1.9f).z(28, 2.0f).z(44, 2.0f).z(60, 2.0f);
    // Braking on the right foot as the arm swings through, the left coming
    // down beside it, and both set square to stand.
    c.plant(Right, 6, 34, 18).plant(Left, 12, 40, 28).plant(Right, 42, 60, 60).plant(Left, 48, 60, 60);
    return c;
}

// Knocked flat on the back by a blow to the head at `hitTime`, carried
// `flung` further back than a plain fall.
Clip knockedDown(const char* file, float hitTime, float landTime, float length, const Pose& first,
                 float startSpeed, float flung = 0)
{
    Pose snap = standPose();
    snap.torso(-25).head(-35).arm(Right, 20, 60, 0, 30).arm(Left, 20, 60, 0, 30).leg(Right, 10, 6, 10);
    Pose air = Pose()
                   .body(-65)
                   .torso(10)
                   .head(15)
                   .arm(Right, 10, 70, 0, 20)
                   .arm(Left, 10, 70, 0, 20)
                   .leg(Right, 0, 8, 45)
                   .leg(Left, -8, 8, 40);
    Pose land = liePose();
    land.arm(Right, 30, 0, 0, 5).arm(Left, 30, 0, 0, 5).leg(Right, 35, 8, 25).leg(Left, 30, 8, 25).head(10);
    Clip c(file, length);
    const float flight = std::round((landTime - hitTime) * 1.1f) * 0.5f;   // on the half-unit grid
    c.grounded(0, first)
        .grounded(hitTime, first)
        .grounded(hitTime + 5, snap)
        .at(hitTime + flight, air)
        .y(hitTime + flight, groundHeight(air) + 1.4f)
        .at(landTime, land)
        .y(landTime, groundHeight(land))
        .at(landTime + 8, liePose().leg(Right, 12, 7, 8).leg(Left, 10, 7, 8).torso(6))
        .grounded(length, liePose());
    const float drift = startSpeed * hitTime;
    c.z(0, 0).z(hitTime, drift).z(hitTime + flight, drift - 1.6f - flung).z(landTime, drift - 2.6f - flung)
        .z(length, drift - 2.6f - flung);
    return c;
}

Clip runpunchmiss()
{
    Pose swing = clotheslineArm(runPose(0));
    swing.torso(14, 45).leg(Right, 25, 4, 15).leg(Left, -20, 4, 25);
    Pose spin = Pose()
                    .body(8, 110)
                    .torso(-10, 30)
                    .head(-20)
                    .arm(Right, 10, 0, 60, 20)
                    .arm(Left, 30, 40, 0, 40)
                    .leg(Right, 30, 10, 30)
                    .leg(Left, -5, 10, 20);
    Pose tip = spin;
    tip.body(45, 175).torso(10, 0).arm(Right, 20, 70, 0, 20).arm(Left, 20, 70, 0, 20).leg(Right, 40, 8, 30)
        .leg(Left, 25, 8, 20);
    Pose land = liePose();
    land.body(90, 180).arm(Right, 30, 0, 0, 5).arm(Left, 30, 0, 0, 5).leg(Right, 30, 8, 20).leg(Left, 26, 8, 20);
    Pose rest = liePose();
    rest.body(90, 180);
    Clip c("runpunchmiss.anim", 70);
    c.grounded(0, runPose(0))
        .grounded(10, runSwingCock())
        .grounded(19, swing)
        .grounded(28, spin)
        .grounded(36, tip)
        .grounded(43.5f, land)
        .grounded(54, Pose(rest).torso(5))
        .grounded(70, rest);
    c.z(0, 0).z(10, 3.2f).z(19, 5.4f).z(28, 6.8f).z(43.5f, 7.8f).z(70, 7.8f);
    return c;
}

Clip hitrun()
{
    Pose cock = standPose();
    cock.torso(6, -25).arm(Right, 15, 0, -30, 20).leg(Right, 4, 8, 14).leg(Left, 4, 8, 14);
    Pose swing = clotheslineArm(standPose());
    swing.torso(10, 25).leg(Right, 14, 8, 16).leg(Left, -6, 8, 14);
    Pose follow = swing;
    follow.torso(10, 45).arm(Right, 15, 0, 110, 10);
    Clip c("hitrun.anim", 50);
    c.grounded(0, standPose()).grounded(8, cock).grounded(16, swing).grounded(24, follow).grounded(36, guardPose())
        .grounded(50, standPose());
    c.z(0, 0).z(16, 0.4f).z(50, 0.4f);
    return c;
}

Clip grabmiss()
{
    Pose reach = standPose();
    reach.torso(24).head(-8).arm(Right, 80, 80, 0, 15).arm(Left, 80, 80, 0, 15).leg(Right, 25, 6, 20)
        .leg(Left, -12, 6, 12);
    Pose clutch = reach;
    clutch.arm(Right, 80, 70, 0, 80).arm(Left, 80, 70, 0, 80).torso(30).head(5);
    Clip c("grabmiss.anim", 44);
    c.grounded(0, standPose()).grounded(12, reach).grounded(20, clutch).grounded(30, Pose(clutch).torso(18))
        .grounded(44, standPose());
    c.z(0, 0).z(12, 0.8f).z(44, 0.6f);
    return c;
}

} // namespace

std::vector<Clip> strikeClips()
{
    return {punch(),
            hit(),
            kick(),
            liehit(),
            runpunch(),
            knockedDown("getrunpunch.anim", 17, 46.5f, 70, standPose(), 0, 0.8f),
            runpunchmiss(),
            hitrun(),
            knockedDown("gethitrun.anim", 12, 43.5f, 70, runPose(0), 0.07f),
            grabmiss()};
}
