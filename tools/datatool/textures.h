// Every texture of the game, painted procedurally: the four characters' body
// textures and face portraits, and the scene textures.
#pragma once

#include <string>
#include <vector>

struct RawImage {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;     // top row first, 3 bytes a pixel
};

// Character 0 to 3 in roster order; which is 1 (skin areas) or 2 (trunks,
// legs and boots).
RawImage paintBodyTexture(int character, int which);
RawImage paintFace(int character);

RawImage paintCement();
RawImage paintRing();
RawImage paintCrowd();
RawImage paintEntrance();
RawImage paintBackground();
RawImage paintFlash();

struct TextureFile {
    std::string name;
    int size;
    bool body;          // a body texture, which must never use the key colour
};

// Every texture file the data tool writes, in writing order.
std::vector<TextureFile> textureFiles();

void writeTextures(const std::string& dataDir);
