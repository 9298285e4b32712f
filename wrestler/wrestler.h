// The wrestler record, its move states and the small geometry every move uses.
#pragma once

#include "assets/catalogue.h"
#include "assets/skeleton.h"

#include <array>

struct Mesh;

enum MoveState {
    Idle = 0, Walking, Striking, Hurt, Lying, GettingUp, Kicking, Grabbing,
    Grabbed, Suplexing, Suplexed, Stunning, Stunned, Slamming, Slammed,
    Chokeslamming, Chokeslammed, OnRopes, Running, Throwing, Thrown, Pinning,
    Pinned, KickingOut, KickedOff, EnteringRing, Celebrating, OlympicSlamming,
    OlympicSlammed, BottomSlamming, BottomSlammed, ElbowDropping,
};

struct Wrestler {
    float x = 0, y = 0, z = 0;
    float anchorX = 0, anchorZ = 0;     // saved when a two-body move starts
    float heading = 0;                  // degrees, 0 faces +z, 90 faces +x
    float bearing = 0;                  // heading toward the opponent
    Mesh* model = nullptr;
    std::array<Animation, clipSlots> clips;
    unsigned int bodyTexture1 = 0, bodyTexture2 = 0;
    float health = 100;
    int clip = 0;
    int nextClip = 0;
    float clipTime = 0;
    float prevClipTime = -1;
    float prevRootX = 0, prevRootZ = 0;
    int state = Idle;
    int nextState = Idle;
    int punchesTaken = 0;
    int impactDone = 0;
    int character = 0;
    int quadrant = 0;                   // walking frame 1 to 4
    int heldRopeSide = -1;
    int heldRopePoint = -1;
    int ropeSide = 0;
    float targetHeading = 0;
    int turning = 0;
    int ropeRebounds = 0;
    int elbowArmed = 0;
    int scriptStep = 0;
    float scriptTime = 0;               // spent on the current script step
    int chosen = 0;
    float holdTimer = 0;
    Wrestler* opponent = nullptr;
};

extern Wrestler playerOne;
extern Wrestler playerTwo;

// While 1, a movement step may not carry a wrestler into the other's body box.
extern int separationOn;

// The key slots one player's roles read.
struct PlayerKeys {
    int up, left, right, down, strike, grab, special;
};
constexpr PlayerKeys playerOneKeys{1, 2, 3, 14, 4, 9, 12};
constexpr PlayerKeys playerTwoKeys{5, 6, 7, 15, 8, 10, 13};

// A floor point (x, z).
struct FloorPoint {
    float x, z;
};

// Heading to radians as the moves do it: h * single-precision 1/180 * 3.141.
double headingRadians(float heading);
// fmod(fmod(h, 360) + 360, 360).
float normalizeHeading(float heading);

bool isFree(const Wrestler& w);     // Idle or Walking
float distanceTo(const Wrestler& a, const Wrestler& b);
FloorPoint pointAhead(const Wrestler& w, float d);
void placeInFront(const Wrestler& attacker, Wrestler& victim);
void saveAnchors(Wrestler& w);
void restoreAnchors(Wrestler& w);
bool roomInRing(float heading, float d, float x, float z);
float snapHeading(float heading);

// Gives the wrestler a roster character and its body textures.
void assignProfile(Wrestler& w, int index);

// Sets every field that has a reset value; the rest keep theirs.
void resetWrestler(Wrestler& w);
