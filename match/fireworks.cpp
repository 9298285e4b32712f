#include "match/fireworks.h"

#include "match/ropes.h"

#include <GL/gl.h>

#include <cstdlib>

FireworkSystem fireworks;

// The particles move by this much simulation time per drawn frame, whatever
// the frame time, so the display looks the same at any frame rate.
constexpr float fireworkStep = 0.03f;
constexpr float fireworkGravity = 100.0f;

static void launch(FireworkParticle& p, float spread, int spreadMod, float lift)
{
    for (int c = 0; c < 3; ++c) {
        p.position[c] = 0;
        p.previousPosition[c] = 0;
        p.colour[c] = 1;
        p.previousColour[c] = 1;
    }
    p.alpha = 1;
    const int r1 = std::rand();
    const int r2 = std::rand();
    const int r3 = std::rand();
    p.velocity[0] = spread - static_cast<float>(r1 % spreadMod) * 0.1f;
    p.velocity[1] = static_cast<float>(r2 % 500) * 0.1f + lift;
    p.velocity[2] = spread - static_cast<float>(r3 % spreadMod) * 0.1f;
    p.spare = 0;
    p.dead = 0;
}

void initFireworks(FireworkSystem& system, int count)
{
    if (count < 0)
        count = 0;
    system.particles.assign(static_cast<std::size_t>(count), FireworkParticle{});
    system.particleCount = count;
    for (FireworkParticle& p : system.particles)
        launch(p, 5, 100, 20);
}

void updateFireworks(FireworkSystem& system, float step, int relaunch)
{
    for (FireworkParticle& p : system.particles) {
        for (int c = 0; c < 3; ++c) {
            p.previousPosition[c] = p.position[c];
            p.previousColour[c] = p.colour[c];
        }
        for (int c = 0; c < 3; ++c)
            p.position[c] += step * p.velocity[c];
        p.velocity[1] -= step * fireworkGravity;

        // White fades through yellow and red to black.
        const float fade[3] = {2.5f, 4.0f, 6.0f};
        for (int c = 0; c < 3; ++c) {
            p.colour[c] -= step * fade[c];
            if (p.colour[c] < 0)
                p.colour[c] = 0;
        }

        if (p.position[1] < 0) {
            // Landed: lift it back invisibly at a random height, so the
            // relaunches below are spread over time.
            p.position[1] = 35 - static_cast<float>(std::rand() % 500) * 0.1f;
            p.dead = 1;
        }
        if (p.position[1] < 0 && relaunch)
            launch(p, 4, 80, 25);
    }
}

void drawFireworks(const FireworkSystem& system)
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
        drawFireworks(system);
        glPopMatrix();
    }
}

void fireworksFrame(float, int relaunch)
{
    updateFireworks(fireworks, fireworkStep, relaunch);
    drawFireworksAtPosts(fireworks);
}
