// The clips as a viewer sees them, measured with the game's clip player and
// skinning: two bodies that touch without passing through each other, hands
// on what they hold, feet that stay planted and out of the mat, and cuts
// between clips that do not jump.
//
// With TARVOK_CHECK_TABLE set the tests print every figure; with
// TARVOK_CHECK_DATA naming a data directory they measure the clips there.
#include "tests/choreography_check.h"

#include "anim/playback.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "tools/datatool/choreography.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool printing()
{
    const char* t = std::getenv("TARVOK_CHECK_TABLE");
    return t && *t;
}

// Goals.
constexpr double maxShare = 0.02;           // of a body's vertices inside the other
constexpr double maxShareAway = 0.01;       // of those, not where a hand rests
constexpr double maxHoldGap = 0.3;
constexpr double maxSlide = 0.3;
constexpr double maxDepth = 0.1;

// ------------------------------------------------------------ the inside test

TEST(ChoreographyCheck, TheInsideTestKnowsTheBodyFromTheSpaceAround)
{
    Wrestler& w = checkWrestler(0);
    w.x = 3, w.y = 0, w.z = -2, w.heading = 30;
    cutToClip(w, checkWrestler(1), ClipStand, ClipStand, Idle, Idle);
    std::vector<Vector3> body;
    skinBody(w, body);
    Surface s;
    buildSurface(s, body, checkMesh());
    // Points on the bones (well inside the flesh) are inside; the same
    // points carried a body's width to the side are not.
    for (int joint : {0, 8, 17, 3, 4, 10, 14}) {
        const Vector3 p = bodyPoint(w, joint, 0, 0, 0);
        SCOPED_TRACE(joint);
        if (joint == 10 || joint == 14 || joint == 4 || joint == 3)
            continue;   // limb joints sit on the limb's axis but may lie on a crease
        EXPECT_TRUE(insideSurface(s, p));
        EXPECT_FALSE(insideSurface(s, {p.x + 3, p.y, p.z}));
    }
    EXPECT_TRUE(insideSurface(s, bodyPoint(w, 8, 0, 1.5f, 0)));     // chest
    EXPECT_TRUE(insideSurface(s, bodyPoint(w, 17, 0, 3.9f, 0)));    // head
    EXPECT_TRUE(insideSurface(s, bodyPoint(w, 6, 0.75f, -2, 0)));   // thigh
    EXPECT_FALSE(insideSurface(s, bodyPoint(w, 8, 0, 1.5f, 1.6f)));  // in front of the chest
    EXPECT_FALSE(insideSurface(s, bodyPoint(w, 8, 0, 6, 0)));        // above the head
    EXPECT_FALSE(insideSurface(s, bodyPoint(w, 0, 0, -2.5f, 0)));    // between the legs

    // Every vertex pulled a little inward along its normal is inside, and
    // pushed a little out is outside, for nearly all vertices (creases at the
    // armpits and the crotch aside).
    const Mesh& mesh = checkMesh();
    int in = 0, out = 0;
    const double r = 30 * 3.14159265358979 / 180;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const MeshVertex& v = mesh.vertices[i];
        const double nx = v.posedNormalX * std::cos(r) + v.posedNormalZ * std::sin(r);
        const double nz = -v.posedNormalX * std::sin(r) + v.posedNormalZ * std::cos(r);
        const double ny = v.posedNormalY;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double d = 0.04 / len;
        in += insideSurface(s, {body[i].x - nx * d, body[i].y - ny * d, body[i].z - nz * d});
        out += !insideSurface(s, {body[i].x + nx * d, body[i].y + ny * d, body[i].z + nz * d});
    }
    EXPECT_GT(in, static_cast<int>(body.size() * 95 / 100));
    EXPECT_GT(out, static_cast<int>(body.size() * 95 / 100));
}

// ------------------------------------------------------------ paired moves

