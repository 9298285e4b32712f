// What happens when a clip ends, body contact, and the wrestler geometry.
#include "anim/playback.h"
#include "assets/clipfile.h"
#include "assets/skeleton.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"
#include "wrestler/movement.h"
#include "wrestler/rules.h"
#include "assets/mesh.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

class ClipEnd : public testing::Test {
protected:
    void SetUp() override
    {
        writeFile(dir.file("man.bone"), layoutSkeletonText());
        resetWrestler(w);
        resetWrestler(other);
        other.x = 100;
        separationOn = 0;
    }
    // Every clip named in a test gets a skeleton and a 40-long clip whose
    // joints all hold `pose` degrees about x.
    void load(int id, float pose = 0)
    {
        writeFile(dir.file("clip.anim"), clipText(straightClip(40, 0, 0, pose)));
        Animation& slot = w.clips[static_cast<std::size_t>(id)];
        slot = Animation{};
        loadSkeleton(slot, dir.file("man.bone").c_str());
        loadAnimation(slot, dir.file("clip.anim").c_str());
    }
    const KeyTrack& trackX(int id, int bone = 2) const
    {
        return w.clips[static_cast<std::size_t>(id)].bones[static_cast<std::size_t>(bone)].rotationTracks[0];
    }
    // Plays `id` up to time 39, then 2 more: one wrap with 1 left over.
    void playToEnd(int id, int queued, int state, int nextState)
    {
        cutToClip(w, other, id, queued, state, nextState);
        advanceClip(w, 39, other);
        advanceClip(w, 2, other);
    }
    TempDir dir;
    std::unique_ptr<Wrestler> one = std::make_unique<Wrestler>();
    std::unique_ptr<Wrestler> two = std::make_unique<Wrestler>();
    Wrestler& w = *one;
    Wrestler& other = *two;
};

TEST_F(ClipEnd, GetupAndIdleEndIdleAndGetupRestoresSeparation)
{
    load(ClipGetup);
    load(ClipStand);
    playToEnd(ClipGetup, ClipLie, GettingUp, Lying);
    EXPECT_EQ(w.clip, ClipStand);
    EXPECT_EQ(w.state, Idle);
    EXPECT_EQ(separationOn, 1);
}

TEST_F(ClipEnd, StandAndWalksLoopWhileTheTimeIsPositive)
{
    for (int id : {ClipStand, ClipWalk, ClipWalkBack, ClipWalkLeft, ClipWalkRight}) {
        SCOPED_TRACE(id);
        load(id, 30);
        load(ClipPunch, -20);
        cutToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
        blendToClip(w, other, id, ClipPunch, Walking, Striking);
        ASSERT_EQ(trackX(id).count, 3);
        advanceClip(w, 44, other);
        advanceClip(w, 2, other);       // wraps with 1 left: loops, blend key gone
        EXPECT_EQ(w.clip, id);
        EXPECT_EQ(w.state, Striking);
        EXPECT_EQ(trackX(id).count, 2);
        EXPECT_EQ(trackX(id).keys[0].time, 0);

        // A wrap that leaves no time over hands over to the queued clip.
        w.clipTime = 0;
        EXPECT_EQ(onClipEnd(w, id, ClipPunch), ClipPunch);
    }
}

TEST_F(ClipEnd, RopesDropTheirBlendAndLieOnlyWhenLieIsQueued)
{
    load(ClipRopesBack, 10);
    load(ClipRun);
    load(ClipLie, 5);
    w.clip = ClipRun;
    blendIntoClip(w, -5, ClipRopesBack);
    ASSERT_EQ(trackX(ClipRopesBack).count, 3);
    w.clipTime = 1;
    EXPECT_EQ(onClipEnd(w, ClipRopesBack, ClipRun), ClipRun);
    EXPECT_EQ(trackX(ClipRopesBack).count, 2);

    blendIntoClip(w, -10, ClipLie);
    EXPECT_EQ(onClipEnd(w, ClipLie, ClipStand), ClipStand);
    EXPECT_EQ(trackX(ClipLie).count, 3);
    w.clipTime = 0;
    EXPECT_EQ(onClipEnd(w, ClipLie, ClipLie), ClipLie);
    EXPECT_EQ(trackX(ClipLie).count, 3);
    w.clipTime = 0.5f;
    EXPECT_EQ(onClipEnd(w, ClipLie, ClipLie), ClipLie);
    EXPECT_EQ(trackX(ClipLie).count, 2);
}

