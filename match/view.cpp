#include "match/view.h"

double shadowClipPlanes[4][4];

void setupView() {}  // TODO(issue 6)
void defineShadowClipPlanes() {}
