// Reading one keyframed clip (".anim") into a record whose skeleton is loaded.
#pragma once

struct Animation;

// Fills the record's key tracks from the file. A missing or short file, a
// joint count that differs from the skeleton's, a track of more than 100 keys,
// or root tracks that cannot give the clip a positive length stop the
// program with a one-line error. Returns 1.
int loadAnimation(Animation& animation, const char* path);