TEST_F(ClipEnd, FollowOnBlendsStartFromTheEndedPose)
{
    struct Case {
        int ended, queued;
        float blend;
    };
    const Case cases[] = {
        {ClipSuplex, ClipGetup, -10},
        {ClipGetStunner, ClipLie, -10},
        {ClipGetChokeslammed, ClipLie, -10},
        {ClipSlam, ClipStand, -5},
        {ClipChokeslam, ClipStand, -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ended);
        load(c.ended, 45);
        load(c.queued, 0);
        playToEnd(c.ended, c.queued, Suplexing, GettingUp);
        EXPECT_EQ(w.clip, c.queued);
        EXPECT_NEAR(w.clipTime, 1 + c.blend, 1e-5);
        EXPECT_EQ(w.prevClipTime, w.clipTime);
        ASSERT_EQ(trackX(c.queued).count, 3);
        EXPECT_EQ(trackX(c.queued).keys[0].time, c.blend);
        EXPECT_EQ(trackX(c.queued).keys[0].value, 45);
        // The pose shown straight after the wrap is still the ended one,
        // easing towards the follow-on's first key.
        EXPECT_GT(w.clips[static_cast<std::size_t>(c.queued)].bones[2].rotation[0], 0);
    }
    // Without the matching follow-on there is no blend.
    load(ClipSlam, 45);
    load(ClipLie, 0);
    playToEnd(ClipSlam, ClipLie, Slamming, Lying);
    EXPECT_EQ(trackX(ClipLie).count, 2);
    EXPECT_NEAR(w.clipTime, 1, 1e-5);
}

TEST_F(ClipEnd, HeadingTurnsAtTheEnds)
{
    w.heading = 30;
    onClipEnd(w, ClipGetSlammed, ClipLie);
    EXPECT_EQ(w.heading, 210);
    EXPECT_EQ(w.targetHeading, 210);
    EXPECT_EQ(w.turning, 1);

    w.turning = 0;
    onClipEnd(w, ClipRunPunchMiss, ClipLie);
    EXPECT_EQ(w.heading, 390);
    EXPECT_EQ(w.turning, 1);

    w.turning = 0;
    EXPECT_EQ(onClipEnd(w, ClipRunRopes, ClipRun), ClipRun);
    EXPECT_EQ(w.heading, 570);
    EXPECT_EQ(w.targetHeading, 570);
    EXPECT_EQ(w.turning, 0);

    // Queuing the taunt squares the heading up and turns it round.
    w.heading = 100;
    EXPECT_EQ(onClipEnd(w, ClipVorlanBottom, ClipPeopleElbow1), ClipPeopleElbow1);
    EXPECT_EQ(w.heading, 270);
    EXPECT_EQ(w.targetHeading, 270);
}

TEST_F(ClipEnd, TheTauntEndsInTheElbowRun)
{
    w.heading = 270;
    w.ropeRebounds = 3;
    w.impactDone = 1;
    w.nextState = ElbowDropping;
    EXPECT_EQ(onClipEnd(w, ClipPeopleElbow1, ClipStand), ClipRun);
    EXPECT_EQ(w.heading, 360);
    EXPECT_EQ(w.targetHeading, 360);
    EXPECT_EQ(w.bearing, 360);
    EXPECT_EQ(w.state, Running);
    EXPECT_EQ(w.nextState, Running);
    EXPECT_EQ(w.nextClip, ClipRun);
    EXPECT_EQ(w.elbowArmed, 1);
    EXPECT_EQ(w.ropeRebounds, 0);
    EXPECT_EQ(w.impactDone, 0);
    EXPECT_EQ(separationOn, 0);     // returns before the stand rule
}

