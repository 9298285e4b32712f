#include "match/hud.h"

#include "assets/catalogue.h"
#include "match/phases.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <string>

int fontListBase;

// 'A' to 'Z', 8 pixels wide and 13 high, bottom row first, leftmost pixel in
// the high bit.
const unsigned char fontGlyphs[26][13] = {
    {0x00, 0x00, 0xC3, 0xC3, 0xC3, 0xC3, 0xFF, 0xC3, 0xC3, 0xC3, 0x66, 0x3C, 0x18},   // A
    {0x00, 0x00, 0xFE, 0xC7, 0xC3, 0xC3, 0xC7, 0xFE, 0xC7, 0xC3, 0xC3, 0xC7, 0xFE},   // B
    {0x00, 0x00, 0x7E, 0xE7, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xE7, 0x7E},   // C
    {0x00, 0x00, 0xFC, 0xCE, 0xC7, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC7, 0xCE, 0xFC},   // D
    {0x00, 0x00, 0xFF, 0xC0, 0xC0, 0xC0, 0xC0, 0xFC, 0xC0, 0xC0, 0xC0, 0xC0, 0xFF},   // E
    {0x00, 0x00, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xFC, 0xC0, 0xC0, 0xC0, 0xFF},   // F
    {0x00, 0x00, 0x7E, 0xE7, 0xC3, 0xC3, 0xCF, 0xC0, 0xC0, 0xC0, 0xC0, 0xE7, 0x7E},   // G
    {0x00, 0x00, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xFF, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3},   // H
    {0x00, 0x00, 0x7E, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x7E},   // I
    {0x00, 0x00, 0x7C, 0xEE, 0xC6, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06},   // J
    {0x00, 0x00, 0xC3, 0xC6, 0xCC, 0xD8, 0xF0, 0xE0, 0xF0, 0xD8, 0xCC, 0xC6, 0xC3},   // K
    {0x00, 0x00, 0xFF, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0},   // L
    {0x00, 0x00, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xDB, 0xFF, 0xFF, 0xE7, 0xC3},   // M
    {0x00, 0x00, 0xC7, 0xC7, 0xCF, 0xCF, 0xDF, 0xDB, 0xFB, 0xF3, 0xF3, 0xE3, 0xE3},   // N
    {0x00, 0x00, 0x7E, 0xE7, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xE7, 0x7E},   // O
    {0x00, 0x00, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xFE, 0xC7, 0xC3, 0xC3, 0xC7, 0xFE},   // P
    {0x00, 0x00, 0x3F, 0x6E, 0xDF, 0xDB, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0x66, 0x3C},   // Q
    {0x00, 0x00, 0xC3, 0xC6, 0xCC, 0xD8, 0xF0, 0xFE, 0xC7, 0xC3, 0xC3, 0xC7, 0xFE},   // R
    {0x00, 0x00, 0x7E, 0xE7, 0x03, 0x03, 0x07, 0x7E, 0xE0, 0xC0, 0xC0, 0xE7, 0x7E},   // S
    {0x00, 0x00, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0xFF},   // T
    {0x00, 0x00, 0x7E, 0xE7, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3},   // U
    {0x00, 0x00, 0x18, 0x3C, 0x3C, 0x66, 0x66, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3},   // V
    {0x00, 0x00, 0xC3, 0xE7, 0xFF, 0xFF, 0xDB, 0xDB, 0xC3, 0xC3, 0xC3, 0xC3, 0xC3},   // W
    {0x00, 0x00, 0xC3, 0x66, 0x66, 0x3C, 0x3C, 0x18, 0x3C, 0x3C, 0x66, 0x66, 0xC3},   // X
    {0x00, 0x00, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x3C, 0x3C, 0x66, 0x66, 0xC3},   // Y
    {0x00, 0x00, 0xFF, 0xC0, 0xC0, 0x60, 0x30, 0x7E, 0x0C, 0x06, 0x03, 0x03, 0xFF},   // Z
};

constexpr int fontLists = 128;
constexpr float glyphAdvance = 10;
constexpr float portraitSize = 64;

