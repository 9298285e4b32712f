#include "match/phases.h"

#include <GL/gl.h>

int gamePhase = Selection;
int phaseStage;
Wrestler* featuredWrestler;
float frameDelta;
float previousTime;
float phaseTime;
float victoryTime;
int pinCount = -1;
float countTimer;
int redLighting;
int fireworksOn;
float cameraEye[3];
float cameraTarget[3];
int crowdSound, crowdSound2, bellSound, themeSound;

// Placeholder until the game cycle lands: a cleared screen.
void gameFrame(float time, float, float)
{
    frameDelta = time - previousTime;
    glClearColor(0.05f, 0.05f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    previousTime = time;
}

void updatePinCount(float) {}  // TODO(issue 6)
void resetMatch() {}
void stopMatchSounds() {}
