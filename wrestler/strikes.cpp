#include "wrestler/strikes.h"

void kickHandler(Wrestler&, int, Wrestler&) {}  // TODO(moves)
void runPunchHandler(Wrestler&, int, Wrestler&) {}
void hitRunnerHandler(Wrestler&, int, Wrestler&) {}
void punchHandler(Wrestler&, int, Wrestler&) {}
void punchContact(Wrestler&, Wrestler&) {}
void kickContact(Wrestler&, Wrestler&) {}
void getUpHandler(Wrestler&, int, Wrestler&) {}
