#include "match/phases.h"

#include "anim/body.h"
#include "anim/playback.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "match/arena.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/ropes.h"
#include "match/view.h"
#include "wrestler/movement.h"
#include "wrestler/pins.h"
#include "wrestler/rebounds.h"
#include "wrestler/rules.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

int gamePhase = Selection;
int phaseStage;
Wrestler* featuredWrestler = &playerOne;
float frameDelta;
double previousTime;
float phaseTime;
float victoryTime;
int pinCount = -1;
float countTimer;
int redLighting;
int fireworksOn;
float cameraEye[3];
float cameraTarget[3];
int crowdSound, crowdSound2, bellSound, themeSound;

namespace {

// The referee counts one every this many units of game time.
constexpr float countInterval = 27;
// An entrance can be skipped once it has run this long.
constexpr float skipAfter = 30;
// The victory waits this long for a key before returning to selection.
constexpr float victoryWait = 500;
// Rope simulation time per unit of game time.
constexpr float ropeRate = 0.05f;

// Where each wrestler waits for the match.
constexpr FloorPoint cornerOne{-8, 5};
constexpr FloorPoint cornerTwo{8, -5};

const CharacterProfile& profileOf(const Wrestler& w)
{
    return roster[w.character >= 0 && w.character < rosterSize ? w.character : 0];
}

void setCamera(float ex, float ey, float ez, float tx, float ty, float tz)
{
    cameraEye[0] = ex;
    cameraEye[1] = ey;
    cameraEye[2] = ez;
    cameraTarget[0] = tx;
    cameraTarget[1] = ty;
    cameraTarget[2] = tz;
}

int playSound(const char* file, int loop)
{
    return soundPlay(soundPath(file), loop);
}

void setClips(Wrestler& w, int clip, int state, int nextClip, int nextState)
{
    w.clip = clip;
    w.state = state;
    w.nextClip = nextClip;
    w.nextState = nextState;
}

void stepRopes()
{
    for (Rope& rope : ropes)
        stepRope(rope, frameDelta * ropeRate);
}

void advanceClips()
{
    advanceClip(playerOne, frameDelta * clipTimeRate, playerTwo);
    advanceClip(playerTwo, frameDelta * clipTimeRate, playerOne);
}

// A walker is drawn facing the opponent, whichever way its frame points.
void drawOne(Wrestler& w)
{
    if (w.state == Walking) {
        const float heading = w.heading;
        w.heading = w.bearing;
        drawWrestler(w, showModels, showBones, showShadows);
        w.heading = heading;
    } else {
        drawWrestler(w, showModels, showBones, showShadows);
    }
}

void drawWrestlers()
{
    drawOne(playerOne);
    drawOne(playerTwo);
}

// The 3-D frame of the entrance and the victory.
void drawScene()
{
    glEnable(GL_LIGHTING);
    stepRopes();
    drawArena();
    advanceClips();
    fireworksFrame(frameDelta, fireworksOn);
    drawWrestlers();
}

void runCelebration(Wrestler& w)
{
    switch (w.character) {
    case 0: cornerCelebration(w, ClipVorlanCeleb, frameDelta); break;
    case 1: cornerCelebration(w, ClipKalverCeleb, frameDelta); break;
    case 2: centreCelebration(w, ClipZoragCeleb, frameDelta); break;
    case 3: centreCelebration(w, ClipTeskarCeleb, frameDelta); break;
    default: break;
    }
}

bool celebrationClip(int clip)
{
    return clip == ClipVorlanCeleb || clip == ClipKalverCeleb;
}

// Puts a wrestler placed on its spot into the stand clip from its start.
// Switching the clip alone would keep the old clip's root position as the
// reference, and the next advance would carry the wrestler off the spot by
// the difference.
void standOnSpot(Wrestler& w, Wrestler& other)
{
    cutToClip(w, other, ClipStand, ClipStand, Idle, Idle);
}

void parkPlayerOne()
{
    playerOne.x = cornerOne.x;
    playerOne.z = cornerOne.z;
    playerOne.y = 0;
    playerOne.heading = playerOne.targetHeading = playerOne.bearing = 180;
    standOnSpot(playerOne, playerTwo);
}

void startMatch(double time)
{
    gamePhase = Match;
    phaseTime = 0;
    playerTwo.x = cornerTwo.x;
    playerTwo.z = cornerTwo.z;
    playerTwo.y = 0;
    playerTwo.heading = playerTwo.targetHeading = 0;
    standOnSpot(playerTwo, playerOne);
    // The ring view at once, so the match's first drawn frame is not seen
    // through the entrance camera.
    setCamera(60, 20, 0, 0, 5, 0);
    previousTime = time;
    soundStop(themeSound);
    themeSound = 0;
    // An entrance skipped in its celebration must not light the match.
    redLighting = 0;
    fireworksOn = 0;
}

void nextEntrant()
{
    featuredWrestler = &playerTwo;
    phaseStage = 0;
    // A skipped celebration must not leave its red light and fireworks on
    // for the next wrestler; a red-lit entrant sets the light again.
    redLighting = 0;
    fireworksOn = 0;
    soundStop(themeSound);
    parkPlayerOne();
}

void drawPanelText(float x, float y, const char* text)
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    glColor3f(1, 1, 1);
    glRasterPos2i(0, 0);
    printText(text);
    glPopMatrix();
}

