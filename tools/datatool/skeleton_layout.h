// The wrestler's joint hierarchy as the data tool writes it to "man.bone".
// The numbering is forced by skin binding: 0 pelvis, 1 root (no vertices),
// 2-4 and 5-7 the legs (-x and +x), 8 torso, 9 and 13 shoulder connectors,
// 10-12 and 14-16 the arms (-x and +x), 17 head. The legs use a hip
// connector (2, 5) so the thighs (3, 6) swing about the real hip sockets.
//
// Rest pose: a T-pose facing +z, the waist at the origin, soles at y = -4.6.
#pragma once

#include <array>

struct JointLayout {
    float offset[3];        // bone vector in the joint's own frame
    int parent, firstChild, nextSibling;
    const char* name;
};

constexpr int layoutJointCount = 18;
constexpr int layoutRootJoint = 1;

// Heights and widths the mesh is built around (rest pose, scene units).
constexpr float hipLineY = -0.9f;
constexpr float hipSocketX = 0.75f;
constexpr float kneeY = -2.75f;
constexpr float ankleY = -4.3f;
constexpr float soleY = -4.6f;
constexpr float neckBaseY = 2.9f;
constexpr float shoulderX = 1.4f;
constexpr float shoulderY = 2.6f;
constexpr float elbowX = 3.0f;
constexpr float wristX = 4.45f;
constexpr float fingerTipX = 5.2f;
constexpr float headTopY = 4.6f;
constexpr float ballZ = 0.7f;   // the ball of the foot, where the shin-and-foot bone ends

// Root height that puts the soles on the floor in a standing clip.
constexpr float standingRootHeight = -soleY;

constexpr std::array<JointLayout, layoutJointCount> skeletonLayout{{
    /* 0 */ {{0, hipLineY, 0}, 1, 2, 8, "pelvis"},
    /* 1 */ {{0, 0, 0}, -1, 0, -1, "root"},
    /* 2 */ {{-hipSocketX, 0, 0}, 0, 3, 5, "hip connector -x"},
    /* 3 */ {{0, kneeY - hipLineY, 0}, 2, 4, -1, "thigh -x"},
    /* 4 */ {{0, ankleY - kneeY, ballZ}, 3, -1, -1, "shin and foot -x"},
    /* 5 */ {{hipSocketX, 0, 0}, 0, 6, -1, "hip connector +x"},
    /* 6 */ {{0, kneeY - hipLineY, 0}, 5, 7, -1, "thigh +x"},
    /* 7 */ {{0, ankleY - kneeY, ballZ}, 6, -1, -1, "shin and foot +x"},
    /* 8 */ {{0, neckBaseY, 0}, 1, 9, -1, "torso"},
    /* 9 */ {{-shoulderX, shoulderY - neckBaseY, 0}, 8, 10, 13, "shoulder connector -x"},
    /*10 */ {{-(elbowX - shoulderX), 0, 0}, 9, 11, -1, "upper arm -x"},
    /*11 */ {{-(wristX - elbowX), 0, 0}, 10, 12, -1, "forearm -x"},
    /*12 */ {{-(fingerTipX - wristX), 0, 0}, 11, -1, -1, "hand -x"},
    /*13 */ {{shoulderX, shoulderY - neckBaseY, 0}, 8, 14, 17, "shoulder connector +x"},
    /*14 */ {{elbowX - shoulderX, 0, 0}, 13, 15, -1, "upper arm +x"},
    /*15 */ {{wristX - elbowX, 0, 0}, 14, 16, -1, "forearm +x"},
    /*16 */ {{fingerTipX - wristX, 0, 0}, 15, -1, -1, "hand +x"},
    /*17 */ {{0, headTopY - neckBaseY, 0}, 8, -1, -1, "head"},
}};
