// The game's scenes drawn from a fixed state twice, by the game's drawing and
// by the reference drawing in tools/bench/reference (every vertex sent by
// its own call), must come out the same pixel for pixel: faster drawing may
// not change what the players see.
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "tests/quiet_gl.h"
#include "tests/support.h"
#include "tools/bench/reference/reference_draw.h"

#include "anim/body.h"
#include "anim/playback.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "match/arena.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "match/view.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Pixels = std::vector<unsigned char>;


// How two renders of one scene differ.
struct Difference {
    int pixels = 0;         // pixels with any channel off by more than the slack
    int largest = 0;        // the largest difference of any channel
};

Difference compare(const Pixels& a, const Pixels& b, int slack)
{
    Difference d;
    for (std::size_t i = 0; i < a.size(); i += 4) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(a[i + c] - b[i + c]));
        d.largest = std::max(d.largest, worst);
        d.pixels += worst > slack;
    }
    return d;
}

// Pixels that are not the clear colour: a scene that draws nothing matches
// its reference trivially.
int drawnPixels(const Pixels& p)
{
    int n = 0;
    for (std::size_t i = 0; i < p.size(); i += 4)
        n += p[i] || p[i + 1] || p[i + 2];
    return n;
}

// Puts a wrestler in a clip at a clip time, on a spot, facing a heading.
void place(Wrestler& w, int character, int clip, float time, float x, float y, float z, float heading)
{
    assignProfile(w, character);
    w.model = &bodyMesh;
    w.clip = w.nextClip = clip;
    w.state = w.nextState = Idle;
    w.clipTime = time;
    sampleClip(w.clips[static_cast<std::size_t>(clip)], time);
    w.x = x, w.y = y, w.z = z;
    w.heading = w.bearing = w.targetHeading = heading;
}

class RenderIdentity : public testing::Test {
protected:
    static bool loaded;

    static void SetUpTestSuite() { loaded = loadWholeGame(); }

    void SetUp() override
    {
        if (!quietGlContext())
            GTEST_SKIP() << "no display";
        ASSERT_TRUE(loaded);
        freshGame();
        glClearColor(0, 0, 0, 1);
        // The ropes swing: one point of a top rope pulled in and let go, so
        // every rope segment lies at its own angle.
        createRopes();
        ropes[0].points[4].position[0] += 2.5f;
        ropes[7].points[6].position[1] -= 1.5f;
        for (int i = 0; i < 3; ++i)
            for (Rope& rope : ropes)
                stepRope(rope, 0.05f);
        // A burst well under way: launched together, some rising, some
        // fading, some landed and relaunched.
        std::srand(20240611);
        initFireworks(fireworks, 4000);
        updateFireworks(fireworks, 100, 0);
        for (int i = 0; i < 45; ++i)
            updateFireworks(fireworks, 0.03f, 1);
    }

    void TearDown() override
    {
        // What the game sets up at start, for the suites that follow.
        createRopes();
        initFireworks(fireworks, 4000);
        updateFireworks(fireworks, 100, 0);
        resetMatch();
    }

    static void setCamera(float ex, float ey, float ez, float tx, float ty, float tz)
    {
        cameraEye[0] = ex, cameraEye[1] = ey, cameraEye[2] = ez;
        cameraTarget[0] = tx, cameraTarget[1] = ty, cameraTarget[2] = tz;
    }

    static void ringCamera() { setCamera(60, 20, 0, 0, 5, 0); }

