#include "wrestler/rules.h"

int onClipEnd(Wrestler&, int, int queuedClip) { return queuedClip; }  // TODO(issue 3)
