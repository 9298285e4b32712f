// Small data files for the loader and player tests: clip files built from
// (time, value) keys with the game's own spline solver, and a complete data
// set with every file start-up reads.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using FixtureKeys = std::vector<std::pair<float, float>>;   // (time, value)

struct FixtureClip {
    int joints = 18;
    FixtureKeys root[6];
    std::vector<FixtureKeys> rotations;     // joints * 3 tracks, x y z per joint
};

// A clip of the given length whose root walks `forward` units along root
// track 2 (and `sideways` along root track 0) by its loop point, standing at
// the usual height, every joint held at `pose` degrees about x.
FixtureClip straightClip(float length, float forward, float sideways = 0, float pose = 0);

// The clip as ".anim" text; second derivatives from the game's solver.
std::string clipText(const FixtureClip& clip);
// One track block alone, for building broken files by hand.
std::string trackText(const FixtureKeys& keys);

// A tiny mesh: `vertices` (x, y, z) with the given scale, one face per three
// vertices (texture selector 0), one texture coordinate per vertex, each face
// naming its own corners in its normal lines with the normal 0, 0, 1.
std::string meshText(const std::vector<float>& xyz, float scale = 1);

// The GL context of tests/gl_context.h, made with the leak checker paused:
// the context lives until the process ends, so what the driver allocates for
// it is not a leak of ours. False when there is no display.
bool loaderGlContext();

// Makes this test's death tests start the program afresh rather than fork
// it: a fork of a process that has drawn inherits a GL driver whose threads
// are gone, and its exit then waits for them for ever.
inline void deathTestsStartAfresh()
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
}

// For use inside a death test's statement: the child started afresh made its
// own temporary directory, and ends through exit(), which skips the
// directory's destructor; this removes the directory as the child exits.
void removeAtExit(const std::string& directory);

// Writes game.ini into `dir` and man.bone, man_low.mesh and all 54 clips into
// `dir`/data/. Clip id k walks k + 1 units per pass so the copies can be told
// apart.
void writeDataSet(const std::string& dir);