void drawPlayerPanel(const Wrestler& w, float x, const char* prompt)
{
    glPushMatrix();
    glTranslatef(x, 128, 0);
    const float scale = w.chosen ? 3.0f : 2.0f;
    glScalef(scale, scale, 1);
    drawPortrait(w);
    glPopMatrix();
    if (w.chosen) {
        drawPanelText(x, -80, profileOf(w).ringName);
    } else {
        drawPanelText(x, -20, profileOf(w).ringName);
        drawPanelText(x, 138, prompt);
    }
}

void nextCharacter(Wrestler& w, int step)
{
    int c = w.character + step;
    if (c > rosterSize - 1)
        c = 0;
    if (c < 0)
        c = rosterSize - 1;
    assignProfile(w, c);
}

void selectionFrame(float width, float height)
{
    setPixelFrame(width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    const float hw = width / 2;
    const float hh = height / 2;
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, backgroundTexture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-hw, hh);
    glTexCoord2f(0, 1);
    glVertex2f(-hw, -hh);
    glTexCoord2f(1, 1);
    glVertex2f(hw, -hh);
    glTexCoord2f(1, 0);
    glVertex2f(hw, hh);
    glEnd();
    glDisable(GL_TEXTURE_2D);

    drawPlayerPanel(playerOne, -256, "PLAYER ONE SELECT");
    drawPlayerPanel(playerTwo, 128, "PLAYER TWO SELECT");

    // A line under the prompt of each player still choosing.
    glColor3f(0, 0, 1);
    glBegin(GL_LINES);
    if (!playerOne.chosen) {
        glVertex2f(-256, 132);
        glVertex2f(-128, 132);
    }
    if (!playerTwo.chosen) {
        glVertex2f(128, 132);
        glVertex2f(256, 132);
    }
    glEnd();

    drawPanelText(0, 0, "VS");
    glEnable(GL_DEPTH_TEST);

    // Cycling consumes its key, so one press moves one place.
    struct Cycle {
        Wrestler& w;
        int slot;
        int step;
    };
    const Cycle cycles[4] = {{playerOne, 1, 1}, {playerTwo, 5, 1}, {playerOne, 14, -1}, {playerTwo, 15, -1}};
    for (const Cycle& c : cycles) {
        if (!c.w.chosen && keyDown[c.slot]) {
            nextCharacter(c.w, c.step);
            consumeKey(c.slot);
        }
    }

    if (playerOne.chosen && playerTwo.chosen)
        gamePhase = Entrance;
    if (keyDown[4])
        playerOne.chosen = 1;
    if (keyDown[8])
        playerTwo.chosen = 1;
}

// Returns false when the match has started and the frame is over.
bool entranceStages(double time)
{
    Wrestler& w = *featuredWrestler;
    const bool second = featuredWrestler == &playerTwo;

    if (phaseStage == 0) {
        themeSound = playSound(profileOf(w).themeSoundFile, 0);
        // The far end of the entrance way, below ring level.
        w.x = 7;
        w.y = -5;
        w.z = 100;
        setCamera(8, 15, -15, 7, -5, 100);
        phaseStage = 1;
        if (w.character == 2)
            redLighting = 1;
    }
    if (phaseStage == 1) {
        w.heading = w.targetHeading = w.bearing = 180;
        setClips(w, ClipWalk, Walking, ClipWalk, Walking);
        if (w.z < ringHalfSize) {
            phaseStage = 2;
            setClips(w, ClipGetInRing, EnteringRing, ClipStand, Idle);
        }
    }
    if (phaseStage == 2) {
        setCamera(60, 20, 0, 0, 5, 0);
        if (w.state == Idle) {
            phaseStage = 3;
            w.scriptStep = 0;
            w.scriptTime = 0;
        }
    }
    if (phaseStage == 3)
        runCelebration(w);
    if (phaseStage == 4) {
        const FloorPoint corner = second ? cornerTwo : cornerOne;
        if (std::fabs(w.x - corner.x) < 1 && std::fabs(w.z - corner.z) < 1) {
            if (second) {
                startMatch(time);
                return false;
            }
            nextEntrant();
        } else {
            walkToward(w, corner.x, corner.z, frameDelta, forwardSpeed(w.clips[ClipWalk]));
            setClips(w, ClipWalk, Walking, ClipWalk, Walking);
        }
    }
    return true;
}

