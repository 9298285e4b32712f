#include "anim/body.h"

#include "anim/maths.h"
#include "anim/pose.h"
#include "anim/shadow.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

// The body scale of a wrestler's character; an index outside the roster
// draws at natural size rather than reading past the table.
static float bodyScaleOf(const Wrestler& w)
{
    if (w.character < 0 || w.character >= rosterSize)
        return 1.0f;
    return roster[w.character].bodyScale;
}

void drawWrestler(Wrestler& w, int showModels, int showBones, int showShadows)
{
    if (w.clip < 0 || w.clip >= clipSlots)
        return;
    Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    const float scale = bodyScaleOf(w);

    evaluatePose(current);

    glPushMatrix();
    glTranslatef(w.x, w.y, w.z);
    glRotatef(w.heading, 0, 1, 0);
    if (w.model)
        w.model->skeleton = &current;

    glEnable(GL_TEXTURE_2D);
    if (showModels && w.model)
        drawBody(*w.model, w.bodyTexture1, w.bodyTexture2, scale);
    glDisable(GL_TEXTURE_2D);

    if (showBones)
        drawBones(current);
    glPopMatrix();

    if (showShadows && w.model) {
        // The shadow shows this wrestler's pose even when its body was not
        // drawn: the shared mesh may still hold the other wrestler's.
        if (!showModels)
            deformMesh(*w.model, scale);
        const float p = shadowPlaneFor(w.y);
        drawShadow(*w.model, p, w.x, w.z, w.heading, 0.2f);
    }
}

void deformMesh(Mesh& mesh, float scale)
{
    if (!mesh.skeleton)
        return;
    const Animation& skeleton = *mesh.skeleton;
    for (MeshVertex& v : mesh.vertices) {
        const float sx = scale * v.restX, sy = scale * v.restY, sz = scale * v.restZ;
        if (v.bone < 0 || v.bone >= skeleton.boneCount) {
            // Unbound vertices stay where the rest pose puts them.
            v.posedX = sx, v.posedY = sy, v.posedZ = sz;
            v.posedNormalX = v.restNormalX, v.posedNormalY = v.restNormalY, v.posedNormalZ = v.restNormalZ;
            continue;
        }
        const Bone& bone = skeleton.bones[static_cast<std::size_t>(v.bone)];
        Vector3 r;
        matTransformDirection(r, bone.worldMatrix, v.restNormalX, v.restNormalY, v.restNormalZ);
        v.posedNormalX = static_cast<float>(r.x);
        v.posedNormalY = static_cast<float>(r.y);
        v.posedNormalZ = static_cast<float>(r.z);

        matTransformPoint(r, bone.bindInverse, sx, sy, sz);
        v.boneX = static_cast<float>(r.x);
        v.boneY = static_cast<float>(r.y);
        v.boneZ = static_cast<float>(r.z);

        matTransformPoint(r, bone.worldMatrix, v.boneX, v.boneY, v.boneZ);
        v.posedX = static_cast<float>(r.x);
        v.posedY = static_cast<float>(r.y);
        v.posedZ = static_cast<float>(r.z);
    }
}

// One texture pass: every face whose selector admits the pass.
static void drawFaces(const Mesh& mesh, int skipSelect)
{
    glBegin(GL_TRIANGLES);
    for (const MeshFace& f : mesh.faces) {
        if (f.textureSelect == skipSelect)
            continue;
        for (int c = 0; c < 3; ++c) {
            const TexCoord& tc = mesh.texCoords[static_cast<std::size_t>(f.texCoord[c])];
            const MeshVertex& v = mesh.vertices[static_cast<std::size_t>(f.vertex[c])];
            glTexCoord2f(tc.u, tc.v);
            glNormal3f(v.posedNormalX, v.posedNormalY, v.posedNormalZ);
            glVertex3f(v.posedX, v.posedY, v.posedZ);
        }
    }
    glEnd();
}

void drawBody(Mesh& mesh, unsigned int texture1, unsigned int texture2, float scale)
{
    deformMesh(mesh, scale);
    const float rootHeight = mesh.skeleton ? mesh.skeleton->rootOffset[1] : 0.0f;

    glPushMatrix();
    glTranslatef(0, scale * rootHeight, 0);

    glEnable(GL_NORMALIZE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glColor3f(1, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    // Selector 0 is the first texture only, 1 the second only, any other
    // value both.
    glBindTexture(GL_TEXTURE_2D, texture1);
    drawFaces(mesh, 1);
    glBindTexture(GL_TEXTURE_2D, texture2);
    drawFaces(mesh, 0);

    glPopMatrix();
}

static void drawBoneTree(const Animation& animation, int b, GLUquadric* quadric, int depth)
{
    if (b < 0 || b >= animation.boneCount || depth > maxBoneDepth)
        return;
    const Bone& bone = animation.bones[static_cast<std::size_t>(b)];
    drawBoneTree(animation, bone.nextSibling, quadric, depth);

    glColor3f(1, 1, 1);
    glPushMatrix();
    glRotatef(bone.rotation[0], 1, 0, 0);
    glRotatef(bone.rotation[1], 0, 1, 0);
    glRotatef(bone.rotation[2], 0, 0, 1);

    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(bone.offset[0], bone.offset[1], bone.offset[2]);
    glEnd();
    glEnable(GL_LIGHTING);

    glTranslatef(bone.offset[0], bone.offset[1], bone.offset[2]);
    glColor3f(1, 1, 1);
    gluSphere(quadric, 0.1, 10, 10);

    drawBoneTree(animation, bone.firstChild, quadric, depth + 1);
    glPopMatrix();
}

void drawBones(const Animation& animation)
{
    glPushMatrix();
    glTranslatef(0, animation.rootOffset[1], 0);

    glColor3f(1, 1, 1);
    GLUquadric* quadric = gluNewQuadric();
    gluSphere(quadric, 0.1, 10, 10);
    drawBoneTree(animation, animation.rootBone, quadric, 0);
    gluDeleteQuadric(quadric);

    glPopMatrix();
}
