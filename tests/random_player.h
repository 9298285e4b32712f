// A player for whole-game tests: presses keys at random moments with a
// person's timing (taps and holds, double taps, now and then a change of
// character), leaning toward the opponent so that games come to blows.
#pragma once

#include "app/controls.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// Game time per millisecond of real time.
constexpr double unitsPerMs = 1.0 / 30.0;

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