void entranceFrame(double time, float width, float height)
{
    phaseTime += frameDelta;
    if ((keyDown[4] || keyDown[8]) && phaseTime > skipAfter) {
        for (int slot : {4, 8, 1})
            consumeKey(slot);
        phaseTime = 0;
        if (featuredWrestler == &playerTwo) {
            startMatch(time);
            return;
        }
        nextEntrant();
    }
    if (!entranceStages(time))
        return;
    drawScene();
    if (celebrationClip(featuredWrestler->clip))
        drawFlashes(std::rand() % 3 + 1, width, height);
}

void matchFrame(double time, float width, float height)
{
    for (Wrestler* w : {&playerOne, &playerTwo}) {
        w->holdTimer -= frameDelta;
        if (w->holdTimer < -10)
            w->holdTimer = -10;
    }
    regenerateHealth(playerOne, frameDelta);
    regenerateHealth(playerTwo, frameDelta);

    redLighting = 0;
    fireworksOn = keyDown[11];
    phaseTime += frameDelta;
    setCamera(60, 20, 0, 0, 5, 0);

    if (crowdSound == 0)
        crowdSound = playSound("crowd2.aiff", 1);
    if (crowdSound2 == 0 && phaseTime > 120)
        crowdSound2 = playSound("crowd2.aiff", 1);
    if (bellSound == 0 && phaseTime > 10)
        bellSound = playSound("bell.aiff", 0);

    shiftKeyHistory(time);

    glEnable(GL_LIGHTING);
    stepRopes();
    ropeContact(playerOne, playerTwo);
    ropeContact(playerTwo, playerOne);
    drawArena();
    advanceClips();
    updatePinCount(frameDelta);

    behaviourStep(playerOne, playerTwo, playerOneKeys);
    behaviourStep(playerTwo, playerOne, playerTwoKeys);

    fireworksFrame(frameDelta, fireworksOn);
    drawWrestlers();
    turnStep(playerOne, frameDelta);
    turnStep(playerTwo, frameDelta);
    drawHud(width, height);
}

void leaveVictory()
{
    gamePhase = Selection;
    stopMatchSounds();
    resetMatch();
}

void victoryFrame(float width, float height)
{
    const bool strike = keyDown[4] || keyDown[8];
    if (phaseStage == 3) {
        // Like an entrance, the celebration can be cut short once it has
        // been seen for a moment.
        phaseTime += frameDelta;
        if (strike && phaseTime > skipAfter)
            leaveVictory();
        else
            runCelebration(*featuredWrestler);
    } else if (strike || victoryTime > victoryWait) {
        leaveVictory();
    } else {
        victoryTime += frameDelta;
    }
    drawScene();
    if (celebrationClip(featuredWrestler->clip))
        drawFlashes(1, width, height);
}

} // namespace

void drawFlashes(int count, float width, float height)
{
    for (int i = 0; i < count; ++i) {
        const int r1 = std::rand();
        const int r2 = std::rand();
        const int r3 = std::rand();
        const float x = static_cast<float>(100 - r1 % 200) * 0.01f * width * 0.5f;
        const float y = static_cast<float>(r2 % 100) * 0.01f * height * 0.5f;
        const float size = static_cast<float>(r3 % 64 + 64);
        drawCameraFlash(x, y, size, width, height);
    }
}

void gameFrame(double time, float width, float height)
{
    setupView();
    keyClock = time;
    frameDelta = static_cast<float>(time - previousTime);
    switch (gamePhase) {
    case Selection: selectionFrame(width, height); break;
    case Entrance: entranceFrame(time, width, height); break;
    case Match: matchFrame(time, width, height); break;
    case Victory: victoryFrame(width, height); break;
    default: break;
    }
    previousTime = time;
}

