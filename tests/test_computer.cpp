// The computer player against the real game, headless: it acts only through
// the key slots, no faster than its level allows, alike at any frame rate,
// and it beats a player who does nothing and loses to one who plays well.
#include "ai/computer.h"

#include "anim/playback.h"
#include "app/controls.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "tests/computer_games.h"
#include "tests/game_session.h"
#include "tests/gl_context.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double msToUnits = 1.0 / 30.0;

class ComputerGame : public testing::Test {
protected:
    void SetUp() override
    {
        if (!loadWholeGame())
            GTEST_SKIP() << "no display";
        freshComputerGame();
    }

    void TearDown() override
    {
        stopComputer(computerOne, previousTime);
        stopComputer(computerTwo, previousTime);
        computerOne.journal = computerTwo.journal = nullptr;
        computerOne.wantedCharacter = computerTwo.wantedCharacter = -1;
        computerOne.skipChance = computerTwo.skipChance = 0.5;
        clearKeys();
        showModels = showShadows = 1;
    }

    static void freshComputerGame()
    {
        stopComputer(computerOne, previousTime);
        stopComputer(computerTwo, previousTime);
        freshGame();
        // Long runs draw no bodies: the menu's Models Off and Shadows Off
        // change the pictures only.
        showModels = showShadows = 0;
    }
};

// ---- players scripted for the tests ---------------------------------------

// Taps keys of one player by hand, through the keyboard's source.
struct Hands {
    PlayerKeys keys;
    int held = -1;                          // direction slot held
    std::vector<std::pair<double, int>> releases;

    void tap(int slot, double t, double hold = 3)
    {
        pressKey(slot, KeyboardSource, t);
        releases.push_back({t + hold, slot});
    }
    void hold(int slot, double t)
    {
        if (slot == held)
            return;
        letGo(t);
        pressKey(slot, KeyboardSource, t);
        held = slot;
    }
    void letGo(double t)
    {
        if (held >= 0)
            releaseKey(held, KeyboardSource, t);
        held = -1;
    }
    void releaseDue(double t)
    {
        for (auto it = releases.begin(); it != releases.end();) {
            if (it->first <= t) {
                releaseKey(it->second, KeyboardSource, it->first);
                it = releases.erase(it);
            } else {
                ++it;
            }
        }
    }
    // Walks toward a point along the longer floor axis.
    void walkToward(const Wrestler& me, float x, float z, double t)
    {
        const float dx = x - me.x, dz = z - me.z;
        if (std::fabs(dx) > std::fabs(dz))
            hold(dx > 0 ? keys.down : keys.up, t);
        else
            hold(dz > 0 ? keys.left : keys.right, t);
    }
};

// Confirms on the selection screen, skips the entrances, and then does
// nothing at all.
struct PassivePlayer {
    Hands hands{playerOneKeys, -1, {}};
    double nextLook = 0;

    void play(double t)
    {
        hands.releaseDue(t);
        if (t < nextLook)
            return;
        nextLook = t + 5;
        if ((gamePhase == Selection && !playerOne.chosen) || (gamePhase == Entrance && phaseTime > 35))
            hands.tap(playerOneKeys.strike, t);
    }
};

// A person who plays well: looks every 150 ms, walks in and grabs, slams or
// suplexes where there is room, kicks and pins the fallen, meets runners,
// finishes a weakened opponent, and always gets up and kicks out.
struct SensiblePlayer {
    Hands hands{playerOneKeys, -1, {}};
    double nextLook = 0;

