#include "anim/shadow.h"

#include "anim/body.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"

#include <GL/gl.h>

float shadowMatrix[16];
int shadowOnMat;

// The light sits this high above the line z = 0 of the ring.
constexpr float lightHeight = 10;
constexpr float lightZ = 0;

float shadowPlaneFor(float y)
{
    if (y > -2) {
        shadowOnMat = 1;
        return -0.1f;       // just above the mat
    }
    shadowOnMat = 0;
    return 4.9f;            // just above the hall floor
}

void buildShadowMatrix(float p, float z)
{
    // Column by column: flattens onto the plane at height -p and pushes
    // points away from z = 0 in proportion to their height above it.
    const float dz = z - lightZ;
    for (float& e : shadowMatrix)
        e = 0;
    shadowMatrix[0] = lightHeight;
    shadowMatrix[6] = dz;
    shadowMatrix[10] = lightHeight;
    shadowMatrix[13] = -lightHeight * p;
    shadowMatrix[14] = dz * p;
    shadowMatrix[15] = lightHeight;
}

void drawShadow(Mesh& mesh, float p, float x, float z, float heading, float alpha)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    if (shadowOnMat) {
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
        glEnable(GL_CLIP_PLANE2);
        glEnable(GL_CLIP_PLANE3);
    }
    buildShadowMatrix(p, z);
    glMultMatrixf(shadowMatrix);
    glTranslatef(x, 0, z);
    glRotatef(heading, 0, 1, 0);
    glDisable(GL_LIGHTING);
    drawShadowBody(mesh, alpha);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glDisable(GL_CLIP_PLANE2);
    glDisable(GL_CLIP_PLANE3);
}

void drawShadowBody(Mesh& mesh, float alpha)
{
    glPushMatrix();
    // The clip's root height, unscaled.
    glTranslatef(0, mesh.skeleton ? mesh.skeleton->rootOffset[1] : 0.0f, 0);
    glEnable(GL_NORMALIZE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glColor4f(0, 0, 0, alpha);

    drawPosedFaces(mesh);
    glPopMatrix();
}
