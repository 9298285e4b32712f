// Grabs, holds, throws, the four signature moves and the running elbow drop.
#pragma once

struct Wrestler;

void grabHandler(Wrestler& w, int grab, Wrestler& o);
void suplexHandler(Wrestler& w, int up, Wrestler& o);
void slamHandler(Wrestler& w, int strike, Wrestler& o);
void throwHandler(Wrestler& w, int down, Wrestler& o);
void signatureHandler(Wrestler& w, int special, Wrestler& o, int character);
void elbowDropHandler(Wrestler& w, Wrestler& o);
