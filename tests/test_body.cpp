// Posing the body on the processor and drawing it: the rest pose, a bent
// elbow, the two texture passes, the root height, the shadow's pose and the
// bone display.
#include "anim/body.h"
#include "anim/pose.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "tests/gl_context.h"
#include "tests/support.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

const std::string runData = std::string(TARVOK_RUN_DIR) + "/data/";

// The game's own body: the generated mesh bound to the generated skeleton.
struct GameBody {
    Mesh mesh;
    Animation skeleton;

    GameBody()
    {
        loadSkeleton(skeleton, (runData + "man.bone").c_str());
        testing::internal::CaptureStdout();
        loadMesh(mesh, (runData + "man_low.mesh").c_str());
        testing::internal::GetCapturedStdout();
        bindSkin(mesh, skeleton);
    }
};

TEST(BodyPosing, RestPoseGivesTheRestPositionsScaledFromTheWaist)
{
    GameBody body;
    ASSERT_GT(body.mesh.vertexCount, 0);
    evaluatePose(body.skeleton);
    for (float scale : {1.0f, 1.13f}) {
        deformMesh(body.mesh, scale);
        for (const MeshVertex& v : body.mesh.vertices) {
            EXPECT_NEAR(v.posedX, scale * v.restX, 1e-5f);
            EXPECT_NEAR(v.posedY, scale * v.restY, 1e-5f);
            EXPECT_NEAR(v.posedZ, scale * v.restZ, 1e-5f);
            EXPECT_NEAR(v.posedNormalX, v.restNormalX, 1e-6f);
            EXPECT_NEAR(v.posedNormalY, v.restNormalY, 1e-6f);
            EXPECT_NEAR(v.posedNormalZ, v.restNormalZ, 1e-6f);
        }
    }
}

TEST(BodyPosing, BentElbowMovesTheForearmAndHandOnly)
{
    GameBody body;
    // The -x elbow turned a right angle about the vertical.
    body.skeleton.bones[11].rotation[1] = 90;
    evaluatePose(body.skeleton);
    deformMesh(body.mesh, 1.0f);

    // The elbow joint: the sum of the offsets down to the forearm.
    const float elbowX = body.skeleton.bones[9].offset[0] + body.skeleton.bones[10].offset[0];
    const float elbowZ = 0;
    int moved = 0;
    for (const MeshVertex& v : body.mesh.vertices) {
        const float dx = v.posedX - v.restX, dy = v.posedY - v.restY, dz = v.posedZ - v.restZ;
        const float shift = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (v.bone != 11 && v.bone != 12) {
            EXPECT_LT(shift, 1e-5f) << "joint " << v.bone;
            continue;
        }
        ++moved;
        // Swung about the vertical through the elbow: same height, same
        // distance from the elbow, and now reaching along z, not x.
        EXPECT_NEAR(v.posedY, v.restY, 1e-4f);
        const float restR = std::hypot(v.restX - elbowX, v.restZ - elbowZ);
        const float posedR = std::hypot(v.posedX - elbowX, v.posedZ - elbowZ);
        EXPECT_NEAR(posedR, restR, 1e-3f);
        if (v.restX < elbowX - 1.0f) {
            EXPECT_GT(std::fabs(v.posedZ), 0.9f * (elbowX - v.restX) - 0.5f);
            EXPECT_GT(shift, 1.0f);
        }
    }
    EXPECT_GT(moved, 50);
}

TEST(BodyPosing, VertexOfAMissingJointStaysAtItsScaledRestPlace)
{
    // A skeleton with fewer joints than the binding names must not send
    // skinning outside the bone array.
    Animation one;
    one.bones.resize(1);
    one.boneCount = one.boneCapacity = 1;
    one.bones[0].rotation[2] = 45;
    evaluatePose(one);
    Mesh mesh;
    MeshVertex v{};
    v.restX = 1, v.restY = 2, v.restZ = 3, v.restNormalY = 1;
    v.bone = 12;
    mesh.vertices.push_back(v);
    v.bone = 0;
    mesh.vertices.push_back(v);
    mesh.vertexCount = 2;
    mesh.skeleton = &one;
    deformMesh(mesh, 2.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[0].posedX, 2);
    EXPECT_FLOAT_EQ(mesh.vertices[0].posedY, 4);
    EXPECT_FLOAT_EQ(mesh.vertices[0].posedZ, 6);
    EXPECT_FLOAT_EQ(mesh.vertices[0].posedNormalY, 1);
    // The bound vertex turns with its joint.
    EXPECT_GT(std::fabs(mesh.vertices[1].posedX - 2), 0.5f);
}

