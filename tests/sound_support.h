// Helpers for the sound tests: SDL's "disk" audio driver as a recording
// device, the recording read back, the generated AIFF files read, and a
// matched filter that finds a known sound in a recording.
#pragma once

#include "tests/support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The device's rate: the game opens it at the rate of its sound files.
constexpr int recordRate = 22050;

// While it lives, sound goes to a file in a temporary directory through
// SDL's disk driver (16-bit little-endian stereo at recordRate), and sound is
// switched on whatever the environment says. Closes the device and restores
// the environment when it goes.
struct DiskRecording {
    TempDir dir;
    std::string file;
    DiskRecording();
    ~DiskRecording();
    // Bytes written so far; a sound requested now starts at or after this.
    long size() const;
    // Closes the device, flushing the recording, and returns its left
    // channel as samples from -1 to 1.
    std::vector<float> finish();
};

// Reads the samples of a 16-bit mono AIFF file, as -1 to 1; empty when the
// file is not one.
std::vector<float> readAiffSamples(const std::string& path);

// A sound's samples as the data tool wrote them into the test build's run
// directory.
std::vector<float> generatedSound(const std::string& name);

struct Found {
    double gain = 0;            // 1 when the sound is there at full level
    std::size_t at = 0;         // recording sample where the sound's excerpt starts
};

// Searches the recording between samples `from` and `to` for `length`
// samples of `sound` starting at its sample `offset`, and returns the best
// least-squares gain and where. Other sounds mixed in only add noise to the
// gain, so a gain near 1 means the excerpt is in the recording unscaled.
Found findSound(const std::vector<float>& recording, const std::vector<float>& sound, std::size_t from,
                std::size_t to, std::size_t offset = 0, std::size_t length = 4000);

// The gain of the excerpt exactly at recording sample `at`.
double gainAt(const std::vector<float>& recording, const std::vector<float>& sound, std::size_t at,
              std::size_t offset, std::size_t length);

// Root mean square of samples [from, to).
double rms(const std::vector<float>& samples, std::size_t from, std::size_t to);

// Recording sample position of a byte count of the disk recording.
inline std::size_t sampleOfByte(long bytes)
{
    return bytes > 0 ? static_cast<std::size_t>(bytes) / 4 : 0;
}
