// The 54 clips, authored as keyframed poses and written as ".anim" files.
#pragma once

#include <string>

// Writes every clip file of the catalogue into the data directory.
void writeClips(const std::string& dataDir);
