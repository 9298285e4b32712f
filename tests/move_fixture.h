// Shared set-up for the move handler tests: both wrestlers get short clips
// that do not move the body, stand facing each other and hold no keys.
#pragma once

#include "anim/maths.h"
#include "app/controls.h"
#include "assets/catalogue.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

// Every clip 100 units long, root fixed at the origin, no joints.
inline void makeStillClips(std::array<Animation, clipSlots>& clips)
{
    for (Animation& a : clips) {
        a.bones.clear();
        a.boneCount = a.boneCapacity = 0;
        for (KeyTrack& t : a.rootTracks)
            trackCreate(t);
        for (int k : {0, 2})
            for (float t : {0.0f, 100.0f, 101.0f})
                trackInsertKey(a.rootTracks[static_cast<std::size_t>(k)], t, 0);
    }
}

// The still clips of one player, kept here while no move test runs.
inline std::array<Animation, clipSlots>& stillClips(int player)
{
    static std::array<Animation, clipSlots> stash[2];
    static bool ready = false;
    if (!ready) {
        makeStillClips(stash[0]);
        makeStillClips(stash[1]);
        ready = true;
    }
    return stash[player];
}

// Puts a wrestler in a clip and state as if a move had started it earlier.
inline void playing(Wrestler& w, int clip, int state, float time = 0)
{
    w.clip = w.nextClip = clip;
    w.state = w.nextState = state;
    w.clipTime = w.prevClipTime = time;
}

class MoveTest : public testing::Test {
protected:
    Wrestler& a = playerOne;
    Wrestler& b = playerTwo;

    void SetUp() override
    {
        // Swapped back in TearDown, so other tests find their own clips.
        std::swap(a.clips, stillClips(0));
        std::swap(b.clips, stillClips(1));
        clearKeys();
        separationOn = 1;
        for (Wrestler* w : {&a, &b}) {
            playing(*w, ClipStand, Idle);
            w->health = 100;
            w->punchesTaken = w->ropeRebounds = w->elbowArmed = w->turning = 0;
            w->holdTimer = 0;
            w->character = 0;
            w->y = 0;
            w->heldRopeSide = w->heldRopePoint = -1;
        }
        a.opponent = &b;
        b.opponent = &a;
        place(a, 0, 0, 90);
        place(b, 3, 0, 270);
    }

    void TearDown() override
    {
        std::swap(a.clips, stillClips(0));
        std::swap(b.clips, stillClips(1));
    }

    static void place(Wrestler& w, float x, float z, float heading)
    {
        w.x = x;
        w.z = z;
        w.heading = w.targetHeading = heading;
    }

    static void hold(int slot) { keyDown[slot] = 1; }
};
