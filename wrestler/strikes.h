// Punches, kicks, running blows, hit reactions and getting up.
#pragma once

struct Wrestler;

void kickHandler(Wrestler& w, int strike, Wrestler& o);
void runPunchHandler(Wrestler& w, int strike, Wrestler& o);
void hitRunnerHandler(Wrestler& w, int strike, Wrestler& o);
void punchHandler(Wrestler& w, int strike, Wrestler& o);
void punchContact(Wrestler& w, Wrestler& o);
void kickContact(Wrestler& w, Wrestler& o);
void getUpHandler(Wrestler& w, int up, Wrestler& o);
