// What a pad's buttons and stick mean in the game: everything of the pads
// that needs no device.
#include "pad/pad.h"

#include "app/controls.h"
#include "match/phases.h"
#include "wrestler/wrestler.h"

PadSeat padSeats[padSeatCount] = {{1}, {2}};
bool padsOff;

namespace {

// Held during the match, it lights the fireworks at the ring posts.
constexpr int fireworksSlot = 11;

// A stick direction is taken once the stick leans this far along its axis,
// and let go only when it comes back inside stickLetGo. Between the two the
// direction keeps its state, so a stick resting near the edge of the dead
// zone does not flicker the key and tap out a run.
constexpr float stickTake = 0.5f;
constexpr float stickLetGo = 0.35f;

// The stick's pull towards one side of an axis: `along` is the position on
// the axis with that side positive.
bool stickHolds(bool heldBefore, float along)
{
    return heldBefore ? along >= stickLetGo : along >= stickTake;
}

// Updates the stick's directions from its position. Each axis decides its
// own pair of directions.
void readStick(PadSeat& seat, float x, float y)
{
    bool* s = seat.stick;
    s[StickUp] = stickHolds(s[StickUp], -y);
    s[StickDown] = stickHolds(s[StickDown], y);
    s[StickLeft] = stickHolds(s[StickLeft], -x);
    s[StickRight] = stickHolds(s[StickRight], x);
}

} // namespace

KeySource padSource(const PadSeat& seat)
{
    return seat.player == 2 ? SecondPadSource : PadSource;
}

void applyPadReading(PadSeat& seat, const PadReading& reading, double time)
{
    readStick(seat, reading.stickX, reading.stickY);
    const bool* b = reading.buttons;
    const PlayerKeys& keys = seat.player == 2 ? playerTwoKeys : playerOneKeys;

    bool wanted[keySlotCount] = {};
    wanted[keys.up] = b[PadUp] || seat.stick[StickUp];
    wanted[keys.left] = b[PadLeft] || seat.stick[StickLeft];
    wanted[keys.right] = b[PadRight] || seat.stick[StickRight];
    wanted[keys.down] = b[PadDown] || seat.stick[StickDown];
    wanted[keys.strike] = b[PadA] || (b[PadStart] && gamePhase != Match);
    wanted[keys.grab] = b[PadB];
    wanted[keys.special] = b[PadX] || b[PadY];
    wanted[fireworksSlot] = b[PadLeftShoulder] || b[PadRightShoulder];

    const KeySource source = padSource(seat);
    for (int slot = 0; slot < keySlotCount; ++slot) {
        if (wanted[slot] == seat.held[slot])
            continue;
        seat.held[slot] = wanted[slot];
        if (wanted[slot])
            pressKey(slot, source, time);
        else
            releaseKey(slot, source, time);
    }

    if (b[PadBack] && !seat.backHeld)
        cycleCharacter(seat.player);
    seat.backHeld = b[PadBack];
}

void releasePad(PadSeat& seat, double time)
{
    releaseSource(padSource(seat), time);
    const int player = seat.player;
    seat = PadSeat{};
    seat.player = player;
}
