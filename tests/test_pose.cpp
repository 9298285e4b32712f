// The pose walk over a first-child/next-sibling bone tree.
#include "anim/pose.h"
#include "assets/skeleton.h"

#include <gtest/gtest.h>

namespace {

// A hand-built skeleton: bones with offsets and links, rotations 0.
Animation skeletonOf(std::vector<std::array<float, 3>> offsets, std::vector<std::pair<int, int>> links, int root = 0)
{
    Animation a;
    a.boneCount = static_cast<int>(offsets.size());
    a.boneCapacity = a.boneCount;
    a.rootBone = root;
    a.bones.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        for (int k = 0; k < 3; ++k)
            a.bones[i].offset[k] = offsets[i][static_cast<std::size_t>(k)];
        a.bones[i].firstChild = links[i].first;
        a.bones[i].nextSibling = links[i].second;
    }
    return a;
}

void expectIdentity(const Matrix4& m)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m.m[i], (i % 5 == 0) ? 1.0 : 0.0, 1e-12) << "element " << i;
}

Vector3 skinned(const Bone& b, double x, double y, double z)
{
    Vector3 local, world;
    matTransformPoint(local, b.bindInverse, x, y, z);
    matTransformPoint(world, b.worldMatrix, local.x, local.y, local.z);
    return world;
}

// root 0 -> 1 (children 2 and 3, siblings), 3 -> 4
Animation smallTree(bool swapSiblings)
{
    std::vector<std::pair<int, int>> links = {{1, -1}, {2, -1}, {-1, 3}, {4, -1}, {-1, -1}};
    if (swapSiblings)
        links = {{1, -1}, {3, -1}, {-1, -1}, {4, 2}, {-1, -1}};
    return skeletonOf({{0, 1, 0}, {0, 2, 0}, {1, 0, 0}, {-1, 0.5f, 0}, {0, 0, 2}}, links);
}

TEST(Pose, RestPoseProductsAreIdentities)
{
    Animation a = smallTree(false);
    evaluatePose(a);
    for (const Bone& b : a.bones) {
        Matrix4 product;
        matMultiply(product, b.worldMatrix, b.bindInverse);
        expectIdentity(product);
    }
    expectIdentity(a.bones[0].bindInverse);
    // bindInverse is minus the joint's rest position.
    EXPECT_DOUBLE_EQ(a.bones[4].bindInverse.m[3], 1);
    EXPECT_DOUBLE_EQ(a.bones[4].bindInverse.m[7], -3.5);
    EXPECT_DOUBLE_EQ(a.bones[4].bindInverse.m[11], 0);
}

TEST(Pose, SiblingOrderChangesNoMatrix)
{
    Animation a = smallTree(false), b = smallTree(true);
    a.bones[1].rotation[2] = 30;
    b.bones[1].rotation[2] = 30;
    a.bones[3].rotation[0] = -45;
    b.bones[3].rotation[0] = -45;
    evaluatePose(a);
    evaluatePose(b);
    for (std::size_t i = 0; i < a.bones.size(); ++i)
        for (int k = 0; k < 16; ++k) {
            EXPECT_DOUBLE_EQ(a.bones[i].worldMatrix.m[k], b.bones[i].worldMatrix.m[k]);
            EXPECT_DOUBLE_EQ(a.bones[i].bindInverse.m[k], b.bones[i].bindInverse.m[k]);
        }
}

TEST(Pose, ARotationTurnsTheBoneAndEverythingBelowItAboutTheJoint)
{
    Animation a = smallTree(false);
    a.bones[1].rotation[2] = 90;        // joint 1 sits at (0, 1, 0)
    evaluatePose(a);
    // The tip of bone 1, rest (0, 3, 0), swings to about (-2, 1, 0).
    const Vector3 tip = skinned(a.bones[2], 0, 3, 0);
    EXPECT_NEAR(tip.x, -2, 1e-3);
    EXPECT_NEAR(tip.y, 1, 1e-3);
    // Bone 0 is above the rotation and stays put.
    const Vector3 base = skinned(a.bones[0], 0, 0.5, 0);
    EXPECT_NEAR(base.y, 0.5, 1e-12);
    // bindInverse never sees rotations.
    EXPECT_DOUBLE_EQ(a.bones[2].bindInverse.m[7], -3);
}

TEST(Pose, RootNeedNotBeZeroAndMinusOneTouchesNothing)
{
    Animation a = skeletonOf({{0, 1, 0}, {0, 0, 0}}, {{-1, -1}, {0, -1}}, 1);
    evaluatePose(a);
    EXPECT_DOUBLE_EQ(a.bones[0].bindInverse.m[7], 0);
    expectIdentity(a.bones[1].worldMatrix);

    Animation none = skeletonOf({{0, 1, 0}}, {{-1, -1}}, -1);
    none.bones[0].worldMatrix.m[0] = 7;
    evaluatePose(none);
    EXPECT_EQ(none.bones[0].worldMatrix.m[0], 7);
}

TEST(Pose, ATreeTwentyLevelsDeepIsWalkedToTheLeaf)
{
    std::vector<std::array<float, 3>> offsets(maxBoneDepth, {0, 1, 0});
    std::vector<std::pair<int, int>> links;
    for (int i = 0; i < maxBoneDepth; ++i)
        links.push_back({i + 1 < maxBoneDepth ? i + 1 : -1, -1});
    Animation a = skeletonOf(offsets, links);
    a.bones[0].rotation[0] = 90;
    evaluatePose(a);
    const Bone& leaf = a.bones[maxBoneDepth - 1];
    EXPECT_DOUBLE_EQ(leaf.bindInverse.m[7], -(maxBoneDepth - 1));
    // The whole chain tips over about x: the leaf's joint ends up along +z.
    Vector3 joint;
    matTransformPoint(joint, leaf.worldMatrix, 0, 0, 0);
    EXPECT_NEAR(joint.z, maxBoneDepth - 1, 0.01);
    EXPECT_NEAR(joint.y, 0, 0.01);
}

} // namespace
