// Computer against computer, headless: every pairing of the four characters,
// seeded, at 33 ms and at 50 ms frames (one test each, so they run side by
// side). Every game must end in a pinfall within the bound and come back to
// the selection screen, every move of the game must be made somewhere in the
// sixteen games, and every character must win some of them.
//
// The default plays each pairing once per frame rate. TARVOK_TOURNAMENT_ROUNDS
// sets how many times (with other seeds), for a longer look:
//     TARVOK_TOURNAMENT_ROUNDS=5 ctest --preset test -R Tournament
// Each test prints the win shares, the match lengths and how often each move
// was made.
#include "ai/computer.h"

#include "app/controls.h"
#include "match/phases.h"
#include "tests/computer_games.h"
#include "tests/game_session.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A match of two computers lasts a few minutes; ten means it is stuck.
constexpr double matchBound = 10 * 60 * 1000 / 30.0;

int rounds()
{
    const char* value = std::getenv("TARVOK_TOURNAMENT_ROUNDS");
    const int n = value && *value ? std::atoi(value) : 1;
    return n > 0 ? n : 1;
}

GameTally playPairing(int one, int two, double frameMs, unsigned seed)
{
    resetMatch();
    separationOn = 1;
    for (ComputerPlayer* c : {&computerOne, &computerTwo}) {
        // They watch no entrance to its end: the match is what is tested.
        c->skipChance = 1;
    }
    computerOne.wantedCharacter = one;
    computerTwo.wantedCharacter = two;
    startComputer(computerOne, 1, NormalLevel, seed);
    startComputer(computerTwo, 2, NormalLevel, seed + 1000);
    GameTally tally = playWholeGame(frameMs / 30.0, playComputers, matchBound);
    stopComputer(computerOne, previousTime);
    stopComputer(computerTwo, previousTime);
    return tally;
}

void playTournament(double frameMs)
{
    if (!loadWholeGame())
        GTEST_SKIP() << "no display";
    showModels = showShadows = showBones = 0;      // the menu's Models Off, Shadows Off
    std::vector<GameTally> games;
    int wins[rosterSize] = {}, played[rosterSize] = {};
    double shortest = 1e9, longest = 0, total = 0;
    for (int round = 0; round < rounds(); ++round) {
        for (int pairing = 0; pairing < rosterSize * rosterSize; ++pairing) {
            const int one = pairing / rosterSize, two = pairing % rosterSize;
            const unsigned seed = static_cast<unsigned>(round * 100 + pairing + 1);
            SCOPED_TRACE("characters " + std::to_string(one) + " and " + std::to_string(two) + ", seed " +
                         std::to_string(seed));
            const GameTally g = playPairing(one, two, frameMs, seed);
            EXPECT_EQ(g.fault, "");
            EXPECT_NE(g.winner, 0) << "no pinfall";
            // Back on the selection screen, ready for the next game.
            EXPECT_EQ(gamePhase, Selection);
            EXPECT_EQ(playerOne.chosen + playerTwo.chosen, 0);
            EXPECT_EQ(g.characters[0], one);
            EXPECT_EQ(g.characters[1], two);
            if (!g.fault.empty() || g.winner == 0)
                continue;
            games.push_back(g);
            ++played[one];
            ++played[two];
            ++wins[g.characters[g.winner - 1]];
            shortest = std::min(shortest, g.matchTime);
            longest = std::max(longest, g.matchTime);
            total += g.matchTime;
            std::printf("  %d against %d: player %d wins after %.0f s of match\n", one, two, g.winner,
                        g.matchTime * 0.03);
        }
    }
    computerOne.wantedCharacter = computerTwo.wantedCharacter = -1;
    computerOne.skipChance = computerTwo.skipChance = 0.5;
    showModels = showShadows = 1;
    if (games.empty())
        return;
    std::printf("%.0f ms frames, %zu games: matches %.0f to %.0f s, %.0f s on average\n", frameMs, games.size(),
                shortest * 0.03, longest * 0.03, total / static_cast<double>(games.size()) * 0.03);
    for (int c = 0; c < rosterSize; ++c) {
        std::printf("  %-16s won %d of the %d places it had\n", roster[c].ringName, wins[c], played[c]);
        // Sixteen games are too few to weigh shares; every character must
        // win somewhere, none may take more than half the wins.
        EXPECT_GE(wins[c], 1) << roster[c].ringName << " never won";
        EXPECT_LE(wins[c] * 2, static_cast<int>(games.size())) << roster[c].ringName;
    }
    const std::vector<MoveCount> moves = countMoves(games);
    std::printf("moves made:\n%s", describeMoves(moves).c_str());
    for (const MoveCount& m : moves)
        EXPECT_GT(m.count, 0) << m.name << " never happened";
}

TEST(Tournament, AllPairingsAt33msFrames)
{
    playTournament(33);
}

TEST(Tournament, AllPairingsAt50msFrames)
{
    playTournament(50);
}

} // namespace
