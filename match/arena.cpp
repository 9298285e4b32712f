#include "match/arena.h"

void drawFloor() {}  // TODO(issue 6)
void drawRing() {}
void drawPostsAndRopes() {}
void drawCrowd() {}
void drawPanel(float, float, unsigned int, int) {}
void drawStand() {}
void drawBox(float, float, float) {}
