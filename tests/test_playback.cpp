// The clip player: advancing, looping, root motion and blending.
#include "anim/playback.h"
#include "assets/clipfile.h"
#include "assets/skeleton.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Playback : public testing::Test {
protected:
    void SetUp() override
    {
        writeFile(dir.file("man.bone"), layoutSkeletonText());
        resetWrestler(w);
        resetWrestler(other);
        other.x = 100;          // far away: never in the way
        separationOn = 1;
    }
    void load(int id, const FixtureClip& clip)
    {
        writeFile(dir.file("clip.anim"), clipText(clip));
        for (Wrestler* p : {&w, &other}) {
            Animation& slot = p->clips[static_cast<std::size_t>(id)];
            slot = Animation{};
            loadSkeleton(slot, dir.file("man.bone").c_str());
            loadAnimation(slot, dir.file("clip.anim").c_str());
        }
    }
    float rotation(int id, int bone) const
    {
        return w.clips[static_cast<std::size_t>(id)].bones[static_cast<std::size_t>(bone)].rotation[0];
    }
    const KeyTrack& trackX(int id, int bone) const
    {
        return w.clips[static_cast<std::size_t>(id)].bones[static_cast<std::size_t>(bone)].rotationTracks[0];
    }
    TempDir dir;
    std::unique_ptr<Wrestler> one = std::make_unique<Wrestler>();
    std::unique_ptr<Wrestler> two = std::make_unique<Wrestler>();
    Wrestler& w = *one;
    Wrestler& other = *two;
};

TEST_F(Playback, AWrapCarriesTheExcessAndStepsTheRestOfTheOldPath)
{
    load(ClipPunch, straightClip(30, 3));
    load(ClipStand, straightClip(40, 4));
    cutToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
    advanceClip(w, 29, other);
    EXPECT_NEAR(w.z, 2.9f, 1e-5);
    EXPECT_EQ(w.clip, ClipPunch);

    advanceClip(w, 1.8f, other);
    EXPECT_EQ(w.clip, ClipStand);
    EXPECT_EQ(w.state, Idle);
    EXPECT_NEAR(w.clipTime, 0.8f, 1e-5);
    // 0.1 left of the punch's path, then 0.08 of the stand's.
    EXPECT_NEAR(w.z, 3.08f, 1e-5);
    EXPECT_NEAR(w.x, 0, 1e-5);
    EXPECT_NEAR(w.prevRootZ, 0.08f, 1e-5);
}

TEST_F(Playback, RootMotionFollowsTheHeadingOverManyPasses)
{
    load(ClipWalk, straightClip(40, 6, 2));
    w.heading = 90;
    cutToClip(w, other, ClipWalk, ClipWalk, Walking, Walking);
    for (int frame = 0; frame < 100; ++frame)
        advanceClip(w, 1.7f, other);
    // 170 time units are 4.25 passes: nothing lost or counted twice at the
    // four wraps. Forward is +x at heading 90, the side root x is -z.
    EXPECT_NEAR(w.x, 6 * 4.25f, 0.02);
    EXPECT_NEAR(w.z, -2 * 4.25f, 0.02);
}

TEST_F(Playback, ALongAdvanceEndsOneClipEvenPastAWholeLength)
{
    load(ClipPunch, straightClip(30, 3));
    load(ClipHit, straightClip(40, 4));
    cutToClip(w, other, ClipPunch, ClipHit, Striking, Hurt);
    advanceClip(w, 10, other);
    // 10 + 35 wraps to 15, past where it stood, but the end was reached.
    advanceClip(w, 35, other);
    EXPECT_EQ(w.clip, ClipHit);
    EXPECT_EQ(w.state, Hurt);
    EXPECT_NEAR(w.clipTime, 15, 1e-5);
    // Exactly one length of the hit: back to the same time, one end.
    w.nextClip = ClipPunch;
    advanceClip(w, 40, other);
    EXPECT_EQ(w.clip, ClipPunch);
    EXPECT_NEAR(w.clipTime, 15, 1e-5);
    // Three lengths of the punch in one step still end only one clip.
    w.nextClip = ClipHit;
    advanceClip(w, 90, other);
    EXPECT_EQ(w.clip, ClipHit);
    EXPECT_NEAR(w.clipTime, 15, 1e-5);
}

TEST_F(Playback, AdvancingByZeroNeverEndsAClip)
{
    load(ClipPunch, straightClip(30, 3));
    load(ClipStand, straightClip(40, 4));
    w.clip = ClipPunch;
    w.nextClip = ClipStand;
    w.state = Striking;
    advanceClip(w, 0, other);       // straight after a reset: previous time -1
    EXPECT_EQ(w.clip, ClipPunch);
    advanceClip(w, 29.5f, other);
    const float z = w.z;
    advanceClip(w, 0, other);
    advanceClip(w, 0, other);
    EXPECT_EQ(w.clip, ClipPunch);
    EXPECT_EQ(w.z, z);
}

