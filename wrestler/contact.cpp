#include "wrestler/movement.h"

void applyStep(Wrestler&, Wrestler&, float, float) {}  // TODO(issue 3)
