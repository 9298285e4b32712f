// The game's sound: sound files played through SDL2_mixer behind three calls.
// Sound is a nicety: without a device, or with a file missing, the game says
// so once and plays on silently.
#pragma once

// Set before soundInit to start silent without touching the audio device
// (the --no-sound option). A non-empty TARVOK_NO_SOUND other than "0" in the
// environment does the same.
extern bool soundOff;

// Opens the audio device, once, for audio only: SDL installs no signal
// handlers, so Ctrl+C and SIGTERM still end the game at once. Without a
// device it prints "tarvok: no sound: <reason>" and every request after it
// plays nothing.
void soundInit();

// Plays a sound file once, or over and over until stopped when `loop` is 1.
// Each file is read on its first request and kept. Always returns a new,
// non-zero handle, even when nothing plays, so a caller that starts a sound
// while its handle is 0 asks only once. A file that cannot be played gives
// one warning line naming it, on its first request only.
int soundPlay(const char* path, int loop);

// Stops the sound the handle started, if it still plays. A handle whose
// sound has ended stops nothing, even when its channel now plays another.
void soundStop(int handle);

// Whether the sound a handle started is still audible.
bool soundPlaying(int handle);

// Closes the device and forgets every sound read; soundInit opens it anew.
// The game keeps its sound until the process ends; tests start over with it.
void soundShutdown();
