// Firework particles shot up from the four ring posts.
#pragma once

#include <vector>

struct FireworkParticle {
    float position[3];
    float previousPosition[3];
    float velocity[3];
    float colour[3];
    float alpha;
    float previousColour[3];
    float spare;
    int dead;               // 1: not drawn
};

struct FireworkSystem {
    std::vector<FireworkParticle> particles;
    int particleCount = 0;
};

extern FireworkSystem fireworks;

void initFireworks(FireworkSystem& system, int count);
void updateFireworks(FireworkSystem& system, float step, int relaunch);
void drawFireworks(const FireworkSystem& system);
// The particles as they stand, drawn at each of the four post tops.
void drawFireworksAtPosts(const FireworkSystem& system);
void fireworksFrame(float delta, int relaunch);
