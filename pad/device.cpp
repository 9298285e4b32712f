// The pads themselves, through SDL's game controller support: SDL knows
// the common controllers by name and maps each onto one standard layout;
// SDL_GAMECONTROLLERCONFIG in the environment describes others. The window
// stays freeglut's: SDL runs here without video, and without signal
// handlers of its own.
#include "pad/pad.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool started;
bool spoken;            // the one line about pads has been said
bool lookForPads;       // a pad may be waiting for a seat
SDL_GameController* controllers[padSeatCount];

void sayOnce(const std::string& line)
{
    if (spoken)
        return;
    spoken = true;
    std::fprintf(stderr, "tarvok: %s\n", line.c_str());
}

// Whether the player means to play with a pad: the system has a joystick
// device, or the player has described a controller to SDL.
bool padExpected()
{
    for (const char* name : {"SDL_GAMECONTROLLERCONFIG", "SDL_GAMECONTROLLERCONFIG_FILE"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/input", ignored))
        if (entry.path().filename().string().rfind("js", 0) == 0)
            return true;
    return false;
}

float stickAxis(SDL_GameController* c, SDL_GameControllerAxis axis)
{
    return std::clamp(static_cast<float>(SDL_GameControllerGetAxis(c, axis)) / 32767.0f, -1.0f, 1.0f);
}

PadReading readPad(SDL_GameController* c)
{
    static constexpr SDL_GameControllerButton sdlButton[padButtonCount] = {
        SDL_CONTROLLER_BUTTON_A,            SDL_CONTROLLER_BUTTON_B,
        SDL_CONTROLLER_BUTTON_X,            SDL_CONTROLLER_BUTTON_Y,
        SDL_CONTROLLER_BUTTON_BACK,         SDL_CONTROLLER_BUTTON_START,
        SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
        SDL_CONTROLLER_BUTTON_DPAD_UP,      SDL_CONTROLLER_BUTTON_DPAD_DOWN,
        SDL_CONTROLLER_BUTTON_DPAD_LEFT,    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    };
    PadReading r;
    for (int b = 0; b < padButtonCount; ++b)
        r.buttons[b] = SDL_GameControllerGetButton(c, sdlButton[b]) != 0;
    r.stickX = stickAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    r.stickY = stickAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    return r;
}

int seatOf(SDL_JoystickID device)
{
    for (int s = 0; s < padSeatCount; ++s)
        if (padSeats[s].occupied && padSeats[s].device == device)
            return s;
    return -1;
}

void unseat(int s, double time)
{
    releasePad(padSeats[s], time);
    SDL_GameControllerClose(controllers[s]);
    controllers[s] = nullptr;
}

// Gives free seats, lowest first, to the controllers not yet seated, in
// SDL's order. A joystick SDL has no controller layout for is left out.
void seatPads()
{
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        const SDL_JoystickID device = SDL_JoystickGetDeviceInstanceID(index);
        if (seatOf(device) >= 0)
            continue;
        int free = 0;
        while (free < padSeatCount && padSeats[free].occupied)
            ++free;
        if (free == padSeatCount)
            return;
        const char* name = SDL_JoystickNameForIndex(index);
        const std::string quoted = std::string("'") + (name ? name : "?") + "'";
        if (!SDL_IsGameController(index)) {
            sayOnce("pad " + quoted + " is not known to SDL; describe it in SDL_GAMECONTROLLERCONFIG to play with it");
            continue;
        }
        SDL_GameController* c = SDL_GameControllerOpen(index);
        if (!c) {
            sayOnce("pad " + quoted + " cannot be opened: " + SDL_GetError());
            continue;
        }
        // Pads with player lights show which player they are.
        SDL_GameControllerSetPlayerIndex(c, free);
        controllers[free] = c;
        padSeats[free].occupied = true;
        padSeats[free].device = device;
    }
}

} // namespace

void padsInit()
{
    if (started || padsOff)
        return;
    SDL_SetMainReady();
    // SDL would otherwise turn Ctrl+C and SIGTERM into events nobody reads.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        if (padExpected())
            sayOnce(std::string("no pads: ") + SDL_GetError());
        return;
    }
    started = true;
    lookForPads = true;
}

void pollPads(double time)
{
    if (!started)
        return;
    // Reading the events also brings every pad's state up to date.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_JOYDEVICEADDED) {
            lookForPads = true;
        } else if (event.type == SDL_JOYDEVICEREMOVED) {
            const int s = seatOf(event.jdevice.which);
            if (s >= 0) {
                unseat(s, time);
                lookForPads = true;
            }
        }
    }
    for (int s = 0; s < padSeatCount; ++s)
        if (padSeats[s].occupied && !SDL_GameControllerGetAttached(controllers[s])) {
            unseat(s, time);
            lookForPads = true;
        }
    if (lookForPads) {
        lookForPads = false;
        seatPads();
    }
    for (int s = 0; s < padSeatCount; ++s)
        if (padSeats[s].occupied)
            applyPadReading(padSeats[s], readPad(controllers[s]), time);
}

void padsShutdown()
{
    spoken = false;
    if (!started)
        return;
    for (int s = 0; s < padSeatCount; ++s)
        if (padSeats[s].occupied)
            unseat(s, keyClock);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}
