#include "anim/pose.h"

#include "assets/skeleton.h"

// The walk state: one running matrix and one running inverse rest
// translation, with a stack each for the way back up the tree.
static Matrix4 poseMatrix;
static Matrix4 poseInverse;
static Matrix4 poseStack[maxBoneDepth];
static Matrix4 inverseStack[maxBoneDepth];
static int poseDepth;

static void visitBone(Animation& animation, int b)
{
    // Indices outside the bone array end the walk like -1; the loader never
    // lets them through, but a hand-built record should not crash the game.
    if (b < 0 || b >= animation.boneCount || poseDepth >= maxBoneDepth)
        return;
    Bone& bone = animation.bones[static_cast<std::size_t>(b)];
    matCopy(poseInverse, bone.bindInverse);

    // Siblings hang in the same frame as this bone.
    visitBone(animation, bone.nextSibling);

    matCopy(poseMatrix, poseStack[poseDepth]);
    matCopy(poseInverse, inverseStack[poseDepth]);
    ++poseDepth;

    matRotate(poseMatrix, bone.rotation[0], 1, 0, 0);
    matRotate(poseMatrix, bone.rotation[1], 0, 1, 0);
    matRotate(poseMatrix, bone.rotation[2], 0, 0, 1);
    matCopy(poseMatrix, bone.worldMatrix);
    matTranslate(poseMatrix, bone.offset[0], bone.offset[1], bone.offset[2]);
    matTranslate(poseInverse, -bone.offset[0], -bone.offset[1], -bone.offset[2]);

    visitBone(animation, bone.firstChild);

    --poseDepth;
    matCopy(poseStack[poseDepth], poseMatrix);
    matCopy(inverseStack[poseDepth], poseInverse);
}

void evaluatePose(Animation& animation)
{
    poseDepth = 0;
    matIdentity(poseMatrix);
    matIdentity(poseInverse);
    visitBone(animation, animation.rootBone);
}
