#include "match/fireworks.h"

FireworkSystem fireworks;

void initFireworks(FireworkSystem&, int) {}  // TODO(issue 6)
void updateFireworks(FireworkSystem&, float, int) {}
void drawFireworks(const FireworkSystem&) {}
void fireworksFrame(float, int) {}
