#include "tests/pad_support.h"

#include "input/keys.h"

#include <algorithm>
#include <cmath>

bool VirtualPad::plugIn(const char* name, bool known)
{
    pullOut();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.name = name;
    if (known) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 2;
        desc.nbuttons = 8;
        desc.vendor_id = 0x1234;
        desc.product_id = 0x5678;
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0)
        return false;
    device = SDL_JoystickGetDeviceInstanceID(index);
    joystick = SDL_JoystickOpen(index);
    return joystick != nullptr;
}

void VirtualPad::pullOut()
{
    if (!joystick)
        return;
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    // Device indexes move as others come and go; the instance id stays.
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == device) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
    device = -1;
}

void VirtualPad::button(int which, bool down)
{
    if (joystick)
        SDL_JoystickSetVirtualButton(joystick, which, down ? 1 : 0);
}

void VirtualPad::axis(int which, int value)
{
    if (joystick)
        SDL_JoystickSetVirtualAxis(joystick, which, static_cast<Sint16>(std::clamp(value, -32768, 32767)));
}

void VirtualPad::stick(float x, float y)
{
    axis(SDL_CONTROLLER_AXIS_LEFTX, static_cast<int>(std::lround(x * 32767)));
    axis(SDL_CONTROLLER_AXIS_LEFTY, static_cast<int>(std::lround(y * 32767)));
}

std::vector<int> slotsDown()
{
    std::vector<int> down;
    for (int slot = 0; slot < keySlotCount; ++slot)
        if (keyDown[slot])
            down.push_back(slot);
    return down;
}
