// Reading "man.bone", and refusing every kind of broken skeleton file.
#include "assets/skeleton.h"
#include "tests/support.h"

#include <gtest/gtest.h>

namespace {

std::string loadOf(const std::string& text)
{
    static TempDir dir;
    const std::string path = dir.file("man.bone");
    writeFile(path, text);
    return path;
}

TEST(Skeleton, TheLayoutLoadsWithEmptyTracks)
{
    Animation a;
    EXPECT_EQ(loadSkeleton(a, loadOf(layoutSkeletonText()).c_str()), 1);
    ASSERT_EQ(a.boneCount, 18);
    EXPECT_EQ(a.boneCapacity, 18);
    EXPECT_EQ(a.rootBone, 1);
    EXPECT_FLOAT_EQ(a.bones[3].offset[1], -1.85f);
    EXPECT_EQ(a.bones[0].firstChild, 2);
    EXPECT_EQ(a.bones[0].nextSibling, 8);
    for (const KeyTrack& t : a.rootTracks) {
        EXPECT_EQ(t.count, 0);
        EXPECT_EQ(t.capacity, 100);
        EXPECT_EQ(t.endTime, 0);
        EXPECT_EQ(t.keys.size(), 100u);
    }
    for (const Bone& b : a.bones) {
        EXPECT_EQ(b.rotation[0], 0);
        EXPECT_EQ(b.rotation[1], 0);
        EXPECT_EQ(b.rotation[2], 0);
        for (const KeyTrack& t : b.rotationTracks) {
            EXPECT_EQ(t.count, 0);
            EXPECT_EQ(t.capacity, 100);
        }
    }
}

TEST(Skeleton, OctalHexAndAnyLineBreaks)
{
    // Joint count 010 is octal 8; root 0x1; numbers split and joined freely.
    std::string text = "010 0x1\n";
    // The chain runs from root 1 down to 7, and on to 0 at its end.
    for (int b = 0; b < 8; ++b) {
        const int child = b == 0 ? -1 : b + 1 < 8 ? b + 1 : 0;
        text += "0.5\n" + std::to_string(b) + " 0\n-1\n" + std::to_string(child) + "\n-1 0x1F 017 ";
    }
    Animation a;
    loadSkeleton(a, loadOf(text).c_str());
    ASSERT_EQ(a.boneCount, 8);
    EXPECT_EQ(a.rootBone, 1);
    EXPECT_EQ(a.bones[5].offset[1], 5);
    EXPECT_EQ(a.bones[5].firstChild, 6);
    EXPECT_EQ(a.bones[7].firstChild, 0);
    EXPECT_EQ(a.bones[0].firstChild, -1);
    EXPECT_EQ(a.bones[2].tagA, 31);
    EXPECT_EQ(a.bones[2].tagB, 15);
}

TEST(Skeleton, ATreeOfTwentyLevelsLoadsAndTwentyOneIsRefused)
{
    auto chain = [](int n) {
        std::string text = std::to_string(n) + " 0\n";
        for (int b = 0; b < n; ++b)
            text += "0 1 0\n-1 " + std::to_string(b + 1 < n ? b + 1 : -1) + " -1\n0 0\n";
        return text;
    };
    Animation a;
    loadSkeleton(a, loadOf(chain(20)).c_str());
    EXPECT_EQ(a.boneCount, 20);
    EXPECT_EXIT(loadSkeleton(a, loadOf(chain(21)).c_str()), testing::ExitedWithCode(1),
                "man.bone: the joint tree is deeper than 20 levels");
}

TEST(SkeletonErrors, EachBrokenFileStopsWithItsOwnMessage)
{
    struct Case { std::string text, message; };
    const std::string joint = "0 1 0\n-1 -1 -1\n0 0\n";
    const std::vector<Case> cases = {
        {"", "man.bone: ends early, in the joint count"},
        {"2\n0\n" + joint, "man.bone: ends early, in a joint offset"},
        {"2\n0\n" + joint + "1 2", "man.bone: ends early, in a joint offset"},
        {"2\n0\n" + joint + "0 0 0\n-1 -1", "man.bone: ends early, in a joint's links"},
        {"0\n0\n", "man.bone: joint count 0 is not between 1 and 1000"},
        {"-3\n0\n", "man.bone: joint count -3 is not between 1 and 1000"},
        {"99999999\n0\n", "man.bone: joint count 99999999 is not between 1 and 1000"},
        {"1\n1\n" + joint, "man.bone: root joint 1 is not one of the 1 joints"},
        {"1\n0\n0 1 0\n-1 1 -1\n0 0\n", "man.bone: joint 0 links to 1, which is not a joint"},
        {"1\n0\n0 1 0\n-1 -1 -2\n0 0\n", "man.bone: joint 0 links to -2, which is not a joint"},
        {"2\n0\n0 1 0\n-1 1 -1\n0 0\n0 1 0\n0 0 -1\n0 0\n", "man.bone: joint 0 is reached twice: the links form a cycle"},
        {"2\n0\n0 1 0\n-1 -1 1\n0 0\n0 1 0\n-1 -1 0\n0 0\n", "man.bone: joint 0 is reached twice: the links form a cycle"},
        {"1\n0\nx y z\n", "man.bone: \"x\" is not a number, in a joint offset"},
        // Numbers that read but cannot be used.
        {"1\n0\nnan 0 0\n-1 -1 -1\n0 0\n", "man.bone: nan is not a finite number, in a joint offset"},
        {"1\n0\n0 -inf 0\n-1 -1 -1\n0 0\n", "man.bone: -inf is not a finite number, in a joint offset"},
        {"1\n0\n0 0 1e38\n-1 -1 -1\n0 0\n", "man.bone: 1e\\+38 is too large \\(more than 1e\\+06\\), in a joint offset"},
        {"4294967314\n0\n" + joint, "man.bone: 4294967314 is out of range, in the joint count"},
        {"2\n0\n" + joint + "0 1 0\n-1 -1 -1\n0 0\n", "man.bone: joint 1 cannot be reached from the root joint 0"},
        {"1\n0\n0 1 0\n-1 -1 -1\n0 99999999999\n", "man.bone: 99999999999 is out of range, in a joint's tags"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Animation a;
        EXPECT_EXIT(loadSkeleton(a, loadOf(c.text).c_str()), testing::ExitedWithCode(1), c.message);
    }
    Animation a;
    EXPECT_EXIT(loadSkeleton(a, "/nonexistent/man.bone"), testing::ExitedWithCode(1),
                "tarvok: /nonexistent/man.bone: cannot be opened");
}

} // namespace
