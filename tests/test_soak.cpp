// Whole games with random keys for both players and random frame times, under
// the sanitizers: every frame the state must stay finite and in the hall, and
// every game must come back to the selection screen.
//
// The default run plays a few games. TARVOK_SOAK_GAMES sets how many (200 for
// a long soak) and TARVOK_SOAK_SEED the first seed; game k plays with seed
// first + k. The whole run is recorded; a failure names its seed and keeps
// the recording in out/, and the program plays it back to the very frame:
//     cd build/test/run && ../tarvok --replay ../../../out/soak-<seed>.tvr
#include "tests/game_session.h"
#include "tests/random_player.h"

#include "app/controls.h"
#include "app/options.h"
#include "input/recording.h"
#include "tests/support.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

// Longest a game from selection back to selection may take: a match of
// random keys ends in a few minutes of game time; hours mean it is stuck.
constexpr double gameTimeLimit = 60 * 60 * 1000 * unitsPerMs;

int environmentNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

bool finite(float v)
{
    return std::isfinite(v);
}

// What must hold after every frame; empty when all is well.
std::string frameFault(const Wrestler& w, const char* who)
{
    const std::string name = who;
    for (float v : {w.x, w.y, w.z, w.heading, w.targetHeading, w.bearing, w.health, w.clipTime})
        if (!finite(v))
            return name + ": a position, heading, health or clip time is not finite";
    if (w.clip < 0 || w.clip >= clipCount)
        return name + ": clip " + std::to_string(w.clip) + " is not a clip";
    const Animation& clip = w.clips[static_cast<std::size_t>(w.clip)];
    for (float v : clip.rootOffset)
        if (!finite(v))
            return name + ": the root offset is not finite";
    for (const Bone& bone : clip.bones)
        for (float v : bone.rotation)
            if (!finite(v))
                return name + ": a joint rotation is not finite";
    // Off stage (x -100) while the players choose and while the other one
    // enters; otherwise in the hall or on the entrance way.
    const bool offStage = w.x == -100 && w.y == -100;
    if (!offStage && (std::fabs(w.x) > 60 || w.z < -60 || w.z > 110 || w.y < -6 || w.y > 1))
        return name + ": left the hall, at (" + std::to_string(w.x) + ", " + std::to_string(w.y) + ", " +
               std::to_string(w.z) + ")";
    return {};
}

std::string ropeFault()
{
    for (const Rope& rope : ropes)
        for (const RopePoint& p : rope.points)
            for (int axis = 0; axis < 3; ++axis)
                if (!finite(p.position[axis]) || !finite(p.velocity[axis]))
                    return "a rope point is not finite";
    return {};
}

class Soak : public testing::Test {
protected:
    void SetUp() override
    {
        if (!loadWholeGame())
            GTEST_SKIP() << "no display";
        resetMatch();
        separationOn = 1;
        showModels = showShadows = 1;
        showBones = 0;
    }
    void TearDown() override { clearKeys(); }
};

TEST_F(Soak, RandomGamesAtRandomFrameTimesStayFiniteInTheHallAndEnd)
{
    const int games = environmentNumber("TARVOK_SOAK_GAMES", 3);
    const int firstSeed = environmentNumber("TARVOK_SOAK_SEED", 1);
    long frames = 0;
    double clock = 0;
    // The whole run, from this process's first frame, so that it can be
    // played back exactly.
    TempDir dir;
    const std::string recordingPath = dir.file("soak.tvr");
    std::string error;
    ASSERT_TRUE(startRecording(recordingPath.c_str(), "", 1, gameVersion, error)) << error;
    for (int game = 0; game < games; ++game) {
        const int seed = firstSeed + game;
        SCOPED_TRACE("seed " + std::to_string(seed) + " (TARVOK_SOAK_GAMES=1 TARVOK_SOAK_SEED=" +
                     std::to_string(seed) + " plays it again)");
        std::mt19937 frameRandom(static_cast<unsigned>(seed));
        RandomPlayer one{std::mt19937(static_cast<unsigned>(seed) * 2 + 1), &playerOne, "wadsfeqz", {}, 0};
        RandomPlayer two{std::mt19937(static_cast<unsigned>(seed) * 2 + 2), &playerTwo, "ijlkhou,", {}, 0};
        one.upShare = one.uniform(0.01, 0.12);
        two.upShare = two.uniform(0.01, 0.12);
        ASSERT_EQ(gamePhase, Selection);
        const double start = clock;
        bool leftSelection = false;
        std::string fault;
        while (fault.empty()) {
            clock += std::uniform_real_distribution<double>(1, 200)(frameRandom) * unitsPerMs;
            one.send(clock);
            two.send(clock);
            recordFrame(clock, 160, 120);
            displayFrame(clock, 160, 120);
            ++frames;
            fault = frameFault(playerOne, "player one");
            if (fault.empty())
                fault = frameFault(playerTwo, "player two");
            if (fault.empty())
                fault = ropeFault();
            if (gamePhase != Selection)
                leftSelection = true;
            else if (leftSelection)
                break;              // back at the selection: this game is over
            if (clock - start > gameTimeLimit)
                fault = "the game did not come back to the selection screen within an hour of game time";
        }
        EXPECT_EQ(fault, "") << "in phase " << gamePhase << ", stage " << phaseStage << ", "
                             << clock - start << " units into the game";
        if (!fault.empty()) {
            stopRecording();
            const std::string kept = shotDirectory() + "/soak-" + std::to_string(seed) + ".tvr";
            std::filesystem::copy_file(recordingPath, kept, std::filesystem::copy_options::overwrite_existing);
            char state[40];
            std::snprintf(state, sizeof state, "%016llx", gameStateHash());
            ADD_FAILURE() << "the run up to this fault (state " << state << ") is recorded in " << kept
                          << "; play it back with: cd build/test/run && ../tarvok --replay " << kept;
            break;
        }
        // Let go of everything before the next game.
        for (RandomPlayer* p : {&one, &two})
            for (const RandomPlayer::Event& e : p->pending)
                if (!e.down)
                    keyReleased(e.key, clock);
        std::printf("soak: game %d (seed %d) took %.0f units of game time\n", game + 1, seed, clock - start);
    }
    stopRecording();
    std::printf("soak: %d games, %ld frames\n", games, frames);
}

} // namespace
