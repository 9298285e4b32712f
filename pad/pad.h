// Game controllers beside the shared keyboard. The first pad plays player
// one and the second player two; a pad presses the same key slots as that
// player's keys, so the moves never know which was used. Without a pad, or
// without SDL's controller support, the game plays on the keyboard alone.
#pragma once

#include "input/keys.h"

// The controls the game reads, by their place on a standard pad (SDL maps
// every controller it knows onto this layout).
enum PadButton {
    PadA = 0,           // strike
    PadB,               // grab
    PadX,               // signature move, as Y
    PadY,
    PadBack,            // change character
    PadStart,           // confirm on the selection screen, skip the entrances
    PadLeftShoulder,    // either shoulder: fireworks
    PadRightShoulder,
    PadUp,
    PadDown,
    PadLeft,
    PadRight,
    padButtonCount
};

// One reading of a pad: its buttons, and its left stick with x and y from
// -1 to 1 (x to the right, y towards the player, as SDL reports them).
struct PadReading {
    bool buttons[padButtonCount] = {};
    float stickX = 0, stickY = 0;
};

// The stick's directions, in the order of the stick state below.
enum StickDirection { StickUp = 0, StickLeft, StickRight, StickDown, stickDirectionCount };

// A player's place at the pads. A pad plugged in takes the lowest free
// seat and keeps it until it is pulled out; the other seat is not moved.
struct PadSeat {
    int player = 1;                     // 1 or 2
    bool occupied = false;
    int device = -1;                    // SDL's instance id of the pad
    bool stick[stickDirectionCount] = {};
    bool held[keySlotCount] = {};       // the key slots this pad holds
    bool backHeld = false;
};

constexpr int padSeatCount = 2;
extern PadSeat padSeats[padSeatCount];

// Set before padsInit to leave the controllers alone (the --no-pads option).
extern bool padsOff;

// The key source of a seat: each pad holds slots on its own, so the
// fireworks slot both players share stays down while either holds it.
KeySource padSource(const PadSeat& seat);

// Presses and releases the seat's player's slots to match a reading taken
// at game time `time`: the d-pad and the stick give the directions (the
// stick counts once pushed half way, each axis on its own, so a diagonal
// holds two directions as two keys would), A strike, B grab, X or Y the
// signature move, a shoulder the fireworks, and Start strike outside the
// match (confirm, skip an entrance, leave the victory). Only changes press
// or release, so a slot the game consumed stays up until its button is
// pressed anew. A press of Back changes the player's character.
void applyPadReading(PadSeat& seat, const PadReading& reading, double time);

// Lets go of everything the seat's pad held and frees the seat.
void releasePad(PadSeat& seat, double time);

// Starts SDL's game controller support, once. Fails silently unless a pad
// was expected (a joystick device exists, or SDL_GAMECONTROLLERCONFIG is
// set); then it says "tarvok: no pads: <reason>" once.
void padsInit();

// Once per frame, before the frame runs: takes pads plugged in, releases
// pads pulled out, and applies every seated pad's reading at `time`.
// Does nothing when padsInit did not start the controllers.
void pollPads(double time);

// Releases every pad and stops the controller support; padsInit starts it
// anew.
void padsShutdown();
