// The bitmap font, the match HUD, face portraits and camera flashes.
#pragma once

struct Wrestler;

extern int fontListBase;
extern const unsigned char fontGlyphs[26][13];

// Sets the 2-D pixel frame: origin at the window centre, one unit a pixel.
void setPixelFrame(float width, float height);
// Length in pixels of the health bar's fill.
float healthFillLength(float health);
// How many pixels printText advances for a text (10 per letter or space).
int textAdvance(const char* text);

void buildFont();
void printText(const char* text);
void drawPortrait(const Wrestler& w);
void drawHealthBar(const Wrestler& w, int side);
void drawHud(float width, float height);
void drawCameraFlash(float x, float y, float size, float width, float height);
