#include "wrestler/movement.h"

void walkHandler(Wrestler&, int, int, int, int, Wrestler&) {}  // TODO(moves)
void runHandler(Wrestler&, int, int, int, int, Wrestler&) {}
