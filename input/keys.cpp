#include "input/keys.h"

#include "input/recording.h"

#include <cstring>
#include <limits>

int keyDown[keySlotCount];
int keyHistory[3][keySlotCount];
double keyClock;

namespace {

constexpr double never = -std::numeric_limits<double>::infinity();

// What each slot needs beyond its up/down state: who holds it, and the
// times that tell a double tap.
struct SlotTiming {
    unsigned holders = 0;           // one bit per KeySource
    double lastPress = never;
    double lastRelease = never;
    bool tapPending = false;        // completed since the last history shift
    bool tapped = false;            // seen by the newest shift
};

SlotTiming timing[keySlotCount];

bool validSlot(int slot)
{
    return slot >= 0 && slot < keySlotCount;
}

unsigned sourceBit(KeySource source)
{
    return 1u << static_cast<unsigned>(source);
}

} // namespace

void pressKey(int slot, KeySource source, double time)
{
    recordPress(slot, source, time);
    if (!validSlot(slot))
        return;
    SlotTiming& s = timing[slot];
    const bool wasUp = keyDown[slot] == 0;
    if (!wasUp && (s.holders & sourceBit(source)))
        return;                     // a held key repeating
    s.holders |= sourceBit(source);
    keyDown[slot] = 1;
    if (!wasUp)
        return;                     // held already by another source
    if (time - s.lastPress <= doubleTapWindow && time - s.lastRelease >= minimumTapGap)
        s.tapPending = true;
    s.lastPress = time;
}

void releaseKey(int slot, KeySource source, double time)
{
    recordRelease(slot, source, time);
    if (!validSlot(slot))
        return;
    SlotTiming& s = timing[slot];
    s.holders &= ~sourceBit(source);
    if (s.holders == 0 && keyDown[slot]) {
        keyDown[slot] = 0;
        s.lastRelease = time;
    }
}

void releaseSource(KeySource source, double time)
{
    for (int slot = 0; slot < keySlotCount; ++slot)
        if (timing[slot].holders & sourceBit(source))
            releaseKey(slot, source, time);
}

void setKey(int slot, int state)
{
    if (state)
        pressKey(slot, KeyboardSource, keyClock);
    else
        releaseKey(slot, KeyboardSource, keyClock);
}

void consumeKey(int slot)
{
    if (!validSlot(slot))
        return;
    keyDown[slot] = 0;
    timing[slot].holders = 0;
}

void shiftKeyHistory(double time)
{
    std::memcpy(keyHistory[2], keyHistory[1], sizeof keyHistory[2]);
    std::memcpy(keyHistory[1], keyHistory[0], sizeof keyHistory[1]);
    std::memcpy(keyHistory[0], keyDown, sizeof keyHistory[0]);
    for (SlotTiming& s : timing) {
        // A tap completed long before this frame (while the match was not
        // running) is stale.
        s.tapped = s.tapPending && time - s.lastPress <= doubleTapWindow;
        s.tapPending = false;
    }
}

void clearKeys()
{
    std::memset(keyDown, 0, sizeof keyDown);
    std::memset(keyHistory, 0, sizeof keyHistory);
    for (SlotTiming& s : timing)
        s = SlotTiming{};
}

bool keyHeld(int slot)
{
    return validSlot(slot) && keyDown[slot] != 0;
}

bool doubleTapped(int slot)
{
    if (!validSlot(slot))
        return false;
    const bool oneFrameGap = keyHistory[0][slot] && !keyHistory[1][slot] && keyHistory[2][slot];
    return oneFrameGap || timing[slot].tapped;
}
