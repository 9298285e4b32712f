// Matrices, vectors and spline key tracks.
#include "anim/maths.h"

#include <gtest/gtest.h>

namespace {

KeyTrack trackOf(std::initializer_list<std::pair<float, float>> keys)
{
    KeyTrack track;
    trackCreate(track);
    for (auto [time, value] : keys) {
        track.keys[static_cast<std::size_t>(track.count)] = Key{value, time, 0};
        ++track.count;
    }
    trackSolveSpline(track);
    return track;
}

TEST(Matrix, QuarterTurnAboutYFallsJustShortOfARightAngle)
{
    Matrix4 m;
    matIdentity(m);
    matRotate(m, 90, 0, 1, 0);
    Vector3 p;
    matTransformPoint(p, m, 1, 0, 0);
    // 6.282 for two pi leaves the turn 0.017 degrees short.
    EXPECT_NEAR(p.x, 0.000296, 0.00001);
    EXPECT_NEAR(p.y, 0, 1e-12);
    EXPECT_NEAR(p.z, -1, 1e-6);
}

TEST(Matrix, MultiplyIntoAnOperandGivesTheSameProduct)
{
    Matrix4 a, b;
    for (int i = 0; i < 16; ++i) {
        a.m[i] = i * 0.5 - 3;
        b.m[i] = (i % 3) - 1.25 * (i % 5);
    }
    Matrix4 separate;
    matMultiply(separate, a, b);
    Matrix4 left = a;
    matMultiply(left, left, b);
    Matrix4 right = b;
    matMultiply(right, a, right);
    for (int i = 0; i < 16; ++i) {
        EXPECT_DOUBLE_EQ(left.m[i], separate.m[i]);
        EXPECT_DOUBLE_EQ(right.m[i], separate.m[i]);
    }
}

TEST(Matrix, TranslateThenRotateActsRightFactorFirst)
{
    Matrix4 m;
    matIdentity(m);
    matTranslate(m, 1, 2, 3);
    matRotate(m, 90, 0, 0, 1);
    Vector3 p, d;
    matTransformPoint(p, m, 1, 0, 0);
    matTransformDirection(d, m, 1, 0, 0);
    EXPECT_NEAR(p.x, 1, 1e-3);
    EXPECT_NEAR(p.y, 3, 1e-3);
    EXPECT_NEAR(p.z, 3, 1e-12);
    EXPECT_NEAR(d.y, 1, 1e-6);          // directions ignore the translation
    EXPECT_NEAR(d.x, 0.000296, 1e-5);
}

TEST(Vector, NormaliseZeroAndThreeFourFive)
{
    Vector3 zero{0, 0, 0};
    EXPECT_EQ(vecNormalize(zero), 0);
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);

    Vector3 v{3, 0, 4};
    EXPECT_DOUBLE_EQ(vecNormalize(v), 5);
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0);
    EXPECT_DOUBLE_EQ(v.z, 0.8);

    Vector3 huge{3e300, 0, -4e300};     // no overflow in the squares
    EXPECT_DOUBLE_EQ(vecNormalize(huge), 5e300);
    EXPECT_DOUBLE_EQ(huge.z, -0.8);
}

TEST(Vector, CrossProductMayWriteIntoAnOperand)
{
    Vector3 x{1, 0, 0}, y{0, 1, 0};
    vecCross(x, x, y);
    EXPECT_EQ(x.x, 0);
    EXPECT_EQ(x.y, 0);
    EXPECT_EQ(x.z, 1);
    Vector3 s;
    vecScale(s, 0.5, 2, -4, 6);
    EXPECT_EQ(s.x, 1);
    EXPECT_EQ(s.y, -2);
    EXPECT_EQ(s.z, 3);
}

TEST(Spline, ThreeKeysMatchTheHandSolvedNaturalCubic)
{
    // Through (0,0), (1,1), (2,0) with zero curvature at the ends the middle
    // second derivative is -3, and on [0,1] the curve is 1.5t - 0.5t^3.
    KeyTrack track = trackOf({{0, 0}, {1, 1}, {2, 0}});
    EXPECT_FLOAT_EQ(track.keys[0].secondDerivative, 0);
    EXPECT_FLOAT_EQ(track.keys[1].secondDerivative, -3);
    EXPECT_FLOAT_EQ(track.keys[2].secondDerivative, 0);
    EXPECT_FLOAT_EQ(trackSample(track, 0.5f), 0.6875f);
    EXPECT_FLOAT_EQ(trackSample(track, 1.5f), 0.6875f);
    EXPECT_FLOAT_EQ(trackSample(track, 0.25f), 1.5f * 0.25f - 0.5f * 0.25f * 0.25f * 0.25f);
}

