// Drawing a wrestler: the skinned body in two texture passes and the bone
// display.
#pragma once

struct Animation;
struct Mesh;
struct Wrestler;

void drawWrestler(Wrestler& w, int showModels, int showBones, int showShadows);
// Poses every vertex of the mesh with the bones of mesh.skeleton.
void deformMesh(Mesh& mesh, float scale);
void drawBody(Mesh& mesh, unsigned int texture1, unsigned int texture2, float scale);
// Every face of the mesh at its posed positions, positions only, in one call
// (the shadow's geometry). Faces naming a vertex the mesh lacks are left out.
void drawPosedFaces(const Mesh& mesh);
void drawBones(const Animation& animation);
