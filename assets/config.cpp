#include "assets/config.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char dataDirectory[settingCapacity];
char soundPathFormat[settingCapacity];
char pathBuffer[pathCapacity];

static std::string formatted(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

void badData(const char* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    DataFileError error{file, formatted(format, args)};
    va_end(args);
    throw error;
}

void stopOnDataFileError(const DataFileError& error)
{
    std::fflush(stdout);
    std::fprintf(stderr, "tarvok: %s: %s\n", error.file.c_str(), error.problem.c_str());
    std::exit(1);
}

void dataFileError(const char* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const DataFileError error{file, formatted(format, args)};
    va_end(args);
    stopOnDataFileError(error);
}

bool readWholeFile(const char* path, std::string& out)
{
    out.clear();
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        out.append(chunk, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return !failed;
}

static bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads one white-space separated word of at most 255 characters, as the
// "%s" of formatted input does.
static void readSetting(std::string_view text, std::size_t& at, const char* file, const char* what, char* out)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    const std::size_t start = at;
    while (at < text.size() && !isSpace(text[at]) && text[at] != '\0')
        ++at;
    if (at == start)
        badData(file, "missing the %s line", what);
    if (at - start >= settingCapacity)
        badData(file, "the %s is longer than 255 characters", what);
    text.copy(out, at - start, start);
    out[at - start] = '\0';
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

void parseConfig(std::string_view text, const char* file)
{
    char directory[settingCapacity], pattern[settingCapacity];
    std::size_t at = 0;
    readSetting(text, at, file, "data directory", directory);
    readSetting(text, at, file, "sound path", pattern);
    if (!soundPatternIsSafe(pattern))
        badData(file, "the sound path may hold at most two %%s or %%.0s conversions and no other");
    std::memcpy(dataDirectory, directory, sizeof directory);
    std::memcpy(soundPathFormat, pattern, sizeof pattern);
}

void readConfig(const char* file)
{
    loadDataFile(file, [&](const std::string& text) { parseConfig(text, file); });
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
