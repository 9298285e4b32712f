// Reading ".anim" clips, and refusing every kind of broken clip file.
#include "anim/playback.h"
#include "assets/clipfile.h"
#include "assets/skeleton.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ClipDir {
    TempDir dir;
    ClipDir() { writeFile(dir.file("man.bone"), layoutSkeletonText()); }
    void skeleton(Animation& a) const { loadSkeleton(a, dir.file("man.bone").c_str()); }
    std::string clip(const std::string& text) const
    {
        writeFile(dir.file("test.anim"), text);
        return dir.file("test.anim");
    }
};

TEST(ClipFile, KeysAreReadTimeFirstIntoEveryTrack)
{
    ClipDir files;
    FixtureClip clip = straightClip(30, 6, 2);
    clip.rotations[5 * 3 + 1] = {{0, 10}, {12, -20}, {30, 45}};
    Animation a;
    files.skeleton(a);
    EXPECT_EQ(loadAnimation(a, files.clip(clipText(clip)).c_str()), 1);

    EXPECT_EQ(a.rootTracks[0].count, 3);
    EXPECT_EQ(a.rootTracks[0].keys[1].time, 30);
    EXPECT_EQ(a.rootTracks[0].keys[1].value, 2);
    EXPECT_EQ(a.rootTracks[1].count, 1);
    EXPECT_EQ(a.rootTracks[1].keys[0].value, 4.6f);
    EXPECT_EQ(a.rootTracks[2].keys[1].value, 6);
    EXPECT_EQ(clipLength(a), 30);

    const KeyTrack& y = a.bones[5].rotationTracks[1];
    ASSERT_EQ(y.count, 3);
    EXPECT_EQ(y.keys[1].time, 12);
    EXPECT_EQ(y.keys[1].value, -20);
    EXPECT_NE(y.keys[1].secondDerivative, 0);   // taken from the file
    EXPECT_EQ(y.endTime, 30);
    EXPECT_EQ(a.bones[4].rotationTracks[2].count, 0);
}

TEST(ClipFile, KeysCloseTogetherAndSharpCurvesAreLegal)
{
    // A swing of 100 degrees over keys 0.01 apart: second derivatives in
    // the millions, and keys far closer than a frame. The clip loads, and it
    // samples and blends to finite poses, also where keys a hair apart would
    // overflow the curve's arithmetic.
    ClipDir files;
    FixtureClip clip = straightClip(30, 6);
    clip.rotations[3 * 3] = {{0, 0}, {10, 0}, {10.01f, 100}, {10.02f, 0}, {30, 0}};
    clip.rotations[4 * 3] = {{0, 0}, {1e-30f, 1e6f}, {2e-30f, -1e6f}, {30, 0}};
    Animation a;
    files.skeleton(a);
    EXPECT_EQ(loadAnimation(a, files.clip(clipText(clip)).c_str()), 1);
    EXPECT_GT(std::fabs(a.bones[3].rotationTracks[0].keys[2].secondDerivative), 1e6f);
    for (float t = -5; t <= 31; t += 0.0025f) {
        sampleClip(a, t);
        ASSERT_TRUE(std::isfinite(a.bones[3].rotation[0])) << t;
        ASSERT_TRUE(std::isfinite(a.bones[4].rotation[0])) << t;
    }
    // A blend into the clip re-solves its curves with a key before them.
    for (int joint : {3, 4}) {
        KeyTrack& track = a.bones[static_cast<std::size_t>(joint)].rotationTracks[0];
        trackInsertKey(track, -5, 40);
        for (float t = -5; t <= 31; t += 0.01f)
            ASSERT_TRUE(std::isfinite(trackSample(track, t))) << joint << " at " << t;
    }
}

TEST(ClipFile, AnEmptyTrackKeepsItsEndTimeAndNumbersMayBreakAnywhere)
{
    ClipDir files;
    // Hand-written: root track 3 is empty with end time 7; hexadecimal
    // counts, keys split across lines and joined on one.
    std::string text = "0x12 ";
    text += "3 50\n0 0 0 40 0 0 50 0 0\n";             // root 0
    text += "1 0 0\n4.6 0\n";                          // root 1
    text += "0x3 40 0 0 0\n40 4 0\n50 5 0\n";          // root 2
    text += "0\n7\n";                                  // root 3
    text += "0 0 0 0\n";                               // roots 4, 5
    for (int j = 0; j < 18 * 3; ++j)
        text += j == 0 ? "2 40 0 1.5 0 40 1.5 0\n" : "0 0\n";
    Animation a;
    files.skeleton(a);
    loadAnimation(a, files.clip(text).c_str());
    EXPECT_EQ(a.rootTracks[3].count, 0);
    EXPECT_EQ(a.rootTracks[3].endTime, 7);
    EXPECT_EQ(a.rootTracks[2].count, 3);
    EXPECT_EQ(a.rootTracks[2].keys[2].value, 5);
    EXPECT_EQ(a.bones[0].rotationTracks[0].keys[1].value, 1.5f);
    EXPECT_EQ(clipLength(a), 40);
}

