#include "wrestler/rules.h"

void impactCheck(Wrestler&) {}  // TODO(issue 6)
void regenerateHealth(Wrestler&, float) {}
void behaviourStep(Wrestler&, Wrestler&, const PlayerKeys&) {}
