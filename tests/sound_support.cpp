#include "tests/sound_support.h"

#include "sound/sound.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

namespace {

struct SavedVariable {
    const char* name;
    bool set = false;
    std::string value;
};

// The test program never sounds on the machine's own device, nor do the
// game programs it starts; sound tests record through the disk driver.
const int silentTests = setenv("TARVOK_NO_SOUND", "1", 0);

SavedVariable saved[] = {{"SDL_AUDIODRIVER", false, ""}, {"SDL_DISKAUDIOFILE", false, ""}, {"TARVOK_NO_SOUND", false, ""}};

uint32_t bigEndian(const std::string& bytes, std::size_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

DiskRecording::DiskRecording()
{
    soundShutdown();
    for (SavedVariable& v : saved) {
        const char* value = std::getenv(v.name);
        v.set = value != nullptr;
        v.value = value ? value : "";
    }
    file = dir.file("recording.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    unsetenv("TARVOK_NO_SOUND");
    soundOff = false;
}

DiskRecording::~DiskRecording()
{
    soundShutdown();
    for (const SavedVariable& v : saved) {
        if (v.set)
            setenv(v.name, v.value.c_str(), 1);
        else
            unsetenv(v.name);
    }
}

long DiskRecording::size() const
{
    struct stat info;
    return stat(file.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

std::vector<float> DiskRecording::finish()
{
    soundShutdown();
    const std::string bytes = readFile(file);
    std::vector<float> left(bytes.size() / 4);
    for (std::size_t i = 0; i < left.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[4 * i]);
        const auto hi = static_cast<unsigned char>(bytes[4 * i + 1]);
        left[i] = static_cast<float>(static_cast<int16_t>(static_cast<uint16_t>(lo | hi << 8))) / 32768.0f;
    }
    return left;
}

std::vector<float> readAiffSamples(const std::string& path)
{
    const std::string bytes = readFile(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "FORM") != 0 || bytes.compare(8, 4, "AIFF") != 0)
        return {};
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t length = bigEndian(bytes, at + 4, 4);
        if (bytes.compare(at, 4, "SSND") == 0 && at + 16 <= bytes.size()) {
            const std::size_t first = at + 16 + bigEndian(bytes, at + 8, 4);
            const std::size_t end = std::min(bytes.size(), at + 8 + length);
            std::vector<float> samples;
            for (std::size_t i = first; i + 1 < end; i += 2)
                samples.push_back(static_cast<float>(static_cast<int16_t>(bigEndian(bytes, i, 2))) / 32768.0f);
            return samples;
        }
        at += 8 + length + (length & 1);
    }
    return {};
}

std::vector<float> generatedSound(const std::string& name)
{
    return readAiffSamples(std::string(TARVOK_RUN_DIR) + "/data/" + name);
}

double gainAt(const std::vector<float>& recording, const std::vector<float>& sound, std::size_t at,
              std::size_t offset, std::size_t length)
{
    length = std::min(length, sound.size() > offset ? sound.size() - offset : 0);
    if (at + length > recording.size() || length == 0)
        return 0;
    double cross = 0, energy = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const double s = sound[offset + i];
        cross += recording[at + i] * s;
        energy += s * s;
    }
    return energy > 0 ? cross / energy : 0;
}

Found findSound(const std::vector<float>& recording, const std::vector<float>& sound, std::size_t from,
                std::size_t to, std::size_t offset, std::size_t length)
{
    length = std::min(length, sound.size() > offset ? sound.size() - offset : 0);
    Found best;
    if (length == 0 || from + length > recording.size())
        return best;
    to = std::min(to, recording.size() - length + 1);
    // Where the excerpt matches best (normalised correlation), then its gain
    // there.
    double windowEnergy = 0;
    for (std::size_t i = 0; i < length; ++i)
        windowEnergy += static_cast<double>(recording[from + i]) * recording[from + i];
    double bestScore = -2;
    for (std::size_t at = from; at < to; ++at) {
        if (at > from) {
            const double leaving = recording[at - 1], entering = recording[at + length - 1];
            windowEnergy += entering * entering - leaving * leaving;
        }
        double cross = 0;
        for (std::size_t i = 0; i < length; ++i)
            cross += static_cast<double>(recording[at + i]) * sound[offset + i];
        const double score = cross / std::sqrt(std::max(windowEnergy, 1e-12));
        if (score > bestScore) {
            bestScore = score;
            best.at = at;
        }
    }
    best.gain = gainAt(recording, sound, best.at, offset, length);
    return best;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    to = std::min(to, samples.size());
    if (to <= from)
        return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}
