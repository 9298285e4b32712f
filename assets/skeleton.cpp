#include "assets/skeleton.h"

#include "assets/clipfile.h"
#include "assets/config.h"

#include <vector>

// Walks the first-child/next-sibling tree from the root and refuses a link
// that leads back to a joint already reached (a cycle or a shared joint), a
// tree deeper than the pose walk's stack, and a joint the walk never
// reaches (it would never be posed).
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
            badData(path, "joint %d is reached twice: the links form a cycle", p.bone);
        reached[static_cast<std::size_t>(p.bone)] = 1;
        if (p.depth > maxBoneDepth)
            badData(path, "the joint tree is deeper than %d levels", maxBoneDepth);
        const Bone& bone = animation.bones[static_cast<std::size_t>(p.bone)];
        pending.push_back({bone.nextSibling, p.depth});
        pending.push_back({bone.firstChild, p.depth + 1});
    }
    for (int b = 0; b < animation.boneCount; ++b)
        if (!reached[static_cast<std::size_t>(b)])
            badData(path, "joint %d cannot be reached from the root joint %d", b, animation.rootBone);
}

void parseSkeleton(Animation& animation, std::string_view text, const char* path)
{
    DataText data = dataText(text, path);

    const int count = readInt(data, "the joint count");
    if (count <= 0 || count > maxBoneCount)
        badData(path, "joint count %d is not between 1 and %d", count, maxBoneCount);
    const int root = readInt(data, "the root joint");
    if (root < 0 || root >= count)
        badData(path, "root joint %d is not one of the %d joints", root, count);

    animation.boneCount = count;
    animation.rootBone = root;
    animation.bones.assign(static_cast<std::size_t>(count), Bone{});
    animation.boneCapacity = count;
    for (float& r : animation.rootOffset)
        r = 0;
    for (KeyTrack& track : animation.rootTracks)
        trackCreate(track);

    for (int b = 0; b < count; ++b) {
        Bone& bone = animation.bones[static_cast<std::size_t>(b)];
        for (float& o : bone.offset)
            o = readBoundedFloat(data, "a joint offset");
        int links[3];
        for (int& link : links)
            link = readInt(data, "a joint's links");
        bone.tagA = readInt(data, "a joint's tags");
        bone.tagB = readInt(data, "a joint's tags");
        for (int link : links)
            if (link < -1 || link >= count)
                badData(path, "joint %d links to %d, which is not a joint", b, link);
        bone.parentIndex = links[0];
        bone.firstChild = links[1];
        bone.nextSibling = links[2];
        for (float& r : bone.rotation)
            r = 0;
        for (KeyTrack& track : bone.rotationTracks)
            trackCreate(track);
    }
    checkTree(animation, path);
}

int loadSkeleton(Animation& animation, const char* path)
{
    loadDataFile(path, [&](const std::string& text) { parseSkeleton(animation, text, path); });
    return 1;
}
