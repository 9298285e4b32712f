#include "anim/shadow.h"

float shadowMatrix[16];
int shadowOnMat;

float shadowPlaneFor(float) { return 0; }  // TODO(issue 6)
void buildShadowMatrix(float, float) {}
void drawShadow(Mesh&, float, float, float, float, float) {}
void drawShadowBody(Mesh&, float) {}