TEST_F(ClipEnd, PinsRingEntryAndTheSeparationRule)
{
    w.state = Pinning;
    EXPECT_EQ(onClipEnd(w, ClipPinfall, ClipPin), ClipStand);
    EXPECT_EQ(w.state, Idle);
    EXPECT_EQ(w.nextState, Idle);
    EXPECT_EQ(w.nextClip, ClipStand);

    EXPECT_EQ(onClipEnd(w, ClipGetPinfalled, ClipGetPinned), ClipLie);
    EXPECT_EQ(w.state, Lying);
    EXPECT_EQ(w.nextState, Lying);
    EXPECT_EQ(w.nextClip, ClipLie);

    w.y = 5;
    EXPECT_EQ(separationOn, 0);
    EXPECT_EQ(onClipEnd(w, ClipGetInRing, ClipStand), ClipStand);
    EXPECT_EQ(w.y, 0);
    EXPECT_EQ(separationOn, 1);

    separationOn = 0;
    EXPECT_EQ(onClipEnd(w, ClipGrab, ClipGrapple), ClipGrapple);
    EXPECT_EQ(separationOn, 0);
}

class Contact : public testing::Test {
protected:
    void SetUp() override
    {
        resetWrestler(w);
        resetWrestler(partner);
        separationOn = 1;
    }
    std::unique_ptr<Wrestler> one = std::make_unique<Wrestler>();
    std::unique_ptr<Wrestler> two = std::make_unique<Wrestler>();
    Wrestler& w = *one;
    Wrestler& partner = *two;
};

TEST_F(Contact, AStepIntoTheBoxSlidesAlongIt)
{
    w.x = 3;
    applyStep(w, partner, -2, 0.5f);
    EXPECT_EQ(w.x, 3);
    EXPECT_EQ(w.z, 0.5f);
    // From the -z side: the z part is cancelled, x goes on.
    w.x = 1;
    w.z = -3;
    applyStep(w, partner, 0.25f, 1.5f);
    EXPECT_EQ(w.x, 1.25f);
    EXPECT_EQ(w.z, -3);
    // Beside the box (|dz| = 2 exactly) nothing blocks.
    w.x = 3;
    w.z = 2;
    applyStep(w, partner, -4, 0);
    EXPECT_EQ(w.x, -1);
}

TEST_F(Contact, EverySideBlocksItsOwnAxis)
{
    // Approaching from each side in turn (the mirror images of one another):
    // the axis into the box is cancelled and the other slides on.
    struct Approach {
        float x, z, stepX, stepZ, endX, endZ;
    };
    const Approach sides[] = {
        {3, 0.5f, -2, 0.5f, 3, 1},          // from +x
        {-3, 0.5f, 2, -0.5f, -3, 0},        // from -x
        {0.5f, 3, 0.5f, -2, 1, 3},          // from +z
        {0.5f, -3, -0.5f, 2, 0, -3},        // from -z
    };
    for (const Approach& a : sides) {
        w.x = a.x;
        w.z = a.z;
        applyStep(w, partner, a.stepX, a.stepZ);
        EXPECT_EQ(w.x, a.endX) << a.x << ", " << a.z;
        EXPECT_EQ(w.z, a.endZ) << a.x << ", " << a.z;
    }
}

TEST_F(Contact, ASlantingStepCannotCutACorner)
{
    // From outside both axes, diagonally at each corner: straight at the
    // corner both axes stop; otherwise the face met is blocked and the step
    // slides along it.
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f}) {
            w.x = -sx * 2.1f;
            w.z = -sz * 2.1f;
            applyStep(w, partner, sx * 0.3f, sz * 0.3f);
            EXPECT_EQ(w.x, -sx * 2.1f) << sx << ", " << sz;
            EXPECT_EQ(w.z, -sz * 2.1f) << sx << ", " << sz;
            // The step that would have gone straight through from inside
            // now passes beside the box.
            applyStep(w, partner, sx * 1, 0);
            EXPECT_GE(std::fmax(std::fabs(w.x - partner.x), std::fabs(w.z - partner.z)), 2.0f);

            w.x = -sx * 2.1f;
            w.z = -sz * 2.5f;
            applyStep(w, partner, sx * 0.3f, sz * 0.6f);
            EXPECT_FLOAT_EQ(w.x, -sx * 1.8f) << "slides along the z face";
            EXPECT_FLOAT_EQ(w.z, -sz * 2.5f);
        }
    // A long step right across the corner is blocked like a short one.
    w.x = 3;
    w.z = 3;
    applyStep(w, partner, -6, -6);
    EXPECT_EQ(w.x, 3);
    EXPECT_EQ(w.z, 3);
    // Passing the corner outside the box is no contact.
    w.x = 3;
    w.z = 2.5f;
    applyStep(w, partner, -2, 0.2f);
    EXPECT_EQ(w.x, 1);
    // Nor does a step away from the box.
    w.x = 2.1f;
    w.z = 2.1f;
    applyStep(w, partner, 0.3f, 0.3f);
    EXPECT_FLOAT_EQ(w.x, 2.4f);
}

