#include "tests/computer_games.h"

#include "match/phases.h"
#include "tests/game_session.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int tinyWidth = 64;
constexpr int tinyHeight = 48;

bool finite(float v)
{
    return std::isfinite(v);
}

std::string wrestlerFault(const Wrestler& w, const char* who)
{
    for (float v : {w.x, w.z, w.heading, w.health, w.clipTime})
        if (!finite(v))
            return std::string(who) + ": a position, heading, health or clip time is not finite";
    const bool offStage = w.x == -100 && w.y == -100;
    if (!offStage && (std::fabs(w.x) > 60 || w.z < -60 || w.z > 110))
        return std::string(who) + " left the hall";
    return {};
}

} // namespace

void smallFrame(double time)
{
    displayFrame(time, tinyWidth, tinyHeight);
}

GameTally playWholeGame(double frameUnits, const std::function<void(double)>& beforeFrame, double matchLimit)
{
    GameTally tally;
    Wrestler* const wrestlers[2] = {&playerOne, &playerTwo};
    int lastClip[2] = {playerOne.clip, playerTwo.clip};
    int lastState[2] = {playerOne.state, playerTwo.state};
    double clock = previousTime;
    const double start = clock;
    bool left = false;
    while (true) {
        clock += frameUnits;
        beforeFrame(clock);
        const int phaseBefore = gamePhase;
        smallFrame(clock);
        ++tally.frames;
        if (phaseBefore == Match)
            tally.matchTime += frameUnits;
        if (gamePhase == Match || phaseBefore == Match) {
            for (int i = 0; i < 2; ++i) {
                const Wrestler& w = *wrestlers[i];
                if (w.clip != lastClip[i]) {
                    if (w.clip >= 0 && w.clip < clipCount)
                        ++tally.clipStarts[static_cast<std::size_t>(i)][static_cast<std::size_t>(w.clip)];
                    if (w.clip == ClipGetup && lastClip[i] == ClipLie)
                        ++tally.getUps[i];
                }
                if (w.state == Running && (lastState[i] == Idle || lastState[i] == Walking))
                    ++tally.runs[i];
            }
        }
        for (int i = 0; i < 2; ++i) {
            lastClip[i] = wrestlers[i]->clip;
            lastState[i] = wrestlers[i]->state;
        }
        if (phaseBefore == Match && gamePhase == Victory) {
            tally.winner = featuredWrestler == &playerOne ? 1 : 2;
            tally.characters[0] = playerOne.character;
            tally.characters[1] = playerTwo.character;
        }
        if (tally.fault.empty())
            tally.fault = wrestlerFault(playerOne, "player one");
        if (tally.fault.empty())
            tally.fault = wrestlerFault(playerTwo, "player two");
        if (gamePhase != Selection)
            left = true;
        else if (left)
            break;
        if (tally.matchTime > matchLimit)
            tally.fault = "the match went on past its bound";
        else if (clock - start > 4 * matchLimit)
            tally.fault = "the game did not come back to the selection screen";
        if (!tally.fault.empty())
            break;
    }
    tally.gameTime = clock - start;
    return tally;
}

std::vector<MoveCount> countMoves(const std::vector<GameTally>& games)
{
    auto clips = [&](std::initializer_list<int> ids) {
        int n = 0;
        for (const GameTally& g : games)
            for (const auto& side : g.clipStarts)
                for (int id : ids)
                    n += side[static_cast<std::size_t>(id)];
        return n;
    };
    int runs = 0, getUps = 0, pinfalls = 0;
    for (const GameTally& g : games) {
        runs += g.runs[0] + g.runs[1];
        getUps += g.getUps[0] + g.getUps[1];
        pinfalls += g.winner != 0;
    }
    return {
        {"punch", clips({ClipPunch})},
        {"punch lands", clips({ClipHit, ClipFall})},
        {"knock-down", clips({ClipFall})},
        {"kick", clips({ClipKick})},
        {"kick or elbow lands", clips({ClipLieHit})},
        {"run (double tap)", runs},
        {"running punch", clips({ClipRunPunch})},
        {"running punch misses", clips({ClipRunPunchMiss})},
        {"swing at a runner", clips({ClipHitRun})},
        {"hit on a runner", clips({ClipGetHitRun})},
        {"grab", clips({ClipGrab})},
        {"grab miss", clips({ClipGrabMiss})},
        {"suplex", clips({ClipSuplex})},
        {"slam", clips({ClipSlam})},
        {"throw", clips({ClipThrow})},
        {"stunner", clips({ClipStunner})},
        {"olympic slam", clips({ClipOlympicSlam})},
        {"chokeslam", clips({ClipChokeslam})},
        {"bottom slam", clips({ClipVorlanBottom})},
        {"elbow drop", clips({ClipPeopleElbow2})},
        {"ropes: backwards", clips({ClipRopesBack})},
        {"ropes: sideways", clips({ClipRopesLeft, ClipRopesRight})},
        {"ropes: running", clips({ClipRunRopes})},
        {"pin", clips({ClipPin})},
        {"kick-out", clips({ClipKickout})},
        {"pinfall", pinfalls},
        {"get up", getUps},
    };
}

std::string describeMoves(const std::vector<MoveCount>& moves)
{
    std::string text;
    char line[96];
    for (const MoveCount& m : moves) {
        std::snprintf(line, sizeof line, "  %-22s %6d\n", m.name, m.count);
        text += line;
    }
    return text;
}
