// The start-up: every skeleton copy, the mesh and both wrestlers' clips, the
// loading log in catalogue order, and the whole initialisation.
#include "anim/playback.h"
#include "assets/catalogue.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace {

// The clip files in the order start-up reads them.
const char* const loadOrderFiles[clipCount] = {
    "walk.anim", "walkback.anim", "walkleft.anim", "walkright.anim", "stand.anim",
    "punch.anim", "hit.anim", "fall.anim", "lie.anim", "getup.anim", "kick.anim",
    "liehit.anim", "grab.anim", "grabmiss.anim", "getgrabbed.anim", "grapple.anim",
    "getgrappled.anim", "suplex.anim", "getsuplexed.anim", "stunner.anim",
    "getstunner.anim", "slam.anim", "getslammed.anim", "chokeslam.anim",
    "getchokeslammed.anim", "ropesback.anim", "ropesleft.anim", "ropesright.anim",
    "run.anim", "runropes.anim", "runpunch.anim", "getrunpunch.anim",
    "runpunchmiss.anim", "hitrun.anim", "gethitrun.anim", "throw.anim",
    "getthrown.anim", "pin.anim", "getpinned.anim", "pinfall.anim",
    "getpinfalled.anim", "kickout.anim", "getkickout.anim", "getinring.anim",
    "vorlanceleb.anim", "kalverceleb.anim", "zoragceleb.anim", "teskarceleb.anim",
    "olympicslam.anim", "getolympicslam.anim", "vorlanbottom.anim",
    "getvorlanbottom.anim", "peopleelbow1.anim", "peopleelbow2.anim",
};

void expectSameTrack(const KeyTrack& a, const KeyTrack& b)
{
    ASSERT_EQ(a.count, b.count);
    EXPECT_EQ(a.capacity, b.capacity);
    EXPECT_EQ(a.endTime, b.endTime);
    ASSERT_EQ(a.keys.size(), b.keys.size());
    for (std::size_t k = 0; k < a.keys.size(); ++k) {
        EXPECT_EQ(a.keys[k].time, b.keys[k].time);
        EXPECT_EQ(a.keys[k].value, b.keys[k].value);
        EXPECT_EQ(a.keys[k].secondDerivative, b.keys[k].secondDerivative);
    }
}

void expectSameRecord(const Animation& a, const Animation& b)
{
    ASSERT_EQ(a.boneCount, b.boneCount);
    EXPECT_EQ(a.rootBone, b.rootBone);
    EXPECT_EQ(a.boneCapacity, b.boneCapacity);
    for (int t = 0; t < 6; ++t)
        expectSameTrack(a.rootTracks[static_cast<std::size_t>(t)], b.rootTracks[static_cast<std::size_t>(t)]);
    for (std::size_t j = 0; j < a.bones.size(); ++j) {
        const Bone& p = a.bones[j];
        const Bone& q = b.bones[j];
        EXPECT_EQ(p.firstChild, q.firstChild);
        EXPECT_EQ(p.nextSibling, q.nextSibling);
        EXPECT_EQ(p.parentIndex, q.parentIndex);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(p.offset[k], q.offset[k]);
        for (std::size_t t = 0; t < 3; ++t)
            expectSameTrack(p.rotationTracks[t], q.rotationTracks[t]);
    }
}

// Start-up fills process-wide records; each test puts them back as it
// found them, so the other tests see no difference.
class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        *savedOne = playerOne;
        *savedTwo = playerTwo;
        *savedMesh = bodyMesh;
        std::copy(std::begin(roster), std::end(roster), savedRoster);
        std::copy(std::begin(dataDirectory), std::end(dataDirectory), savedDirectory);
        std::copy(std::begin(soundPathFormat), std::end(soundPathFormat), savedSound);
        resetWrestler(playerOne);
        resetWrestler(playerTwo);
        writeDataSet(dir.path);
        data = dir.path + "/data/";
    }
    void TearDown() override
    {
        playerOne = *savedOne;
        playerTwo = *savedTwo;
        bodyMesh = *savedMesh;
        std::copy(std::begin(savedRoster), std::end(savedRoster), roster);
        std::copy(std::begin(savedDirectory), std::end(savedDirectory), dataDirectory);
        std::copy(std::begin(savedSound), std::end(savedSound), soundPathFormat);
    }
    std::string loadAll()
    {
        readConfig(dir.file("game.ini").c_str());
        testing::internal::CaptureStdout();
        loadBodyAndClips();
        return testing::internal::GetCapturedStdout();
    }
    TempDir dir;
    std::string data;
    std::unique_ptr<Wrestler> savedOne = std::make_unique<Wrestler>();
    std::unique_ptr<Wrestler> savedTwo = std::make_unique<Wrestler>();
    std::unique_ptr<Mesh> savedMesh = std::make_unique<Mesh>();
    CharacterProfile savedRoster[rosterSize];
    char savedDirectory[settingCapacity];
    char savedSound[settingCapacity];
};