    void play(double t)
    {
        hands.releaseDue(t);
        if (t < nextLook)
            return;
        nextLook = t + 5;
        const PlayerKeys& k = playerOneKeys;
        const Wrestler& me = playerOne;
        const Wrestler& o = playerTwo;
        if (gamePhase == Selection || gamePhase == Entrance) {
            if ((gamePhase == Selection && !me.chosen) || (gamePhase == Entrance && phaseTime > 35))
                hands.tap(k.strike, t);
            return;
        }
        if (gamePhase != Match) {
            hands.letGo(t);
            return;
        }
        if (me.clip == ClipGetPinned || me.state == Lying) {
            hands.tap(k.up, t);
            return;
        }
        if (me.state == Grabbing && o.nextState == Grabbed) {
            const int slot = roomInRing(me.heading, 13, me.x, me.z)    ? k.strike
                             : roomInRing(me.heading, -15, me.x, me.z) ? k.up
                                                                       : k.down;
            hands.tap(slot, t);
            return;
        }
        if (!isFree(me)) {
            hands.letGo(t);
            return;
        }
        const float d = distanceTo(me, o);
        if (o.state == Lying) {
            if (d > 3) {
                hands.walkToward(me, o.x, o.z, t);
            } else {
                hands.letGo(t);
                hands.tap(o.health < 40 ? k.grab : k.strike, t);
            }
            return;
        }
        if (o.nextState == Lying || o.state == Hurt) {
            hands.walkToward(me, o.x, o.z, t);
            return;
        }
        if (o.state == Running) {
            hands.letGo(t);
            if (d > 3.7f && d < 6.3f)
                hands.tap(k.strike, t);
            return;
        }
        const bool finisher = o.health < 20 && !(me.character == 3 && !roomInRing(me.heading, -20, me.x, me.z));
        if (d > 4.5f) {
            hands.walkToward(me, o.x, o.z, t);
        } else {
            hands.letGo(t);
            hands.tap(finisher ? k.special : k.grab, t);
        }
    }
};

// Somebody pressing player one's keys at random, with a person's timing.
struct RandomPlayer {
    Hands hands{playerOneKeys, -1, {}};
    std::mt19937 random;
    double nextLook = 0;

    void play(double t)
    {
        hands.releaseDue(t);
        if (t < nextLook)
            return;
        const PlayerKeys& k = playerOneKeys;
        const int slots[] = {k.up, k.left, k.right, k.down, k.strike, k.grab, k.special};
        const int slot = slots[std::uniform_int_distribution<int>(0, 6)(random)];
        hands.tap(slot, t, std::uniform_real_distribution<double>(2, 30)(random));
        nextLook = t + std::uniform_real_distribution<double>(3, 15)(random);
    }
};

// ---- helpers -------------------------------------------------------------------

// Both players confirm the characters they stand on and skip both entrances
// with the keyboard, as the game's own keys would; returns the clock.
double skipToMatch(double clock, double frameUnits)
{
    auto frame = [&] {
        clock += frameUnits;
        smallFrame(clock);
    };
    keyPressed('f', 0, clock);
    keyPressed('h', 0, clock);
    frame();
    keyReleased('f', clock);
    keyReleased('h', clock);
    frame();
    for (int entrant = 0; entrant < 2 && gamePhase == Entrance; ++entrant) {
        while (phaseTime <= 31)
            frame();
        keyPressed('f', 0, clock);
        frame();
        keyReleased('f', clock);
    }
    return clock;
}

// Everything the game keeps about a frame that the players can change, by
// name: both wrestlers, the phase, the count and the keys.
std::vector<std::pair<std::string, double>> gameState()
{
    std::vector<std::pair<std::string, double>> v;
    const Wrestler* both[2] = {&playerOne, &playerTwo};
    for (int i = 0; i < 2; ++i) {
        const Wrestler& w = *both[i];
        const std::string p = i == 0 ? "one." : "two.";
        for (const auto& [name, value] : std::initializer_list<std::pair<const char*, double>>{
                 {"x", w.x}, {"y", w.y}, {"z", w.z}, {"anchorX", w.anchorX}, {"anchorZ", w.anchorZ},
                 {"heading", w.heading}, {"bearing", w.bearing}, {"health", w.health}, {"clip", w.clip},
                 {"nextClip", w.nextClip}, {"clipTime", w.clipTime}, {"prevClipTime", w.prevClipTime},
                 {"prevRootX", w.prevRootX}, {"prevRootZ", w.prevRootZ}, {"state", w.state},
                 {"nextState", w.nextState}, {"punchesTaken", w.punchesTaken}, {"impactDone", w.impactDone},
                 {"character", w.character}, {"quadrant", w.quadrant}, {"heldRopeSide", w.heldRopeSide},
                 {"heldRopePoint", w.heldRopePoint}, {"ropeSide", w.ropeSide}, {"targetHeading", w.targetHeading},
                 {"turning", w.turning}, {"ropeRebounds", w.ropeRebounds}, {"elbowArmed", w.elbowArmed},
                 {"scriptStep", w.scriptStep}, {"scriptTime", w.scriptTime}, {"chosen", w.chosen},
                 {"holdTimer", w.holdTimer}, {"bodyTexture1", w.bodyTexture1}})
            v.push_back({p + name, value});
    }
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, double>>{
             {"gamePhase", gamePhase}, {"phaseStage", phaseStage}, {"phaseTime", phaseTime},
             {"victoryTime", victoryTime}, {"pinCount", pinCount}, {"countTimer", countTimer},
             {"separationOn", separationOn}, {"fireworksOn", fireworksOn}, {"redLighting", redLighting},
             {"featured", featuredWrestler == &playerOne ? 1 : 2}})
        v.push_back({name, value});
    for (int s = 0; s < keySlotCount; ++s) {
        v.push_back({"keyDown[" + std::to_string(s) + "]", keyDown[s]});
        for (int h = 0; h < 3; ++h)
            v.push_back({"keyHistory[" + std::to_string(h) + "][" + std::to_string(s) + "]", keyHistory[h][s]});
    }
    return v;
}

