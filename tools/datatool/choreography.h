// The two-body moves as choreographies: named points on the body, and which
// hand rests on which point of the partner during which stretch of a move.
// The clip builder solves the arms to these holds; the test suite measures
// them on the clips it reads back.
//
// Points are given in the rest pose (a T-pose facing +z, waist at the
// origin) with the joint they move with. Points a hand rests on lie a hand's
// half thickness off the skin, where the hand's centre sits when it is laid
// there; a hand's own point is its centre.
#pragma once

#include <array>

enum ContactPointId {
    RightPalm, LeftPalm,
    NeckBack, Throat, HeadBack,
    RightElbow, LeftElbow,
    RightWrist, LeftWrist,
    UpperBack, Chest,
    RightShoulderTop, LeftShoulderTop,
    WaistBack, WaistFront,
    RightWaist, LeftWaist,
    RightThighBack, LeftThighBack,
    RightThighFront, LeftThighFront,
    contactPointCount
};

struct ContactPoint {
    const char* name;
    int joint;
    float x, y, z;
};

constexpr float handHalfThickness = 0.25f;

constexpr std::array<ContactPoint, contactPointCount> contactPoints{{
    {"right palm", 12, -4.85f, 2.55f, 0},
    {"left palm", 16, 4.85f, 2.55f, 0},
    {"back of the neck", 17, 0, 3.2f, -0.5f - handHalfThickness},
    {"throat", 17, 0, 3.1f, 0.48f + handHalfThickness},
    {"back of the head", 17, 0, 3.9f, -0.62f - handHalfThickness},
    {"right elbow", 10, -2.75f, 2.57f + 0.36f + handHalfThickness, 0},
    {"left elbow", 14, 2.75f, 2.57f + 0.36f + handHalfThickness, 0},
    {"right wrist", 11, -4.2f, 2.57f + 0.26f + handHalfThickness, 0},
    {"left wrist", 15, 4.2f, 2.57f + 0.26f + handHalfThickness, 0},
    {"upper back", 8, 0, 1.9f, -0.86f - handHalfThickness},
    {"chest", 8, 0, 1.9f, 0.98f + handHalfThickness},
    {"right shoulder", 8, -1.2f, 3.0f + handHalfThickness, 0},
    {"left shoulder", 8, 1.2f, 3.0f + handHalfThickness, 0},
    {"small of the back", 0, 0, -0.3f, -0.76f - handHalfThickness},
    {"belt", 0, 0, -0.3f, 0.68f + handHalfThickness},
    {"right hip", 0, -1.12f - handHalfThickness, -0.3f, 0},
    {"left hip", 0, 1.12f + handHalfThickness, -0.3f, 0},
    {"back of the right thigh", 3, -0.75f, -1.9f, -0.62f - handHalfThickness},
    {"back of the left thigh", 6, 0.75f, -1.9f, -0.62f - handHalfThickness},
    {"front of the right thigh", 3, -0.75f, -1.9f, 0.64f + handHalfThickness},
    {"front of the left thigh", 6, 0.75f, -1.9f, 0.64f + handHalfThickness},
}};

// The two clips of a move, played together: the attacker's at the origin
// facing +z, the victim's 5 ahead facing back, as the game places them.
struct PairedMove {
    const char* attacker;
    const char* victim;
};

enum PairId {
    PairGrab, PairGrapple, PairSuplex, PairSlam, PairThrow, PairStunner, PairChokeslam,
    PairOlympicSlam, PairBottomSlam, PairRunPunch, PairHitRun, PairPin, PairPinfall, PairKickout,
    pairCount
};

