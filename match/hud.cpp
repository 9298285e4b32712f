#include "match/hud.h"

int fontListBase;
const unsigned char fontGlyphs[26][13] = {};

void setPixelFrame(float, float) {}  // TODO(issue 6)
float healthFillLength(float) { return 0; }
int textAdvance(const char*) { return 0; }
void buildFont() {}
void printText(const char*) {}
void drawPortrait(const Wrestler&) {}
void drawHealthBar(const Wrestler&, int) {}
void drawHud(float, float) {}
void drawCameraFlash(float, float, float, float, float) {}
