// Where each part of the body lies on the two body textures. The mesh builder
// lays its texture coordinates out by these numbers and the texture painter
// reads them back, so every character's textures fit the one mesh.
//
// Coordinates are image coordinates: s across, t down (row / height).
// Wrapping parts go round their axis: torso, head and trunks round the
// vertical axis across the full width (the image repeats, so the seam at
// the back needs no margin); arms and legs round their own axis within a
// strip, which carries a quarter turn extra so a face across the seam
// still samples its own strip. Areas keep a gap of a few rows between them,
// painted as the nearer area, so filtering at an area's edge never reaches
// into its neighbour.
#pragma once

namespace layout {

// Angle 0 is the front (+z) for vertical parts and the underside for arms.
constexpr float stripMargin = 0.25f;

// Texture 1: skin areas.
constexpr float torsoT0 = 0.0f, torsoT1 = 0.41f;     // neck base ring at the top
constexpr float torsoY0 = 2.95f, torsoY1 = 0.1f;
constexpr float armT0 = 0.42f, armT1 = 0.67f;        // the wrap runs down t
constexpr float armX0 = 1.0f, armX1 = 5.3f;          // -x arm in s 0..0.5, +x arm 0.5..1
constexpr float armAxisY = 2.5f;
constexpr float headT0 = 0.68f, headT1 = 0.99f;
constexpr float headY0 = 4.64f, headY1 = 2.95f;

// Texture 2: trunks, legs and boots.
constexpr float pelvisT0 = 0.0f, pelvisT1 = 0.28f;
constexpr float pelvisY0 = 0.1f, pelvisY1 = -1.0f;
constexpr float legT0 = 0.29f, legT1 = 0.99f;        // -x leg in s 0..0.5, +x leg 0.5..1
constexpr float legY0 = -1.0f, legY1 = -4.6f;
constexpr float legAxisX = 0.75f;

// Where one area's painting gives way to the next.
constexpr float torsoArmSplit = (torsoT1 + armT0) / 2;
constexpr float armHeadSplit = (armT1 + headT0) / 2;
constexpr float pelvisLegSplit = (pelvisT1 + legT0) / 2;

}  // namespace layout
