#include "match/ropes.h"

std::array<Rope, ropeCount> ropes;

void initRope(Rope&, int, float, float, float, float, float, float) {}  // TODO(issue 3/6)
void createRopes() {}
void stepRope(Rope&, float) {}
void ropeSubstep(Rope&, float) {}
void drawRopeTube(const Rope&) {}
