#include "wrestler/rebounds.h"

void ropeContact(Wrestler&, Wrestler&) {}  // TODO(moves)
void ropeRule(Wrestler&, Wrestler&, int, int, int, float, float, float, int, float) {}
void pinRopePoint(Rope&, int) {}
void releaseRopePoint(Rope&, int) {}
void ropeJolt() {}
