#include "wrestler/grapples.h"

void grabHandler(Wrestler&, int, Wrestler&) {}  // TODO(moves)
void suplexHandler(Wrestler&, int, Wrestler&) {}
void slamHandler(Wrestler&, int, Wrestler&) {}
void throwHandler(Wrestler&, int, Wrestler&) {}
void signatureHandler(Wrestler&, int, Wrestler&, int) {}
void elbowDropHandler(Wrestler&, Wrestler&) {}
