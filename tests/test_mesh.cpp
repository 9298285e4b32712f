// Reading "man_low.mesh" and binding its vertices to joints.
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

std::string meshFile(const TempDir& dir, const std::string& text)
{
    const std::string path = dir.file("man_low.mesh");
    writeFile(path, text);
    return path;
}

// Two faces over four vertices; vertex 1 is named by both faces' normal
// lines, with a different normal each time. Scale 2.
const char* twoFaces =
    "2.0\n4\n2\n"
    "9 1 2 3\n9 -1 0 0.5\n9 0 -3 0\n9 0.25 0.25 0.25\n"
    "0 1 2 0\n1 3 2 2\n"
    "3\n"
    "7 0.25 0.5 0.75\n7 1 1 0\n7 0 2 0\n"
    "5 0 1 2\n5 2 1 0\n"
    "5 10 20 30\n0 1 0 0\n1 0 1 0\n2 0 0 1\n"
    "5 -1 -2 -3\n1 0.6 0.8 0\n3 0 -1 0\n2 0 0 -1\n";

TEST(Mesh, ScaleMovesPositionsOnlyAndVIsNegated)
{
    TempDir dir;
    Mesh mesh;
    testing::internal::CaptureStdout();
    loadMesh(mesh, meshFile(dir, twoFaces).c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "4, 2\n");

    ASSERT_EQ(mesh.vertexCount, 4);
    ASSERT_EQ(mesh.faceCount, 2);
    ASSERT_EQ(mesh.texCoordCount, 3);
    EXPECT_EQ(mesh.vertices[0].restX, 2);
    EXPECT_EQ(mesh.vertices[0].restY, 4);
    EXPECT_EQ(mesh.vertices[0].restZ, 6);
    EXPECT_EQ(mesh.vertices[1].restX, -2);
    EXPECT_EQ(mesh.vertices[3].restY, 0.5f);
    // Normals and texture coordinates are not scaled; only v changes sign.
    EXPECT_EQ(mesh.vertices[0].restNormalX, 1);
    EXPECT_EQ(mesh.texCoords[0].u, 0.25f);
    EXPECT_EQ(mesh.texCoords[0].v, -0.5f);
    EXPECT_EQ(mesh.texCoords[0].w, 0.75f);
    EXPECT_EQ(mesh.texCoords[2].v, -2);

    EXPECT_EQ(mesh.faces[1].vertex[0], 1);
    EXPECT_EQ(mesh.faces[1].vertex[2], 2);
    EXPECT_EQ(mesh.faces[1].textureSelect, 2);
    EXPECT_EQ(mesh.faces[1].texCoord[0], 2);
    EXPECT_EQ(mesh.faces[1].texCoord[2], 0);
}

TEST(Mesh, FaceNormalIsRearrangedAndTheLastVertexNormalWins)
{
    TempDir dir;
    Mesh mesh;
    testing::internal::CaptureStdout();
    loadMesh(mesh, meshFile(dir, twoFaces).c_str());
    testing::internal::GetCapturedStdout();
    // (a, b, c) is kept as (-a, c, b).
    EXPECT_EQ(mesh.faces[0].normal[0], -10);
    EXPECT_EQ(mesh.faces[0].normal[1], 30);
    EXPECT_EQ(mesh.faces[0].normal[2], 20);
    // Vertex 1: first face gives 0 1 0, the second face 0.6 0.8 0.
    EXPECT_EQ(mesh.vertices[1].restNormalX, 0.6f);
    EXPECT_EQ(mesh.vertices[1].restNormalY, 0.8f);
    EXPECT_EQ(mesh.vertices[2].restNormalZ, -1);
    EXPECT_EQ(mesh.vertices[3].restNormalY, -1);
}

