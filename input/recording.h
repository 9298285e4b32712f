// Recorded games. A recording holds, from the first frame, every frame's
// game time and picture size and every input between frames (key slot
// presses and releases from any source, character changes, display
// options), so that the same game can be played again exactly, with the
// same pictures, whatever the real frame rate.
//
// The file is text, one record per line:
//   tarvok-recording 1
//   version <the game's version>
//   options <the command line options that shaped the game, or ->
//   seed <the random seed of the presentation>
//   frame <time> <width> <height>
//   press <slot> <source> <time>
//   release <slot> <source> <time>
//   character <player>
//   menu <value>
//   end
// Inputs listed before a frame line happened before that frame. The file on
// disk always ends with "end": each frame is written in one piece over the
// previous end, so a recording cut short by a crash or a kill still plays.
#pragma once

#include <string>
#include <vector>

// --------------------------------------------------------------- recording

// Starts writing a recording; false with the reason when the file cannot be
// written. `optionsLine` names the options that shaped the game.
bool startRecording(const char* path, const std::string& optionsLine, unsigned seed, const char* version,
                    std::string& error);
bool recordingOn();
// Each frame, just before it runs.
void recordFrame(double time, int width, int height);
// The inputs, as they reach the game (the key slots call these themselves).
void recordPress(int slot, int source, double time);
void recordRelease(int slot, int source, double time);
void recordCharacterChange(int player);
void recordMenuChoice(int value);
void stopRecording();

// --------------------------------------------------------------- replaying

enum RecordedKind { RecordedFrame, RecordedPress, RecordedRelease, RecordedCharacter, RecordedMenu };

struct RecordedEvent {
    RecordedKind kind;
    double time = 0;                // frames, presses and releases
    int a = 0, b = 0, c = 0;        // frame: width, height; key: slot, source; character: player; menu: value
};

struct Recording {
    std::string version;
    std::string optionsLine;
    unsigned seed = 1;
    std::vector<RecordedEvent> events;
    int frames = 0;
};

// Reads a whole recording. A file that is missing, truncated (no "end"),
// from another version of the game or malformed is refused with a one-line
// reason (naming the line).
bool readRecording(const char* path, const char* version, Recording& out, std::string& error);

// A recording being played back: `next` is the next event to apply.
struct Replay {
    Recording recording;
    std::size_t next = 0;
    int framesPlayed = 0;
    bool on = false;
};

extern Replay replay;
// Starts playing `recording` back (the players' own inputs are then left
// out: the recording holds them).
void startReplay(const Recording& recording);
// The next recorded event, or null when the recording is over.
const RecordedEvent* nextReplayEvent();