// ---- tests -----------------------------------------------------------------------

// The computer changes nothing but key slots: a game it plays for both
// sides, and the same game with its key presses and releases made by hand at
// the same moments, go through exactly the same states frame by frame.
TEST_F(ComputerGame, ChangesOnlyKeySlots)
{
    constexpr double frameUnits = 16 * msToUnits;
    constexpr double playFor = 1600;
    // Everything the two runs must start from alike.
    const Wrestler oneAtStart = playerOne;
    const Wrestler twoAtStart = playerTwo;
    const auto ropesAtStart = ropes;
    const double startClock = 10;

    std::vector<TimedKey> journalOne, journalTwo;
    std::vector<std::vector<std::pair<std::string, double>>> states;
    computerOne.journal = &journalOne;
    computerTwo.journal = &journalTwo;
    computerOne.skipChance = computerTwo.skipChance = 1;
    startComputer(computerOne, 1, HardLevel, 7);
    startComputer(computerTwo, 2, NormalLevel, 8);
    std::srand(3);
    double clock = startClock;
    int matchFrames = 0;
    while (clock < startClock + playFor) {
        clock += frameUnits;
        playComputers(clock);
        smallFrame(clock);
        states.push_back(gameState());
        matchFrames += gamePhase == Match;
    }
    stopComputer(computerOne, clock);
    stopComputer(computerTwo, clock);
    ASSERT_GT(matchFrames, 1000) << "the computers did not get into the match";
    // Player one's keys pressed by a person at the keyboard, player two's by
    // one with a pad (both hold the fireworks key each on their own).
    struct HandKey {
        TimedKey key;
        KeySource source;
    };
    std::vector<HandKey> journal;
    for (const TimedKey& k : journalOne)
        journal.push_back({k, KeyboardSource});
    for (const TimedKey& k : journalTwo)
        journal.push_back({k, PadSource});
    std::stable_sort(journal.begin(), journal.end(),
                     [](const HandKey& a, const HandKey& b) { return a.key.time < b.key.time; });
    int presses = 0;
    for (const HandKey& k : journal)
        presses += k.key.press;
    EXPECT_GT(presses, 40);

    // Every press is held for a person's moment: no press and release in
    // one instant.
    for (const std::vector<TimedKey>* one : {&journalOne, &journalTwo}) {
        std::map<int, double> downSince;
        for (const TimedKey& k : *one) {
            if (k.press && !downSince.count(k.slot)) {
                downSince[k.slot] = k.time;
            } else if (!k.press && downSince.count(k.slot)) {
                EXPECT_GE(k.time - downSince[k.slot], 2.0) << "slot " << k.slot << " at " << k.time;
                downSince.erase(k.slot);
            }
        }
    }

    // The same game by hand.
    playerOne = oneAtStart;
    playerTwo = twoAtStart;
    ropes = ropesAtStart;
    resetMatch();
    separationOn = 1;
    std::srand(3);
    clock = startClock;
    std::size_t next = 0;
    for (std::size_t frame = 0; frame < states.size(); ++frame) {
        clock += frameUnits;
        for (; next < journal.size() && journal[next].key.time <= clock; ++next) {
            const HandKey& k = journal[next];
            if (k.key.press)
                pressKey(k.key.slot, k.source, k.key.time);
            else
                releaseKey(k.key.slot, k.source, k.key.time);
        }
        smallFrame(clock);
        const auto now = gameState();
        for (std::size_t i = 0; i < now.size(); ++i)
            ASSERT_EQ(now[i].second, states[frame][i].second)
                << now[i].first << " differs in frame " << frame << " (game time " << clock << ")";
    }
}

