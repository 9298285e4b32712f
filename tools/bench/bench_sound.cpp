// Times what sound adds to start-up and to the frame that first asks for a
// sound: opening the device, then the first request of every sound file (it
// reads the file) against a later request of the same file (already kept).
// The start-up's body and clip loading, timed in the same run, is the
// baseline.
//
// Usage: bench_sound <run directory> [repetitions]
// Plays through SDL's silent "dummy" driver unless SDL_AUDIODRIVER says
// otherwise.
#include "tools/bench/quiet_stdout.h"
#include "assets/catalogue.h"
#include "assets/config.h"
#include "sound/sound.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of this thread: on a busy machine the wall clock also
// counts the time other programs had the processor.
double threadMilliseconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <run directory> [repetitions]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "bench_sound: cannot enter %s\n", argv[1]);
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    unsetenv("TARVOK_NO_SOUND");
    readConfig("game.ini");

    std::vector<std::string> names{"punchface.aiff", "fall.aiff", "bell.aiff", "crowd2.aiff", "bigcrowd2.aiff"};
    for (const CharacterProfile& p : roster)
        names.emplace_back(p.themeSoundFile);

    double startup = 1e300, open = 1e300;
    std::vector<double> first(names.size(), 1e300), firstCpu(names.size(), 1e300), later(names.size(), 1e300);
    const int saved = quietStdout();
    for (int r = 0; r < repetitions; ++r) {
        resetWrestler(playerOne);
        resetWrestler(playerTwo);
        Clock::time_point start = Clock::now();
        loadBodyAndClips();
        startup = std::min(startup, millisecondsSince(start));

        soundShutdown();
        start = Clock::now();
        soundInit();
        open = std::min(open, millisecondsSince(start));
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string path = soundPath(names[i].c_str());
            start = Clock::now();
            const double cpu = threadMilliseconds();
            soundStop(soundPlay(path.c_str(), 0));
            firstCpu[i] = std::min(firstCpu[i], threadMilliseconds() - cpu);
            first[i] = std::min(first[i], millisecondsSince(start));
            start = Clock::now();
            soundStop(soundPlay(path.c_str(), 0));
            later[i] = std::min(later[i], millisecondsSince(start));
        }
    }
    restoreStdout(saved);

    std::printf("run directory: %s (%d repetitions, best of each), driver %s\n", argv[1], repetitions,
                std::getenv("SDL_AUDIODRIVER"));
    std::printf("start-up body and clips (baseline): %.2f ms\n", startup);
    std::printf("opening the sound device: %.2f ms (%.2f x the baseline)\n", open, open / startup);
    std::size_t largest = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::printf("  %-16s first request %7.3f ms (%7.3f ms processor), later %6.3f ms\n", names[i].c_str(),
                    first[i], firstCpu[i], later[i]);
        if (first[i] > first[largest])
            largest = i;
    }
    std::printf("slowest first request: %s, %.3f ms (%.3f ms processor; %.3f x the baseline, %.2f of a 60 Hz frame)\n",
                names[largest].c_str(), first[largest], firstCpu[largest], first[largest] / startup,
                first[largest] / (1000.0 / 60));
    return 0;
}
