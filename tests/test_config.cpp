// game.ini, data and sound paths, the loading log, the silent sound interface.
#include "assets/config.h"
#include "tests/support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

std::string configured(const std::string& text)
{
    static TempDir dir;
    const std::string path = dir.file("game.ini");
    writeFile(path, text);
    readConfig(path.c_str());
    return path;
}

TEST(Paths, DataPathPrependsTheDirectoryAndLogs)
{
    configured("data/\n/home/%s/snd/%s\n");
    testing::internal::CaptureStdout();
    EXPECT_STREQ(dataPath("ring.raw"), "data/ring.raw");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading : data/ring.raw\n");

    configured("data\n%s%s\n");
    testing::internal::CaptureStdout();
    EXPECT_STREQ(dataPath("ring.raw"), "dataring.raw");
    testing::internal::GetCapturedStdout();
}

TEST(Paths, ASecondRequestOverwritesTheFirst)
{
    configured("d/\n%s/%s\n");
    testing::internal::CaptureStdout();
    const char* first = dataPath("a.anim");
    const char* second = dataPath("b.anim");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "d/b.anim");
}

TEST(Paths, SoundPathDropsTheLastFiveCharactersOfTheHost)
{
    configured("data/\n/home/%s/snd/%s\n");
    setenv("HOSTNAME", "seat12abcde", 1);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(soundPath("bell.aiff"), "/home/seat12/snd/bell.aiff");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading : /home/seat12/snd/bell.aiff\n");

    setenv("HOSTNAME", "abcde", 1);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(soundPath("bell.aiff"), "/home//snd/bell.aiff");
    setenv("HOSTNAME", "abc", 1);
    EXPECT_STREQ(soundPath("bell.aiff"), "/home//snd/bell.aiff");
    unsetenv("HOSTNAME");
    EXPECT_STREQ(soundPath("bell.aiff"), "/home//snd/bell.aiff");
    testing::internal::GetCapturedStdout();

    // A pattern whose first conversion prints nothing drops the host part.
    configured("data/\n%.0sdata/%s\n");
    setenv("HOSTNAME", "seat12abcde", 1);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(soundPath("crowd2.aiff"), "data/crowd2.aiff");
    testing::internal::GetCapturedStdout();
}

TEST(Paths, HostPartNeverOverrunsItsBuffer)
{
    const std::string longHost(400, 'h');
    char out[256];
    hostPart(longHost.c_str(), out, sizeof out);
    EXPECT_EQ(std::strlen(out), 255u);
    hostPart(nullptr, out, sizeof out);
    EXPECT_STREQ(out, "");
}

TEST(Sound, RequestsSucceedSilently)
{
    soundInit();
    const int handle = soundPlay("crowd2.aiff", 1);
    EXPECT_NE(handle, 0);
    soundStop(handle);
    EXPECT_NE(soundPlay("bell.aiff", 0), 0);
}

TEST(ConfigErrors, BadGameIniStopsWithOneLine)
{
    TempDir dir;
    const std::string path = dir.file("game.ini");
    auto failsWith = [&](const std::string& text, const std::string& message) {
        writeFile(path, text);
        EXPECT_EXIT(readConfig(path.c_str()), testing::ExitedWithCode(1), message) << text;
    };
    failsWith("", "game.ini: missing the data directory line");
    failsWith("data/\n", "game.ini: missing the sound path line");
    failsWith(std::string(256, 'd') + "\n%s%s\n", "game.ini: the data directory is longer than 255 characters");
    failsWith("data/\n" + std::string(300, 's') + "%s%s\n", "game.ini: the sound path is longer than 255 characters");
    const std::string unsafe = "game.ini: the sound path may hold at most two %s or %.0s conversions and no other";
    for (const char* pattern : {"%s/%d", "%s/%s/%s", "%2147483648s%s", "%10s/%s", "%-s%s", "%.5s/%s", "%s/%", "%n%s", "%.0s%.0s%s"})
        failsWith(std::string("data/\n") + pattern + "\n", unsafe);
    EXPECT_EXIT(readConfig(dir.file("missing.ini").c_str()), testing::ExitedWithCode(1), "missing.ini: cannot be opened");
}

TEST(ConfigErrors, SafeSoundPatternsAreAccepted)
{
    // printf fills what it finds, so fewer than two strings is harmless.
    setenv("HOSTNAME", "seat12abcde", 1);
    const std::pair<const char*, const char*> cases[] = {
        {"/snd/bell.aiff", "/snd/bell.aiff"},
        {"/snd/%s", "/snd/seat12"},
        {"%.0s/snd/%s", "/snd/bell.aiff"},
        {"/%s/100%%/%s", "/seat12/100%/bell.aiff"},
    };
    for (const auto& [pattern, path] : cases) {
        configured(std::string("data/\n") + pattern + "\n");
        testing::internal::CaptureStdout();
        EXPECT_STREQ(soundPath("bell.aiff"), path) << pattern;
        testing::internal::GetCapturedStdout();
    }
}

TEST(ConfigErrors, ASettingOfExactly255CharactersIsAccepted)
{
    const std::string longest(255, 'd');
    configured(longest + "\n%s%s\n");
    EXPECT_EQ(std::string(dataDirectory), longest);
}

} // namespace
