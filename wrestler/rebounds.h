// Rope rebounds: bouncing off the ropes, holding them down, and jolting them.
#pragma once

struct Rope;
struct Wrestler;

void ropeContact(Wrestler& w, Wrestler& o);
void ropeRule(Wrestler& w, Wrestler& o, int trigger, int ropeClip, int nextClip,
              float windowStart, float windowEnd, float pushOut, int nextState, float margin);
// Lets go of the rope points the wrestler holds pressed out, if any.
void releaseHeldRopes(Wrestler& w);
void pinRopePoint(Rope& rope, int i);
void releaseRopePoint(Rope& rope, int i);
// Shakes all twelve ropes (a body hit the mat).
void ropeJolt();
