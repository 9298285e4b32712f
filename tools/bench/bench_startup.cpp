// Times the start-up loading of the body and every clip of both wrestlers:
// readConfig on a run directory's game.ini, then loadBodyAndClips. Also
// times one parse of each clip file, and the old scheme that parsed the
// skeleton for every clip slot and every clip file for each wrestler.
//
// Usage: bench_startup <run directory> [repetitions]
#include "tools/bench/quiet_stdout.h"
#include "assets/catalogue.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every slot parses the skeleton, every wrestler parses every clip.
void loadEverythingTwice()
{
    for (int id : clipLoadOrder)
        for (Wrestler* w : {&playerOne, &playerTwo}) {
            Animation& slot = w->clips[static_cast<std::size_t>(id)];
            slot = Animation{};
            loadSkeleton(slot, dataPath("man.bone"));
        }
    loadMesh(bodyMesh, dataPath("man_low.mesh"));
    for (int id : clipLoadOrder)
        for (Wrestler* w : {&playerOne, &playerTwo})
            loadAnimation(w->clips[static_cast<std::size_t>(id)], dataPath(clipFiles[static_cast<std::size_t>(id)]));
}

struct Timing {
    double best = 1e300, total = 0;
    void add(double ms)
    {
        best = std::min(best, ms);
        total += ms;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <run directory> [repetitions]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "bench_startup: cannot enter %s\n", argv[1]);
        return 1;
    }
    readConfig("game.ini");

    Timing startup, old;
    std::vector<double> clipCost(clipCount, 1e300);
    double skeletonCost = 1e300, meshCost = 1e300;
    const int saved = quietStdout();
    for (int r = 0; r < repetitions; ++r) {
        resetWrestler(playerOne);
        resetWrestler(playerTwo);
        Clock::time_point start = Clock::now();
        loadBodyAndClips();
        startup.add(millisecondsSince(start));

        start = Clock::now();
        loadEverythingTwice();
        old.add(millisecondsSince(start));

        auto scratch = std::make_unique<Animation>();
        start = Clock::now();
        loadSkeleton(*scratch, dataPath("man.bone"));
        skeletonCost = std::min(skeletonCost, millisecondsSince(start));
        const Animation skeleton = *scratch;
        auto mesh = std::make_unique<Mesh>();
        start = Clock::now();
        loadMesh(*mesh, dataPath("man_low.mesh"));
        meshCost = std::min(meshCost, millisecondsSince(start));
        for (int id = 0; id < clipCount; ++id) {
            *scratch = skeleton;
            const std::string path = dataPath(clipFiles[static_cast<std::size_t>(id)]);
            start = Clock::now();
            loadAnimation(*scratch, path.c_str());
            clipCost[static_cast<std::size_t>(id)] =
                std::min(clipCost[static_cast<std::size_t>(id)], millisecondsSince(start));
        }
    }
    restoreStdout(saved);

    double clipTotal = 0;
    int slowest = 0;
    for (int id = 0; id < clipCount; ++id) {
        clipTotal += clipCost[static_cast<std::size_t>(id)];
        if (clipCost[static_cast<std::size_t>(id)] > clipCost[static_cast<std::size_t>(slowest)])
            slowest = id;
    }
    std::printf("run directory: %s (%d repetitions, best and mean)\n", argv[1], repetitions);
    std::printf("full catalogue (loadBodyAndClips): %.2f ms best, %.2f ms mean\n", startup.best,
                startup.total / repetitions);
    std::printf("parsing every file for every slot: %.2f ms best, %.2f ms mean\n", old.best,
                old.total / repetitions);
    std::printf("one skeleton parse: %.3f ms; the mesh: %.3f ms\n", skeletonCost, meshCost);
    std::printf("one clip parse: %.3f ms on average over %d clips, slowest %s at %.3f ms\n",
                clipTotal / clipCount, clipCount, clipFiles[static_cast<std::size_t>(slowest)],
                clipCost[static_cast<std::size_t>(slowest)]);
    return 0;
}
