#include "assets/config.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char dataDirectory[settingCapacity];
char soundPathFormat[settingCapacity];
char pathBuffer[pathCapacity];

void dataFileError(const char* file, const char* format, ...)
{
    std::fflush(stdout);
    std::fprintf(stderr, "tarvok: %s: ", file);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::exit(1);
}

// Reads one white-space separated word of at most 255 characters.
static void readSetting(std::FILE* f, const char* file, const char* what, char* out)
{
    char word[settingCapacity + 1];
    if (std::fscanf(f, " %256s", word) != 1)
        dataFileError(file, "missing the %s line", what);
    if (std::strlen(word) >= settingCapacity)
        dataFileError(file, "the %s is longer than 255 characters", what);
    std::strcpy(out, word);
}

// The sound pattern is handed to printf with the host part and the file
// name. Only conversions that read one string each are safe, at most two of
// them, and no width: "%s", or "%.0s" to drop its string (the host part,
// when sounds live beside the data). "%%" prints a percent sign.
static bool soundPatternIsSafe(const char* pattern)
{
    int conversions = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        if (p[1] == 's')
            p += 1;
        else if (p[1] == '.' && p[2] == '0' && p[3] == 's')
            p += 3;
        else
            return false;
        ++conversions;
    }
    return conversions <= 2;
}

void readConfig(const char* file)
{
    std::FILE* f = std::fopen(file, "r");
    if (!f)
        dataFileError(file, "cannot be opened");
    readSetting(f, file, "data directory", dataDirectory);
    readSetting(f, file, "sound path", soundPathFormat);
    std::fclose(f);
    if (!soundPatternIsSafe(soundPathFormat))
        dataFileError(file, "the sound path may hold at most two %%s or %%.0s conversions and no other");
}

const char* dataPath(const char* fileName)
{
    std::snprintf(pathBuffer, sizeof pathBuffer, "%s%s", dataDirectory, fileName);
    std::printf("Loading : %s\n", pathBuffer);
    return pathBuffer;
}

void hostPart(const char* hostName, char* out, std::size_t outSize)
{
    out[0] = '\0';
    if (!hostName || outSize == 0)
        return;
    const std::size_t length = std::strlen(hostName);
    if (length < 5)
        return;
    std::size_t keep = length - 5;
    if (keep >= outSize)
        keep = outSize - 1;
    std::memcpy(out, hostName, keep);
    out[keep] = '\0';
}

const char* soundPath(const char* soundFile)
{
    char host[256];
    hostPart(std::getenv("HOSTNAME"), host, sizeof host);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(pathBuffer, sizeof pathBuffer, soundPathFormat, host, soundFile);
#pragma GCC diagnostic pop
    std::printf("Loading : %s\n", pathBuffer);
    return pathBuffer;
}