TEST(Choreography, PairedBodiesTouchWithoutPassingThroughEachOther)
{
    if (printing())
        std::printf("%-40s %8s %6s %8s %6s %8s %6s\n", "move", "inside", "at t", "away", "at t", "both", "at t");
    for (int p = 0; p < pairCount; ++p) {
        const PairedMove& m = pairedMoves[static_cast<std::size_t>(p)];
        SCOPED_TRACE(m.attacker);
        const PairFigures f = measurePair(p, checkStep);
        if (printing())
            std::printf("%-40s %7.2f%% %6.1f %7.2f%% %6.1f %7.2f%% %6.1f\n",
                        (std::string(m.attacker) + " + " + m.victim).c_str(), 100 * f.share,
                        static_cast<double>(f.shareTime), 100 * f.shareAway, static_cast<double>(f.awayTime),
                        100 * f.shareBoth, static_cast<double>(f.bothTime));
        EXPECT_LE(f.share, maxShare) << "at " << f.shareTime;
        EXPECT_LE(f.shareAway, maxShareAway) << "at " << f.awayTime;
    }
}

TEST(Choreography, HandsRestOnWhatTheyHold)
{
    if (printing())
        std::printf("%-22s %-7s %-11s %-26s %6s %6s\n", "move", "by", "hand", "on", "gap", "at t");
    for (int p = 0; p < pairCount; ++p) {
        const PairFigures f = measurePair(p, checkStep, false);
        for (std::size_t k = 0; k < f.holds.size(); ++k) {
            const Hold& h = holds[f.holds[k]];
            const std::string who = h.byVictim ? "victim" : "attacker";
            SCOPED_TRACE(std::string(pairedMoves[static_cast<std::size_t>(p)].attacker) + ", " + who + "'s "
                         + contactPoints[static_cast<std::size_t>(h.hand)].name + " on "
                         + contactPoints[static_cast<std::size_t>(h.point)].name);
            if (printing())
                std::printf("%-22s %-7s %-11s %-26s %6.2f %6.1f\n", pairedMoves[static_cast<std::size_t>(p)].attacker,
                            who.c_str(), contactPoints[static_cast<std::size_t>(h.hand)].name,
                            contactPoints[static_cast<std::size_t>(h.point)].name, f.holdGaps[k],
                            static_cast<double>(f.holdGapTimes[k]));
            EXPECT_LE(f.holdGaps[k], maxHoldGap) << "at " << f.holdGapTimes[k];
        }
    }
}

// ------------------------------------------------------------ feet and mat

TEST(Choreography, PlantedFeetStayPutAndNothingSinksIntoTheMat)
{
    if (printing())
        std::printf("%-22s %6s %6s %6s %6s %8s %6s %6s\n", "clip", "slide", "at t", "depth", "at t", "lying", "tilt",
                    "at t");
    for (int id = 0; id < clipCount; ++id) {
        const std::string file = clipFiles[static_cast<std::size_t>(id)];
        SCOPED_TRACE(file);
        const ClipFigures f = measureClip(file, checkStep);
        if (printing())
            std::printf("%-22s %6.2f %6.1f %6.2f %6.1f %8.2f %6.2f %6.1f\n", file.c_str(), f.slide,
                        static_cast<double>(f.slideTime), f.depth, static_cast<double>(f.depthTime), f.lyingDepth,
                        f.tilt, static_cast<double>(f.tiltTime));
        EXPECT_LE(f.slide, maxSlide) << "at " << f.slideTime;
        EXPECT_LE(f.depth, maxDepth) << "at " << f.depthTime;
        // Side steps keep their soles near flat: the crouch stands the
        // shins upright. (Up on the toes, a sole rises 0.65 and more.)
        if (file == "walkleft.anim" || file == "walkright.anim") {
            EXPECT_LE(f.tilt, 0.45) << "at " << f.tiltTime;
        }
    }
}

// ------------------------------------------------------------ cuts

TEST(Choreography, CutsBetweenClipsMoveNoMoreThanAFrameOfTheClip)
{
    // The whip steps both wrestlers 2.5 back along the thrower's heading as
    // it starts: the pose carries on, the place cannot. So the bodies must
    // meet the cut in the very pose the whip starts from, for the step to
    // stay within a frame of the whip's own motion.
    if (printing())
        std::printf("%-18s %6s %8s %6s %10s\n", "cut", "jump", "motion", "at t", "pose jump");
    for (const CutFigures& f : measureCuts(checkStep)) {
        SCOPED_TRACE(f.name);
        if (printing())
            std::printf("%-18s %6.3f %8.3f %6.1f %10.2f\n", f.name.c_str(), f.jump, f.motion,
                        static_cast<double>(f.worstTime), f.poseJump);
        EXPECT_LE(f.poseJump, f.motion) << "at " << f.worstTime;
        EXPECT_LE(f.jump, f.motion) << "at " << f.worstTime;
    }
}

} // namespace
