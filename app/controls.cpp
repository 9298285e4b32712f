#include "app/controls.h"

#include "assets/catalogue.h"
#include "input/recording.h"
#include "wrestler/wrestler.h"

#include <chrono>

int showShadows = 1;
int showModels = 1;
int showBones = 0;

// Real time is measured from this moment, taken while globals are set up.
static const std::chrono::steady_clock::time_point clockOrigin = std::chrono::steady_clock::now();

double elapsedMilliseconds()
{
    const auto since = std::chrono::steady_clock::now() - clockOrigin;
    return static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

float startClock = static_cast<float>(elapsedMilliseconds());
int firstFrame = 1;
int windowWidth, windowHeight;
int fullScreen;
int savedWidth, savedHeight;

double gameTime()
{
    return (elapsedMilliseconds() - startClock) * (1.0 / 30.0);
}

double aspectRatio(int width, int height)
{
    return static_cast<double>(width) / (height > 0 ? height : 1);
}

int keySlot(unsigned char key)
{
    switch (key) {
    case 'w': return 1;
    case 'a': return 2;
    case 'd': return 3;
    case 's': return 14;
    case 'f': return 4;
    case 'e': return 9;
    case 'q': return 12;
    case 'i': return 5;
    case 'j': return 6;
    case 'l': return 7;
    case 'k': return 15;
    case 'h': return 8;
    case 'o': return 10;
    case 'u': return 13;
    case '1': return 11;
    default: return -1;
    }
}

WindowRequest keyPressed(unsigned char key, int altHeld, double time)
{
    constexpr unsigned char enter = 13;
    if (key == enter)
        return altHeld ? toggleFullScreen() : NoWindowChange;
    const int slot = keySlot(key);
    if (slot >= 0)
        pressKey(slot, KeyboardSource, time);
    else if (key == 'z')
        cycleCharacter(1);
    else if (key == ',')
        cycleCharacter(2);
    return NoWindowChange;
}

void keyReleased(unsigned char key, double time)
{
    const int slot = keySlot(key);
    if (slot >= 0)
        releaseKey(slot, KeyboardSource, time);
}

void cycleCharacter(int player)
{
    recordCharacterChange(player);
    Wrestler& w = player == 1 ? playerOne : playerTwo;
    w.character = (w.character + 1) % rosterSize;
    assignProfile(w, w.character);
}

WindowRequest beginFullScreen()
{
    if (fullScreen)
        return NoWindowChange;
    savedWidth = windowWidth;
    savedHeight = windowHeight;
    fullScreen = 1;
    return EnterFullScreen;
}

WindowRequest endFullScreen()
{
    if (!fullScreen)
        return NoWindowChange;
    fullScreen = 0;
    return LeaveFullScreen;
}

WindowRequest toggleFullScreen()
{
    return fullScreen ? endFullScreen() : beginFullScreen();
}

WindowRequest menuChoice(int value)
{
    recordMenuChoice(value);
    switch (value) {
    case 3: showShadows = 1; break;
    case 2: showShadows = 0; break;
    case 5: showModels = 1; break;
    case 6: showModels = 0; break;
    case 7: showBones = 1; break;
    case 8: showBones = 0; break;
    case 1: return beginFullScreen();
    case 4: return endFullScreen();
    default: break;
    }
    return NoWindowChange;
}

bool replayToNextFrame(double& time, int& width, int& height)
{
    while (const RecordedEvent* e = nextReplayEvent()) {
        switch (e->kind) {
        case RecordedFrame:
            time = e->time;
            width = e->a;
            height = e->b;
            return true;
        case RecordedPress:
            pressKey(e->a, static_cast<KeySource>(e->b), e->time);
            break;
        case RecordedRelease:
            releaseKey(e->a, static_cast<KeySource>(e->b), e->time);
            break;
        case RecordedCharacter:
            cycleCharacter(e->a);
            break;
        case RecordedMenu:
            // The picture's size comes with every recorded frame.
            menuChoice(e->a);
            break;
        }
    }
    return false;
}