// A pinned computer throws the pinner off no sooner than its level's
// quickest reaction, usually in time at hard and often too late at easy;
// harder levels react faster.
TEST_F(ComputerGame, ReactsNoFasterThanItsLevelAllows)
{
    constexpr double frameUnits = 16 * msToUnits;
    constexpr int trials = 10;
    double meanByLevel[3] = {0, 0, 0};
    int inTimeByLevel[3] = {0, 0, 0};
    for (int level = EasyLevel; level <= HardLevel; ++level) {
        freshComputerGame();
        double clock = skipToMatch(previousTime, frameUnits);
        std::vector<TimedKey> journal;
        computerTwo.journal = &journal;
        startComputer(computerTwo, 2, static_cast<ComputerLevel>(level), 40 + static_cast<unsigned>(level));
        const LevelStyle& style = levelStyle(static_cast<ComputerLevel>(level));
        std::mt19937 random(static_cast<unsigned>(level));
        double total = 0;
        for (int trial = 0; trial < trials; ++trial) {
            // The computer lies beside player one, too weak to get up, and
            // has lain there a moment.
            playerTwo.health = 8;
            playerTwo.x = 0;
            playerTwo.z = 0;
            playerTwo.heading = 0;
            cutToClip(playerTwo, playerOne, ClipLie, ClipLie, Lying, Lying);
            playerOne.x = 0;
            playerOne.z = 5;
            playerOne.heading = 180;
            cutToClip(playerOne, playerTwo, ClipStand, ClipStand, Idle, Idle);
            const double settle = std::uniform_real_distribution<double>(30, 60)(random);
            for (const double until = clock + settle; clock < until;) {
                clock += frameUnits;
                playComputers(clock);
                smallFrame(clock);
            }
            // Pinned between two frames: the last frame without the pin
            // was drawn at `pinned`.
            const double pinned = previousTime;
            const std::size_t seen = journal.size();
            separationOn = 0;
            cutToClip(playerOne, playerTwo, ClipPin, ClipPinfall, Pinning, Pinning);
            cutToClip(playerTwo, playerTwo, ClipGetPinned, ClipGetPinfalled, Pinned, Pinned);
            countTimer = 0;
            pinCount = 0;
            double response = -1;
            while (clock < pinned + 70 && response < 0) {
                clock += frameUnits;
                playComputers(clock);
                smallFrame(clock);
                for (std::size_t i = seen; i < journal.size() && response < 0; ++i)
                    if (journal[i].press && journal[i].slot == playerTwoKeys.up)
                        response = journal[i].time - pinned;
            }
            ASSERT_EQ(gamePhase, Match);
            if (response >= 0) {
                EXPECT_GE(response, style.reactionLow) << "level " << level << ", trial " << trial;
                EXPECT_EQ(playerTwo.state, KickingOut) << "level " << level << ", trial " << trial;
                ++inTimeByLevel[level];
                total += response;
            }
        }
        meanByLevel[level] = inTimeByLevel[level] ? total / inTimeByLevel[level] : 1e9;
        std::printf("level %d: kicked out %d of %d pins, %.0f ms after the pin on average\n", level,
                    inTimeByLevel[level], trials, meanByLevel[level] * 30);
        stopComputer(computerTwo, clock);
        computerTwo.journal = nullptr;
    }
    EXPECT_GE(inTimeByLevel[HardLevel], trials - 2);
    EXPECT_LE(inTimeByLevel[EasyLevel], trials / 2 + 1);
    EXPECT_LT(meanByLevel[HardLevel], meanByLevel[NormalLevel]);
    EXPECT_LT(meanByLevel[NormalLevel], meanByLevel[EasyLevel]);
    // A person's reactions: a fifth of a second to most of a second.
    EXPECT_GT(meanByLevel[HardLevel] * 30, 180);
    EXPECT_LT(meanByLevel[EasyLevel] * 30, 900);
}

