#include "assets/texture.h"

#include "assets/config.h"

#include <GL/gl.h>

#include <cstdio>

std::vector<unsigned char> rawToRgba(const unsigned char* rgb, std::size_t pixels)
{
    std::vector<unsigned char> rgba(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        const unsigned char r = rgb[i * 3], g = rgb[i * 3 + 1], b = rgb[i * 3 + 2];
        unsigned char* out = &rgba[i * 4];
        if (r == 0 && g == 255 && b == 255) {
            // The key colour: fully transparent black.
            out[0] = out[1] = out[2] = out[3] = 0;
        } else {
            out[0] = r;
            out[1] = g;
            out[2] = b;
            out[3] = 255;
        }
    }
    return rgba;
}

std::vector<unsigned char> textureRgba(std::string_view bytes, int width, int height, const char* file)
{
    if (width <= 0 || height <= 0 || width > maxTextureSize || height > maxTextureSize)
        badData(file, "is asked for as a %d x %d image", width, height);
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Bytes past the image are ignored, as a read of the image's size would.
    if (bytes.size() < pixels * 3)
        badData(file, "holds %zu bytes; a %d x %d image needs %zu", bytes.size(), width, height, pixels * 3);
    return rawToRgba(reinterpret_cast<const unsigned char*>(bytes.data()), pixels);
}

void loadTexture(const char* path, int width, int height, unsigned int& name)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        // The game goes on; the surface draws untextured.
        std::printf("error opening texture file : %s\n", path);
        return;
    }
    std::vector<unsigned char> rgba;
    try {
        rgba = textureRgba(bytes, width, height, path);
    } catch (const DataFileError& error) {
        stopOnDataFileError(error);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    name = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}