TEST(ClipFile, TwoLoadsOfOneFileAreEqualAndIndependent)
{
    ClipDir files;
    const std::string path = files.clip(clipText(straightClip(30, 6, 0, 25)));
    Animation a, b;
    files.skeleton(a);
    files.skeleton(b);
    loadAnimation(a, path.c_str());
    loadAnimation(b, path.c_str());
    EXPECT_EQ(a.bones[7].rotationTracks[0].keys[1].value, b.bones[7].rotationTracks[0].keys[1].value);
    trackInsertKey(a.bones[7].rotationTracks[0], -5, 90);
    EXPECT_EQ(a.bones[7].rotationTracks[0].count, 3);
    EXPECT_EQ(b.bones[7].rotationTracks[0].count, 2);
    EXPECT_EQ(b.bones[7].rotationTracks[0].keys[0].value, 25);
}

TEST(ClipFileErrors, EachBrokenFileStopsWithItsOwnMessage)
{
    deathTestsStartAfresh();
    ClipDir files;
    const FixtureClip good = straightClip(30, 6);
    auto with = [&](auto change) {
        FixtureClip clip = good;
        change(clip);
        return clipText(clip);
    };
    FixtureKeys tooMany;
    for (int k = 0; k < 101; ++k)
        tooMany.push_back({static_cast<float>(k), 0});
    const std::string whole = clipText(good);
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"", "ends early, in the joint count"},
        {whole.substr(0, whole.size() / 2), "ends early, in joint [0-9]+ rotation"},
        {with([](FixtureClip& c) { c.joints = 17; c.rotations.resize(17 * 3); }),
         "has 17 joints but the skeleton has 18"},
        {with([&](FixtureClip& c) { c.rotations[4] = tooMany; }), "joint 1 rotation y has 101 keys; at most 100 fit"},
        {"18\n-2\n", "root track 0 has a negative key count \\(-2\\)"},
        {with([](FixtureClip& c) { c.root[0] = {{0, 0}}; }),
         "root track 0 has 1 keys; the loop point needs at least 2"},
        {with([](FixtureClip& c) { c.root[2] = {{0, 0}}; }),
         "root track 2 has 1 keys; the loop point needs at least 2"},
        {with([](FixtureClip& c) { c.root[0] = {{0, 0}, {10, 0}}; }),
         "the clip length \\(the next-to-last key time of root track 0\\) is 0, not positive"},
        {with([](FixtureClip& c) { c.rotations[9] = {{0, 0}, {20, 1}, {10, 2}}; }),
         "joint 3 rotation x: key 2 at time 10 does not come after the key before it"},
        {with([](FixtureClip& c) { c.rotations[9] = {{0, 0}, {10, 1}, {10, 2}}; }),
         "joint 3 rotation x: key 2 at time 10 does not come after"},
        {with([](FixtureClip& c) { c.rotations[0] = {{-5, 0}, {10, 1}}; }),
         "joint 0 rotation x: key 0 has the negative time -5"},
        {with([](FixtureClip& c) { c.rotations[0] = {{0, 2e7f}, {10, 1}}; }),
         "2e\\+07 is too large \\(more than 1e\\+06\\), in joint 0 rotation x"},
        {with([](FixtureClip& c) { c.rotations[0] = {{0, 0}, {3e6f, 1}}; }),
         "3e\\+06 is too large \\(more than 1e\\+06\\), in joint 0 rotation x"},
        {"18\n1\n0\n0 0 nan\n", "nan is not a finite number, in root track 0"},
        {"18\n1\n0\n0 inf 0\n", "inf is not a finite number, in root track 0"},
        {"18\n1\n0\n0 1,5 0\n", "\",5\" is not a number, in root track 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const std::string path = files.clip(c.text);
        EXPECT_EXIT(
            {
                removeAtExit(files.dir.path);
                Animation a;
                files.skeleton(a);
                loadAnimation(a, path.c_str());
            },
            testing::ExitedWithCode(1), "test.anim: " + c.message);
    }
    EXPECT_EXIT(
        {
            removeAtExit(files.dir.path);
            Animation a;
            files.skeleton(a);
            loadAnimation(a, "/nonexistent/walk.anim");
        },
        testing::ExitedWithCode(1), "tarvok: /nonexistent/walk.anim: cannot be opened");
}

} // namespace
