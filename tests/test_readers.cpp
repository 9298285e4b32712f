// The file readers that work on text in memory: they report bad data to
// their caller instead of ending the program, read exactly what the loaders
// read from files, and survive every input that ever found a fault in them
// (tests/fuzz_regressions/<reader>/, fed through the fuzzing targets' code).
#include "fuzz/readers.h"

#include "anim/playback.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "assets/texture.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::string runData = std::string(TARVOK_RUN_DIR) + "/data/";

template <typename Read>
std::string problemOf(Read read)
{
    try {
        read();
    } catch (const DataFileError& error) {
        return error.file + ": " + error.problem;
    }
    return "";
}

TEST(Readers, BadDataIsReportedToTheCaller)
{
    Animation skeleton;
    EXPECT_EQ(problemOf([&] { parseSkeleton(skeleton, "2\n0\n", "man.bone"); }),
              "man.bone: ends early, in a joint offset");
    EXPECT_EQ(problemOf([&] { parseConfig("data/\n", "game.ini"); }), "game.ini: missing the sound path line");
    Mesh mesh;
    EXPECT_EQ(problemOf([&] { parseMesh(mesh, "1\n-2\n", "man_low.mesh"); }),
              "man_low.mesh: the vertex count -2 is not between 0 and 1000000");
    EXPECT_EQ(problemOf([&] { textureRgba("abc", 1, 2, "flash.raw"); }),
              "flash.raw: holds 3 bytes; a 1 x 2 image needs 6");
    Animation clip;
    parseSkeleton(clip, layoutSkeletonText(), "man.bone");
    EXPECT_EQ(problemOf([&] { parseAnimation(clip, "17\n", "walk.anim"); }),
              "walk.anim: has 17 joints but the skeleton has 18");
    // A failed game.ini leaves the settings as they were.
    parseConfig("data/\n%.0sdata/%s\n", "game.ini");
    EXPECT_NE(problemOf([&] { parseConfig("other/\n%d\n", "game.ini"); }), "");
    EXPECT_STREQ(dataDirectory, "data/");
}

TEST(Readers, ReadingFromMemoryEqualsLoadingTheFile)
{
    std::string text;
    ASSERT_TRUE(readWholeFile((runData + "suplex.anim").c_str(), text));
    Animation fromFile, fromText;
    loadSkeleton(fromFile, (runData + "man.bone").c_str());
    loadAnimation(fromFile, (runData + "suplex.anim").c_str());
    ASSERT_TRUE(readWholeFile((runData + "man.bone").c_str(), text));
    parseSkeleton(fromText, text, "man.bone");
    ASSERT_TRUE(readWholeFile((runData + "suplex.anim").c_str(), text));
    parseAnimation(fromText, text, "suplex.anim");
    ASSERT_EQ(fromFile.boneCount, fromText.boneCount);
    for (float t : {0.0f, 17.5f, 60.0f}) {
        sampleClip(fromFile, t);
        sampleClip(fromText, t);
        for (int b = 0; b < fromFile.boneCount; ++b)
            for (int axis = 0; axis < 3; ++axis)
                EXPECT_EQ(fromFile.bones[static_cast<std::size_t>(b)].rotation[axis],
                          fromText.bones[static_cast<std::size_t>(b)].rotation[axis]);
    }
}

TEST(Readers, EveryInputThatOnceFoundAFaultGoesThroughUnharmed)
{
    prepareReaders(runData.c_str());
    struct Reader {
        const char* folder;
        void (*exercise)(const unsigned char*, std::size_t);
    };
    const Reader readers[] = {{"config", exerciseConfig}, {"skeleton", exerciseSkeleton}, {"mesh", exerciseMesh},
                              {"clip", exerciseClip}, {"texture", exerciseTexture}};
    int inputs = 0;
    testing::internal::CaptureStdout();
    for (const Reader& reader : readers) {
        const std::filesystem::path folder = std::filesystem::path(TARVOK_FUZZ_REGRESSIONS) / reader.folder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            std::string bytes;
            ASSERT_TRUE(readWholeFile(entry.path().c_str(), bytes));
            reader.exercise(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    testing::internal::GetCapturedStdout();
    EXPECT_GE(inputs, 5);
}

} // namespace
