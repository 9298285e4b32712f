// The scene drawing as it was first written: every vertex sent by its own
// call, every frame. Kept as the reference the game's own drawing has to
// match pixel for pixel, and as the baseline bench_frame times it against.
#pragma once

struct FireworkSystem;
struct Mesh;
struct Rope;
struct Wrestler;

namespace reference {

void drawFloor();
void drawCrowd();
void drawRing();
void drawPostsAndRopes();
void drawRopeTube(const Rope& rope);
// The four copies of the particles at the post tops, without moving them.
void drawFireworksAtPosts(const FireworkSystem& system);
void drawWrestler(Wrestler& w, int showModels, int showBones, int showShadows);
void drawBody(Mesh& mesh, unsigned int texture1, unsigned int texture2, float scale);
void drawShadow(Mesh& mesh, float p, float x, float z, float heading, float alpha);
void drawPortrait(const Wrestler& w);
void drawHud(float width, float height);
void drawCameraFlash(float x, float y, float size, float width, float height);

}  // namespace reference