TEST_F(Startup, TheLogListsEveryLoadInCatalogueOrder)
{
    std::string expected;
    for (int i = 0; i < 2 * clipCount; ++i)
        expected += "Loading : " + data + "man.bone\n";
    expected += "Loading : " + data + "man_low.mesh\n6, 2\n";
    for (const char* file : loadOrderFiles)
        expected += "Loading : " + data + file + "\nLoading : " + data + file + "\n";
    EXPECT_EQ(loadAll(), expected);
}

TEST_F(Startup, EachSlotHoldsItsOwnClipInBothWrestlersAsSeparateRecords)
{
    loadAll();
    // Clip id k of the data set walks k + 1 units by its loop point.
    for (int id = 0; id < clipCount; ++id) {
        const std::size_t slot = static_cast<std::size_t>(id);
        for (const Wrestler* w : {&playerOne, &playerTwo}) {
            const KeyTrack& forward = w->clips[slot].rootTracks[2];
            ASSERT_EQ(forward.count, 3) << clipFiles[slot];
            EXPECT_EQ(forward.keys[1].value, static_cast<float>(id + 1)) << clipFiles[slot];
        }
    }
    EXPECT_EQ(playerOne.clips[54].boneCount, 0);

    // Every copy is the record a load of its own would have made.
    Animation fresh;
    loadSkeleton(fresh, (data + "man.bone").c_str());
    loadAnimation(fresh, (data + "grabmiss.anim").c_str());
    expectSameRecord(playerOne.clips[ClipGrabMiss], fresh);
    expectSameRecord(playerTwo.clips[ClipGrabMiss], fresh);

    // Changing one wrestler's clip leaves the other's alone.
    trackInsertKey(playerOne.clips[ClipPunch].bones[4].rotationTracks[0], -5, 12);
    EXPECT_EQ(playerOne.clips[ClipPunch].bones[4].rotationTracks[0].count, 3);
    EXPECT_EQ(playerTwo.clips[ClipPunch].bones[4].rotationTracks[0].count, 2);
    EXPECT_EQ(playerOne.clips[ClipPunch].bones[4].rotationTracks[0].count, 3);
    EXPECT_EQ(playerOne.clips[ClipKick].bones[4].rotationTracks[0].count, 2);
}

TEST_F(Startup, TheMeshIsBoundAndBothWrestlersShowTheirFirstPose)
{
    loadAll();
    EXPECT_EQ(bodyMesh.skeleton, &playerOne.clips[ClipWalk]);
    EXPECT_EQ(bodyMesh.vertices[0].bone, 8);
    EXPECT_EQ(bodyMesh.vertices[3].bone, 0);
    for (const Wrestler* w : {&playerOne, &playerTwo}) {
        EXPECT_EQ(w->clip, ClipWalk);
        EXPECT_EQ(w->prevClipTime, 0);
        EXPECT_EQ(w->clips[ClipWalk].rootOffset[1], 4.6f);
    }
}

TEST_F(Startup, ASkeletonTooSmallForTheBodyOrAMissingClipStops)
{
    deathTestsStartAfresh();
    writeFile(data + "man.bone", "2 0\n0 1 0\n-1 1 -1\n0 0\n0 1 0\n0 -1 -1\n0 0\n");
    EXPECT_EXIT(
        {
            removeAtExit(dir.path);
            loadAll();
        },
        testing::ExitedWithCode(1), "man.bone: has 2 joints; the body needs 18");
    writeFile(data + "man.bone", layoutSkeletonText());
    std::remove((data + "grabmiss.anim").c_str());
    EXPECT_EXIT(
        {
            removeAtExit(dir.path);
            loadAll();
        },
        testing::ExitedWithCode(1), "grabmiss.anim: cannot be opened");
}

