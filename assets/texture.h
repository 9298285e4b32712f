// Headerless 8-bit RGB textures (".raw"); pure cyan is the transparent key.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Turns RGB bytes into RGBA, making 0,255,255 fully transparent black.
std::vector<unsigned char> rawToRgba(const unsigned char* rgb, std::size_t pixels);

// Reads and uploads a width x height texture into `name`. A missing file
// prints "error opening texture file : <path>" and leaves `name` as it was;
// a file shorter than its stated size stops the program.
void loadTexture(const char* path, int width, int height, unsigned int& name);

// The largest side an image may be asked for with.
constexpr int maxTextureSize = 4096;
// The RGBA pixels of a width x height image from the file's bytes; a file
// too short for them is thrown as a DataFileError naming `file`.
std::vector<unsigned char> textureRgba(std::string_view bytes, int width, int height, const char* file);
