// The sounds the data tool synthesises: the same bytes every run, valid AIFF
// files of the right lengths, a crowd loop without a seam, levels that sit
// together without clipping, and four themes that differ.
#include "tests/sound_support.h"

#include "assets/catalogue.h"
#include "assets/config.h"
#include "tools/datatool/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

const std::string dataDir = std::string(TARVOK_RUN_DIR) + "/data/";

// Every sound file the game asks for.
std::vector<std::string> requestedSounds()
{
    std::vector<std::string> names{"punchface.aiff", "fall.aiff", "bell.aiff", "crowd2.aiff", "bigcrowd2.aiff"};
    for (const CharacterProfile& p : roster)
        names.emplace_back(p.themeSoundFile);
    return names;
}

bool isTheme(const std::string& name)
{
    for (const CharacterProfile& p : roster)
        if (name == p.themeSoundFile)
            return true;
    return false;
}

double seconds(const std::vector<float>& s)
{
    return static_cast<double>(s.size()) / soundRate;
}

double decibels(double amplitude)
{
    return 20 * std::log10(std::max(amplitude, 1e-9));
}

// A listener's level: the loudest 400 ms stretch.
double loudness(const std::vector<float>& s)
{
    const std::size_t window = soundRate * 4 / 10;
    double best = 0;
    for (std::size_t at = 0; at < s.size(); at += soundRate / 20)
        best = std::max(best, rms(s, at, at + window) * std::sqrt(std::min<double>(1, double(s.size() - at) / window)));
    return decibels(best);
}

// Share of the energy above a frequency, through a two-pole high-pass.
double shareAbove(const std::vector<float>& s, double frequency)
{
    const double w = 2 * 3.14159265 * frequency / soundRate, alpha = std::sin(w) / (2 * 0.707), c = std::cos(w);
    const double a0 = 1 + alpha, b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, b2 = b0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, high = 0, all = 0;
    for (float x : s) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        high += y * y;
        all += static_cast<double>(x) * x;
    }
    return high / all;
}

uint64_t bigEndian(const std::string& bytes, std::size_t at, int count)
{
    uint64_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

TEST(GeneratedSounds, EveryRequestedSoundIsWrittenWithTheSameBytesEveryRun)
{
    // Built afresh here, in another process than the data tool's run.
    const std::vector<GeneratedSound> built = buildSounds();
    std::vector<std::string> names;
    for (const GeneratedSound& s : built) {
        names.push_back(s.name);
        EXPECT_TRUE(aiffBytes(s.samples) == readFile(dataDir + s.name)) << s.name << " differs from the data tool's";
    }
    std::vector<std::string> wanted = requestedSounds();
    std::sort(names.begin(), names.end());
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(names, wanted);
}

TEST(GeneratedSounds, FilesAreSixteenBitMonoAiffOfTheirLength)
{
    for (const std::string& name : requestedSounds()) {
        const std::string bytes = readFile(dataDir + name);
        ASSERT_GE(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes.substr(0, 4), "FORM") << name;
        EXPECT_EQ(bigEndian(bytes, 4, 4), bytes.size() - 8) << name;
        EXPECT_EQ(bytes.substr(8, 4), "AIFF") << name;
        EXPECT_EQ(bytes.substr(12, 4), "COMM") << name;
        EXPECT_EQ(bigEndian(bytes, 16, 4), 18u) << name;
        EXPECT_EQ(bigEndian(bytes, 20, 2), 1u) << name << ": channels";
        const uint64_t frames = bigEndian(bytes, 22, 4);
        EXPECT_EQ(bigEndian(bytes, 26, 2), 16u) << name << ": bits";
        // 80-bit extended rate: sign and exponent, then a 64-bit mantissa.
        const int exponent = static_cast<int>(bigEndian(bytes, 28, 2)) - 16383;
        const double mantissa = static_cast<double>(bigEndian(bytes, 30, 8));
        EXPECT_DOUBLE_EQ(std::ldexp(mantissa, exponent - 63), 22050.0) << name;
        EXPECT_EQ(bytes.substr(38, 4), "SSND") << name;
        EXPECT_EQ(bigEndian(bytes, 42, 4), 8 + 2 * frames) << name;
        EXPECT_EQ(bigEndian(bytes, 46, 8), 0u) << name << ": offset and block size";
        EXPECT_EQ(bytes.size(), 54 + 2 * frames) << name;

        const double length = static_cast<double>(frames) / 22050;
        if (isTheme(name)) {
            EXPECT_GE(length, 15) << name;
            EXPECT_LE(length, 30) << name;
        }
    }
    EXPECT_LT(seconds(generatedSound("punchface.aiff")), 0.6);
    EXPECT_LT(seconds(generatedSound("fall.aiff")), 2.0);
    EXPECT_GE(seconds(generatedSound("crowd2.aiff")), 5.0) << "a short loop is heard repeating";
    EXPECT_GE(seconds(generatedSound("bigcrowd2.aiff")), 3.0);
}

TEST(GeneratedSounds, TheBellStrikesThreeTimes)
{
    const std::vector<float> bell = generatedSound("bell.aiff");
    // A strike: the 10 ms level jumps well above the one before, over the
    // ringing of the strikes before it.
    std::vector<double> strikes;
    const std::size_t step = soundRate / 100;
    double previous = 0;
    for (std::size_t at = 0; at + step <= bell.size(); at += step) {
        const double level = rms(bell, at, at + step);
        const double time = static_cast<double>(at) / soundRate;
        if (level > 1.3 * previous && level > 0.03 && (strikes.empty() || time > strikes.back() + 0.1))
            strikes.push_back(time);
        previous = level;
    }
    ASSERT_EQ(strikes.size(), 3u);
    EXPECT_GT(strikes[1] - strikes[0], 0.2) << "strikes heard apart";
    EXPECT_NEAR(strikes[2] - strikes[1], strikes[1] - strikes[0], 0.05) << "in an even rhythm";
}

TEST(GeneratedSounds, TheCrowdLoopsWithoutASeamAndTheOthersStartAndEndQuietly)
{
    const std::vector<float> crowd = generatedSound("crowd2.aiff");
    ASSERT_GT(crowd.size(), 2000u);
    // The jump from the last sample back to the first is no bigger than the
    // murmur's own steps.
    std::vector<float> steps;
    for (std::size_t i = 1; i < crowd.size(); ++i)
        steps.push_back(std::fabs(crowd[i] - crowd[i - 1]));
    std::sort(steps.begin(), steps.end());
    const float largeStep = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::fabs(crowd.front() - crowd.back()), largeStep);
    // Nor does the level dip or swell across the join.
    std::vector<float> join(crowd.end() - 2205, crowd.end());
    join.insert(join.end(), crowd.begin(), crowd.begin() + 2205);
    EXPECT_NEAR(decibels(rms(join, 0, join.size())), decibels(rms(crowd, 0, crowd.size())), 2.5);

    for (const std::string& name : requestedSounds()) {
        if (name == "crowd2.aiff")
            continue;
        const std::vector<float> s = generatedSound(name);
        ASSERT_FALSE(s.empty()) << name;
        EXPECT_LT(std::fabs(s.front()), 0.001f) << name << " starts with a click";
        EXPECT_LT(std::fabs(s.back()), 0.001f) << name << " ends with a click";
    }
}

