// Shared pieces of the preview tool.
#pragma once

#include <string>
#include <vector>

// An RGB image, top row first.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

Image makeImage(int width, int height, unsigned char r, unsigned char g, unsigned char b);
// Copies src into dst with its top-left corner at (x, y), integer-scaled.
void blit(Image& dst, const Image& src, int x, int y, int zoom = 1);
bool savePng(const std::string& path, const Image& image);
// The bytes of a width x height raw RGB file, empty when it is missing or short.
std::vector<unsigned char> readRaw(const char* path, int width, int height);