void updatePinCount(float delta)
{
    const bool pinning = (playerOne.clip == ClipPin && playerOne.clipTime > 10) ||
                         (playerTwo.clip == ClipPin && playerTwo.clipTime > 10);
    if (pinning || pinCount == 3)
        countTimer += delta;
    if (countTimer > countInterval) {
        pinCount += 1;
        // The time past the step counts toward the next one, so the count
        // keeps to game time whatever the frame rate; a long stall still
        // steps it only once.
        countTimer -= countInterval;
        if (countTimer > countInterval)
            countTimer = 0;
        if (pinCount == 4)
            pinCount = -1;
    }
    const bool oneFalls = playerOne.clip == ClipPinfall;
    const bool twoFalls = playerTwo.clip == ClipPinfall;
    if ((oneFalls || twoFalls) && pinCount >= 2) {
        pinCount = 3;
        playSound("bell.aiff", 0);
        playSound("bigcrowd2.aiff", 0);
        phaseStage = 3;
        gamePhase = Victory;
        // The one holding the pinfall wins; player one is asked first.
        featuredWrestler = oneFalls ? &playerOne : &playerTwo;
        victoryTime = 0;
        featuredWrestler->scriptStep = 0;
        featuredWrestler->scriptTime = 0;
        // From here it counts how long the celebration has run.
        phaseTime = 0;
        themeSound = playSound(profileOf(*featuredWrestler).themeSoundFile, 0);
        separationOn = 0;
    }
    const bool pinClips = playerOne.clip == ClipPin || playerOne.clip == ClipPinfall ||
                          playerTwo.clip == ClipPin || playerTwo.clip == ClipPinfall;
    if (!pinClips)
        pinCount = -1;
}

void resetMatch()
{
    phaseTime = 0;
    redLighting = 0;
    cameraTarget[0] = cameraTarget[1] = cameraTarget[2] = 0;
    countTimer = 0;
    pinCount = -1;
    fireworksOn = 0;
    crowdSound = crowdSound2 = bellSound = 0;
    previousTime = 0;
    gamePhase = Selection;
    themeSound = 0;
    featuredWrestler = &playerOne;
    phaseStage = 0;

    clearKeys();

    cameraEye[0] = -0.19508f;
    cameraEye[1] = 2.160001f;
    cameraEye[2] = 58.178196f;

    // The shadow planes are stored in this view's eye coordinates.
    setupView();
    defineShadowClipPlanes();

    // A wrestler reset while pressing the ropes out would leave them pinned
    // in the air for good.
    releaseHeldRopes(playerOne);
    releaseHeldRopes(playerTwo);
    resetWrestler(playerOne);
    resetWrestler(playerTwo);
    playerOne.opponent = &playerTwo;
    playerTwo.opponent = &playerOne;
    playerOne.model = &bodyMesh;
    playerTwo.model = &bodyMesh;

    // Every new game starts from the first two characters.
    assignProfile(playerOne, 0);
    assignProfile(playerTwo, 1);

    playerOne.quadrant = 1;
    playerTwo.quadrant = 4;
    for (Wrestler* w : {&playerOne, &playerTwo}) {
        w->clip = w->nextClip = ClipStand;
        // Out of sight while the players choose.
        w->x = -100;
        w->y = -100;
        w->z = 0;
        w->state = Idle;
    }
    playerOne.heading = playerOne.targetHeading = 180;
}

void stopMatchSounds()
{
    soundStop(crowdSound);
    soundStop(crowdSound2);
    soundStop(themeSound);
}

namespace {

void mix(unsigned long long& hash, const void* data, std::size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
}

template <typename T>
void mixValue(unsigned long long& hash, T value)
{
    mix(hash, &value, sizeof value);
}

} // namespace

unsigned long long gameStateHash()
{
    unsigned long long hash = 14695981039346656037ull;
    for (const Wrestler* w : {&playerOne, &playerTwo}) {
        for (float v : {w->x, w->y, w->z, w->heading, w->health, w->clipTime})
            mixValue(hash, v);
        for (int v : {w->clip, w->state, w->nextClip, w->nextState, w->character, w->chosen})
            mixValue(hash, v);
        const Animation& clip = w->clips[static_cast<std::size_t>(w->clip)];
        for (const Bone& bone : clip.bones)
            mix(hash, bone.rotation, sizeof bone.rotation);
    }
    for (int v : {gamePhase, phaseStage, pinCount})
        mixValue(hash, v);
    for (const Rope& rope : ropes)
        for (const RopePoint& p : rope.points)
            mix(hash, p.position, sizeof p.position);
    return hash;
}
