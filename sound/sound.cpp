#include "sound/sound.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

bool soundOff;

namespace {

// The rate the data tool writes every sound at: opening the device at the
// same rate spares a resampling pass when a file is first read.
constexpr int deviceRate = 22050;
// About 23 ms a buffer: an impact sounds with the frame that asked for it.
constexpr int bufferFrames = 512;
// Two crowd loops, a theme, the bell, the cheer and a burst of impacts at
// once, with room to spare: a request never cuts another sound off.
constexpr int channelCount = 32;
// A stopped sound fades out this quickly, fast enough to be heard as a stop
// and slow enough not to click.
constexpr int stopFadeMs = 15;

struct LoadedSound {
    Mix_Chunk* chunk = nullptr;         // null when the file could not be played
    // The same sound started halfway through, for a second copy of a loop
    // playing at once: two copies in step would comb-filter each other.
    Mix_Chunk* turned = nullptr;
    std::vector<Uint8> turnedBytes;
};

bool deviceOpen;
int lastHandle;
std::map<std::string, LoadedSound> sounds;      // by path, kept once read
std::array<int, channelCount> channelHandle;     // the handle each channel last started

int newHandle()
{
    lastHandle = lastHandle == 0x7fffffff ? 1 : lastHandle + 1;
    return lastHandle;
}

bool offByEnvironment()
{
    const char* value = std::getenv("TARVOK_NO_SOUND");
    return value && *value && std::strcmp(value, "0") != 0;
}

// SDL's drivers and the libraries under them (ALSA above all) print their
// own diagnostics while they look for a device; the game reports the outcome
// in one line of its own instead.
struct QuietStderr {
    int saved = -1;
    QuietStderr()
    {
        std::fflush(stderr);
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0)
            return;
        saved = dup(2);
        dup2(null, 2);
        close(null);
    }
    ~QuietStderr()
    {
        if (saved < 0)
            return;
        dup2(saved, 2);
        close(saved);
    }
};

bool chunkPlaying(const Mix_Chunk* chunk)
{
    for (int c = 0; c < channelCount; ++c)
        if (Mix_Playing(c) && Mix_GetChunk(c) == chunk)
            return true;
    return false;
}

// The sound's frames from the middle on, then from the start to the middle.
// A seamless loop stays seamless: its old end and start now meet halfway.
Mix_Chunk* turnedCopy(LoadedSound& sound)
{
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    const Uint32 frameBytes = static_cast<Uint32>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
    const Uint32 length = sound.chunk->alen;
    if (frameBytes == 0 || length < 2 * frameBytes)
        return nullptr;
    const Uint32 half = length / frameBytes / 2 * frameBytes;
    sound.turnedBytes.resize(length);
    std::memcpy(sound.turnedBytes.data(), sound.chunk->abuf + half, length - half);
    std::memcpy(sound.turnedBytes.data() + (length - half), sound.chunk->abuf, half);
    return Mix_QuickLoad_RAW(sound.turnedBytes.data(), length);
}

// The first request of a file reads it; a file that cannot be played is
// reported here, once, and stays silent.
LoadedSound& loaded(const char* path)
{
    auto [entry, first] = sounds.try_emplace(path);
    if (!first)
        return entry->second;
    if (std::FILE* f = std::fopen(path, "rb")) {
        std::fclose(f);
        entry->second.chunk = Mix_LoadWAV(path);
        if (!entry->second.chunk)
            std::fprintf(stderr, "tarvok: %s: cannot be played: %s\n", path, Mix_GetError());
    } else {
        std::fprintf(stderr, "tarvok: %s: cannot be played: %s\n", path, std::strerror(errno));
    }
    return entry->second;
}

} // namespace

void soundInit()
{
    if (deviceOpen || soundOff || offByEnvironment())
        return;
    SDL_SetMainReady();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tarvok");
    std::string problem;
    {
        QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            problem = SDL_GetError();
        } else if (Mix_OpenAudio(deviceRate, AUDIO_S16SYS, 2, bufferFrames) != 0) {
            problem = Mix_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "tarvok: no sound: %s\n", problem.c_str());
        return;
    }
    Mix_AllocateChannels(channelCount);
    channelHandle.fill(0);
    deviceOpen = true;
}

int soundPlay(const char* path, int loop)
{
    const int handle = newHandle();
    if (!deviceOpen || !path)
        return handle;
    LoadedSound& sound = loaded(path);
    if (!sound.chunk)
        return handle;
    Mix_Chunk* chunk = sound.chunk;
    if (loop && chunkPlaying(sound.chunk)) {
        if (!sound.turned)
            sound.turned = turnedCopy(sound);
        if (sound.turned && !chunkPlaying(sound.turned))
            chunk = sound.turned;
    }
    const int channel = Mix_PlayChannel(-1, chunk, loop ? -1 : 0);
    if (channel >= 0 && channel < channelCount)
        channelHandle[static_cast<std::size_t>(channel)] = handle;
    return handle;
}

void soundStop(int handle)
{
    if (!deviceOpen || handle == 0)
        return;
    for (int c = 0; c < channelCount; ++c)
        if (channelHandle[static_cast<std::size_t>(c)] == handle) {
            channelHandle[static_cast<std::size_t>(c)] = 0;
            if (Mix_Playing(c))
                Mix_FadeOutChannel(c, stopFadeMs);
        }
}

bool soundPlaying(int handle)
{
    if (!deviceOpen || handle == 0)
        return false;
    for (int c = 0; c < channelCount; ++c)
        if (channelHandle[static_cast<std::size_t>(c)] == handle && Mix_Playing(c))
            return true;
    return false;
}

void soundShutdown()
{
    if (!deviceOpen)
        return;
    Mix_HaltChannel(-1);
    for (auto& [path, sound] : sounds) {
        if (sound.turned)
            Mix_FreeChunk(sound.turned);
        if (sound.chunk)
            Mix_FreeChunk(sound.chunk);
    }
    sounds.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    channelHandle.fill(0);
    deviceOpen = false;
}
