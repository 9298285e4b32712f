#include "tools/bench/reference/reference_draw.h"

#include "anim/body.h"
#include "anim/maths.h"
#include "anim/pose.h"
#include "anim/shadow.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>

namespace reference {

// ---------------------------------------------------------------------------
// The arena.

static void useTexture(unsigned int texture)
{
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, texture);
}

static void drawFloorSquare()
{
    useTexture(cementTexture);
    glBegin(GL_POLYGON);
    glNormal3f(0, 1, 0);
    glTexCoord2f(10, -10);
    glVertex3f(50, -5, -50);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-10, -10);
    glVertex3f(-50, -5, -50);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-10, 10);
    glVertex3f(-50, -5, 50);
    glNormal3f(0, 1, 0);
    glTexCoord2f(10, 10);
    glVertex3f(50, -5, 50);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void drawFloor()
{
    drawFloorSquare();
    glPushMatrix();
    glTranslatef(0, 0, 100);
    drawFloorSquare();
    glPopMatrix();
}

static void quad(const float normal[3], const float corners[4][3])
{
    glBegin(GL_POLYGON);
    for (int i = 0; i < 4; ++i) {
        glNormal3fv(normal);
        glVertex3fv(corners[i]);
    }
    glEnd();
}

void drawRing()
{
    constexpr float r = ringHalfSize;
    useTexture(ringTexture);
    glEnable(GL_LIGHTING);
    glBegin(GL_POLYGON);
    glNormal3f(0, 1, 0);
    glTexCoord2f(0.5f, -0.5f);
    glVertex3f(r, 0, -r);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-0.5f, -0.5f);
    glVertex3f(-r, 0, -r);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-0.5f, 0.5f);
    glVertex3f(-r, 0, r);
    glNormal3f(0, 1, 0);
    glTexCoord2f(0.5f, 0.5f);
    glVertex3f(r, 0, r);
    glEnd();
    glDisable(GL_TEXTURE_2D);

    glColor3f(0, 0, 0.2f);
    const float back[3] = {0, 0, -1};
    const float backCorners[4][3] = {{-r, 0, -r}, {r, 0, -r}, {r, -5, -r}, {-r, -5, -r}};
    const float front[3] = {0, 0, 1};
    const float frontCorners[4][3] = {{r, 0, r}, {-r, 0, r}, {-r, -5, r}, {r, -5, r}};
    const float right[3] = {1, 0, 0};
    const float rightCorners[4][3] = {{r, 0, -r}, {r, 0, r}, {r, -5, r}, {r, -5, -r}};
    const float left[3] = {-1, 0, 0};
    const float leftCorners[4][3] = {{-r, 0, r}, {-r, 0, -r}, {-r, -5, -r}, {-r, -5, r}};
    quad(back, backCorners);
    quad(front, frontCorners);
    quad(right, rightCorners);
    quad(left, leftCorners);
}

void drawRopeTube(const Rope& rope)
{
    const int n = std::min(rope.pointCount, static_cast<int>(rope.points.size()));
    for (int i = 1; i < n; ++i) {
        const float* pa = rope.points[static_cast<std::size_t>(i - 1)].position;
        const float* pb = rope.points[static_cast<std::size_t>(i)].position;
        Vector3 a, b;
        vecSet(a, pa[0], pa[1], pa[2]);
        vecSet(b, pb[0], pb[1], pb[2]);
        Vector3 r;
        vecCross(r, a, b);
        vecNormalize(r);
        vecScale(r, 0.15, r.x, r.y, r.z);
        Vector3 d;
        vecSet(d, b.x - a.x, b.y - a.y, b.z - a.z);
        vecNormalize(d);

        glBegin(GL_TRIANGLE_STRIP);
        for (int k = 0; k <= 6; ++k) {
            Matrix4 m;
            matIdentity(m);
            matRotate(m, k * 60.0, d.x, d.y, d.z);
            Vector3 v;
            matTransformDirection(v, m, r.x, r.y, r.z);
            Vector3 nrm = v;
            vecNormalize(nrm);
            glNormal3f(static_cast<float>(-nrm.x), static_cast<float>(-nrm.y), static_cast<float>(-nrm.z));
            glVertex3f(static_cast<float>(a.x + v.x), static_cast<float>(a.y + v.y), static_cast<float>(a.z + v.z));
            glNormal3f(static_cast<float>(-nrm.x), static_cast<float>(-nrm.y), static_cast<float>(-nrm.z));
            glVertex3f(static_cast<float>(b.x + v.x), static_cast<float>(b.y + v.y), static_cast<float>(b.z + v.z));
        }
        glEnd();
    }
}

