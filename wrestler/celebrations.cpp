#include "wrestler/pins.h"

void cornerCelebration(Wrestler&, int, float) {}  // TODO(issue 6)
void centreCelebration(Wrestler&, int, float) {}
