// Virtual pads for the pad tests: SDL's virtual joysticks with the standard
// controller layout, plugged in and pulled out while the game's pad support
// runs. They need SDL's joystick support started (padsInit), no device.
#pragma once

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <string>
#include <vector>

struct VirtualPad {
    SDL_JoystickID device = -1;
    SDL_Joystick* joystick = nullptr;

    // A pad SDL knows as a game controller (its buttons and axes in SDL's
    // own order), or, with `known` false, a joystick SDL has no layout for.
    // False when SDL refused it.
    bool plugIn(const char* name = "Virtual pad", bool known = true);
    void pullOut();
    bool pluggedIn() const { return joystick != nullptr; }

    // An SDL_GameControllerButton.
    void button(int which, bool down);
    // The left stick, -1 to 1 on each axis (y towards the player).
    void stick(float x, float y);
    // Any axis, in SDL's raw units.
    void axis(int which, int value);

    VirtualPad() = default;
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;
    ~VirtualPad() { pullOut(); }
};

// The key slots down now, in slot order.
std::vector<int> slotsDown();