TEST_F(Startup, TheGeneratedGameDataLoads)
{
    const std::string run = TARVOK_RUN_DIR;
    if (std::FILE* f = std::fopen((run + "/data/peopleelbow2.anim").c_str(), "r"))
        std::fclose(f);
    else
        GTEST_SKIP() << "the data tool has not written every clip yet";
    writeFile(dir.file("game.ini"), run + "/data/\n%.0s" + run + "/data/%s\n");
    loadAll();
    for (int id = 0; id < clipCount; ++id)
        EXPECT_GT(clipLength(playerOne.clips[static_cast<std::size_t>(id)]), 0) << clipFiles[static_cast<std::size_t>(id)];
    ASSERT_GT(bodyMesh.vertexCount, 0);
    for (const MeshVertex& v : bodyMesh.vertices) {
        EXPECT_TRUE(v.bone >= 0 && v.bone < 18 && v.bone != 1 && v.bone != 9 && v.bone != 13) << v.bone;
    }

    // Every clip, blended into from the one before and played past its end,
    // gives finite poses and steps.
    playerTwo.x = 100;
    for (int id : clipLoadOrder) {
        blendToClip(playerOne, playerTwo, id, ClipStand, Striking, Idle);
        const float length = clipLength(playerOne.clips[static_cast<std::size_t>(id)]);
        for (float t = 0; t < length + 10; t += 1.8f) {
            advanceClip(playerOne, 1.8f, playerTwo);
            const Animation& shown = playerOne.clips[static_cast<std::size_t>(playerOne.clip)];
            bool finite = std::isfinite(playerOne.x) && std::isfinite(playerOne.z) && std::isfinite(shown.rootOffset[1]);
            for (const Bone& b : shown.bones)
                finite = finite && std::isfinite(b.rotation[0]) && std::isfinite(b.rotation[1]) && std::isfinite(b.rotation[2]);
            ASSERT_TRUE(finite) << clipFiles[static_cast<std::size_t>(id)] << " at " << t;
        }
    }
}

TEST_F(Startup, InitGameLoadsTexturesThenTheBodyAndGivesOutCharacters)
{
    if (!loaderGlContext())
        GTEST_SKIP() << "no display";
    // Two textures present, the rest missing.
    writeFile(data + "kalver2.raw", std::string(256 * 256 * 3, '\x40'));
    writeFile(data + "ring.raw", std::string(256 * 256 * 3, '\x20'));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path.c_str()), 0);
    for (CharacterProfile& p : roster)
        p.bodyTexture1 = p.bodyTexture2 = p.faceTexture = 0;
    ringTexture = cementTexture = 0;
    testing::internal::CaptureStdout();
    initGame();
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_EQ(chdir(cwd), 0);

    // The lines of the log that the loading writes, in order.
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Loading : ", 0) == 0 || line.rfind("error opening", 0) == 0 || line == "GAME init")
            lines.push_back(line);
    std::vector<std::string> expected{"GAME init"};
    auto texture = [&](const std::string& file, bool present) {
        expected.push_back("Loading : " + data + file);
        if (!present)
            expected.push_back("error opening texture file : " + data + file);
    };
    for (const char* name : {"vorlan", "kalver", "zorag", "teskar"}) {
        const std::string n = name;
        texture(n + "1.raw", false);
        texture(n + "2.raw", n == "kalver");
        texture(n + "face.raw", false);
    }
    for (const char* file : {"cement.raw", "ring.raw", "crowd4.raw", "entrance.raw", "background.raw", "flash.raw"})
        texture(file, std::string(file) == "ring.raw");
    ASSERT_GE(lines.size(), expected.size() + 2 * clipCount);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(lines[expected.size()], "Loading : " + data + "man.bone");
    EXPECT_EQ(lines.back(), "Loading : " + data + "peopleelbow2.anim");

    EXPECT_NE(roster[1].bodyTexture2, 0u);
    EXPECT_EQ(roster[1].bodyTexture1, 0u);
    EXPECT_NE(ringTexture, 0u);
    EXPECT_EQ(cementTexture, 0u);
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(playerTwo.character, 1);
    EXPECT_EQ(playerTwo.bodyTexture2, roster[1].bodyTexture2);
    EXPECT_EQ(bodyMesh.skeleton, &playerOne.clips[ClipWalk]);
}

TEST(Catalogue, EveryClipIsLoadedExactlyOnce)
{
    std::array<int, clipCount> order = clipLoadOrder;
    std::sort(order.begin(), order.end());
    for (int i = 0; i < clipCount; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_STREQ(clipFiles[ClipPeopleElbow2], "peopleelbow2.anim");
    EXPECT_EQ(roster[2].bodyScale, 1.13f);
}

} // namespace
