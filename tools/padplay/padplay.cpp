// The game with virtual pads, for trying the pads on a machine without
// one: the real window, frame loop and pad support, with pads plugged in,
// pressed and pulled out by commands read from standard input, one a line:
//
//   plug [NAME]            plugs in a new pad (the first free seat takes it)
//   pull N                 pulls out pad N (0 is the first plugged in)
//   button N BUTTON 0|1    lets go of or holds a button, named as SDL names
//                          them: a b x y back start leftshoulder dpup ...
//   stick N X Y            leans the left stick, X and Y from -1 to 1
//
// The pads are SDL's virtual joysticks, which live only inside this process.
// Options are the game's.
#include "app/shell.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Pad {
    SDL_JoystickID device = -1;
    SDL_Joystick* joystick = nullptr;
};

std::vector<Pad> pads;

void plug(const std::string& name)
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name.c_str();
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    Pad pad;
    if (index >= 0) {
        pad.device = SDL_JoystickGetDeviceInstanceID(index);
        pad.joystick = SDL_JoystickOpen(index);
    }
    if (!pad.joystick)
        std::fprintf(stderr, "padplay: cannot plug in a pad: %s\n", SDL_GetError());
    pads.push_back(pad);
}

void pull(Pad& pad)
{
    if (!pad.joystick)
        return;
    SDL_JoystickClose(pad.joystick);
    pad.joystick = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == pad.device) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
}

Sint16 axisValue(float v)
{
    return static_cast<Sint16>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
}

void obey(const std::string& line)
{
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "plug") {
        std::string name;
        std::getline(in >> std::ws, name);
        plug(name.empty() ? "Virtual pad " + std::to_string(pads.size() + 1) : name);
        return;
    }
    std::size_t n = 0;
    if (!(in >> n) || n >= pads.size() || !pads[n].joystick) {
        std::fprintf(stderr, "padplay: no pad in '%s'\n", line.c_str());
        return;
    }
    Pad& pad = pads[n];
    if (command == "pull") {
        pull(pad);
    } else if (command == "button") {
        std::string name;
        int down = 0;
        in >> name >> down;
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
        if (button == SDL_CONTROLLER_BUTTON_INVALID)
            std::fprintf(stderr, "padplay: no button '%s'\n", name.c_str());
        else
            SDL_JoystickSetVirtualButton(pad.joystick, button, down ? 1 : 0);
    } else if (command == "stick") {
        float x = 0, y = 0;
        in >> x >> y;
        SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTX, axisValue(x));
        SDL_JoystickSetVirtualAxis(pad.joystick, SDL_CONTROLLER_AXIS_LEFTY, axisValue(y));
    } else {
        std::fprintf(stderr, "padplay: unknown command '%s'\n", line.c_str());
    }
}

// Commands wait until the game has started its pad support.
void readCommands()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        while (!SDL_WasInit(SDL_INIT_GAMECONTROLLER))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!line.empty())
            obey(line);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::thread(readCommands).detach();
    return runShell(argc, argv);
}
