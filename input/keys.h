// The key slots: the game's whole input. Every source of presses (the
// keyboard through the window, and any other player the shell feeds in)
// presses and releases the same slots; the moves read nothing else.
#pragma once

constexpr int keySlotCount = 20;
// 1 while any source holds the slot.
extern int keyDown[keySlotCount];
// [0] newest copy of keyDown, [1] the frame before, [2] two frames before.
extern int keyHistory[3][keySlotCount];

// Who presses a slot. A slot is down while any of them holds it, so a
// release by one does not lift a slot another still holds. Each pad is a
// source of its own (PadSource the first, SecondPadSource the second).
enum KeySource { KeyboardSource = 0, PadSource, ComputerSource, SecondPadSource, keySourceCount };

// Two presses of one slot at most this far apart (in game time, about a
// quarter of a second), with the slot up in between, make a double tap.
constexpr double doubleTapWindow = 8;
// A slot must stay up at least this long between the two presses: key
// repeat can lift and press a held key in the same instant, and that is no
// tap.
constexpr double minimumTapGap = 0.2;

// Game time of the newest frame; presses made without a time of their own
// are stamped with it.
extern double keyClock;

void pressKey(int slot, KeySource source, double time);
void releaseKey(int slot, KeySource source, double time);
// Drops everything one source holds (a pad pulled out, a player leaving).
void releaseSource(KeySource source, double time);
// The keyboard's press (state 1) or release (state 0) at the newest frame's
// time.
void setKey(int slot, int state);
// Reads the slot as up until some source presses it again.
void consumeKey(int slot);

// Once per match frame: the history moves one frame on and the double taps
// completed since the last shift become visible.
void shiftKeyHistory(double time);
void clearKeys();

// Whether the slot is down now; slots outside the table count as up.
bool keyHeld(int slot);
// Whether the slot was double-tapped: pressed again within the tap window
// of its previous press, seen by the newest history shift; or down, up and
// down in the last three match frames.
bool doubleTapped(int slot);
