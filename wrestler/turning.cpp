#include "wrestler/movement.h"

void turnStep(Wrestler&, float) {}  // TODO(issue 6)
void facePoint(Wrestler&, float, float, float) {}
