#include "match/arena.h"

#include "assets/catalogue.h"
#include "match/ropes.h"

#include <GL/gl.h>
#include <GL/glu.h>

static void useTexture(unsigned int texture)
{
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, texture);
}

// One cement square of the hall floor, 100 wide, the picture repeated 20 times.
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
    // The same again under the entrance way.
    glPushMatrix();
    glTranslatef(0, 0, 100);
    drawFloorSquare();
    glPopMatrix();
}

// A four-cornered face with one normal at every corner.
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

    // The dark apron hangs from the mat's edge down to the hall floor.
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
        glRotatef(90, 1, 0, 0);     // the cylinder's axis points down
        if (quadric)
            gluCylinder(quadric, postRadius, postRadius, h + 10, 5, 5);
        glPopMatrix();
    }
    if (quadric)
        gluDeleteQuadric(quadric);

    glColor3f(0.2f, 0, 0.6f);
    drawRopes();

    // Ties from each post to the rope ends two units further in.
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

void drawPanel(float a, float b, unsigned int texture, int n)
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

void drawBox(float p, float q, float t)
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

void drawStand()
{
    // The crowd picture, 120 wide and 30 high, facing +x.
    glPushMatrix();
    glTranslatef(-22, 8, 0);
    drawPanel(60, 15, crowdTexture, 3);
    glEnable(GL_LIGHTING);
    glPopMatrix();
    // The barrier in front of it, standing on the hall floor.
    glPushMatrix();
    glTranslatef(-20, -5, 0);
    glColor3f(0.1f, 0.1f, 0.2f);
    drawBox(64, 2, 4);
    glPopMatrix();
}

void drawArena()
{
    drawRing();
    drawPostsAndRopes();
    drawCrowd();
    drawFloor();
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

    // Stands on both sides of the entrance way, and the backdrop across its
    // far end where the entrants appear.
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
