#include "wrestler/pins.h"

void pinHandler(Wrestler&, int, Wrestler&) {}  // TODO(moves)
void kickOutHandler(Wrestler&, int, Wrestler&) {}
