// The data tool: writes game.ini and every data file the game reads into one
// directory, the same bytes on every run.
#include "tools/datatool/body_mesh.h"
#include "tools/datatool/clips.h"
#include "tools/datatool/skeleton_layout.h"
#include "tools/datatool/sounds.h"
#include "tools/datatool/textures.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

static std::FILE* openOutput(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "tarvok_data: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return f;
}

static void writeGameIni(const std::string& dir)
{
    std::FILE* f = openOutput(dir + "/game.ini");
    // Data beside game.ini; sounds beside the data, the host part dropped
    // (its conversion prints nothing).
    std::fprintf(f, "data/\n%%.0sdata/%%s\n");
    std::fclose(f);
}

static void writeSkeleton(const std::string& dataDir)
{
    std::FILE* f = openOutput(dataDir + "/man.bone");
    std::fprintf(f, "%d\n%d\n", layoutJointCount, layoutRootJoint);
    for (const JointLayout& j : skeletonLayout) {
        std::fprintf(f, "%g %g %g\n", j.offset[0], j.offset[1], j.offset[2]);
        std::fprintf(f, "%d %d %d\n", j.parent, j.firstChild, j.nextSibling);
        std::fprintf(f, "0 0\n");
    }
    std::fclose(f);
}

static void writeMesh(const std::string& dataDir)
{
    const std::string text = bodyMeshText(buildBodyMesh());
    std::FILE* f = openOutput(dataDir + "/man_low.mesh");
    if (std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
        std::fprintf(stderr, "tarvok_data: cannot write %s/man_low.mesh\n", dataDir.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const std::string dataDir = dir + "/data";
    mkdir(dir.c_str(), 0755);
    mkdir(dataDir.c_str(), 0755);
    writeSkeleton(dataDir);
    writeMesh(dataDir);
    writeTextures(dataDir);
    writeClips(dataDir);
    writeSounds(dataDir);
    writeGameIni(dir);
    return 0;
}
