#include "assets/skeleton.h"

#include "assets/config.h"

#include <cstdio>
#include <vector>

static void readInts(std::FILE* f, const char* path, const char* what, int* values, int n)
{
    for (int i = 0; i < n; ++i)
        if (std::fscanf(f, " %i", &values[i]) != 1)
            dataFileError(path, "ends early, in %s", what);
}

static void readFloats(std::FILE* f, const char* path, const char* what, float* values, int n)
{
    for (int i = 0; i < n; ++i)
        if (std::fscanf(f, " %f", &values[i]) != 1)
            dataFileError(path, "ends early, in %s", what);
}

// Walks the first-child/next-sibling tree from the root and refuses a link
// that leads back to a joint already reached (a cycle or a shared joint) and
// a tree deeper than the pose walk's stack.
static void checkTree(const Animation& animation, const char* path)
{
    std::vector<char> reached(static_cast<std::size_t>(animation.boneCount), 0);
    struct Pending { int bone, depth; };
    std::vector<Pending> pending{{animation.rootBone, 1}};
    while (!pending.empty()) {
        const Pending p = pending.back();
        pending.pop_back();
        if (p.bone == -1)
            continue;
        if (reached[static_cast<std::size_t>(p.bone)])
            dataFileError(path, "joint %d is reached twice: the links form a cycle", p.bone);
        reached[static_cast<std::size_t>(p.bone)] = 1;
        if (p.depth > maxBoneDepth)
            dataFileError(path, "the joint tree is deeper than %d levels", maxBoneDepth);
        const Bone& bone = animation.bones[static_cast<std::size_t>(p.bone)];
        pending.push_back({bone.nextSibling, p.depth});
        pending.push_back({bone.firstChild, p.depth + 1});
    }
}

int loadSkeleton(Animation& animation, const char* path)
{
    std::FILE* f = std::fopen(path, "r");
    if (!f)
        dataFileError(path, "cannot be opened");

    int header[2];
    readInts(f, path, "the joint count", header, 1);
    const int count = header[0];
    if (count <= 0 || count > maxBoneCount)
        dataFileError(path, "joint count %d is not between 1 and %d", count, maxBoneCount);
    readInts(f, path, "the root joint", header + 1, 1);
    if (header[1] < 0 || header[1] >= count)
        dataFileError(path, "root joint %d is not one of the %d joints", header[1], count);

    animation.boneCount = count;
    animation.rootBone = header[1];
    animation.bones.assign(static_cast<std::size_t>(count), Bone{});
    animation.boneCapacity = count;
    for (float& r : animation.rootOffset)
        r = 0;
    for (KeyTrack& track : animation.rootTracks)
        trackCreate(track);

    for (int b = 0; b < count; ++b) {
        Bone& bone = animation.bones[static_cast<std::size_t>(b)];
        int links[3], tags[2];
        readFloats(f, path, "a joint offset", bone.offset, 3);
        readInts(f, path, "a joint's links", links, 3);
        readInts(f, path, "a joint's tags", tags, 2);
        for (int link : links)
            if (link < -1 || link >= count)
                dataFileError(path, "joint %d links to %d, which is not a joint", b, link);
        bone.parentIndex = links[0];
        bone.firstChild = links[1];
        bone.nextSibling = links[2];
        bone.tagA = tags[0];
        bone.tagB = tags[1];
        for (float& r : bone.rotation)
            r = 0;
        for (KeyTrack& track : bone.rotationTracks)
            trackCreate(track);
    }
    std::fclose(f);
    checkTree(animation, path);
    return 1;
}
