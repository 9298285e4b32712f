// Turning a clip's joint rotations into the matrices skinning needs.
#pragma once

struct Animation;

// Fills worldMatrix and bindInverse of every bone reachable from the root.
// Uses one global matrix stack: not re-entrant.
void evaluatePose(Animation& animation);
