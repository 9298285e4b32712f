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

namespace {

// One particle's streak as two array vertices: colour (r, g, b, a), then
// position (x, y, z).
struct StreakVertex {
    GLfloat colour[4];
    GLfloat position[3];
};

std::vector<StreakVertex> streaks;

// Gathers the streaks worth drawing. The particles are added onto the scene
// (one, one blending), so a streak black at both ends adds nothing and is
// left out, as are the dead.
void gatherStreaks(const FireworkSystem& system)
{
    streaks.clear();
    for (const FireworkParticle& p : system.particles) {
        if (p.dead)
            continue;
        const bool black = p.colour[0] == 0 && p.colour[1] == 0 && p.colour[2] == 0 && p.previousColour[0] == 0 &&
                           p.previousColour[1] == 0 && p.previousColour[2] == 0;
        if (black)
            continue;
        streaks.push_back({{p.previousColour[0], p.previousColour[1], p.previousColour[2], p.alpha},
                           {p.previousPosition[0], p.previousPosition[1], p.previousPosition[2]}});
        streaks.push_back({{p.colour[0], p.colour[1], p.colour[2], p.alpha},
                           {p.position[0], p.position[1], p.position[2]}});
    }
}

void beginStreaks()
{
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    if (streaks.empty())
        return;
    glColorPointer(4, GL_FLOAT, sizeof(StreakVertex), streaks[0].colour);
    glVertexPointer(3, GL_FLOAT, sizeof(StreakVertex), streaks[0].position);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
}

void drawStreaks()
{
    if (!streaks.empty())
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(streaks.size()));
}

void endStreaks()
{
    if (!streaks.empty()) {
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
    }
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

void drawFireworks(const FireworkSystem& system)
{
    gatherStreaks(system);
    beginStreaks();
    drawStreaks();
    endStreaks();
}

void drawFireworksAtPosts(const FireworkSystem& system)
{
    // The same streaks at every post: gathered once, the state set once.
    gatherStreaks(system);
    beginStreaks();
    constexpr float r = ringHalfSize;
    const float posts[4][2] = {{-r, r}, {r, r}, {r, -r}, {-r, -r}};
    for (const auto& post : posts) {
        glPushMatrix();
        glTranslatef(post[0], ropeTopHeight, post[1]);
        drawStreaks();
        glPopMatrix();
    }
    endStreaks();
}

void fireworksFrame(float, int relaunch)
{
    updateFireworks(fireworks, fireworkStep, relaunch);
    drawFireworksAtPosts(fireworks);
}