// Short bouts of two computers from the bell, the same seeds at 5, 16 and
// 50 ms frames: the damage done and the moves made come out alike.
TEST_F(ComputerGame, PlaysAlikeAtAnyFrameRate)
{
    // A bout's damage hangs on a few big moves (a signature move is worth a
    // dozen punches), so the damage agrees only loosely over ten bouts (at
    // 24 bouts a rate it agreed within 8%); the count of moves is steadier.
    constexpr int bouts = 10;
    constexpr double boutLength = 600;
    const double frameMs[3] = {5, 16, 50};
    double damage[3] = {0, 0, 0};
    int moves[3] = {0, 0, 0};
    for (int rate = 0; rate < 3; ++rate) {
        const double frameUnits = frameMs[rate] * msToUnits;
        for (int bout = 0; bout < bouts; ++bout) {
            freshComputerGame();
            assignProfile(playerOne, bout % rosterSize);
            assignProfile(playerTwo, (bout + 1) % rosterSize);
            double clock = skipToMatch(previousTime, frameUnits);
            startComputer(computerOne, 1, NormalLevel, 500 + static_cast<unsigned>(bout));
            startComputer(computerTwo, 2, NormalLevel, 600 + static_cast<unsigned>(bout));
            int lastClip[2] = {playerOne.clip, playerTwo.clip};
            for (const double end = clock + boutLength; clock < end && gamePhase == Match;) {
                clock += frameUnits;
                playComputers(clock);
                smallFrame(clock);
                const Wrestler* both[2] = {&playerOne, &playerTwo};
                for (int i = 0; i < 2; ++i) {
                    const int c = both[i]->clip;
                    if (c != lastClip[i] && (c == ClipPunch || c == ClipGrab || c == ClipKick || c == ClipRun))
                        ++moves[rate];
                    lastClip[i] = c;
                }
            }
            damage[rate] += 200 - playerOne.health - playerTwo.health;
        }
        std::printf("%2.0f ms frames: %.0f health taken, %d punches, grabs, kicks and runs in %d bouts\n",
                    frameMs[rate], damage[rate], moves[rate], bouts);
    }
    const double meanDamage = (damage[0] + damage[1] + damage[2]) / 3;
    const double meanMoves = (moves[0] + moves[1] + moves[2]) / 3.0;
    for (int rate = 0; rate < 3; ++rate) {
        EXPECT_NEAR(damage[rate] / meanDamage, 1.0, 0.45) << frameMs[rate] << " ms against the mean";
        EXPECT_NEAR(moves[rate] / meanMoves, 1.0, 0.15) << frameMs[rate] << " ms against the mean";
    }
    EXPECT_GT(damage[1], bouts * 15.0) << "the bouts came to blows";
}

// Whole games of one player against the computer, one for each of its
// characters; returns the tallies.
template <typename Player>
std::vector<GameTally> gamesAgainst(ComputerLevel level, unsigned seed, double matchLimit)
{
    std::vector<GameTally> games;
    for (int character = 0; character < rosterSize; ++character) {
        resetMatch();
        separationOn = 1;
        Player person;
        computerTwo.wantedCharacter = character;
        computerTwo.skipChance = 1;
        startComputer(computerTwo, 2, level, seed + static_cast<unsigned>(character));
        games.push_back(playWholeGame(
            50 * msToUnits,
            [&](double t) {
                person.play(t);
                playComputers(t);
            },
            matchLimit));
        stopComputer(computerTwo, previousTime);
    }
    return games;
}

TEST_F(ComputerGame, HardBeatsAPassivePlayerQuickly)
{
    for (const GameTally& g : gamesAgainst<PassivePlayer>(HardLevel, 70, 4000)) {
        EXPECT_EQ(g.fault, "");
        EXPECT_EQ(g.winner, 2) << "computer as " << g.characters[1];
        std::printf("hard against a passive player: won in %.0f s of match\n", g.matchTime * 0.03);
    }
}

TEST_F(ComputerGame, ASensiblePlayerBeatsEasy)
{
    for (const GameTally& g : gamesAgainst<SensiblePlayer>(EasyLevel, 80, 12000)) {
        EXPECT_EQ(g.fault, "");
        EXPECT_EQ(g.winner, 1) << "computer as " << g.characters[1];
        std::printf("sensible player against easy: winner %d after %.0f s of match\n", g.winner, g.matchTime * 0.03);
    }
}

