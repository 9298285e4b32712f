// Whole games with random keys for both players and random frame times, under
// the sanitizers: every frame the state must stay finite and in the hall, and
// every game must come back to the selection screen.
//
// The default run plays a few games. TARVOK_SOAK_GAMES sets how many (200 for
// a long soak) and TARVOK_SOAK_SEED the first seed; game k plays with seed
// first + k, and a failure names its seed, so
//     TARVOK_SOAK_GAMES=1 TARVOK_SOAK_SEED=<seed> ctest --preset test -R Soak
// plays the failing game again.
#include "tests/game_session.h"

#include "app/controls.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// Game time per millisecond of real time.
constexpr double unitsPerMs = 1.0 / 30.0;
// Longest a game from selection back to selection may take: a match of
// random keys ends in a few minutes of game time; hours mean it is stuck.
constexpr double gameTimeLimit = 60 * 60 * 1000 * unitsPerMs;

int environmentNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// A player pressing keys at random moments with a person's timing: taps and
// holds of 60 ms to a second or so, double taps, now and then a change of
// character. Directions lean toward the opponent, so games come to blows.
struct RandomPlayer {
    std::mt19937 random;
    Wrestler* self;
    // up, left, right, down, strike, grab, special, change character
    std::string keys;
    struct Event {
        double time;
        unsigned char key;
        bool down;
    };
    std::vector<Event> pending;
    double nextChoice = 0;

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }

    void tap(unsigned char key, double at, double holdMs)
    {
        pending.push_back({at, key, true});
        pending.push_back({at + holdMs * unitsPerMs, key, false});
    }

    // The direction key that walks toward the opponent in the present
    // walking frame (frame 1 faces -z, 2 +x, 3 +z, 4 -x).
    unsigned char forwardKey() const
    {
        static const int forward[5] = {0, 2, 3, 1, 0};
        const int q = self->quadrant >= 1 && self->quadrant <= 4 ? self->quadrant : 1;
        return static_cast<unsigned char>(keys[static_cast<std::size_t>(forward[q])]);
    }

    // How often this player reaches for the Up key (to get up and to kick
    // out): drawn per game, so that in most games one side stays down long
    // enough to be pinned.
    double upShare = 0.08;

    // Schedules what this player does next, from game time t.
    void choose(double t)
    {
        const double at = t + uniform(0, 2);
        double roll = uniform(0, 1);
        if (roll < upShare) {
            tap(keys[0], at, uniform(60, 600));       // up: get up, kick out
        } else if ((roll -= upShare) < 0.35) {
            const bool toward = self->opponent && distanceTo(*self, *self->opponent) > 4 && uniform(0, 1) < 0.75;
            const unsigned char key = toward ? forwardKey() : keys[static_cast<std::size_t>(uniform(0, 4))];
            tap(key, at, uniform(60, 1500));
        } else if ((roll -= 0.35) < 0.1) {
            // A double tap: two presses with the key up 60 to 150 ms between.
            const unsigned char key = keys[static_cast<std::size_t>(uniform(0, 4))];
            const double hold = uniform(60, 120), gap = uniform(60, 150);
            tap(key, at, hold);
            tap(key, at + (hold + gap) * unitsPerMs, uniform(60, 400));
        } else if ((roll -= 0.1) < 0.2) {
            tap(keys[4], at, uniform(60, 300));       // strike
        } else if ((roll -= 0.2) < 0.12) {
            tap(keys[5], at, uniform(60, 300));       // grab, pin
        } else if ((roll -= 0.12) < 0.05) {
            tap(keys[6], at, uniform(60, 300));       // signature move
        } else if ((roll -= 0.05) < 0.02) {
            tap('1', at, uniform(100, 2000));         // fireworks
        } else if ((roll -= 0.02) < 0.005) {
            tap(keys[7], at, 80);                     // another character
        }
        nextChoice = t + uniform(60, 500) * unitsPerMs;
    }

    // Sends the key events due by game time t, each at its own time.
    void send(double t)
    {
        std::stable_sort(pending.begin(), pending.end(), [](const Event& a, const Event& b) { return a.time < b.time; });
        std::size_t done = 0;
        for (; done < pending.size() && pending[done].time <= t; ++done) {
            const Event& e = pending[done];
            if (e.down)
                keyPressed(e.key, 0, e.time);
            else
                keyReleased(e.key, e.time);
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(done));
        if (t >= nextChoice)
            choose(t);
    }
};

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
    for (int game = 0; game < games; ++game) {
        const int seed = firstSeed + game;
        SCOPED_TRACE("seed " + std::to_string(seed) + " (TARVOK_SOAK_GAMES=1 TARVOK_SOAK_SEED=" +
                     std::to_string(seed) + " plays it again)");
        std::mt19937 frameRandom(static_cast<unsigned>(seed));
        std::srand(static_cast<unsigned>(seed));
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
        if (!fault.empty())
            break;
        // Let go of everything before the next game.
        for (RandomPlayer* p : {&one, &two})
            for (const RandomPlayer::Event& e : p->pending)
                if (!e.down)
                    keyReleased(e.key, clock);
        std::printf("soak: game %d (seed %d) took %.0f units of game time\n", game + 1, seed, clock - start);
    }
    std::printf("soak: %d games, %ld frames\n", games, frames);
}

} // namespace
