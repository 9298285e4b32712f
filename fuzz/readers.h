// The file readers as the fuzzing targets drive them: each takes one file's
// bytes and, when the reader accepts them, goes on through what the game
// does next with a good file. The ordinary test suite feeds the inputs that
// once found faults through the same functions.
#pragma once

#include <cstddef>

// Reads the generated skeleton and body the other files build on, from the
// folder of generated data; call once before the others.
void prepareReaders(const char* dataFolder);

void exerciseConfig(const unsigned char* data, std::size_t size);
void exerciseSkeleton(const unsigned char* data, std::size_t size);
void exerciseMesh(const unsigned char* data, std::size_t size);
void exerciseClip(const unsigned char* data, std::size_t size);
// The first byte picks the image's size: 64, 128 or 256 square.
void exerciseTexture(const unsigned char* data, std::size_t size);
