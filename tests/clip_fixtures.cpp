#include "tests/clip_fixtures.h"

#include "anim/maths.h"
#include "assets/catalogue.h"
#include "tests/gl_context.h"
#include "tests/support.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

FixtureClip straightClip(float length, float forward, float sideways, float pose)
{
    FixtureClip clip;
    // Three collinear keys: the spline is a straight line, root motion even.
    const float beyond = (length + 10) / length;
    clip.root[0] = {{0, 0}, {length, sideways}, {length + 10, sideways * beyond}};
    clip.root[1] = {{0, 4.6f}};
    clip.root[2] = {{0, 0}, {length, forward}, {length + 10, forward * beyond}};
    clip.rotations.assign(static_cast<std::size_t>(clip.joints) * 3, FixtureKeys{});
    for (int j = 0; j < clip.joints; ++j)
        clip.rotations[static_cast<std::size_t>(j) * 3] = {{0, pose}, {length, pose}};
    return clip;
}

std::string trackText(const FixtureKeys& keys)
{
    // Room for more keys than the game allows, for files that break the limit.
    KeyTrack track;
    trackCreate(track, std::max(trackCapacity, static_cast<int>(keys.size())));
    for (const auto& [time, value] : keys) {
        track.keys[static_cast<std::size_t>(track.count)] = Key{value, time, 0};
        ++track.count;
    }
    // Keys out of order would give the solver a division by zero; such a
    // file is only written to be refused, so its derivatives stay 0.
    bool ascending = true;
    for (std::size_t k = 1; k < keys.size(); ++k)
        ascending = ascending && keys[k].first > keys[k - 1].first;
    if (ascending)
        trackSolveSpline(track);
    std::ostringstream text;
    text.precision(9);
    text << track.count << "\n" << (keys.empty() ? 0.0f : keys.back().first) << "\n";
    for (int k = 0; k < track.count; ++k) {
        const Key& key = track.keys[static_cast<std::size_t>(k)];
        text << key.time << " " << key.value << " " << key.secondDerivative << "\n";
    }
    return text.str();
}

std::string clipText(const FixtureClip& clip)
{
    std::string text = std::to_string(clip.joints) + "\n";
    for (const FixtureKeys& keys : clip.root)
        text += trackText(keys);
    for (const FixtureKeys& keys : clip.rotations)
        text += trackText(keys);
    return text;
}

std::string meshText(const std::vector<float>& xyz, float scale)
{
    const std::size_t nv = xyz.size() / 3;
    const std::size_t nf = nv / 3;
    std::ostringstream text;
    text << scale << "\n" << nv << "\n" << nf << "\n";
    for (std::size_t i = 0; i < nv; ++i)
        text << i << " " << xyz[i * 3] << " " << xyz[i * 3 + 1] << " " << xyz[i * 3 + 2] << "\n";
    for (std::size_t f = 0; f < nf; ++f)
        text << f * 3 << " " << f * 3 + 1 << " " << f * 3 + 2 << " 0\n";
    text << nv << "\n";
    for (std::size_t i = 0; i < nv; ++i)
        text << i << " 0.5 0.25 0\n";
    for (std::size_t f = 0; f < nf; ++f)
        text << f << " " << f * 3 << " " << f * 3 + 1 << " " << f * 3 + 2 << "\n";
    for (std::size_t f = 0; f < nf; ++f) {
        text << f << " 0 0 1\n";
        for (std::size_t k = 0; k < 3; ++k)
            text << f * 3 + k << " 0 0 1\n";
    }
    return text.str();
}

void writeDataSet(const std::string& dir)
{
    const std::string data = dir + "/data/";
    mkdir(data.c_str(), 0755);
    writeFile(dir + "/game.ini", data + "\n%.0s" + data + "%s\n");
    writeFile(data + "man.bone", layoutSkeletonText());
    // An upper-body and a lower-body triangle.
    writeFile(data + "man_low.mesh", meshText({0, 1, 0, 0.5f, 2, 0, -0.5f, 2, 0, 0, -1, 0, 0.5f, -2, 0, -0.5f, -2, 0}));
    for (int id = 0; id < clipCount; ++id)
        writeFile(data + clipFiles[static_cast<std::size_t>(id)],
                  clipText(straightClip(40, static_cast<float>(id + 1))));
}

bool loaderGlContext()
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
    const bool ready = ensureGlContext();
    __lsan_enable();
    return ready;
#else
    return ensureGlContext();
#endif
}

static std::vector<std::string> exitRemovals;

static void removeDirectories()
{
    std::error_code ignored;
    for (const std::string& directory : exitRemovals)
        std::filesystem::remove_all(directory, ignored);
}

void removeAtExit(const std::string& directory)
{
    if (exitRemovals.empty())
        std::atexit(removeDirectories);
    exitRemovals.push_back(directory);
}