TEST(Spline, UnevenKeysMatchTheHandSolvedSystem)
{
    // Keys at 0, 1, 3, 4 with values 0, 2, 2, 0. The inner second
    // derivatives solve 6*M1 + 2*M2 = -12 and 2*M1 + 6*M2 = -12 (the usual
    // tridiagonal system), so M1 = M2 = -1.5.
    KeyTrack track = trackOf({{0, 0}, {1, 2}, {3, 2}, {4, 0}});
    EXPECT_NEAR(track.keys[1].secondDerivative, -1.5f, 1e-6);
    EXPECT_NEAR(track.keys[2].secondDerivative, -1.5f, 1e-6);
    // Midway between the equal middle keys (h = 2) the curve bulges by
    // (a^3 - a + b^3 - b) * M * h^2 / 6 = 0.75.
    EXPECT_NEAR(trackSample(track, 2), 2 + 4.0f / 8 * 1.5f, 1e-5);
}

TEST(Track, SamplingEndsKeysAndEmptyTracks)
{
    KeyTrack empty;
    trackCreate(empty);
    EXPECT_EQ(trackSample(empty, 3), 0);

    KeyTrack single = trackOf({{5, 7.25f}});
    EXPECT_EQ(trackSample(single, -100), 7.25f);
    EXPECT_EQ(trackSample(single, 5), 7.25f);
    EXPECT_EQ(trackSample(single, 100), 7.25f);

    KeyTrack line = trackOf({{0, 1}, {10, 3}});
    EXPECT_FLOAT_EQ(trackSample(line, 2.5f), 1.5f);
    EXPECT_EQ(trackSample(line, -1), 1);
    EXPECT_EQ(trackSample(line, 11), 3);

    // A sample at a key's time returns the stored value bit for bit.
    KeyTrack curve = trackOf({{0, 0.1f}, {1, 0.7f}, {2, -0.3f}, {3, 0.9f}});
    EXPECT_EQ(trackSample(curve, 2), -0.3f);
}

TEST(Track, InsertReplacesKeepsOrderAndIgnoresAFullTrack)
{
    KeyTrack track = trackOf({{0, 0}, {10, 10}});
    trackInsertKey(track, -5, 4);
    ASSERT_EQ(track.count, 3);
    EXPECT_EQ(track.keys[0].time, -5);
    EXPECT_EQ(track.keys[0].value, 4);
    trackInsertKey(track, -5, 6);       // same time: replaced, count unchanged
    ASSERT_EQ(track.count, 3);
    EXPECT_EQ(track.keys[0].value, 6);
    EXPECT_EQ(trackSample(track, -5), 6);
    trackInsertKey(track, 20, 1);
    EXPECT_EQ(track.endTime, 20);
    EXPECT_EQ(track.keys[3].time, 20);

    KeyTrack full;
    trackCreate(full);
    for (int i = 0; i < trackCapacity; ++i)
        trackInsertKey(full, static_cast<float>(i), static_cast<float>(i % 7));
    ASSERT_EQ(full.count, trackCapacity);
    trackInsertKey(full, 200, 1);
    EXPECT_EQ(full.count, trackCapacity);
    EXPECT_EQ(full.keys[trackCapacity - 1].time, trackCapacity - 1);
}

TEST(Track, RemovingAMissingKeyChangesNothing)
{
    KeyTrack track = trackOf({{0, 0}, {1, 3}, {2, 1}, {4, 2}});
    // Spoil the derivatives: a re-solve would restore them, a no-op keeps them.
    track.keys[1].secondDerivative = 42;
    trackRemoveKey(track, 3);
    EXPECT_EQ(track.count, 4);
    EXPECT_EQ(track.keys[1].secondDerivative, 42);

    trackRemoveKey(track, 1);
    ASSERT_EQ(track.count, 3);
    EXPECT_EQ(track.keys[1].time, 2);
    EXPECT_NE(track.keys[1].secondDerivative, 42);
}

} // namespace
