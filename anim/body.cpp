#include "anim/body.h"

void drawWrestler(Wrestler&, int, int, int) {}  // TODO(issue 4)
void deformMesh(Mesh&, float) {}
void drawBody(Mesh&, unsigned int, unsigned int, float) {}
void drawBones(const Animation&) {}