// ---------------------------------------------------------------------------
// Drawing, read back through the graphics library's feedback mode.

struct Drawn {
    int triangles = 0;
    int lines = 0;
    std::vector<float> vertexY;             // window y of every polygon vertex
    std::vector<std::array<float, 2>> lineEnds;  // window x, y of each line's far end
};

template <typename Draw>
Drawn capture(Draw draw)
{
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int n = glRenderMode(GL_RENDER);
    Drawn d;
    for (int i = 0; i < n;) {
        const int token = static_cast<int>(buffer[static_cast<size_t>(i++)]);
        if (token == GL_POLYGON_TOKEN) {
            const int corners = static_cast<int>(buffer[static_cast<size_t>(i++)]);
            if (corners == 3)
                ++d.triangles;
            for (int c = 0; c < corners; ++c, i += 3)
                d.vertexY.push_back(buffer[static_cast<size_t>(i + 1)]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            ++d.lines;
            d.lineEnds.push_back({buffer[static_cast<size_t>(i + 3)], buffer[static_cast<size_t>(i + 4)]});
            i += 6;
        } else if (token == GL_POINT_TOKEN) {
            i += 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return d;
}

// A 20 x 20 unit view of the plane z = 0, one unit 32 pixels across.
void flatView()
{
    glViewport(0, 0, glTestWidth, glTestHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, 10, -7.5, 7.5, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

// One joint at the origin and three faces towards the viewer: the left one
// on texture 1, the right one on texture 2, the top one on both.
struct Card {
    Animation skeleton;
    Mesh mesh;

    Card()
    {
        skeleton.bones.resize(1);
        skeleton.boneCount = skeleton.boneCapacity = 1;
        skeleton.rootBone = 0;
        const float corners[9][2] = {{-6, -4}, {-2, -4}, {-4, 0}, {2, -4}, {6, -4}, {4, 0}, {-2, 2}, {2, 2}, {0, 5}};
        for (const auto& c : corners) {
            MeshVertex v{};
            v.restX = c[0], v.restY = c[1], v.restNormalZ = 1;
            v.bone = 0;
            mesh.vertices.push_back(v);
        }
        for (int f = 0; f < 3; ++f) {
            MeshFace face{};
            for (int k = 0; k < 3; ++k)
                face.vertex[k] = face.texCoord[k] = f * 3 + k;
            face.textureSelect = f;
            mesh.faces.push_back(face);
        }
        mesh.texCoords.assign(9, TexCoord{0.5f, 0.5f, 0});
        mesh.vertexCount = mesh.texCoordCount = 9;
        mesh.faceCount = 3;
        mesh.skeleton = &skeleton;
        evaluatePose(skeleton);
    }
};

unsigned int solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    unsigned int name = 0;
    const unsigned char texels[16] = {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    return name;
}

TEST(BodyDrawing, TwoPassesByTextureSelectorRaisedByTheScaledRootHeight)
{
    if (!ensureGlContext())
        GTEST_SKIP() << "no display";
    flatView();
    Card card;
    card.skeleton.rootOffset[1] = 0.25f;

    // Selector 0 and 1 once each, selector 2 in both passes.
    const Drawn d = capture([&] { drawBody(card.mesh, 0, 0, 1.2f); });
    EXPECT_EQ(d.triangles, 4);
    // The lowest corner, y = -4, scaled to -4.8 and raised by 1.2 x 0.25.
    float lowest = 1e9f;
    for (float y : d.vertexY)
        lowest = std::fmin(lowest, y);
    EXPECT_NEAR(lowest, (-4.8f + 0.3f + 7.5f) * 32, 0.01f);

    // Each pass draws with its own texture.
    const unsigned int red = solidTexture(220, 0, 0), blue = solidTexture(0, 0, 220);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    card.skeleton.rootOffset[1] = 0;
    drawBody(card.mesh, red, blue, 1.0f);
    glDisable(GL_TEXTURE_2D);
    const std::vector<unsigned char> px = readPixels();
    auto pixel = [&](float x, float y) {
        const int wx = static_cast<int>((x + 10) * 32), wy = static_cast<int>((y + 7.5f) * 32);
        return &px[(static_cast<size_t>(wy) * glTestWidth + wx) * 4];
    };
    const unsigned char* left = pixel(-4, -3);
    const unsigned char* right = pixel(4, -3);
    EXPECT_GT(left[0], 150);
    EXPECT_LT(left[2], 50);
    EXPECT_GT(right[2], 150);
    EXPECT_LT(right[0], 50);
    glDeleteTextures(1, &red);
    glDeleteTextures(1, &blue);
}

TEST(BodyDrawing, FollowsChangesToTheFacesAndLeavesOutBrokenOnes)
{
    if (!ensureGlContext())
        GTEST_SKIP() << "no display";
    flatView();
    Card card;
    EXPECT_EQ(capture([&] { drawBody(card.mesh, 0, 0, 1.0f); }).triangles, 4);

    // The same mesh with a face moved to both textures: one more triangle,
    // however the drawing keeps what it worked out from the faces before.
    card.mesh.faces[0].textureSelect = 2;
    EXPECT_EQ(capture([&] { drawBody(card.mesh, 0, 0, 1.0f); }).triangles, 5);

    // A face naming a texture coordinate the mesh lacks is left out of the
    // textured passes but still casts its shadow; one naming a missing
    // vertex is left out of both.
    card.mesh.faces[1].texCoord[2] = 40;
    card.mesh.faces[2].vertex[0] = -1;
    EXPECT_EQ(capture([&] { drawBody(card.mesh, 0, 0, 1.0f); }).triangles, 2);
    EXPECT_EQ(capture([&] { drawPosedFaces(card.mesh); }).triangles, 2);

    // Another mesh after it is drawn with its own faces.
    Card other;
    other.mesh.faces.pop_back();
    other.mesh.faceCount = 2;
    EXPECT_EQ(capture([&] { drawBody(other.mesh, 0, 0, 1.0f); }).triangles, 2);
    EXPECT_EQ(capture([&] { drawPosedFaces(other.mesh); }).triangles, 2);
}

TEST(BodyDrawing, ModelsOffDrawsNoBodyYetTheShadowTakesThisWrestlersPose)
{
    if (!ensureGlContext())
        GTEST_SKIP() << "no display";
    flatView();
    Card card;
    auto w = std::make_unique<Wrestler>();
    w->clips[0] = card.skeleton;
    w->clip = 0;
    w->character = 0;
    w->model = &card.mesh;
    card.mesh.skeleton = &w->clips[0];

    EXPECT_EQ(capture([&] { drawWrestler(*w, 0, 0, 0); }).triangles, 0);
    EXPECT_EQ(capture([&] { drawWrestler(*w, 1, 0, 0); }).triangles, 4);

    // Posed fields left over from another wrestler are replaced by this
    // one's pose before its shadow is drawn.
    for (MeshVertex& v : card.mesh.vertices)
        v.posedX = v.posedY = v.posedZ = 999;
    capture([&] { drawWrestler(*w, 0, 0, 1); });
    const float scale = roster[0].bodyScale;
    for (const MeshVertex& v : card.mesh.vertices) {
        EXPECT_NEAR(v.posedX, scale * v.restX, 1e-5f);
        EXPECT_NEAR(v.posedY, scale * v.restY, 1e-5f);
    }
}

TEST(BodyDrawing, BoneDisplayDrawsOneLinePerJointFromTheUnscaledRootHeight)
{
    if (!ensureGlContext())
        GTEST_SKIP() << "no display";
    flatView();
    Animation skeleton;
    TempDir dir;
    writeFile(dir.file("man.bone"), layoutSkeletonText());
    loadSkeleton(skeleton, dir.file("man.bone").c_str());
    skeleton.rootOffset[1] = 0.5f;

    const Drawn d = capture([&] { drawBones(skeleton); });
    EXPECT_EQ(d.lines, skeleton.boneCount);
    // The head's bone ends at the top of the head, lifted by the root
    // height: 4.6 + 0.5 units up.
    float top = -1e9f;
    for (const auto& end : d.lineEnds)
        top = std::fmax(top, end[1]);
    EXPECT_NEAR(top, (4.6f + 0.5f + 7.5f) * 32, 0.5f);
}

}  // namespace
