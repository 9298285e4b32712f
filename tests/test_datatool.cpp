// The data tool's body mesh and textures: they load cleanly, bind as built,
// form a closed surface, avoid the transparent key colour and come out the
// same on every run.
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "assets/texture.h"
#include "tests/gl_context.h"
#include "tests/support.h"
#include "tools/datatool/body_layout.h"
#include "tools/datatool/body_mesh.h"
#include "tools/datatool/skeleton_layout.h"
#include "tools/datatool/textures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <utility>

namespace {

const std::string runData = std::string(TARVOK_RUN_DIR) + "/data/";

// The built mesh, written out and read back through the game's loader and
// bound to the tool's own skeleton.
struct LoadedBody {
    TempDir dir;
    BodyMesh built = buildBodyMesh();
    Mesh mesh;
    Animation skeleton;
    std::string log;

    LoadedBody()
    {
        writeFile(dir.file("man.bone"), layoutSkeletonText());
        writeFile(dir.file("man_low.mesh"), bodyMeshText(built));
        loadSkeleton(skeleton, dir.file("man.bone").c_str());
        testing::internal::CaptureStdout();
        loadMesh(mesh, dir.file("man_low.mesh").c_str());
        log = testing::internal::GetCapturedStdout();
        bindSkin(mesh, skeleton);
    }
};

TEST(DataToolMesh, LoadsThroughTheGameAndBindsEveryVertexAsBuilt)
{
    LoadedBody body;
    const int nv = static_cast<int>(body.built.vertices.size());
    const int nf = static_cast<int>(body.built.faces.size());
    EXPECT_EQ(body.log, std::to_string(nv) + ", " + std::to_string(nf) + "\n");
    ASSERT_EQ(body.mesh.vertexCount, nv);
    ASSERT_EQ(body.mesh.faceCount, nf);
    EXPECT_GE(nf, 1000);
    EXPECT_LE(nf, 4000);

    std::map<int, int> perJoint;
    for (int i = 0; i < nv; ++i) {
        const BodyVertex& b = body.built.vertices[static_cast<size_t>(i)];
        const MeshVertex& m = body.mesh.vertices[static_cast<size_t>(i)];
        EXPECT_EQ(m.bone, b.joint) << "vertex " << i << " at " << b.x << ", " << b.y << ", " << b.z;
        ++perJoint[m.bone];
    }
    // Every joint with a body part gets vertices; the connectors and the
    // root none.
    for (int j : {0, 3, 4, 6, 7, 8, 10, 11, 12, 14, 15, 16, 17})
        EXPECT_GT(perJoint[j], 8) << "joint " << j;
    for (int j : {1, 2, 5, 9, 13})
        EXPECT_EQ(perJoint[j], 0) << "joint " << j;
}

TEST(DataToolMesh, ReadsBackWithUnitNormalsAndCoordinatesInTheImage)
{
    LoadedBody body;
    for (const MeshVertex& v : body.mesh.vertices) {
        const float len = std::sqrt(v.restNormalX * v.restNormalX + v.restNormalY * v.restNormalY
                                    + v.restNormalZ * v.restNormalZ);
        EXPECT_NEAR(len, 1.0f, 1e-3f);
    }
    // Stored v is the image row negated; only the seam faces run past the
    // image's right edge, by less than a tenth.
    for (const MeshFace& f : body.mesh.faces)
        for (int c = 0; c < 3; ++c) {
            const TexCoord& t = body.mesh.texCoords[static_cast<size_t>(f.texCoord[c])];
            EXPECT_GE(t.u, 0.0f);
            EXPECT_LT(t.u, 1.1f);
            EXPECT_GE(t.v, 0.0f);
            EXPECT_LT(t.v, 1.0f);
        }
}

TEST(DataToolMesh, SurfaceIsClosedAndFacesOutward)
{
    const BodyMesh m = buildBodyMesh();
    // Each edge is used once in each direction: a closed surface whose faces
    // all wind the same way.
    std::map<std::pair<int, int>, int> directed;
    for (const BodyFace& f : m.faces)
        for (int c = 0; c < 3; ++c)
            ++directed[{f.vertex[c], f.vertex[(c + 1) % 3]}];
    for (const auto& [edge, count] : directed) {
        EXPECT_EQ(count, 1) << "edge " << edge.first << "-" << edge.second;
        EXPECT_EQ(directed.count({edge.second, edge.first}), 1u) << "edge " << edge.first << "-" << edge.second;
    }
    // Every vertex is used by some face.
    std::set<int> used;
    for (const BodyFace& f : m.faces)
        used.insert(f.vertex, f.vertex + 3);
    EXPECT_EQ(used.size(), m.vertices.size());

    // Outward winding gives a positive enclosed volume, and the smooth
    // normals point the same way as the faces round them.
    double volume = 0;
    for (const BodyFace& f : m.faces) {
        const BodyVertex& a = m.vertices[static_cast<size_t>(f.vertex[0])];
        const BodyVertex& b = m.vertices[static_cast<size_t>(f.vertex[1])];
        const BodyVertex& c = m.vertices[static_cast<size_t>(f.vertex[2])];
        volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6;
        const double nx = (b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y);
        const double ny = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
        const double nz = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        EXPECT_GT(nx * (a.nx + b.nx + c.nx) + ny * (a.ny + b.ny + c.ny) + nz * (a.nz + b.nz + c.nz), 0);
    }
    // A body of this size holds tens of cubic units.
    EXPECT_GT(volume, 20);
    EXPECT_LT(volume, 80);
}

// The painted area a texture coordinate falls in: torso, -x arm, +x arm,
// head on the first texture; trunks, -x leg, +x leg on the second.
int paintedArea(int select, float s, float t)
{
    using namespace layout;
    const bool left = s - std::floor(s) < 0.5f;
    if (select == 0)
        return t < torsoArmSplit ? 0 : t < armHeadSplit ? (left ? 1 : 2) : 3;
    return t < pelvisLegSplit ? 4 : (left ? 5 : 6);
}

TEST(DataToolMesh, EveryFaceSamplesOnePaintedArea)
{
    // A face whose corners lie in two areas would smear the image between
    // them across the body; one that ends on the gap between two areas
    // would filter in its neighbour's edge.
    const BodyMesh m = buildBodyMesh();
    std::map<int, int> faces;
    for (const BodyFace& f : m.faces) {
        const int area = paintedArea(f.textureSelect, f.s[0], f.t[0]);
        for (int c = 0; c < 3; ++c) {
            const float t = f.t[c];
            const bool inGap = (t > layout::torsoT1 && t < layout::armT0) || (t > layout::armT1 && t < layout::headT0)
                            || (t > layout::pelvisT1 && t < layout::legT0);
            EXPECT_FALSE(inGap) << t;
        }
        for (int c = 1; c < 3; ++c)
            EXPECT_EQ(paintedArea(f.textureSelect, f.s[c], f.t[c]), area)
                << "face over " << m.vertices[static_cast<size_t>(f.vertex[0])].x << ", "
                << m.vertices[static_cast<size_t>(f.vertex[0])].y;
        ++faces[area];
        // Faces of the arms and legs lie on their own side's strip.
        float x = 0;
        for (int c = 0; c < 3; ++c)
            x += m.vertices[static_cast<size_t>(f.vertex[c])].x;
        if (area == 1 || area == 5) {
            EXPECT_LT(x, 0);
        } else if (area == 2 || area == 6) {
            EXPECT_GT(x, 0);
        }
    }
    for (int area = 0; area < 7; ++area)
        EXPECT_GT(faces[area], 50) << "area " << area;
}

TEST(DataToolMesh, BodyStandsOnTheSolesAtTheLayoutsHeight)
{
    const BodyMesh m = buildBodyMesh();
    float minY = 1e9f, maxY = -1e9f, minX = 1e9f, maxX = -1e9f;
    for (const BodyVertex& v : m.vertices) {
        minY = std::fmin(minY, v.y), maxY = std::fmax(maxY, v.y);
        minX = std::fmin(minX, v.x), maxX = std::fmax(maxX, v.x);
    }
    EXPECT_NEAR(minY, soleY, 0.05f);
    EXPECT_GT(maxY - minY, 9.0f);
    EXPECT_LT(maxY - minY, 9.5f);
    // Arms out to the finger tips, on both sides alike.
    EXPECT_NEAR(maxX, fingerTipX, 0.1f);
    EXPECT_NEAR(minX, -maxX, 1e-5f);
    // Each face draws with exactly one of the two body textures.
    for (const BodyFace& f : m.faces)
        EXPECT_TRUE(f.textureSelect == 0 || f.textureSelect == 1);
}

TEST(DataToolTextures, BodyTexturesNeverUseTheTransparentKey)
{
    for (const TextureFile& t : textureFiles()) {
        const std::string bytes = readFile(runData + t.name);
        ASSERT_EQ(bytes.size(), static_cast<size_t>(t.size * t.size * 3)) << t.name;
        if (!t.body)
            continue;
        for (size_t i = 0; i < bytes.size(); i += 3)
            ASSERT_FALSE(static_cast<unsigned char>(bytes[i]) == 0 && static_cast<unsigned char>(bytes[i + 1]) == 255
                         && static_cast<unsigned char>(bytes[i + 2]) == 255)
                << t.name << " pixel " << i / 3;
    }
}

TEST(DataToolTextures, CharactersLookDifferentAndTheFlashFadesToBlack)
{
    // Average colour of each character's two body textures: no two alike.
    std::vector<std::array<double, 6>> means;
    for (const char* name : {"vorlan", "kalver", "zorag", "teskar"}) {
        std::array<double, 6> m{};
        for (int which = 0; which < 2; ++which) {
            const std::string bytes = readFile(runData + name + (which ? "2.raw" : "1.raw"));
            for (size_t i = 0; i < bytes.size(); ++i)
                m[static_cast<size_t>(which * 3) + i % 3] += static_cast<unsigned char>(bytes[i]) / (bytes.size() / 3.0);
        }
        means.push_back(m);
    }
    for (size_t a = 0; a < means.size(); ++a)
        for (size_t b = a + 1; b < means.size(); ++b) {
            double d = 0;
            for (size_t k = 0; k < 6; ++k)
                d += std::fabs(means[a][k] - means[b][k]);
            EXPECT_GT(d, 40) << "characters " << a << " and " << b;
        }

    // Added onto the scene, the flash's border must leave it unchanged.
    const std::string flash = readFile(runData + "flash.raw");
    ASSERT_EQ(flash.size(), 128u * 128u * 3u);
    for (int i = 0; i < 128; ++i)
        for (int edge : {i * 3, (127 * 128 + i) * 3, i * 128 * 3, (i * 128 + 127) * 3})
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(flash[static_cast<size_t>(edge + c)], 0);
    EXPECT_GT(static_cast<unsigned char>(flash[(64 * 128 + 64) * 3]), 240);
}

TEST(DataToolTextures, PortraitsAreDistinctFramedFigures)
{
    std::vector<std::string> faces;
    for (const char* name : {"vorlan", "kalver", "zorag", "teskar"}) {
        faces.push_back(readFile(runData + name + "face.raw"));
        ASSERT_EQ(faces.back().size(), 64u * 64u * 3u) << name;
    }
    // Any two portraits differ in most of the figure, not in a few pixels.
    for (size_t a = 0; a < faces.size(); ++a)
        for (size_t b = a + 1; b < faces.size(); ++b) {
            int differ = 0;
            for (size_t i = 0; i < faces[a].size(); i += 3)
                differ += faces[a].compare(i, 3, faces[b], i, 3) != 0;
            EXPECT_GT(differ, 64 * 64 / 2) << a << " and " << b;
        }
    // The head sits in the middle: the centre pixel differs from the corner
    // (the backdrop), and the figure reaches the bottom edge (shoulders).
    for (const std::string& f : faces) {
        EXPECT_NE(f.compare((32 * 64 + 32) * 3, 3, f, 0, 3), 0);
        EXPECT_NE(f.compare((63 * 64 + 32) * 3, 3, f, (63 * 64) * 3, 3), 0);
    }
}

TEST(DataToolTextures, CrowdRepeatsWithoutASeam)
{
    // The stands repeat the crowd side by side: the step from the last
    // column round to the first must look like any other column step.
    const std::string crowd = readFile(runData + "crowd4.raw");
    ASSERT_EQ(crowd.size(), 256u * 256u * 3u);
    auto step = [&](int x0, int x1) {
        double sum = 0;
        for (int y = 0; y < 256; ++y)
            for (int c = 0; c < 3; ++c)
                sum += std::abs(static_cast<unsigned char>(crowd[(static_cast<size_t>(y) * 256 + x0) * 3 + c])
                                - static_cast<unsigned char>(crowd[(static_cast<size_t>(y) * 256 + x1) * 3 + c]));
        return sum;
    };
    double typical = 0;
    for (int x = 0; x < 255; ++x)
        typical += step(x, x + 1) / 255;
    EXPECT_LT(step(255, 0), 2 * typical);
}

TEST(DataToolTextures, RingLogoSitsOnTheCornersWhereTheMatsCentreIs)
{
    const std::string ring = readFile(runData + "ring.raw");
    ASSERT_EQ(ring.size(), 256u * 256u * 3u);
    auto red = [&](int x, int y) {
        const size_t i = (static_cast<size_t>(y) * 256 + x) * 3;
        return static_cast<unsigned char>(ring[i]) > static_cast<unsigned char>(ring[i + 2]);
    };
    // Texture coordinate (0, 0) and its repeats: the four corners show the
    // logo's red disc, the middle of the image the blue mat.
    for (int x : {6, 249})
        for (int y : {20, 235})
            EXPECT_TRUE(red(x, y)) << x << ", " << y;
    EXPECT_FALSE(red(128, 128));
    EXPECT_FALSE(red(128, 20));
    EXPECT_FALSE(red(20, 128));
}

TEST(DataToolTextures, EveryTextureUploadsThroughTheGame)
{
    if (!ensureGlContext())
        GTEST_SKIP() << "no display";
    for (const TextureFile& t : textureFiles()) {
        unsigned int name = 0;
        testing::internal::CaptureStdout();
        loadTexture((runData + t.name).c_str(), t.size, t.size, name);
        const std::string log = testing::internal::GetCapturedStdout();
        EXPECT_EQ(log.find("error"), std::string::npos) << log;
        EXPECT_NE(name, 0u) << t.name;
    }
}

TEST(DataTool, TwoRunsWriteTheSameBytes)
{
    TempDir first, second;
    const std::string tool = TARVOK_DATATOOL;
    ASSERT_EQ(std::system((tool + " " + first.path + " >/dev/null").c_str()), 0);
    ASSERT_EQ(std::system((tool + " " + second.path + " >/dev/null").c_str()), 0);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(first.path)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = std::filesystem::relative(entry.path(), first.path).string();
        EXPECT_TRUE(readFile(entry.path().string()) == readFile(second.file(rel))) << rel << " differs";
        ++files;
    }
    // game.ini, the skeleton, the mesh and 18 textures at least.
    EXPECT_GE(files, 21);
    EXPECT_EQ(readFile(first.file("data/man_low.mesh")), bodyMeshText(buildBodyMesh()));
}

}  // namespace
