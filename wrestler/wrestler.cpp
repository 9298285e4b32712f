#include "wrestler/wrestler.h"

Wrestler playerOne;
Wrestler playerTwo;
int separationOn = 1;

// TODO(issue 3)
double headingRadians(float) { return 0; }
float normalizeHeading(float h) { return h; }
bool isFree(const Wrestler&) { return false; }
float distanceTo(const Wrestler&, const Wrestler&) { return 0; }
FloorPoint pointAhead(const Wrestler&, float) { return {0, 0}; }
void placeInFront(const Wrestler&, Wrestler&) {}
void saveAnchors(Wrestler&) {}
void restoreAnchors(Wrestler&) {}
bool roomInRing(float, float, float, float) { return false; }
float snapHeading(float h) { return h; }
void resetWrestler(Wrestler&) {}
