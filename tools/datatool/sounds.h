// Every sound the game requests, synthesised: impacts, the ring bell, the
// crowd, and one entrance theme per character. Written as 16-bit mono AIFF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Samples a second of every sound; the game opens its device at this rate.
constexpr int soundRate = 22050;

struct GeneratedSound {
    std::string name;               // the file name the game requests
    std::vector<int16_t> samples;   // mono
    bool loops;                     // played looping: its end joins its start
};

// Every sound, in writing order; the same samples on every run.
std::vector<GeneratedSound> buildSounds();

// A complete AIFF file of 16-bit mono samples at soundRate.
std::string aiffBytes(const std::vector<int16_t>& samples);

void writeSounds(const std::string& dataDir);
