#include "tools/datatool/clips.h"

void writeClips(const std::string&) {}  // TODO(issue 5)
