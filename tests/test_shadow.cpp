// Shadows: the choice of plane, the flattening matrix, and the clipping to
// the ring while on the mat.
#include "anim/shadow.h"
#include "assets/mesh.h"
#include "match/phases.h"
#include "match/view.h"
#include "tests/quiet_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

TEST(Shadow, PlaneIsTheMatAboveMinusTwoAndTheFloorFromThere)
{
    EXPECT_FLOAT_EQ(shadowPlaneFor(0), -0.1f);
    EXPECT_EQ(shadowOnMat, 1);
    EXPECT_FLOAT_EQ(shadowPlaneFor(-2), 4.9f);
    EXPECT_EQ(shadowOnMat, 0) << "exactly -2 is off the mat";
    EXPECT_FLOAT_EQ(shadowPlaneFor(-1.99f), -0.1f);
    EXPECT_EQ(shadowOnMat, 1);
    EXPECT_FLOAT_EQ(shadowPlaneFor(-5), 4.9f);
    EXPECT_EQ(shadowOnMat, 0);
}

// The shadow matrix (column by column) applied to a point, divided through.
std::array<float, 3> project(float x, float y, float z)
{
    const float* m = shadowMatrix;
    const float v[4] = {x, y, z, 1};
    float out[4];
    for (int r = 0; r < 4; ++r)
        out[r] = m[r] * v[0] + m[4 + r] * v[1] + m[8 + r] * v[2] + m[12 + r] * v[3];
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

TEST(Shadow, MatrixFlattensAndPushesAwayFromTheCentreLine)
{
    buildShadowMatrix(-0.1f, 0);
    auto p = project(3, 4, -2);
    EXPECT_FLOAT_EQ(p[0], 3);
    EXPECT_FLOAT_EQ(p[1], 0.1f);
    EXPECT_FLOAT_EQ(p[2], -2) << "at z = 0 the shadow falls straight down";

    // A point 2 above the plane is pushed 2 along z at z = +-10.
    buildShadowMatrix(-0.1f, 10);
    p = project(1, 2.1f, 0.5f);
    EXPECT_FLOAT_EQ(p[1], 0.1f);
    EXPECT_NEAR(p[2], 2.5f, 1e-5);
    buildShadowMatrix(-0.1f, -10);
    p = project(1, 2.1f, 0.5f);
    EXPECT_NEAR(p[2], -1.5f, 1e-5);

    // On the floor outside the ring.
    buildShadowMatrix(4.9f, -10);
    p = project(0, -2.9f, 0);
    EXPECT_FLOAT_EQ(p[1], -4.9f);
    EXPECT_NEAR(p[2], -2, 1e-5);
}

// A flat body along x, 6 wide on z, 1 above its feet, both windings.
Mesh slab(float x0 = 0, float x1 = 30)
{
    Mesh mesh;
    const float corners[4][3] = {{x0, 1, -3}, {x1, 1, -3}, {x1, 1, 3}, {x0, 1, 3}};
    for (const auto& c : corners) {
        MeshVertex v{};
        v.posedX = c[0];
        v.posedY = c[1];
        v.posedZ = c[2];
        mesh.vertices.push_back(v);
    }
    for (const auto& f : {std::array<int, 3>{0, 1, 2}, {0, 2, 3}, {0, 2, 1}, {0, 3, 2}}) {
        MeshFace face{};
        for (int i = 0; i < 3; ++i)
            face.vertex[i] = f[static_cast<std::size_t>(i)];
        mesh.faces.push_back(face);
    }
    mesh.vertexCount = 4;
    mesh.faceCount = 4;
    return mesh;
}

class ShadowDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        glViewport(0, 0, glTestWidth, glTestHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(40, static_cast<double>(glTestWidth) / glTestHeight, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        // The planes are kept in the eye frame of this view, as at a reset;
        // the shadow is looked at from above the mat in the same view.
        cameraEye[0] = 0, cameraEye[1] = 60, cameraEye[2] = 1;
        cameraTarget[0] = cameraTarget[1] = cameraTarget[2] = 0;
        glClearColor(1, 1, 1, 1);
        setupView();
        defineShadowClipPlanes();
    }

    // Darkness of the pixel over the world point (x, y, z) after drawing a
    // fully opaque shadow.
    int darkAt(float x, float y, float z)
    {
        GLdouble model[16], proj[16];
        GLint view[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, view);
        GLdouble wx, wy, wz;
        gluProject(x, y, z, model, proj, view, &wx, &wy, &wz);
        const std::vector<unsigned char> rgba = readPixels();
        const std::size_t i = (static_cast<std::size_t>(wy) * glTestWidth + static_cast<std::size_t>(wx)) * 4;
        return 255 - rgba[i];
    }
};

TEST_F(ShadowDrawing, OnTheMatItIsCutAtTheRingsEdge)
{
    Mesh mesh = slab();
    const float p = shadowPlaneFor(0);
    drawShadow(mesh, p, 0, 0, 0, 1);
    EXPECT_GT(darkAt(10, 0.1f, 0), 200);
    EXPECT_LT(darkAt(24, 0.1f, 0), 10) << "past x = 18 the shadow is clipped";
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(ShadowDrawing, OnTheFloorItIsNeverCut)
{
    Mesh mesh = slab();
    const float p = shadowPlaneFor(-5);
    drawShadow(mesh, p, 0, 0, 0, 1);
    EXPECT_GT(darkAt(10, -4.9f, 0), 200);
    EXPECT_GT(darkAt(24, -4.9f, 0), 200);
}

TEST_F(ShadowDrawing, TheCutFollowsTheRingUnderTheMatchCamera)
{
    // Planes given once under the reset view and kept in its eye frame
    // would cut this shadow well inside the ring's far edge.
    resetMatch();
    cameraEye[0] = 60, cameraEye[1] = 20, cameraEye[2] = 0;
    cameraTarget[0] = 0, cameraTarget[1] = 5, cameraTarget[2] = 0;
    setupView();
    Mesh mesh = slab(-30, 30);
    const float p = shadowPlaneFor(0);
    drawShadow(mesh, p, 0, 0, 0, 1);
    EXPECT_GT(darkAt(-16, 0.1f, 0), 200);
    EXPECT_GT(darkAt(16, 0.1f, 0), 200);
    EXPECT_LT(darkAt(-21, 0.1f, 0), 10);
    EXPECT_LT(darkAt(20, 0.1f, 0), 10);
}

TEST_F(ShadowDrawing, IsTranslucent)
{
    Mesh mesh = slab();
    const float p = shadowPlaneFor(0);
    drawShadow(mesh, p, 0, 0, 0, 0.2f);
    EXPECT_NEAR(darkAt(10, 0.1f, 0), 51, 3);
}

} // namespace
