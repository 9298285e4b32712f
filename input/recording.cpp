#include "input/recording.h"

#include "input/keys.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* magic = "tarvok-recording 1";
constexpr const char* endLine = "end\n";

// The recording being written: the file, where its "end" line starts, and
// the inputs since the last frame.
struct Recorder {
    int fd = -1;
    off_t endAt = 0;
    std::string pending;
};

Recorder recorder;

// Writes `text` followed by "end" over the present end, in one write, so
// the file is a whole recording at every moment.
bool writeOverEnd(const std::string& text)
{
    const std::string chunk = text + endLine;
    const ssize_t written = pwrite(recorder.fd, chunk.data(), chunk.size(), recorder.endAt);
    if (written != static_cast<ssize_t>(chunk.size()))
        return false;
    recorder.endAt += static_cast<off_t>(text.size());
    return true;
}

std::string number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

Replay replay;

bool startRecording(const char* path, const std::string& optionsLine, unsigned seed, const char* version,
                    std::string& error)
{
    stopRecording();
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = std::string(path) + ": cannot be written: " + std::strerror(errno);
        return false;
    }
    recorder = Recorder{fd, 0, {}};
    std::string header = std::string(magic) + "\nversion " + version + "\noptions " +
                         (optionsLine.empty() ? "-" : optionsLine) + "\nseed " + std::to_string(seed) + "\n";
    if (!writeOverEnd(header)) {
        error = std::string(path) + ": cannot be written";
        stopRecording();
        return false;
    }
    return true;
}

bool recordingOn()
{
    return recorder.fd >= 0;
}

void recordFrame(double time, int width, int height)
{
    if (!recordingOn())
        return;
    recorder.pending += "frame " + number(time) + " " + std::to_string(width) + " " + std::to_string(height) + "\n";
    if (!writeOverEnd(recorder.pending)) {
        std::fprintf(stderr, "tarvok: the recording cannot be written on; it stops here\n");
        stopRecording();
        return;
    }
    recorder.pending.clear();
}

void recordPress(int slot, int source, double time)
{
    if (recordingOn())
        recorder.pending += "press " + std::to_string(slot) + " " + std::to_string(source) + " " + number(time) + "\n";
}

void recordRelease(int slot, int source, double time)
{
    if (recordingOn())
        recorder.pending +=
            "release " + std::to_string(slot) + " " + std::to_string(source) + " " + number(time) + "\n";
}

void recordCharacterChange(int player)
{
    if (recordingOn())
        recorder.pending += "character " + std::to_string(player) + "\n";
}

void recordMenuChoice(int value)
{
    if (recordingOn())
        recorder.pending += "menu " + std::to_string(value) + "\n";
}

void stopRecording()
{
    if (recorder.fd >= 0)
        close(recorder.fd);
    recorder = Recorder{};
}

namespace {

// One line's words as numbers of the wanted kinds; false when they are not.
bool readNumbers(std::istringstream& words, double* time, int* ints, int count)
{
    if (time && !(words >> *time))
        return false;
    for (int i = 0; i < count; ++i)
        if (!(words >> ints[i]))
            return false;
    std::string extra;
    return !(words >> extra);
}

bool parseEvent(const std::string& word, std::istringstream& words, RecordedEvent& e)
{
    int n[3] = {0, 0, 0};
    if (word == "frame") {
        e.kind = RecordedFrame;
        if (!readNumbers(words, &e.time, n, 2) || n[0] <= 0 || n[1] <= 0 || n[0] > 16384 || n[1] > 16384)
            return false;
        e.a = n[0];
        e.b = n[1];
    } else if (word == "press" || word == "release") {
        e.kind = word == "press" ? RecordedPress : RecordedRelease;
        if (!(words >> n[0] >> n[1]) || !readNumbers(words, &e.time, nullptr, 0))
            return false;
        if (n[1] < 0 || n[1] >= keySourceCount)
            return false;
        e.a = n[0];
        e.b = n[1];
    } else if (word == "character") {
        e.kind = RecordedCharacter;
        if (!readNumbers(words, nullptr, n, 1) || (n[0] != 1 && n[0] != 2))
            return false;
        e.a = n[0];
    } else if (word == "menu") {
        e.kind = RecordedMenu;
        if (!readNumbers(words, nullptr, n, 1))
            return false;
        e.a = n[0];
    } else {
        return false;
    }
    return e.kind == RecordedCharacter || e.kind == RecordedMenu || std::isfinite(e.time);
}

} // namespace

bool readRecording(const char* path, const char* version, Recording& out, std::string& error)
{
    out = Recording{};
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::string(path) + ": cannot be opened";
        return false;
    }
    std::string text;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, got);
    std::fclose(f);

    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& problem) {
        error = std::string(path) + ": line " + std::to_string(number) + ": " + problem;
        return false;
    };
    auto header = [&](const char* key, std::string& value) {
        ++number;
        if (!std::getline(lines, line) || line.compare(0, std::strlen(key) + 1, std::string(key) + " ") != 0)
            return false;
        value = line.substr(std::strlen(key) + 1);
        return true;
    };
    ++number;
    if (!std::getline(lines, line) || line != magic) {
        error = std::string(path) + ": is not a Tarvok recording";
        return false;
    }
    std::string seed;
    if (!header("version", out.version))
        return fail("the version line is missing");
    if (out.version != version)
        return fail("the recording was made by version " + out.version + " of the game, this is " + version);
    if (!header("options", out.optionsLine))
        return fail("the options line is missing");
    if (!header("seed", seed) || seed.empty() || seed.find_first_not_of("0123456789") != std::string::npos ||
        seed.size() > 9)
        return fail("the seed line is missing or not a number");
    out.seed = static_cast<unsigned>(std::strtoul(seed.c_str(), nullptr, 10));
    bool ended = false;
    while (std::getline(lines, line)) {
        ++number;
        if (ended)
            return fail("there is more after the end");
        if (line == "end") {
            ended = true;
            continue;
        }
        std::istringstream words(line);
        std::string word;
        words >> word;
        RecordedEvent e{};
        if (!parseEvent(word, words, e))
            return fail("cannot be read: \"" + line.substr(0, 40) + "\"");
        if (e.kind == RecordedFrame) {
            if (out.frames > 0) {
                // Frame times never go back.
                for (auto it = out.events.rbegin(); it != out.events.rend(); ++it)
                    if (it->kind == RecordedFrame) {
                        if (e.time < it->time)
                            return fail("the frame time goes back");
                        break;
                    }
            }
            ++out.frames;
        }
        out.events.push_back(e);
    }
    if (!ended)
        return fail("the recording is cut short: it has no end line");
    return true;
}

void startReplay(const Recording& recording)
{
    replay = Replay{recording, 0, 0, true};
}

const RecordedEvent* nextReplayEvent()
{
    if (!replay.on || replay.next >= replay.recording.events.size())
        return nullptr;
    const RecordedEvent* e = &replay.recording.events[replay.next++];
    if (e->kind == RecordedFrame)
        ++replay.framesPlayed;
    return e;
}
