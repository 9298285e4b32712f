// Images in memory, PNG output and raw texture input for the preview.
#include "tools/preview/preview.h"

#include <png.h>

#include <cstdio>

Image makeImage(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    Image im;
    im.width = width;
    im.height = height;
    im.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < im.rgb.size(); i += 3) {
        im.rgb[i] = r;
        im.rgb[i + 1] = g;
        im.rgb[i + 2] = b;
    }
    return im;
}

void blit(Image& dst, const Image& src, int x, int y, int zoom)
{
    for (int sy = 0; sy < src.height * zoom; ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height)
            continue;
        for (int sx = 0; sx < src.width * zoom; ++sx) {
            const int dx = x + sx;
            if (dx < 0 || dx >= dst.width)
                continue;
            const std::size_t s = (static_cast<std::size_t>(sy / zoom) * src.width + sx / zoom) * 3;
            const std::size_t d = (static_cast<std::size_t>(dy) * dst.width + dx) * 3;
            for (int c = 0; c < 3; ++c)
                dst.rgb[d + c] = src.rgb[s + c];
        }
    }
}

bool savePng(const std::string& path, const Image& image)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

std::vector<unsigned char> readRaw(const char* path, int width, int height)
{
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return {};
    const bool ok = std::fread(rgb.data(), 1, rgb.size(), f) == rgb.size();
    std::fclose(f);
    if (!ok)
        return {};
    return rgb;
}