TEST_F(Contact, OverlappingBodiesMayMoveApartInAnyDirection)
{
    for (float sx : {-0.5f, 0.0f, 0.5f})
        for (float sz : {-0.5f, 0.0f, 0.5f}) {
            w.x = 1.8f;
            w.z = -1.8f;
            applyStep(w, partner, sx, sz);
            EXPECT_FLOAT_EQ(w.x, 1.8f + sx);
            EXPECT_FLOAT_EQ(w.z, -1.8f + sz);
        }
}

TEST_F(Contact, OnlyStepsFromOutsideAnAxisAreBlocked)
{
    w.x = 1;                    // inside the box on x already
    applyStep(w, partner, -1.5f, 0);
    EXPECT_EQ(w.x, -0.5f);
    w.x = 2;                    // exactly on the edge: not outside
    applyStep(w, partner, -1, 0);
    EXPECT_EQ(w.x, 1);
    w.x = -3;                   // a step right across the box is blocked too
    applyStep(w, partner, 10, 0);
    EXPECT_EQ(w.x, -3);
    separationOn = 0;
    applyStep(w, partner, 10, 0);
    EXPECT_EQ(w.x, 7);
}

TEST_F(Contact, ABlockedRunnerStopsAtTheEndOfItsCycle)
{
    w.z = 3;
    w.state = Running;
    w.nextClip = ClipRun;
    w.nextState = Running;
    applyStep(w, partner, 0, -0.5f);
    EXPECT_EQ(w.nextClip, ClipRun);     // not blocked yet
    applyStep(w, partner, 0, -1);
    EXPECT_EQ(w.z, 2.5f);
    EXPECT_EQ(w.nextClip, ClipStand);
    EXPECT_EQ(w.nextState, Idle);
    EXPECT_EQ(w.state, Running);

    w.state = Walking;
    w.nextClip = ClipWalk;
    applyStep(w, partner, 0, -1);
    EXPECT_EQ(w.nextClip, ClipWalk);
}

TEST(WrestlerGeometry, HeadingsSnapAndNormalise)
{
    EXPECT_EQ(snapHeading(315), 360);
    EXPECT_EQ(snapHeading(359.9f), 360);
    EXPECT_EQ(snapHeading(-45), 360);
    EXPECT_EQ(snapHeading(44), 0);
    EXPECT_EQ(snapHeading(135), 180);
    EXPECT_EQ(normalizeHeading(-90), 270);
    EXPECT_EQ(normalizeHeading(725), 5);
    // 90 degrees is 1.5705 radians: a hair short of a right angle.
    EXPECT_NEAR(headingRadians(90), 1.5705, 1e-6);
}

TEST(WrestlerGeometry, DistancesPointsAndTheRing)
{
    auto a = std::make_unique<Wrestler>();
    auto b = std::make_unique<Wrestler>();
    a->x = 1;
    a->y = -5;
    b->x = 4;
    b->z = 4;
    EXPECT_EQ(distanceTo(*a, *b), 5);
    a->heading = 90;
    const FloorPoint p = pointAhead(*a, 5);
    EXPECT_NEAR(p.x, 6, 1e-5);
    EXPECT_NEAR(p.z, 5 * std::cos(1.5705), 1e-6);
    placeInFront(*a, *b);
    EXPECT_EQ(b->x, p.x);
    EXPECT_EQ(b->heading, 270);
    EXPECT_EQ(b->targetHeading, 270);
    EXPECT_TRUE(roomInRing(0, 17.9f, 0, 0));
    EXPECT_FALSE(roomInRing(0, 18, 0, 0));
    EXPECT_FALSE(roomInRing(0, -3, 0, -15));
    EXPECT_TRUE(isFree(*a));
    a->state = Walking;
    EXPECT_TRUE(isFree(*a));
    a->state = Running;
    EXPECT_FALSE(isFree(*a));
}