    // The 3-D part of a frame in the game's order, drawn by either side.
    static void drawScene(bool reference, bool withFireworks)
    {
        glViewport(0, 0, glTestWidth, glTestHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(40, static_cast<double>(glTestWidth) / glTestHeight, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        setupView();
        glEnable(GL_LIGHTING);
        if (reference) {
            reference::drawFloor();
            reference::drawCrowd();
            reference::drawRing();
            reference::drawPostsAndRopes();
            if (withFireworks)
                reference::drawFireworksAtPosts(fireworks);
            reference::drawWrestler(playerOne, showModels, showBones, showShadows);
            reference::drawWrestler(playerTwo, showModels, showBones, showShadows);
        } else {
            drawArena();
            if (withFireworks)
                drawFireworksAtPosts(fireworks);
            drawWrestler(playerOne, showModels, showBones, showShadows);
            drawWrestler(playerTwo, showModels, showBones, showShadows);
        }
    }

    static void drawHudBy(bool reference)
    {
        if (reference)
            reference::drawHud(glTestWidth, glTestHeight);
        else
            drawHud(glTestWidth, glTestHeight);
    }

    static void drawFlashesBy(bool reference)
    {
        const float flashes[3][3] = {{-250, 200, 100}, {40, 90, 64}, {180, 230, 127}};
        for (const auto& f : flashes) {
            if (reference)
                reference::drawCameraFlash(f[0], f[1], f[2], glTestWidth, glTestHeight);
            else
                drawCameraFlash(f[0], f[1], f[2], glTestWidth, glTestHeight);
        }
    }

    // Draws the scene with the game's drawing and with the reference, saves
    // both for a look and expects them to agree.
    template <typename Draw>
    void expectSame(const char* name, Draw draw)
    {
        // Drawing leaves some state on for the frames after it (normalised
        // normals, for one, which round the lighting of the next frame's
        // arena a little differently); a first frame sets it as every later
        // frame of the game finds it.
        draw(true);
        draw(false);
        const Pixels game = readPixels();
        draw(true);
        const Pixels expected = readPixels();
        // And the game's drawing once more after the reference, so nothing
        // it keeps between frames depends on having drawn just before.
        draw(false);
        const Pixels again = readPixels();
        writePng(shotDirectory() + "/identity_" + name + ".png", game, glTestWidth, glTestHeight);
        writePng(shotDirectory() + "/identity_" + name + "_reference.png", expected, glTestWidth, glTestHeight);

        EXPECT_GT(drawnPixels(expected), glTestWidth * glTestHeight / 4) << name;
        const Difference d = compare(game, expected, 0);
        EXPECT_EQ(d.pixels, 0) << name << ": largest difference " << d.largest;
        EXPECT_EQ(compare(again, game, 0).pixels, 0) << name;
    }
};

bool RenderIdentity::loaded = false;

TEST_F(RenderIdentity, SelectionScreen)
{
    // Player one still choosing, player two chosen: both panel layouts.
    assignProfile(playerOne, 1);
    assignProfile(playerTwo, 3);
    playerTwo.chosen = 1;
    expectSame("selection", [](bool reference) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setPixelFrame(glTestWidth, glTestHeight);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, backgroundTexture);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-320, 240);
        glTexCoord2f(0, 1);
        glVertex2f(-320, -240);
        glTexCoord2f(1, 1);
        glVertex2f(320, -240);
        glTexCoord2f(1, 0);
        glVertex2f(320, 240);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        for (const Wrestler* w : {&playerOne, &playerTwo}) {
            glPushMatrix();
            glTranslatef(w == &playerOne ? -256 : 128, 128, 0);
            const float scale = w->chosen ? 3.0f : 2.0f;
            glScalef(scale, scale, 1);
            if (reference)
                reference::drawPortrait(*w);
            else
                drawPortrait(*w);
            glPopMatrix();
        }
        glColor3f(1, 1, 1);
        glRasterPos2i(0, 0);
        printText("VS");
        glEnable(GL_DEPTH_TEST);
    });
}

TEST_F(RenderIdentity, EntranceWalkUnderRedLight)
{
    // The third character walks in from the far end of the entrance way.
    place(playerOne, 2, ClipWalk, 7, 7, -5, 70, 180);
    redLighting = 1;
    setCamera(8, 15, -15, 7, -5, 100);
    expectSame("entrance_walk", [](bool reference) { drawScene(reference, false); });
}

TEST_F(RenderIdentity, EntranceCelebrationWithFlashes)
{
    place(playerOne, 0, ClipVorlanCeleb, 25, -2, 0, 3, 120);
    place(playerTwo, 1, ClipStand, 0, 8, 0, -5, 0);
    ringCamera();
    expectSame("entrance_celebration", [](bool reference) {
        drawScene(reference, false);
        drawFlashesBy(reference);
    });
}

TEST_F(RenderIdentity, MatchWithTheHud)
{
    // One wrestler punching in the ring, the other thrown out onto the hall
    // floor, where its shadow is not cut by the ring's edge.
    place(playerOne, 1, ClipPunch, 6, -4, 0, 6, 100);
    place(playerTwo, 3, ClipLie, 3, 24, -5, -3, 250);
    playerOne.health = 72;
    playerTwo.health = 18;
    ringCamera();
    expectSame("match", [](bool reference) {
        drawScene(reference, false);
        drawHudBy(reference);
    });
}

TEST_F(RenderIdentity, PinWithTheCount)
{
    place(playerOne, 0, ClipPin, 14, 2, 0, -1, 270);
    place(playerTwo, 2, ClipGetPinned, 14, 2, 0, -1, 270);
    pinCount = 2;
    ringCamera();
    expectSame("pin", [](bool reference) {
        drawScene(reference, false);
        drawHudBy(reference);
    });
}

TEST_F(RenderIdentity, FireworksBurst)
{
    place(playerOne, 3, ClipStand, 0, -8, 0, 5, 180);
    place(playerTwo, 1, ClipStand, 0, 8, 0, -5, 0);
    ringCamera();
    expectSame("fireworks", [](bool reference) {
        drawScene(reference, true);
        drawHudBy(reference);
    });
}

TEST_F(RenderIdentity, ModelsOffBonesOn)
{
    // The shadows then come from poses worked out without drawing a body.
    place(playerOne, 2, ClipKick, 9, -3, 0, 2, 60);
    place(playerTwo, 1, ClipGetup, 12, 5, 0, -4, 300);
    showModels = 0;
    showBones = 1;
    ringCamera();
    expectSame("models_off", [](bool reference) {
        drawScene(reference, false);
        drawHudBy(reference);
    });
}

}  // namespace
