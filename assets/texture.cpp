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

void loadTexture(const char* path, int width, int height, unsigned int& name)
{
    if (width <= 0 || height <= 0)
        dataFileError(path, "is asked for as a %d x %d image", width, height);
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        // The game goes on; the surface draws untextured.
        std::printf("error opening texture file : %s\n", path);
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<unsigned char> rgb(pixels * 3);
    const std::size_t got = std::fread(rgb.data(), 1, rgb.size(), f);
    std::fclose(f);
    if (got < rgb.size())
        dataFileError(path, "holds %zu bytes; a %d x %d image needs %zu", got, width, height, rgb.size());

    const std::vector<unsigned char> rgba = rawToRgba(rgb.data(), pixels);
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
