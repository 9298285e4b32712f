// The joint hierarchy ("man.bone") and the clip record that carries its own
// copy of it.
#pragma once

#include "anim/maths.h"

#include <array>
#include <string_view>
#include <vector>

struct Bone {
    int tagA = 0, tagB = 0;                 // kept from the file, never read
    float rotation[3] = {0, 0, 0};          // degrees about x, y, z
    Matrix4 worldMatrix{};
    Matrix4 bindInverse{};
    float offset[3] = {0, 0, 0};            // bone vector in the joint's frame
    int parentIndex = -1;
    int firstChild = -1;
    int nextSibling = -1;
    std::array<KeyTrack, 3> rotationTracks;
};

// One clip: its own copy of the skeleton plus six root tracks
// (0 sideways, 1 height, 2 forward; 3 to 5 kept but never played).
struct Animation {
    std::vector<Bone> bones;
    int rootBone = 0;
    int boneCount = 0;
    int boneCapacity = 0;
    float rootOffset[3] = {0, 0, 0};
    std::array<KeyTrack, 6> rootTracks;
};

// The deepest bone tree the pose walk supports.
constexpr int maxBoneDepth = 20;
// More joints than this is taken for a corrupt file.
constexpr int maxBoneCount = 1000;

// Reads a skeleton file into a fresh record and creates every key track
// empty. A missing, short or inconsistent file stops the program with a
// one-line error naming it. Returns 1.
int loadSkeleton(Animation& animation, const char* path);
// The same from the file's text in memory; a problem is thrown as a
// DataFileError naming `file`.
void parseSkeleton(Animation& animation, std::string_view text, const char* file);
