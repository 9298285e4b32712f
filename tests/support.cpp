#include "tests/support.h"

#include "assets/catalogue.h"
#include "assets/clipfile.h"
#include "assets/skeleton.h"
#include "tools/datatool/skeleton_layout.h"
#include "wrestler/wrestler.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

TempDir::TempDir()
{
    char pattern[] = "/tmp/tarvok-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a temporary directory");
    path = pattern;
    owner = getpid();
}

TempDir::~TempDir()
{
    if (getpid() != owner)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string layoutSkeletonText()
{
    std::ostringstream text;
    text << layoutJointCount << "\n" << layoutRootJoint << "\n";
    for (const JointLayout& j : skeletonLayout)
        text << j.offset[0] << " " << j.offset[1] << " " << j.offset[2] << "\n"
             << j.parent << " " << j.firstChild << " " << j.nextSibling << "\n0 0\n";
    return text.str();
}

void generatedClips(Wrestler& w)
{
    const std::string data = std::string(TARVOK_RUN_DIR) + "/data/";
    for (int id = 0; id < clipCount; ++id) {
        Animation& a = w.clips[static_cast<std::size_t>(id)];
        a = Animation{};
        loadSkeleton(a, (data + "man.bone").c_str());
        loadAnimation(a, (data + clipFiles[static_cast<std::size_t>(id)]).c_str());
    }
}

void stillClips(Wrestler& w)
{
    for (Animation& a : w.clips) {
        a.bones.clear();
        a.boneCount = a.boneCapacity = 0;
        for (KeyTrack& t : a.rootTracks)
            trackCreate(t);
        for (int k : {0, 2})
            for (float t : {0.0f, 100.0f, 101.0f})
                trackInsertKey(a.rootTracks[static_cast<std::size_t>(k)], t, 0);
    }
}