void drawPostsAndRopes()
{
    constexpr float r = ringHalfSize;
    constexpr float h = ropeTopHeight;

    glColor3f(0, 0, 0.1f);
    GLUquadric* quadric = gluNewQuadric();
    const float posts[4][2] = {{-r, -r}, {r, -r}, {-r, r}, {r, r}};
    for (const auto& post : posts) {
        glPushMatrix();
        glTranslatef(post[0], h, post[1]);
        glRotatef(90, 1, 0, 0);
        gluCylinder(quadric, postRadius, postRadius, h + 10, 5, 5);
        glPopMatrix();
    }
    gluDeleteQuadric(quadric);

    glColor3f(0.2f, 0, 0.6f);
    for (const Rope& rope : ropes)
        reference::drawRopeTube(rope);

    glColor3f(0, 0, 0);
    glBegin(GL_LINES);
    const float corners[4][2] = {{r, r}, {-r, r}, {-r, -r}, {r, -r}};
    for (const auto& c : corners) {
        const float heights[3] = {h, h - h / 3, h - 2 * h / 3};
        const float sx = c[0] > 0 ? 1.0f : -1.0f;
        const float sz = c[1] > 0 ? 1.0f : -1.0f;
        for (float y : heights) {
            glVertex3f(c[0], y, c[1]);
            glVertex3f(sx * (r - 2), y, sz * (r - 2));
        }
    }
    glEnd();
}

static void drawPanel(float a, float b, unsigned int texture, int n)
{
    useTexture(texture);
    const float repeat = static_cast<float>(n);
    glBegin(GL_POLYGON);
    glNormal3f(0, 1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(0, b, -a);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-repeat, 0);
    glVertex3f(0, b, a);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-repeat, 1);
    glVertex3f(0, -b, a);
    glNormal3f(0, 1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(0, -b, -a);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

static void drawBox(float p, float q, float t)
{
    glEnable(GL_LIGHTING);
    const float top[3] = {0, 1, 0};
    const float topCorners[4][3] = {{q, t, -p}, {-q, t, -p}, {-q, t, p}, {q, t, p}};
    const float back[3] = {0, 0, -1};
    const float backCorners[4][3] = {{-q, t, -p}, {q, t, -p}, {q, 0, -p}, {-q, 0, -p}};
    const float front[3] = {0, 0, 1};
    const float frontCorners[4][3] = {{q, t, p}, {-q, t, p}, {-q, 0, p}, {q, 0, p}};
    const float right[3] = {1, 0, 0};
    const float rightCorners[4][3] = {{q, t, -p}, {q, t, p}, {q, 0, p}, {q, 0, -p}};
    const float left[3] = {-1, 0, 0};
    const float leftCorners[4][3] = {{-q, t, p}, {-q, t, -p}, {-q, 0, -p}, {-q, 0, p}};
    quad(top, topCorners);
    quad(back, backCorners);
    quad(front, frontCorners);
    quad(right, rightCorners);
    quad(left, leftCorners);
}

static void drawStand()
{
    glPushMatrix();
    glTranslatef(-22, 8, 0);
    drawPanel(60, 15, crowdTexture, 3);
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(-20, -5, 0);
    glColor3f(0.1f, 0.1f, 0.2f);
    drawBox(64, 2, 4);
    glPopMatrix();
}

void drawCrowd()
{
    glPushMatrix();
    glTranslatef(0, 0, -10);
    glRotatef(-90, 0, 1, 0);
    drawStand();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-70, 0, 10);
    glRotatef(90, 0, 1, 0);
    drawStand();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(12, 0, 92);
    drawStand();
    glRotatef(180, 0, 1, 0);
    drawStand();
    glRotatef(-90, 0, 1, 0);
    glTranslatef(-10, 10, 15);
    drawPanel(60, 15, entranceTexture, 3);
    glPopMatrix();

    drawStand();
}

// ---------------------------------------------------------------------------
// Fireworks.

static void drawFireworks(const FireworkSystem& system)
{
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_LINES);
    for (const FireworkParticle& p : system.particles) {
        if (p.dead)
            continue;
        glColor4f(p.previousColour[0], p.previousColour[1], p.previousColour[2], p.alpha);
        glVertex3fv(p.previousPosition);
        glColor4f(p.colour[0], p.colour[1], p.colour[2], p.alpha);
        glVertex3fv(p.position);
    }
    glEnd();
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void drawFireworksAtPosts(const FireworkSystem& system)
{
    constexpr float r = ringHalfSize;
    const float posts[4][2] = {{-r, r}, {r, r}, {r, -r}, {-r, -r}};
    for (const auto& post : posts) {
        glPushMatrix();
        glTranslatef(post[0], ropeTopHeight, post[1]);
        reference::drawFireworks(system);
        glPopMatrix();
    }
}

// ---------------------------------------------------------------------------
// The wrestlers.

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

    glBindTexture(GL_TEXTURE_2D, texture1);
    reference::drawFaces(mesh, 1);
    glBindTexture(GL_TEXTURE_2D, texture2);
    reference::drawFaces(mesh, 0);

    glPopMatrix();
}