TEST_F(ComputerGame, RandomKeysRarelyBeatNormal)
{
    int computerWins = 0;
    for (const GameTally& g : gamesAgainst<RandomPlayer>(NormalLevel, 90, 12000)) {
        EXPECT_EQ(g.fault, "");
        computerWins += g.winner == 2;
        std::printf("random keys against normal: winner %d after %.0f s of match\n", g.winner, g.matchTime * 0.03);
    }
    EXPECT_GE(computerWins, 3);
}

// Pictures of two computers at work, drawn as the window draws them, for a
// look (out/computer_match_*.png).
TEST_F(ComputerGame, MatchInPictures)
{
    constexpr double frameUnits = 33 * msToUnits;
    computerOne.skipChance = computerTwo.skipChance = 1;
    computerOne.wantedCharacter = 2;
    computerTwo.wantedCharacter = 0;
    startComputer(computerOne, 1, NormalLevel, 21);
    startComputer(computerTwo, 2, NormalLevel, 22);
    double clock = previousTime;
    auto run = [&](double until) {
        while (clock < until) {
            clock += frameUnits;
            playComputers(clock);
            smallFrame(clock);
        }
    };
    run(clock + 2000);
    ASSERT_EQ(gamePhase, Match);
    EXPECT_EQ(playerOne.character, 2);
    EXPECT_EQ(playerTwo.character, 0);
    for (int shot = 0; shot < 4; ++shot) {
        run(clock + 150);
        showModels = showShadows = 1;
        clock += frameUnits;
        playComputers(clock);
        displayFrame(clock);
        const std::string file = shotDirectory() + "/computer_match_" + std::to_string(shot) + ".png";
        EXPECT_TRUE(writePng(file, readPixels(), glTestWidth, glTestHeight)) << file;
        for (const Wrestler* w : {&playerOne, &playerTwo})
            EXPECT_LT(std::max(std::fabs(w->x), std::fabs(w->z)), 20.0f) << "a wrestler left the ring";
        showModels = showShadows = 0;
    }
}

// The keyboard cannot move a wrestler the computer plays, and gets the keys
// back when it stops; the fireworks key stays everybody's.
TEST(ComputerKeys, ItsSideIsItsOwnWhileItPlays)
{
    clearKeys();
    startComputer(computerTwo, 2, NormalLevel, 1);
    keyPressed('h', 0, 1);
    keyPressed('f', 0, 1);
    keyPressed('1', 0, 1);
    EXPECT_EQ(keyDown[playerTwoKeys.strike], 0);
    EXPECT_EQ(keyDown[playerOneKeys.strike], 1);
    EXPECT_EQ(keyDown[11], 1);
    pressKey(playerTwoKeys.strike, SecondComputerSource, 2);
    EXPECT_EQ(keyDown[playerTwoKeys.strike], 1);
    stopComputer(computerTwo, 3);
    EXPECT_EQ(keyDown[playerTwoKeys.strike], 0) << "what it held is let go";
    keyPressed('h', 0, 4);
    EXPECT_EQ(keyDown[playerTwoKeys.strike], 1);
    clearKeys();
}

TEST(ComputerKeys, LevelsReadAsTheyAreWrittenAndOrderedBySkill)
{
    ComputerLevel level = NormalLevel;
    EXPECT_TRUE(parseLevel("easy", level));
    EXPECT_EQ(level, EasyLevel);
    EXPECT_TRUE(parseLevel("hard", level));
    EXPECT_EQ(level, HardLevel);
    EXPECT_FALSE(parseLevel("Hard", level));
    EXPECT_FALSE(parseLevel("", level));
    EXPECT_EQ(level, HardLevel);
    const LevelStyle& easy = levelStyle(EasyLevel);
    const LevelStyle& normal = levelStyle(NormalLevel);
    const LevelStyle& hard = levelStyle(HardLevel);
    EXPECT_GT(easy.reactionLow, normal.reactionLow);
    EXPECT_GT(normal.reactionLow, hard.reactionLow);
    // Human reactions: never quicker than 150 ms, never slower than a second.
    EXPECT_GE(hard.reactionLow * 30, 150);
    EXPECT_LE(easy.reactionHigh * 30, 1000);
    EXPECT_GT(easy.mistakeChance, hard.mistakeChance);
    EXPECT_LT(easy.kickOutChance, hard.kickOutChance);
}

} // namespace