TEST(Mesh, AVertexWithoutANormalLineFacesUpAndIsReported)
{
    TempDir dir;
    // One face over vertices 0 1 2; vertex 3 is in no face and has no normal.
    const std::string text = "1\n4\n1\n0 0 0 0\n0 1 0 0\n0 0 1 0\n0 5 5 5\n0 1 2 1\n"
                             "1\n0 0 0 0\n0 0 0 0\n0 0 0 1\n0 1 0 0\n1 1 0 0\n2 1 0 0\n";
    Mesh mesh;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    loadMesh(mesh, meshFile(dir, text).c_str());
    testing::internal::GetCapturedStdout();
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("man_low.mesh: 1 vertices have no normal line"), std::string::npos) << warning;
    EXPECT_EQ(mesh.vertices[3].restNormalX, 0);
    EXPECT_EQ(mesh.vertices[3].restNormalY, 1);
    EXPECT_EQ(mesh.vertices[3].restNormalZ, 0);
    EXPECT_EQ(mesh.vertices[0].restNormalX, 1);
}

TEST(Mesh, ReloadingReplacesTheWholeMesh)
{
    TempDir dir;
    Mesh mesh;
    testing::internal::CaptureStdout();
    loadMesh(mesh, meshFile(dir, twoFaces).c_str());
    loadMesh(mesh, meshFile(dir, meshText({1, 1, 1, 2, 2, 2, 3, 3, 3})).c_str());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mesh.vertexCount, 3);
    EXPECT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.texCoords.size(), 3u);
    EXPECT_EQ(mesh.vertices[2].restZ, 3);
}

TEST(MeshErrors, AnUnopenableMeshPrintsTheOldMessageThenStops)
{
    deathTestsStartAfresh();
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Mesh mesh;
            loadMesh(mesh, "/nonexistent/man_low.mesh");
        },
        testing::ExitedWithCode(1), "ERROR!!\ntarvok: /nonexistent/man_low.mesh: cannot be opened");
}

TEST(MeshErrors, TheCountLineComesBeforeTheVerticesAreRead)
{
    deathTestsStartAfresh();
    TempDir dir;
    const std::string path = meshFile(dir, "1\n3\n1\n0 1 2 3\n");
    EXPECT_EXIT(
        {
            removeAtExit(dir.path);
            dup2(2, 1);
            Mesh mesh;
            loadMesh(mesh, path.c_str());
        },
        testing::ExitedWithCode(1), "(^|\n)3, 1\ntarvok: .*man_low.mesh: ends early, in a vertex line");
}