static void drawShadowBody(Mesh& mesh, float alpha)
{
    glPushMatrix();
    glTranslatef(0, mesh.skeleton ? mesh.skeleton->rootOffset[1] : 0.0f, 0);
    glEnable(GL_NORMALIZE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glColor4f(0, 0, 0, alpha);

    const int vertexCount = static_cast<int>(mesh.vertices.size());
    glBegin(GL_TRIANGLES);
    for (const MeshFace& face : mesh.faces) {
        bool valid = true;
        for (int v : face.vertex)
            valid = valid && v >= 0 && v < vertexCount;
        if (!valid)
            continue;
        for (int v : face.vertex) {
            const MeshVertex& mv = mesh.vertices[static_cast<std::size_t>(v)];
            glVertex3f(mv.posedX, mv.posedY, mv.posedZ);
        }
    }
    glEnd();
    glPopMatrix();
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
    reference::drawShadowBody(mesh, alpha);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glDisable(GL_CLIP_PLANE2);
    glDisable(GL_CLIP_PLANE3);
}

void drawWrestler(Wrestler& w, int showModels, int showBones, int showShadows)
{
    if (w.clip < 0 || w.clip >= clipSlots)
        return;
    Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    const float scale =
        w.character >= 0 && w.character < rosterSize ? roster[w.character].bodyScale : 1.0f;

    evaluatePose(current);

    glPushMatrix();
    glTranslatef(w.x, w.y, w.z);
    glRotatef(w.heading, 0, 1, 0);
    if (w.model)
        w.model->skeleton = &current;

    glEnable(GL_TEXTURE_2D);
    if (showModels && w.model)
        reference::drawBody(*w.model, w.bodyTexture1, w.bodyTexture2, scale);
    glDisable(GL_TEXTURE_2D);

    if (showBones)
        drawBones(current);
    glPopMatrix();

    if (showShadows && w.model) {
        if (!showModels)
            deformMesh(*w.model, scale);
        const float p = shadowPlaneFor(w.y);
        reference::drawShadow(*w.model, p, w.x, w.z, w.heading, 0.2f);
    }
}

// ---------------------------------------------------------------------------
// The HUD and the flashes.

static const CharacterProfile& profileOf(const Wrestler& w)
{
    return roster[w.character >= 0 && w.character < rosterSize ? w.character : 0];
}

void drawPortrait(const Wrestler& w)
{
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, profileOf(w).faceTexture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, 1);
    glVertex2f(0, -64);
    glTexCoord2f(1, 1);
    glVertex2f(64, -64);
    glTexCoord2f(1, 0);
    glVertex2f(64, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

static void rect(float x0, float y0, float x1, float y1)
{
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x0, y1);
    glVertex2f(x1, y1);
    glVertex2f(x1, y0);
    glEnd();
}

static void drawHealthBar(const Wrestler& w, int side)
{
    glColor3f(0, 0, 0.6f);
    rect(64, -54, 192, -64);
    glColor3f(0.3f, 0.3f, 0.6f);
    const float length = healthFillLength(w.health);
    if (side == 1)
        rect(66, -56, 66 + length, -62);
    else
        rect(191 - length, -56, 191, -62);
}

static void printAt(const char* text)
{
    glColor3f(1, 1, 1);
    glRasterPos2i(0, 0);
    printText(text);
}

void drawHud(float width, float height)
{
    setPixelFrame(width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    glPushMatrix();
    glTranslatef(16 - width / 2, height / 2 - 16, 0);
    reference::drawPortrait(playerOne);
    reference::drawHealthBar(playerOne, 1);
    glTranslatef(66, -16, 0);
    printAt(profileOf(playerOne).ringName);
    glPopMatrix();

    const char* name = profileOf(playerTwo).ringName;
    const float n = static_cast<float>(std::strlen(name));
    glPushMatrix();
    glTranslatef(width / 2 - 16 - 64, height / 2 - 16, 0);
    reference::drawPortrait(playerTwo);
    glPushMatrix();
    glTranslatef(-192, 0, 0);
    reference::drawHealthBar(playerTwo, -1);
    glPopMatrix();
    glTranslatef(-64 - 5 * n, -16, 0);
    printAt(name);
    glPopMatrix();

    static const char* const countTexts[4] = {"", "ONE", "TWO", "THREE"};
    if (pinCount > 0 && pinCount <= 3)
        printAt(countTexts[pinCount]);

    glEnable(GL_DEPTH_TEST);
}

void drawCameraFlash(float x, float y, float size, float width, float height)
{
    setPixelFrame(width, height);
    glPushMatrix();
    glTranslatef(x, y, 0);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, flashTexture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, 1);
    glVertex2f(0, -size);
    glTexCoord2f(1, 1);
    glVertex2f(size, -size);
    glTexCoord2f(1, 0);
    glVertex2f(size, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

}  // namespace reference
