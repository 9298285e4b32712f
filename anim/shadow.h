// Flat translucent shadows projected on the mat or the hall floor.
#pragma once

struct Mesh;
struct Wrestler;

extern float shadowMatrix[16];
extern int shadowOnMat;

// Chooses the shadow plane for a wrestler at height y: sets shadowOnMat and
// returns the plane parameter p (the shadow lies at height -p).
float shadowPlaneFor(float y);
// Fills shadowMatrix for a wrestler at z and plane parameter p.
void buildShadowMatrix(float p, float z);

void drawShadow(Mesh& mesh, float p, float x, float z, float heading, float alpha);
void drawShadowBody(Mesh& mesh, float alpha);