TEST(MeshErrors, EachBrokenFileStopsWithItsOwnMessage)
{
    deathTestsStartAfresh();
    const std::string good = meshText({0, 1, 0, 1, 1, 0, 0, 2, 0});
    struct Case {
        std::string text;
        const char* message;
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const Case cases[] = {
        {"", "ends early, in the scale"},
        {"1\n-3\n1\n", "the vertex count -3 is not between 0 and 1000000"},
        {"1\n3\n2000000\n", "the face count 2000000 is not between 0 and 1000000"},
        {"1\n99999999999\n1\n", "99999999999 is out of range, in the vertex count"},
        {"1\n3\n1\n0 0 nan 0\n", "nan is not a finite number, in a vertex line"},
        {"1\n3\n1\n0 0 zero 0\n", "\"zero\" is not a number, in a vertex line"},
        {"1e30\n1\n0\n0 1e30 0 0\n0\n", "a vertex times the scale 1e\\+30 is too large"},
        {replaced("0 1 2 0\n", "0 1 3 0\n"), "the vertex index 3 is outside 0 to 2"},
        {replaced("0 1 2 0\n", "-1 1 2 0\n"), "the vertex index -1 is outside 0 to 2"},
        {replaced("\n3\n0 0.5", "\n-1\n0 0.5"), "the texture coordinate count -1 is not between"},
        {replaced("0 0 1 2\n", "0 0 1 5\n"), "the texture coordinate index 5 is outside 0 to 2"},
        {replaced("0 0 0 1\n1 0 0 1", "0 0 0 1\n4 0 0 1"), "the vertex index of a normal line 4 is outside 0 to 2"},
        {good.substr(0, good.size() - 4), "ends early, in a vertex normal line"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = meshFile(dir, c.text);
        EXPECT_EXIT(
            {
                removeAtExit(dir.path);
                Mesh mesh;
                loadMesh(mesh, path.c_str());
            },
            testing::ExitedWithCode(1), std::string("man_low.mesh: ") + c.message);
    }
}

// Binding against the real joint layout: hip line y = -0.9, shoulders at
// x = -1.4 and 1.4, neck base y = 2.9.
class SkinBinding : public testing::Test {
protected:
    void SetUp() override
    {
        writeFile(dir.file("man.bone"), layoutSkeletonText());
        loadSkeleton(skeleton, dir.file("man.bone").c_str());
    }
    int boneOf(float x, float y)
    {
        Mesh mesh;
        mesh.vertices.assign(1, MeshVertex{});
        mesh.vertices[0].restX = x;
        mesh.vertices[0].restY = y;
        mesh.vertexCount = 1;
        bindSkin(mesh, skeleton);
        return mesh.vertices[0].bone;
    }
    float ox(int b) const { return skeleton.bones[static_cast<std::size_t>(b)].offset[0]; }
    float oy(int b) const { return skeleton.bones[static_cast<std::size_t>(b)].offset[1]; }
    TempDir dir;
    Animation skeleton;
};

TEST_F(SkinBinding, TheWaistBelongsToTheLowerBody)
{
    EXPECT_EQ(boneOf(0, 0), 0);
    EXPECT_EQ(boneOf(0, 0.001f), 8);
    EXPECT_EQ(boneOf(-1, 0), 0);
    // x exactly ox(0) stays on joint 0, however low.
    EXPECT_EQ(boneOf(ox(0), -4), 0);
    EXPECT_EQ(boneOf(-0.01f, -0.5f), 0);   // above the hip line
    EXPECT_EQ(boneOf(-0.01f, oy(0)), 0);   // on it
}

TEST_F(SkinBinding, LegChainsStopAtEachThresholdExactly)
{
    const float knee = oy(0) + oy(2) + oy(3);
    EXPECT_EQ(boneOf(-0.5f, -1.0f), 3);      // connector 2 has y part 0
    EXPECT_EQ(boneOf(-0.5f, knee), 3);
    EXPECT_EQ(boneOf(-0.5f, knee - 0.01f), 4);
    const float kneeRight = oy(0) + oy(5) + oy(6);
    EXPECT_EQ(boneOf(0.5f, -1.0f), 6);
    EXPECT_EQ(boneOf(0.5f, kneeRight), 6);
    EXPECT_EQ(boneOf(0.5f, -4.5f), 7);
}

TEST_F(SkinBinding, ArmsAreTakenBeforeTheHead)
{
    EXPECT_EQ(boneOf(ox(9), 3.5f), 17);              // on the shoulder line: not an arm
    EXPECT_EQ(boneOf(ox(9) - 0.01f, 3.5f), 10);      // beyond it, even above the neck
    EXPECT_EQ(boneOf(ox(9) + ox(10), 2.6f), 10);
    EXPECT_EQ(boneOf(ox(9) + ox(10) - 0.01f, 2.6f), 11);
    EXPECT_EQ(boneOf(-5, 2.6f), 12);
    EXPECT_EQ(boneOf(ox(13), 2.6f), 8);
    EXPECT_EQ(boneOf(ox(13) + 0.01f, 2.6f), 14);
    EXPECT_EQ(boneOf(3.5f, 2.6f), 15);
    EXPECT_EQ(boneOf(5, 2.6f), 16);
    EXPECT_EQ(boneOf(0, oy(8)), 8);
    EXPECT_EQ(boneOf(0, 4), 17);
}

TEST_F(SkinBinding, AnEmptyMeshStillGetsItsSkeleton)
{
    Mesh mesh;
    bindSkin(mesh, skeleton);
    EXPECT_EQ(mesh.skeleton, &skeleton);
}

} // namespace