TEST(GeneratedSounds, LevelsSitTogetherWithoutClippingAndTheCrowdSitsUnder)
{
    std::map<std::string, double> level;
    for (const std::string& name : requestedSounds()) {
        const std::vector<float> s = generatedSound(name);
        ASSERT_FALSE(s.empty()) << name;
        float peak = 0;
        for (float v : s)
            peak = std::max(peak, std::fabs(v));
        EXPECT_LE(decibels(peak), -1.0) << name << " peaks too close to full scale";
        EXPECT_GE(decibels(peak), -30.0) << name << " is barely there";
        level[name] = loudness(s);
        // Crest factor: peak over RMS. A squashed wall of sound has little;
        // a sound that is all spikes reads as clicks.
        const double crest = decibels(peak) - decibels(rms(s, 0, s.size()));
        EXPECT_GT(crest, 6) << name;
        EXPECT_LT(crest, 24) << name;
        // Not hiss: most of the energy lies below 4 kHz.
        EXPECT_LT(shareAbove(s, 4000), 0.2) << name;
    }
    const double murmur = level["crowd2.aiff"];
    double quietest = 0, loudest = -100, quietestTheme = 0, loudestTheme = -100;
    for (const auto& [name, l] : level) {
        if (name == "crowd2.aiff")
            continue;
        quietest = std::min(quietest, l);
        loudest = std::max(loudest, l);
        if (isTheme(name)) {
            quietestTheme = std::min(quietestTheme, l);
            loudestTheme = std::max(loudestTheme, l);
        }
        EXPECT_GE(l - murmur, 10) << name << " does not stand out of the crowd";
    }
    EXPECT_LE(loudest - quietest, 4) << "impacts, bell, cheer and themes at one level";
    EXPECT_LE(loudestTheme - quietestTheme, 1) << "the four themes at one level";
}

TEST(GeneratedSounds, TheFourThemesDifferAndFollowTheirCharacters)
{
    // Energy in octave bands, per theme, in decibels.
    const double edges[] = {60, 120, 250, 500, 1000, 2000, 4000, 8000};
    std::vector<std::vector<double>> bands;
    for (const CharacterProfile& p : roster) {
        const std::vector<float> s = generatedSound(p.themeSoundFile);
        ASSERT_FALSE(s.empty()) << p.themeSoundFile;
        std::vector<double> profile;
        for (double e : edges)
            profile.push_back(shareAbove(s, e));
        bands.push_back(profile);
    }
    for (std::size_t a = 0; a < bands.size(); ++a) {
        for (std::size_t b = a + 1; b < bands.size(); ++b) {
            double difference = 0;
            for (std::size_t k = 0; k < bands[a].size(); ++k)
                difference = std::max(difference, std::fabs(decibels(bands[a][k]) - decibels(bands[b][k])));
            EXPECT_GT(difference, 3.0) << roster[a].themeSoundFile << " and " << roster[b].themeSoundFile << " sound alike";
        }
    }
    // The grey giant's theme is the darkest: the least energy above 500 Hz.
    for (std::size_t c = 0; c < bands.size(); ++c) {
        if (c != 2) {
            EXPECT_LT(bands[2][3], bands[c][3]) << roster[c].themeSoundFile;
        }
    }
}

TEST(GeneratedSounds, GameIniLeadsEverySoundRequestToItsFile)
{
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(TARVOK_RUN_DIR), 0);
    readConfig();
    // The host part is dropped whatever the host is called.
    setenv("HOSTNAME", "seat12abcde", 1);
    for (const std::string& name : requestedSounds()) {
        testing::internal::CaptureStdout();
        const std::string path = soundPath(name.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading : data/" + name + "\n");
        EXPECT_EQ(path, "data/" + name);
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
    ASSERT_EQ(chdir(cwd), 0);
}

} // namespace