constexpr std::array<PairedMove, pairCount> pairedMoves{{
    {"grab.anim", "getgrabbed.anim"},
    {"grapple.anim", "getgrappled.anim"},
    {"suplex.anim", "getsuplexed.anim"},
    {"slam.anim", "getslammed.anim"},
    {"throw.anim", "getthrown.anim"},
    {"stunner.anim", "getstunner.anim"},
    {"chokeslam.anim", "getchokeslammed.anim"},
    {"olympicslam.anim", "getolympicslam.anim"},
    {"vorlanbottom.anim", "getvorlanbottom.anim"},
    {"runpunch.anim", "getrunpunch.anim"},
    {"hitrun.anim", "gethitrun.anim"},
    {"pin.anim", "getpinned.anim"},
    {"pinfall.anim", "getpinfalled.anim"},
    // The wrestler who was pinned throws the pinner off: the pinner lies 5
    // ahead of it as in the pin.
    {"kickout.anim", "getkickout.anim"},
}};

// A hand laid on the partner from `from` to `to` (clip time).
struct Hold {
    int pair;
    bool byVictim;      // the victim's hand on the attacker
    int hand;           // RightPalm or LeftPalm
    int point;          // the point on the partner it rests on
    float from, to;
};

constexpr Hold holds[] = {
    // The lock-up, both ways round: the right hand behind the partner's
    // neck, the left on its right elbow.
    {PairGrab, false, RightPalm, NeckBack, 20, 30},
    {PairGrab, false, LeftPalm, RightElbow, 20, 30},
    {PairGrab, true, RightPalm, NeckBack, 20, 30},
    {PairGrab, true, LeftPalm, RightElbow, 20, 30},
    {PairGrapple, false, RightPalm, NeckBack, 0, 60},
    {PairGrapple, false, LeftPalm, RightElbow, 0, 60},
    {PairGrapple, true, RightPalm, NeckBack, 0, 60},
    {PairGrapple, true, LeftPalm, RightElbow, 0, 60},
    // Suplex: a front facelock and a grip on the trunks, held through the
    // lift until the fall; the victim clutches at the attacker's side.
    {PairSuplex, false, LeftPalm, UpperBack, 13, 66},
    {PairSuplex, false, RightPalm, LeftWaist, 30, 60},
    {PairSuplex, true, LeftPalm, LeftWaist, 12, 26},
    // Slam: an arm between the legs and a hand on the near hip, through the
    // lift and the carry; the victim's hand hangs on to the attacker's back.
    {PairSlam, false, LeftPalm, LeftThighBack, 20, 72},
    {PairSlam, false, RightPalm, LeftWaist, 16, 66},
    {PairSlam, true, LeftPalm, UpperBack, 34, 62},
    // Throw: the attacker whips the opponent away by the wrist.
    {PairThrow, false, RightPalm, LeftWrist, 7, 15},
    // Stunner: the victim's head held over the attacker's shoulder.
    {PairStunner, false, RightPalm, HeadBack, 44, 76},
    {PairStunner, false, LeftPalm, NeckBack, 44, 76},
    // Chokeslam: a hand at the throat, one at the hip; the victim claws at
    // the choking arm.
    {PairChokeslam, false, RightPalm, Throat, 15, 68},
    {PairChokeslam, false, LeftPalm, RightWaist, 30, 66},
    {PairChokeslam, true, RightPalm, RightWrist, 15, 70},
    {PairChokeslam, true, LeftPalm, RightElbow, 15, 70},
    // Olympic slam: over the shoulder, held by a thigh and a hip.
    {PairOlympicSlam, false, LeftPalm, LeftThighBack, 18, 54},
    {PairOlympicSlam, false, RightPalm, LeftWaist, 16, 56},
    {PairOlympicSlam, true, LeftPalm, UpperBack, 34, 56},
    // Bottom slam: an arm across the chest, the other hand on the near
    // shoulder.
    {PairBottomSlam, false, LeftPalm, Chest, 28, 80},
    {PairBottomSlam, false, RightPalm, RightShoulderTop, 30, 46},
    // The cover: across the opponent's legs, both hands pressing its hips
    // down.
    {PairPin, false, RightPalm, LeftWaist, 19, 135},
    {PairPin, false, LeftPalm, RightWaist, 19, 135},
    {PairPinfall, false, RightPalm, LeftWaist, 0, 16},
    {PairPinfall, false, LeftPalm, RightWaist, 0, 16},
};