void setPixelFrame(float width, float height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-width / 2, width / 2, -height / 2, height / 2);
    glViewport(0, 0, static_cast<int>(width), static_cast<int>(height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

float healthFillLength(float health)
{
    // Health may fall below zero; the bar then shows empty rather than
    // reaching back over the portrait.
    const float length = health * 124 * 0.01f;
    return length > 0 ? length : 0;
}

static bool hasGlyph(unsigned char c)
{
    return c == ' ' || (c >= 'A' && c <= 'Z');
}

int textAdvance(const char* text)
{
    int advance = 0;
    for (const char* p = text; *p; ++p)
        if (hasGlyph(static_cast<unsigned char>(*p)))
            advance += static_cast<int>(glyphAdvance);
    return advance;
}

void buildFont()
{
    static const unsigned char blank[13] = {};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    fontListBase = static_cast<int>(glGenLists(fontLists));
    for (int i = 0; i < 26; ++i) {
        glNewList(static_cast<GLuint>(fontListBase + 'A' + i), GL_COMPILE);
        glBitmap(8, 13, 0, 2, glyphAdvance, 0, fontGlyphs[i]);
        glEndList();
    }
    glNewList(static_cast<GLuint>(fontListBase + ' '), GL_COMPILE);
    glBitmap(8, 13, 0, 2, glyphAdvance, 0, blank);
    glEndList();
}

void printText(const char* text)
{
    // Only the 128 lists of the font are ours: a byte beyond them would call
    // somebody else's list, so such bytes are left out (they draw nothing).
    std::string codes;
    for (const char* p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) < fontLists)
            codes += *p;
    glPushAttrib(GL_LIST_BIT);
    glListBase(static_cast<GLuint>(fontListBase));
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glPopAttrib();
}

static const CharacterProfile& profileOf(const Wrestler& w)
{
    return roster[w.character >= 0 && w.character < rosterSize ? w.character : 0];
}

void drawPortrait(const Wrestler& w)
{
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, profileOf(w).faceTexture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, 1);
    glVertex2f(0, -portraitSize);
    glTexCoord2f(1, 1);
    glVertex2f(portraitSize, -portraitSize);
    glTexCoord2f(1, 0);
    glVertex2f(portraitSize, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

static void rect(float x0, float y0, float x1, float y1)
{
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x0, y1);
    glVertex2f(x1, y1);
    glVertex2f(x1, y0);
    glEnd();
}

void drawHealthBar(const Wrestler& w, int side)
{
    glColor3f(0, 0, 0.6f);
    rect(64, -54, 192, -64);
    glColor3f(0.3f, 0.3f, 0.6f);
    const float length = healthFillLength(w.health);
    if (side == 1)
        rect(66, -56, 66 + length, -62);
    else
        rect(191 - length, -56, 191, -62);
}

static void printAt(const char* text)
{
    glColor3f(1, 1, 1);
    glRasterPos2i(0, 0);
    printText(text);
}

void drawHud(float width, float height)
{
    setPixelFrame(width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    // Player one in the top-left corner: portrait, bar along its lower edge,
    // name to its right.
    glPushMatrix();
    glTranslatef(16 - width / 2, height / 2 - 16, 0);
    drawPortrait(playerOne);
    drawHealthBar(playerOne, 1);
    glTranslatef(66, -16, 0);
    printAt(profileOf(playerOne).ringName);
    glPopMatrix();

    // Player two in the top-right corner, mirrored; the name centred on the
    // point 64 pixels left of the portrait.
    const char* name = profileOf(playerTwo).ringName;
    const float n = static_cast<float>(std::strlen(name));
    glPushMatrix();
    glTranslatef(width / 2 - 16 - portraitSize, height / 2 - 16, 0);
    drawPortrait(playerTwo);
    glPushMatrix();
    glTranslatef(-192, 0, 0);
    drawHealthBar(playerTwo, -1);
    glPopMatrix();
    glTranslatef(-64 - 5 * n, -16, 0);
    printAt(name);
    glPopMatrix();

    static const char* const countTexts[4] = {"", "ONE", "TWO", "THREE"};
    if (pinCount > 0 && pinCount <= 3)
        printAt(countTexts[pinCount]);

    glEnable(GL_DEPTH_TEST);
}

void drawCameraFlash(float x, float y, float size, float width, float height)
{
    setPixelFrame(width, height);
    glPushMatrix();
    glTranslatef(x, y, 0);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, flashTexture);
    // Additive: the black parts of the picture leave the scene as it is.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, 1);
    glVertex2f(0, -size);
    glTexCoord2f(1, 1);
    glVertex2f(size, -size);
    glTexCoord2f(1, 0);
    glVertex2f(size, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
