#include "sound/sound.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <cstdint>
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
    std::vector<Uint8> bytes;           // the chunk's samples when read here
    // The same sound started halfway through, for a second copy of a loop
    // playing at once: two copies in step would comb-filter each other.
    Mix_Chunk* turned = nullptr;
    std::vector<Uint8> turnedBytes;
};

bool deviceOpen;
bool deviceTried;       // a failed device is reported once, not retried
int lastHandle;
// Sounds by path, kept once read. Never destroyed: the device's mixing
// thread may still be reading them while the process exits.
std::map<std::string, LoadedSound>& sounds = *new std::map<std::string, LoadedSound>;
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

uint64_t bigEndian(const std::string& data, std::size_t at, int count)
{
    uint64_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v << 8 | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    return v;
}

// Converts a 16-bit PCM AIFF at the device's rate (every sound the data tool
// writes) straight into the device's format. SDL's general converter takes
// tens of milliseconds over a long theme, several frames; this takes about
// one. Returns false for anything else, which SDL_mixer then reads.
bool convertPlainAiff(const std::string& data, std::vector<Uint8>& out)
{
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    if (format != AUDIO_S16SYS || (channels != 1 && channels != 2))
        return false;
    if (data.size() < 12 || data.compare(0, 4, "FORM") != 0 || data.compare(8, 4, "AIFF") != 0)
        return false;
    uint64_t fileChannels = 0, frames = 0, bits = 0, fileRate = 0;
    std::size_t samplesAt = 0, samplesEnd = 0;
    for (std::size_t at = 12; at + 8 <= data.size();) {
        const std::size_t length = bigEndian(data, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + length > data.size())
            return false;
        if (data.compare(at, 4, "COMM") == 0 && length >= 18) {
            fileChannels = bigEndian(data, body, 2);
            frames = bigEndian(data, body + 2, 4);
            bits = bigEndian(data, body + 6, 2);
            const int exponent = static_cast<int>(bigEndian(data, body + 8, 2) & 0x7fff) - 16383;
            const uint64_t mantissa = bigEndian(data, body + 10, 8);
            if (exponent >= 0 && exponent < 64)
                fileRate = mantissa >> (63 - exponent);
        } else if (data.compare(at, 4, "SSND") == 0 && length >= 8) {
            samplesAt = body + 8 + bigEndian(data, body, 4);
            samplesEnd = body + length;
        }
        at = body + length + (length & 1);
    }
    if (bits != 16 || (fileChannels != 1 && fileChannels != 2) || fileRate != static_cast<uint64_t>(rate) ||
        samplesAt == 0 || samplesAt + frames * fileChannels * 2 > samplesEnd)
        return false;
    const std::size_t outChannels = static_cast<std::size_t>(channels);
    out.resize(frames * outChannels * sizeof(Sint16));
    Sint16* samples = reinterpret_cast<Sint16*>(out.data());
    const char* in = data.data() + samplesAt;
    for (std::size_t f = 0; f < frames; ++f) {
        int value[2];
        for (std::size_t c = 0; c < fileChannels; ++c, in += 2)
            value[c] = static_cast<Sint16>(static_cast<Uint16>(static_cast<unsigned char>(in[0]) << 8 |
                                                               static_cast<unsigned char>(in[1])));
        if (fileChannels == 1)
            value[1] = value[0];
        if (outChannels == 1)
            samples[f] = static_cast<Sint16>((value[0] + value[1]) / 2);
        else {
            samples[2 * f] = static_cast<Sint16>(value[0]);
            samples[2 * f + 1] = static_cast<Sint16>(value[1]);
        }
    }
    return true;
}

// The first request of a file reads it; a file that cannot be played is
// reported here, once, and stays silent.
LoadedSound& loaded(const char* path)
{
    auto [entry, first] = sounds.try_emplace(path);
    LoadedSound& sound = entry->second;
    if (!first)
        return sound;
    std::string data;
    if (std::FILE* f = std::fopen(path, "rb")) {
        std::fseek(f, 0, SEEK_END);
        data.resize(static_cast<std::size_t>(std::max(0L, std::ftell(f))));
        std::rewind(f);
        data.resize(std::fread(data.data(), 1, data.size(), f));
        std::fclose(f);
    } else {
        std::fprintf(stderr, "tarvok: %s: cannot be played: %s\n", path, std::strerror(errno));
        return sound;
    }
    if (convertPlainAiff(data, sound.bytes)) {
        sound.chunk = Mix_QuickLoad_RAW(sound.bytes.data(), static_cast<Uint32>(sound.bytes.size()));
    } else {
        sound.chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1);
        if (!sound.chunk)
            std::fprintf(stderr, "tarvok: %s: cannot be played: %s\n", path, Mix_GetError());
    }
    return sound;
}

} // namespace

void soundInit()
{
    if (deviceOpen || deviceTried || soundOff || offByEnvironment())
        return;
    deviceTried = true;
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
    deviceTried = false;
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