TEST(WrestlerGeometry, AResetKeepsCharacterPlacesAndClips)
{
    auto w = std::make_unique<Wrestler>();
    w->character = 3;
    w->bearing = 12;
    w->quadrant = 2;
    w->anchorX = 4;
    w->ropeSide = 1;
    w->clips[5].boneCount = 7;
    w->health = -20;
    w->prevClipTime = 30;
    w->heldRopeSide = 2;
    w->chosen = 1;
    w->opponent = w.get();
    resetWrestler(*w);
    EXPECT_EQ(w->character, 3);
    EXPECT_EQ(w->bearing, 12);
    EXPECT_EQ(w->quadrant, 2);
    EXPECT_EQ(w->anchorX, 4);
    EXPECT_EQ(w->ropeSide, 1);
    EXPECT_EQ(w->clips[5].boneCount, 7);
    EXPECT_EQ(w->health, 100);
    EXPECT_EQ(w->prevClipTime, -1);
    EXPECT_EQ(w->heldRopeSide, -1);
    EXPECT_EQ(w->chosen, 0);
    EXPECT_EQ(w->opponent, nullptr);
}

TEST(WrestlerGeometry, AResetSetsEveryFieldThatHasAResetValue)
{
    // Every field with a reset value, first set to something else.
    auto w = std::make_unique<Wrestler>();
    Mesh mesh;
    w->x = w->y = w->z = 7;
    w->heading = w->targetHeading = 33;
    w->model = &mesh;
    w->bodyTexture1 = w->bodyTexture2 = 9;
    w->health = 3;
    w->clip = w->nextClip = ClipSlam;
    w->clipTime = 50;
    w->prevClipTime = 49;
    w->prevRootX = w->prevRootZ = 2;
    w->state = w->nextState = Slamming;
    w->punchesTaken = 2;
    w->impactDone = 1;
    w->heldRopeSide = w->heldRopePoint = 3;
    w->turning = 1;
    w->ropeRebounds = 4;
    w->elbowArmed = 1;
    w->scriptStep = 5;
    w->scriptTime = 80;
    w->chosen = 1;
    w->holdTimer = 40;
    w->opponent = w.get();
    resetWrestler(*w);
    EXPECT_EQ(w->x, 0);
    EXPECT_EQ(w->y, 0);
    EXPECT_EQ(w->z, 0);
    EXPECT_EQ(w->heading, 0);
    EXPECT_EQ(w->targetHeading, 0);
    EXPECT_EQ(w->model, nullptr);
    EXPECT_EQ(w->bodyTexture1, 0u);
    EXPECT_EQ(w->bodyTexture2, 0u);
    EXPECT_EQ(w->health, 100);
    EXPECT_EQ(w->clip, 0);
    EXPECT_EQ(w->nextClip, 0);
    EXPECT_EQ(w->clipTime, 0);
    EXPECT_EQ(w->prevClipTime, -1);
    EXPECT_EQ(w->prevRootX, 0);
    EXPECT_EQ(w->prevRootZ, 0);
    EXPECT_EQ(w->state, Idle);
    EXPECT_EQ(w->nextState, Idle);
    EXPECT_EQ(w->punchesTaken, 0);
    EXPECT_EQ(w->impactDone, 0);
    EXPECT_EQ(w->heldRopeSide, -1);
    EXPECT_EQ(w->heldRopePoint, -1);
    EXPECT_EQ(w->turning, 0);
    EXPECT_EQ(w->ropeRebounds, 0);
    EXPECT_EQ(w->elbowArmed, 0);
    EXPECT_EQ(w->scriptStep, 0);
    EXPECT_EQ(w->scriptTime, 0);
    EXPECT_EQ(w->chosen, 0);
    EXPECT_EQ(w->holdTimer, 0);
    EXPECT_EQ(w->opponent, nullptr);
}

} // namespace
