// The computer player. It takes a wrestler's place by pressing and releasing
// that player's key slots, as a person at the keyboard would: it sees the
// game a reaction time late, looks again at a person's pace, misjudges
// distances and timing, and never writes game state. Everything is measured
// in game time, so it plays alike at any frame rate, and its chances come
// from its own seeded generator, so a game can be played again.
#pragma once

#include "input/keys.h"

#include <random>
#include <string_view>
#include <vector>

enum ComputerLevel { EasyLevel = 0, NormalLevel, HardLevel };

// How a level plays. Times are in game time units (30 ms), distances in
// scene units.
struct LevelStyle {
    double reactionLow, reactionHigh;   // how late it sees the game
    double thinkLow, thinkHigh;         // between two looks at the game
    double aimError;                    // spread of its distance judgement
    double timingError;                 // spread of an anticipated press
    double mistakeChance;               // a wasted or ill-judged key
    double kickOutChance;               // reacts in time to a pin
    double aggression;                  // starts an attack when it could
    double lieLow, lieHigh;             // stays down before trying to get up
};

const LevelStyle& levelStyle(ComputerLevel level);
// "easy", "normal" or "hard".
bool parseLevel(std::string_view text, ComputerLevel& level);

// What it noticed of one wrestler.
struct WrestlerSight {
    float x = 0, z = 0;
    float heading = 0, bearing = 0;
    float health = 100;
    float clipTime = 0;
    int clip = 0, state = 0, nextState = 0;
    int character = 0;
    int chosen = 0;
    int ropeRebounds = 0;
    int elbowArmed = 0;
};

// The game as it stood at one moment.
struct Sight {
    double time = 0;
    int phase = 0;
    bool featured = false;              // its wrestler is entering or has won
    WrestlerSight self, other;
};

// One press or release of a slot at a game time.
struct TimedKey {
    double time;
    int slot;
    bool press;
};

// What it is up to on its feet; kept from one look to the next.
enum Tactic {
    NoTactic = 0,
    PunchTactic,        // walk in and throw a few punches
    GrabTactic,         // walk in and take hold
    KickTactic,         // kick the opponent on the mat
    PinTactic,          // cover the opponent on the mat
    SignatureTactic,    // its character's finishing move on a weakened opponent
    RopesTactic,        // back into the ropes and come off them running
    SideRopesTactic,    // walk sideways into the ropes and bounce off
    RunTactic,          // run at the opponent from a distance
    MeetRunnerTactic,   // wait for a runner and hit it as it comes
    WaitTactic,         // stand and watch for a moment
    CircleTactic,       // a few steps sideways
};

struct ComputerPlayer {
    bool active = false;
    int player = 2;                     // 1 or 2
    ComputerLevel level = NormalLevel;
    KeySource source = SecondComputerSource;
    std::mt19937 random;
    // The character it picks on the selection screen; -1 picks one at
    // random each game.
    int wantedCharacter = -1;
    // Chance that it skips its own entrance after a while.
    double skipChance = 0.5;
    // When not null, every key it presses or releases is added here.
    std::vector<TimedKey>* journal = nullptr;

    std::vector<Sight> memory;          // recent sights, oldest first
    std::vector<TimedKey> pending;      // keys to press or release, by time
    double seen = 0;                    // time of the newest sight it has used
    double nextLook = 0;
    double lastAction = -1e9;           // time of its newest planned press
    int lastPhase = -1;
    int steering = -1;                  // direction slot held to walk, or -1
    double steerSince = 0;

    // Selection and entrance.
    int target = -1;
    double confirmAt = -1;
    bool entranceDecided = false;

    // The match.
    int tactic = NoTactic;
    double tacticUntil = 0;
    int pressesLeft = 0;                // strikes or grabs still to make
    double showUntil = 0;               // fireworks decided for this big move
    bool holdDecided = false;           // a move chosen for the current hold
    bool pinDecided = false;            // kick-out chance rolled for this pin
    bool kickOutInTime = false;
    double getUpFrom = -1;              // earliest time it tries to get up or kick out
    double moveAt = -1;                 // when it makes its move out of a hold
};

// The two computer players, one per side; inactive unless started.
extern ComputerPlayer computerOne;
extern ComputerPlayer computerTwo;

// Makes the computer play `player` (1 or 2) from now on, reserving that
// player's keys for it.
void startComputer(ComputerPlayer& c, int player, ComputerLevel level, unsigned seed);
// Hands the player back to the keyboard, releasing whatever it holds.
void stopComputer(ComputerPlayer& c, double time);
// The command line's choice: bit 1 player one, bit 2 player two.
void startComputers(int players, ComputerLevel level, unsigned seed);

// One look at the game before the frame at game time `time`: it notes what
// it sees, decides when it is time to, and presses and releases the keys
// that are due.
void computerFrame(ComputerPlayer& c, double time);
// computerFrame for each active computer player: the shell calls this once
// before every frame.
void playComputers(double time);