TEST_F(Playback, IdleAndGettingUpEndIdleWhateverIsQueued)
{
    load(ClipGetup, straightClip(30, 0));
    load(ClipStand, straightClip(40, 0));
    load(ClipHit, straightClip(20, 0));
    cutToClip(w, other, ClipGetup, ClipStand, GettingUp, Lying);
    advanceClip(w, 20, other);
    advanceClip(w, 11, other);
    EXPECT_EQ(w.state, Idle);
    EXPECT_EQ(w.clip, ClipStand);
    cutToClip(w, other, ClipHit, ClipStand, Idle, Grabbed);
    advanceClip(w, 15, other);
    advanceClip(w, 6, other);
    EXPECT_EQ(w.state, Idle);
    cutToClip(w, other, ClipHit, ClipStand, Hurt, Lying);
    advanceClip(w, 15, other);
    advanceClip(w, 6, other);
    EXPECT_EQ(w.state, Lying);
}

TEST_F(Playback, ACutMovesByTheRootsFirstValuesAtOnce)
{
    FixtureClip clip = straightClip(30, 3);
    clip.root[2] = {{0, 2}, {30, 5}, {40, 6}};
    load(ClipThrow, clip);
    cutToClip(w, other, ClipThrow, ClipStand, Throwing, Idle);
    EXPECT_NEAR(w.z, 2, 1e-6);
    EXPECT_EQ(w.clipTime, 0);
    EXPECT_EQ(w.prevClipTime, 0);
    EXPECT_EQ(w.nextClip, ClipStand);
    EXPECT_EQ(w.nextState, Idle);
}

TEST_F(Playback, ABlendEasesFromThePoseShownIntoTheFirstKeyExactly)
{
    load(ClipStand, straightClip(40, 4, 0, 30));
    load(ClipPunch, straightClip(30, 3, 0, -20));
    cutToClip(w, other, ClipStand, ClipStand, Idle, Idle);
    advanceClip(w, 10, other);
    const float z = w.z;

    blendToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
    EXPECT_EQ(w.clipTime, -5);
    EXPECT_EQ(rotation(ClipPunch, 7), 30);
    advanceClip(w, 2.5f, other);
    EXPECT_GT(rotation(ClipPunch, 7), -20);
    EXPECT_LT(rotation(ClipPunch, 7), 30);
    advanceClip(w, 2.5f, other);
    EXPECT_EQ(w.clipTime, 0);
    EXPECT_EQ(rotation(ClipPunch, 7), -20);
    EXPECT_EQ(w.z, z);              // the root holds still through the blend
    advanceClip(w, 10, other);
    EXPECT_NEAR(w.z, z + 1, 1e-5);
}

TEST_F(Playback, BlendingTwiceKeepsOneKeyWithTheLaterPose)
{
    load(ClipStand, straightClip(40, 0, 0, 30));
    load(ClipKick, straightClip(40, 0, 0, 10));
    load(ClipPunch, straightClip(30, 0, 0, -20));
    cutToClip(w, other, ClipStand, ClipStand, Idle, Idle);
    blendToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
    cutToClip(w, other, ClipKick, ClipStand, Kicking, Idle);
    blendToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
    const KeyTrack& track = trackX(ClipPunch, 3);
    ASSERT_EQ(track.count, 3);
    EXPECT_EQ(track.keys[0].time, -5);
    EXPECT_EQ(track.keys[0].value, 10);

    // Into the clip that is playing: the pose it shows now becomes the key.
    advanceClip(w, 4, other);       // at -1, part way from 10 to -20
    const float shown = rotation(ClipPunch, 3);
    blendToClip(w, other, ClipPunch, ClipStand, Striking, Idle);
    ASSERT_EQ(track.count, 3);
    EXPECT_EQ(track.keys[0].value, shown);

    removeBlendKeys(w, -5, ClipPunch);
    EXPECT_EQ(track.count, 2);
    removeBlendKeys(w, -5, ClipPunch);
    EXPECT_EQ(track.count, 2);
    EXPECT_EQ(track.keys[0].value, -20);
}

TEST_F(Playback, AClipThatWasNeverLoadedDoesNotPoisonTheTime)
{
    // Slot 54 is never loaded; playing it must not produce NaN times.
    w.clip = 54;
    advanceClip(w, 3, other);
    EXPECT_EQ(w.clipTime, 3);
    EXPECT_EQ(w.x, 0);
    EXPECT_EQ(w.z, 0);
}

} // namespace
