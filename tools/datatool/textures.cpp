#include "tools/datatool/textures.h"

#include "tools/datatool/body_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float pi = 3.14159265358979f;

struct Rgb {
    float r, g, b;
};

Rgb rgb(int r, int g, int b)
{
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}

Rgb mix(Rgb a, Rgb b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb shade(Rgb c, float k)
{
    return {c.r * k, c.g * k, c.b * k};
}

Rgb add(Rgb a, Rgb b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

// Angle difference folded into -pi..pi.
float angleDiff(float a, float b)
{
    float d = std::fmod(a - b, 2 * pi);
    if (d > pi) d -= 2 * pi;
    if (d < -pi) d += 2 * pi;
    return d;
}

float smooth(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Integer hash: the same numbers on every run and every machine.
uint32_t hash(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u
               + static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

float hash01(int x, int y, int seed)
{
    return static_cast<float>(hash(x, y, seed) & 0xffffff) / 16777215.0f;
}

// Value noise on a lattice that repeats every `period` cells, so textures
// built from it tile.
float noise(float x, float y, int period, int seed)
{
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0, fy = y - y0;
    auto at = [&](int i, int j) {
        return hash01(((i % period) + period) % period, ((j % period) + period) % period, seed);
    };
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return a + (b - a) * sy;
}

// Several octaves over a tile of `size` pixels starting at `cells` cells.
float fractal(float px, float py, int size, int cells, int octaves, int seed)
{
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        const int period = cells << o;
        sum += amp * noise(px * period / size, py * period / size, period, seed + o);
        norm += amp;
        amp *= 0.5f;
    }
    return sum / norm;
}

struct Canvas {
    int width, height;
    std::vector<Rgb> px;

    Canvas(int w, int h, Rgb fill) : width(w), height(h), px(static_cast<size_t>(w) * h, fill) {}
    Rgb& at(int x, int y) { return px[static_cast<size_t>(y) * width + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void set(int x, int y, Rgb c)
    {
        if (inside(x, y))
            at(x, y) = c;
    }
    // Set with wrap-around, for tiling textures.
    void wrapSet(int x, int y, Rgb c)
    {
        at(((x % width) + width) % width, ((y % height) + height) % height) = c;
    }
    void blend(int x, int y, Rgb c, float a)
    {
        if (inside(x, y))
            at(x, y) = mix(at(x, y), c, a);
    }

    RawImage raw() const
    {
        RawImage im;
        im.width = width;
        im.height = height;
        im.rgb.reserve(px.size() * 3);
        for (const Rgb& c : px)
            for (float v : {c.r, c.g, c.b})
                im.rgb.push_back(static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)));
        return im;
    }
};

// ---------------------------------------------------------------------------
// Block letters for logos, 5 x 7.

const char* glyph(char c)
{
    // Seven rows of five, top row first.
    switch (c) {
    case 'T': return "#####" "..#.." "..#.." "..#.." "..#.." "..#.." "..#..";
    case 'A': return ".###." "#...#" "#...#" "#####" "#...#" "#...#" "#...#";
    case 'R': return "####." "#...#" "#...#" "####." "#.#.." "#..#." "#...#";
    case 'V': return "#...#" "#...#" "#...#" "#...#" ".#.#." ".#.#." "..#..";
    case 'O': return ".###." "#...#" "#...#" "#...#" "#...#" "#...#" ".###.";
    case 'K': return "#...#" "#..#." "#.#.." "##..." "#.#.." "#..#." "#...#";
    default: return "....." "....." "....." "....." "....." "....." ".....";
    }
}

// Calls plot(x, y) for every pixel of the text drawn at `scale`, centred on
// (cx, cy).
template <typename Plot>
void drawText(const char* text, int cx, int cy, int scale, int spacing, Plot plot)
{
    const int n = static_cast<int>(std::char_traits<char>::length(text));
    const int w = n * 5 * scale + (n - 1) * spacing;
    const int x0 = cx - w / 2, y0 = cy - 7 * scale / 2;
    for (int i = 0; i < n; ++i) {
        const char* g = glyph(text[i]);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (g[gy * 5 + gx] == '#')
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx)
                            plot(x0 + i * (5 * scale + spacing) + gx * scale + sx, y0 + gy * scale + sy, sx, sy);
    }
}

// ---------------------------------------------------------------------------
// Characters

enum Hair { Bald, LongMane, LongBlack, Spiky };
enum Beard { NoBeard, Goatee, Horseshoe, FullBeard };
enum TrunkPattern { GoldStripe, Stars, Lightning, Flames };

struct Look {
    Rgb skin;
    Rgb hair;
    Hair hairStyle;
    Beard beard;
    Rgb eyes;
    Rgb trunks, trunkTrim;
    TrunkPattern pattern;
    bool tights;            // trunks colour down to the boots
    Rgb boots, bootTrim;
    Rgb kneepads;
    Rgb wristbands;
    bool armTattoo;         // tribal band on the +x arm
    bool snakeTattoo;       // a snake down the -x arm
    bool chestRunes;
    bool facePaint;
    Rgb portraitBack;
};

const Look looks[4] = {
    // THE VORLAN: dark skin, bald, crimson and gold, tribal arm band.
    {rgb(112, 70, 46), rgb(20, 16, 14), Bald, Goatee, rgb(60, 40, 20),
     rgb(150, 18, 30), rgb(235, 190, 60), GoldStripe, false,
     rgb(28, 26, 30), rgb(220, 180, 60), rgb(30, 28, 32), rgb(150, 18, 30),
     true, false, false, false, rgb(120, 30, 40)},
    // BRODEK KALVER: fair, blond mane and moustache, blue with white stars.
    {rgb(236, 176, 146), rgb(246, 214, 96), LongMane, Horseshoe, rgb(60, 110, 190),
     rgb(30, 60, 170), rgb(245, 245, 245), Stars, false,
     rgb(240, 240, 236), rgb(210, 30, 40), rgb(210, 30, 40), rgb(250, 210, 40),
     false, false, false, false, rgb(40, 70, 160)},
    // ZORAG: pale grey-olive giant, black mane and beard, war paint,
    // black tights with purple lightning.
    {rgb(170, 168, 140), rgb(18, 18, 22), LongBlack, FullBeard, rgb(200, 40, 30),
     rgb(22, 20, 26), rgb(140, 50, 200), Lightning, true,
     rgb(110, 40, 160), rgb(20, 20, 24), rgb(40, 36, 44), rgb(20, 20, 24),
     false, false, true, true, rgb(60, 30, 80)},
    // DAVIK TESKAR: tanned, spiky brown hair, green with black flames,
    // snake tattoo.
    {rgb(206, 140, 96), rgb(74, 44, 24), Spiky, Goatee, rgb(70, 120, 60),
     rgb(30, 140, 60), rgb(16, 16, 16), Flames, false,
     rgb(24, 90, 40), rgb(16, 16, 16), rgb(235, 235, 230), rgb(16, 16, 16),
     false, true, false, false, rgb(30, 100, 60)},
};

enum Part { TorsoPart, HeadPart, ArmPart, PelvisPart, LegPart };

// A texel's place on the body.
struct Spot {
    Part part;
    int side;       // -1 or +1 for arms and legs
    float a;        // angle round the part: 0 front; arms: 0 underneath
    float y;        // height (torso, head, trunks, legs)
    float along;    // distance from the centre line (arms)
    float px, py;   // the texel
};

float wrapTurn(float turn)
{
    return turn - std::floor(turn);
}

Spot spotOf(int which, float s, float t, float px, float py)
{
    using namespace layout;
    Spot p{};
    p.px = px, p.py = py;
    auto lerp = [](float v, float v0, float v1, float o0, float o1) { return o0 + (v - v0) / (v1 - v0) * (o1 - o0); };
    if (which == 1) {
        if (t < torsoArmSplit) {
            p.part = TorsoPart;
            p.y = lerp(t, torsoT0, torsoT1, torsoY0, torsoY1);
            p.a = (s - 0.5f) * 2 * pi;
        } else if (t < armHeadSplit) {
            p.part = ArmPart;
            p.side = s < 0.5f ? -1 : 1;
            p.along = lerp(std::fmod(s, 0.5f), 0, 0.5f, armX0, armX1);
            p.a = wrapTurn((t - armT0) / (armT1 - armT0) * (1 + stripMargin)) * 2 * pi;
        } else {
            p.part = HeadPart;
            p.y = lerp(t, headT0, headT1, headY0, headY1);
            p.a = (s - 0.5f) * 2 * pi;
        }
    } else {
        if (t < pelvisLegSplit) {
            p.part = PelvisPart;
            p.y = lerp(t, pelvisT0, pelvisT1, pelvisY0, pelvisY1);
            p.a = (s - 0.5f) * 2 * pi;
        } else {
            p.part = LegPart;
            p.side = s < 0.5f ? -1 : 1;
            p.y = lerp(t, legT0, legT1, legY0, legY1);
            const float turn = wrapTurn(std::fmod(s, 0.5f) / 0.5f * (1 + stripMargin));
            p.a = turn * 2 * pi - pi;   // 0 front
        }
    }
    return p;
}

Rgb skinAt(const Look& look, const Spot& p, int seed)
{
    const float n = fractal(p.px, p.py, 256, 16, 3, seed);
    return shade(look.skin, 0.93f + 0.12f * n);
}

// Muscle definition painted as soft shadow lines.
float torsoShading(const Spot& p)
{
    const float x = std::sin(p.a) * 1.2f;           // across the chest
    const float front = std::cos(p.a);
    float k = 1;
    if (front > 0.2f) {
        // Under the pectorals, the breastbone, the rows of the abdomen.
        k -= 0.22f * smooth(0.06f, 0, std::fabs(p.y - (1.42f + 0.18f * std::fabs(x)))) * (std::fabs(x) < 1.0f);
        k -= 0.16f * smooth(0.05f, 0, std::fabs(x)) * (p.y > 0.3f && p.y < 2.2f);
        if (p.y > 0.25f && p.y < 1.3f && std::fabs(x) < 0.45f)
            for (float row : {0.55f, 0.88f, 1.18f})
                k -= 0.14f * smooth(0.045f, 0, std::fabs(p.y - row));
        // Lit upper chest.
        k += 0.06f * smooth(1.4f, 2.1f, p.y) * smooth(2.7f, 2.3f, p.y);
    } else if (front < -0.2f) {
        k -= 0.15f * smooth(0.05f, 0, std::fabs(x)) * (p.y > 0.3f);  // spine
        k -= 0.1f * smooth(0.07f, 0, std::fabs(std::fabs(x) - 0.45f)) * (p.y > 1.3f && p.y < 2.4f);
    }
    // The sides fall into shadow towards the waist.
    k -= 0.08f * std::fabs(std::sin(p.a)) * smooth(1.4f, 0.2f, p.y);
    return k;
}

Rgb paintTorso(const Look& look, const Spot& p, int seed)
{
    Rgb c = shade(skinAt(look, p, seed), torsoShading(p));
    const float x = std::sin(p.a) * 1.25f;
    const float front = std::cos(p.a);
    if (look.chestRunes && front > 0.3f) {
        // Three angular runes across the chest.
        for (int i = -1; i <= 1; ++i) {
            const float cx = 0.42f * i, cy = 1.95f - 0.08f * std::fabs(static_cast<float>(i));
            const float dx = x - cx, dy = p.y - cy;
            const bool stem = std::fabs(dx) < 0.025f && std::fabs(dy) < 0.2f;
            const bool arm1 = std::fabs(dy - dx * (i == 0 ? 1.0f : -1.0f) - 0.05f) < 0.025f && std::fabs(dx) < 0.13f;
            const bool arm2 = std::fabs(dy + std::fabs(dx) + 0.08f) < 0.025f && std::fabs(dx) < 0.12f;
            if (stem || arm1 || arm2)
                c = mix(c, rgb(120, 20, 28), 0.85f);
        }
    }
    if (look.hairStyle == LongMane && front < -0.3f && p.y > 2.55f)
        c = mix(c, shade(look.hair, 0.9f), smooth(2.55f, 2.75f, p.y));  // mane over the upper back
    if (look.hairStyle == LongBlack && front < -0.3f && p.y > 2.45f)
        c = mix(c, look.hair, smooth(2.45f, 2.7f, p.y));
    return c;
}

Rgb paintArm(const Look& look, const Spot& p, int seed)
{
    Rgb c = skinAt(look, p, seed);
    // Underside and crook in shadow, top lit, a crease at the elbow.
    c = shade(c, 0.86f + 0.16f * (1 - std::cos(p.a)) / 2);
    c = shade(c, 1 - 0.15f * smooth(0.08f, 0, std::fabs(p.along - 3.0f)));
    c = shade(c, 1 - 0.08f * smooth(0.1f, 0, std::fabs(p.along - 1.45f)));
    if (look.armTattoo && p.side > 0 && p.along > 2.05f && p.along < 2.6f) {
        // A tribal band: two rings and a zigzag between.
        const float u = (p.along - 2.05f) / 0.55f;
        const float zig = 0.5f + 0.3f * std::sin(p.a * 6);
        if (u < 0.12f || u > 0.88f || std::fabs(u - zig) < 0.1f)
            c = mix(c, rgb(20, 14, 12), 0.9f);
    }
    if (look.snakeTattoo && p.side < 0 && p.along > 1.7f && p.along < 4.1f) {
        const float body = 1.7f + std::sin((p.along - 1.7f) * 5) * 0.5f + 1.6f;   // weaving round the arm
        const float d = std::fabs(angleDiff(p.a, body));
        if (d < 0.22f)
            c = mix(c, d < 0.08f ? rgb(40, 110, 50) : rgb(18, 50, 24), 0.9f);
        if (p.along > 3.95f && std::fabs(angleDiff(p.a, body)) < 0.35f)
            c = mix(c, rgb(18, 50, 24), 0.9f);   // the head
    }
    // Wristbands and hands.
    if (p.along > 3.95f && p.along < 4.4f)
        c = shade(look.wristbands, 0.85f + 0.2f * (1 - std::cos(p.a)) / 2 * (1 - 0.3f * (std::fmod(p.along * 40, 2.0f) < 1)));
    if (p.along > 4.5f) {
        // Knuckle and finger lines on top, palm creases below.
        const float top = std::cos(p.a) < -0.2f ? 1.0f : 0.0f;
        if (p.along > 4.85f && std::fabs(std::fmod(std::fabs(std::sin(p.a)) * 6 + 10, 1.0f) - 0.5f) < 0.08f)
            c = shade(c, 0.8f);
        if (top > 0 && std::fabs(p.along - 4.93f) < 0.025f)
            c = shade(c, 0.82f);
    }
    return c;
}

Rgb trunkPattern(const Look& look, Rgb base, float a, float y, int side)
{
    const float x = std::sin(a);
    switch (look.pattern) {
    case GoldStripe:
        // A stripe down each side.
        if (std::fabs(std::fabs(a) - pi / 2) < 0.16f)
            return look.trunkTrim;
        if (std::fabs(std::fabs(a) - pi / 2) < 0.22f)
            return shade(base, 0.6f);
        break;
    case Stars: {
        // Five-pointed stars scattered on a lattice.
        const float u = (a / (2 * pi) + 0.5f) * 12, v = y * 3.2f;
        const float cu = std::floor(u) + 0.5f, cv = std::floor(v) + 0.5f;
        const float du = (u - cu) * 1.0f, dv = (v - cv) * 1.0f;
        const float r = std::hypot(du, dv), ang = std::atan2(du, -dv);
        const float star = 0.22f + 0.13f * std::cos(5 * ang);
        if (static_cast<int>(std::floor(u) + std::floor(v)) % 2 == 0 && r < star)
            return look.trunkTrim;
        break;
    }
    case Lightning: {
        // Zigzag bolts running down the outside of each leg.
        const float zig = std::fabs(std::fmod(y * 2.2f + 20, 1.0f) - 0.5f) * 0.7f;
        const float off = std::fabs(a) - (pi / 2 - 0.35f + zig);
        if (side != 0 && std::fabs(off) < 0.1f)
            return look.trunkTrim;
        if (side == 0 && std::fabs(std::fabs(a) - pi / 2 + 0.15f - zig) < 0.08f)
            return look.trunkTrim;
        break;
    }
    case Flames: {
        // Flames licking up from the bottom edge.
        const float h = 0.25f + 0.18f * std::sin(a * 7 + 1) + 0.1f * std::sin(a * 13);
        const float fromEdge = side != 0 ? (y - -1.35f) * -1 + 0.6f : (y + 1.0f);
        if (fromEdge < h && fromEdge > 0)
            return fromEdge < h - 0.08f ? look.trunkTrim : rgb(240, 200, 40);
        break;
    }
    }
    (void)x;
    return base;
}

Rgb paintPelvis(const Look& look, const Spot& p, int seed)
{
    const float n = fractal(p.px, p.py, 256, 16, 2, seed + 5);
    Rgb c = shade(look.trunks, 0.92f + 0.1f * n);
    c = trunkPattern(look, c, p.a, p.y, 0);
    if (p.y > -0.18f) {
        // Waistband, with a name tag lettered at the back.
        c = shade(look.trunkTrim, 0.9f + 0.1f * (std::fmod(p.px, 4.0f) < 2));
        if (p.y > 0.04f || p.y < -0.15f)
            c = shade(c, 0.75f);
    }
    // Folds at the crotch and seat.
    c = shade(c, 1 - 0.2f * smooth(-0.6f, -1.0f, p.y) * smooth(0.5f, 0.05f, std::fabs(std::sin(p.a))));
    return c;
}

Rgb paintLeg(const Look& look, const Spot& p, int seed)
{
    const float front = std::cos(p.a);
    const float outside = std::sin(p.a) * p.side;
    Rgb c;
    const float trunkHem = -1.32f + 0.08f * outside;
    if (look.tights || p.y > trunkHem) {
        const float n = fractal(p.px, p.py, 256, 16, 2, seed + 9);
        c = shade(look.trunks, 0.92f + 0.1f * n);
        c = trunkPattern(look, c, p.a, p.y, p.side);
        if (!look.tights && p.y < trunkHem + 0.07f)
            c = look.trunkTrim;     // hem
    } else {
        c = skinAt(look, p, seed + 3);
        c = shade(c, 1 - 0.12f * smooth(0.1f, 0, std::fabs(p.y + 2.7f)));  // knee crease
    }
    // Knee pads.
    if (p.y < -2.45f && p.y > -3.05f) {
        c = shade(look.kneepads, 0.9f + 0.15f * std::max(0.0f, front));
        if (std::fabs(p.y + 2.75f) < 0.03f || p.y > -2.5f || p.y < -3.0f)
            c = shade(c, 0.7f);
    }
    // Boots from mid-shin, laced up the front, with a sole.
    if (p.y < -3.6f) {
        c = shade(look.boots, 0.82f + 0.22f * std::max(0.0f, front));
        if (p.y > -3.72f)
            c = look.bootTrim;      // cuff
        if (front > 0.85f && p.y < -3.72f && p.y > -4.35f) {
            const float lace = std::fmod(-p.y * 12, 1.0f);
            if (std::fabs(std::sin(p.a)) * 10 < 0.35f + 0.3f * std::fabs(lace - 0.5f) * 2)
                c = look.bootTrim;
        }
        if (std::fabs(outside - 0.9f) < 0.12f && p.y < -3.8f && p.y > -4.3f)
            c = look.bootTrim;      // a side panel
        if (p.y < -4.48f)
            c = rgb(24, 22, 22);    // sole
    }
    return c;
}

// The head: hair, face, ears; angle 0 is the face's centre.
Rgb paintHead(const Look& look, const Spot& p, int seed)
{
    const float a = p.a, y = p.y;
    const float x = std::sin(a) * 0.62f;            // across the face
    const float front = std::cos(a);
    Rgb c = skinAt(look, p, seed + 2);
    c = shade(c, 0.94f + 0.08f * front);

    // Ears.
    if (std::fabs(std::fabs(a) - pi / 2) < 0.22f && y > 3.84f && y < 4.16f)
        c = shade(c, 0.82f + 0.2f * smooth(0.2f, 0.05f, std::fabs(std::fabs(a) - pi / 2)));

    if (front > 0.45f) {
        // Eyes with whites, iris and a brow line above.
        const float eyeY = 4.06f;
        for (float ex : {-0.2f, 0.2f}) {
            const float dx = x - ex, dy = y - eyeY;
            const float r = (dx * dx) / (0.085f * 0.085f) + (dy * dy) / (0.04f * 0.04f);
            if (r < 1.0f) {
                c = rgb(235, 230, 220);
                if (std::fabs(dx) < 0.035f)
                    c = look.eyes;
                if (std::fabs(dx) < 0.014f)
                    c = rgb(10, 10, 10);
            } else if (r < 1.7f) {
                c = shade(c, 0.6f);
            }
            // Brows, angled down toward the nose.
            const float browY = 4.15f - 0.05f * (0.12f - std::fabs(dx)) * (dx * ex < 0 ? 2.5f : 0.5f);
            if (std::fabs(dx) < 0.13f && std::fabs(y - browY) < 0.028f)
                c = look.hairStyle == Bald || look.hairStyle == LongBlack ? rgb(24, 18, 16) : shade(look.hair, 0.6f);
        }
        // Nose: a shadow down one side and the nostrils.
        if (x > 0.02f && x < 0.07f && y > 3.89f && y < 4.05f)
            c = shade(c, 0.78f);
        if (std::fabs(std::fabs(x) - 0.05f) < 0.025f && std::fabs(y - 3.89f) < 0.02f)
            c = shade(c, 0.45f);
        // Mouth.
        if (std::fabs(x) < 0.15f && std::fabs(y - 3.72f + 0.04f * (x * x) / 0.02f) < 0.022f)
            c = rgb(90, 36, 34);
        // Cheekbone and jaw shading.
        c = shade(c, 1 - 0.1f * smooth(0.3f, 0.5f, std::fabs(x)) * smooth(4.0f, 3.65f, y));
    }

    // Face paint: a red mask across the eyes with black edges.
    if (look.facePaint && front > 0.2f && y > 3.94f && y < 4.22f) {
        const float edge = std::min(y - 3.94f, 4.22f - y);
        const bool eye = std::fabs(std::fabs(x) - 0.2f) < 0.07f && std::fabs(y - 4.06f) < 0.035f;
        if (!eye)
            c = edge < 0.03f ? rgb(14, 12, 12) : mix(c, rgb(170, 20, 24), 0.92f);
    }
    if (look.facePaint && front > 0.5f && y < 3.94f && y > 3.5f && std::fabs(x) < 0.03f)
        c = rgb(14, 12, 12);    // a line down the chin

    // Beards.
    const bool jaw = y < (front > 0.5f ? 3.66f : 3.9f) && y > 3.3f + 0.12f * front && front > -0.1f;
    switch (look.beard) {
    case NoBeard: break;
    case Goatee:
        if (front > 0.6f && std::fabs(x) < 0.16f && y < 3.7f && y > 3.44f)
            c = mix(c, look.hairStyle == Bald ? rgb(22, 16, 14) : look.hair, 0.9f);
        if (front > 0.6f && std::fabs(x) < 0.17f && std::fabs(y - 3.79f) < 0.025f)
            c = mix(c, look.hairStyle == Bald ? rgb(22, 16, 14) : look.hair, 0.9f);
        break;
    case Horseshoe:
        // Over the lip and down past the corners of the mouth.
        if (front > 0.5f && ((std::fabs(x) < 0.2f && std::fabs(y - 3.79f) < 0.035f)
                             || (std::fabs(std::fabs(x) - 0.19f) < 0.04f && y < 3.81f && y > 3.5f)))
            c = shade(look.hair, 0.9f);
        break;
    case FullBeard:
        if (jaw && (front < 0.9f || std::fabs(y - 3.72f) > 0.03f || std::fabs(x) > 0.15f)) {
            const float n = fractal(p.px, p.py, 256, 32, 2, seed + 7);
            c = shade(look.hair, 0.8f + 0.5f * n);
        }
        break;
    }

    // Hair.
    const float hairline = (front > 0 ? 4.27f + 0.05f * front : 3.9f) + (look.hairStyle == LongBlack ? 0.08f : 0);
    switch (look.hairStyle) {
    case Bald: {
        // Shine on the scalp.
        const float shine = smooth(4.3f, 4.58f, y) * std::max(0.0f, front * 0.5f + 0.5f);
        c = mix(c, rgb(255, 240, 220), 0.15f * shine);
        break;
    }
    case LongMane:
    case LongBlack: {
        // Long at the back, to the jaw at the sides.
        const float line = front > 0.2f ? hairline : front > -0.45f ? 3.6f : 3.0f;
        const bool face = front > 0.4f && y < hairline;
        if (y > line && !face) {
            const float strand = fractal(p.px * 3, p.py * 0.5f, 256, 16, 2, seed + 11);
            c = shade(look.hair, 0.75f + 0.45f * strand);
        }
        break;
    }
    case Spiky:
        if (y > hairline - 0.05f * std::sin(a * 9) - 0.06f) {
            const float strand = fractal(p.px * 2, p.py, 256, 16, 2, seed + 13);
            c = shade(look.hair, 0.7f + 0.5f * strand);
        }
        break;
    }
    return c;
}


}  // namespace

// ---------------------------------------------------------------------------
// Face portraits, 64 x 64 pixel art.

namespace {

enum PortraitLayer { Background, Skin, HairLayer, Outline };

struct Portrait {
    Canvas canvas{64, 64, {0, 0, 0}};
    std::vector<PortraitLayer> layer = std::vector<PortraitLayer>(64 * 64, Background);

    void put(int x, int y, Rgb c, PortraitLayer l)
    {
        if (x < 0 || y < 0 || x >= 64 || y >= 64)
            return;
        canvas.at(x, y) = c;
        layer[static_cast<size_t>(y) * 64 + x] = l;
    }
    PortraitLayer at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= 64 || y >= 64)
            return Background;
        return layer[static_cast<size_t>(y) * 64 + x];
    }
};

bool inHead(int x, int y)
{
    const float dx = (x + 0.5f - 32) / 13.5f, dy = (y + 0.5f - 27) / 17.5f;
    return std::pow(std::fabs(dx), 2.4f) + std::pow(std::fabs(dy), 2.4f) < 1;
}

float hairlineAt(int x)
{
    const float dx = x + 0.5f - 32;
    return 15.5f + 0.055f * dx * dx;
}

}  // namespace

RawImage paintFace(int character)
{
    const Look& look = looks[character];
    const int seed = 500 + character * 31;
    Portrait pt;
    const Rgb dark = rgb(16, 12, 18);

    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            Rgb c = shade(look.portraitBack, 1.15f - y / 90.0f);
            if ((x + y) % 8 < 2)
                c = shade(c, 0.88f);
            pt.put(x, y, c, Background);
        }

    auto skinShade = [&](int x, int y) {
        // Light from the upper left.
        const float k = 1.08f - 0.012f * (x - 24) - 0.006f * std::max(0, y - 30);
        return shade(look.skin, std::clamp(k, 0.7f, 1.15f));
    };

    // Long hair falls behind the head and onto the shoulders.
    if (look.hairStyle == LongMane || look.hairStyle == LongBlack)
        for (int y = 9; y < 60; ++y)
            for (int x = 0; x < 64; ++x) {
                const float dx = std::fabs(x + 0.5f - 32);
                const float width = y < 30 ? 17.5f : 17.5f + (y - 30) * 0.12f;
                if (dx < width && !(y > 50 && dx < 11)) {
                    const float strand = hash01(x / 2, 0, seed) * 0.25f;
                    pt.put(x, y, shade(look.hair, 0.72f + strand - 0.004f * y), HairLayer);
                }
            }

    // Shoulders and neck.
    for (int y = 38; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = std::fabs(x + 0.5f - 32);
            const bool neck = y < 52 && dx < 10.5f;
            const bool shoulders = y >= 49 && dx < 12 + (y - 49) * 3.2f;
            if (neck || shoulders) {
                Rgb c = skinShade(x, y);
                if (neck && y < 47)
                    c = shade(c, 0.82f);    // under the jaw
                if (shoulders && y > 58 && std::fabs(dx - 10) < 1.0f)
                    c = shade(c, 0.8f);     // the line of the chest
                pt.put(x, y, c, Skin);
            }
        }

    // Head and ears.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float ex = std::fabs(x + 0.5f - 32) - 13.5f, ey = y + 0.5f - 28.5f;
            const bool ear = (ex * ex) / 6.0f + (ey * ey) / 16.0f < 1;
            if (inHead(x, y) || ear)
                pt.put(x, y, ear && !inHead(x, y) ? shade(skinShade(x, y), 0.88f) : skinShade(x, y), Skin);
        }

    // Eyes, brows, nose, mouth.
    for (int side : {-1, 1}) {
        const int ex = side < 0 ? 24 : 36;
        for (int x = ex; x < ex + 5; ++x)
            for (int y = 26; y < 28; ++y)
                pt.put(x, y, rgb(236, 232, 222), Skin);
        const int iris = side < 0 ? ex + 2 : ex + 1;
        for (int x = iris; x < iris + 2; ++x)
            for (int y = 26; y < 28; ++y)
                pt.put(x, y, look.eyes, Skin);
        pt.put(side < 0 ? iris + 1 : iris, 26, rgb(8, 8, 8), Skin);
        for (int x = ex - 1; x < ex + 6; ++x) {
            pt.put(x, 25, shade(look.skin, 0.62f), Skin);   // eyelid shadow
            const int rise = side < 0 ? (x - ex + 1) / 3 : (ex + 5 - x) / 3;
            const Rgb brow = look.hairStyle == LongMane || look.hairStyle == Spiky ? shade(look.hair, 0.7f) : rgb(26, 20, 18);
            pt.put(x, 22 + rise, brow, Skin);
            pt.put(x, 23 + rise, brow, Skin);
        }
    }
    for (int y = 28; y < 34; ++y)
        pt.put(33, y, shade(look.skin, 0.78f), Skin);
    pt.put(31, 32, shade(look.skin, 1.12f), Skin);
    pt.put(30, 33, shade(look.skin, 0.55f), Skin);
    pt.put(34, 33, shade(look.skin, 0.55f), Skin);
    for (int x = 28; x < 37; ++x) {
        pt.put(x, 38, rgb(96, 34, 34), Skin);
        pt.put(x, 39, shade(look.skin, 0.85f), Skin);
    }
    pt.put(27, 37, rgb(96, 34, 34), Skin);
    pt.put(37, 37, rgb(96, 34, 34), Skin);

    if (look.facePaint)
        for (int y = 21; y < 31; ++y)
            for (int x = 0; x < 64; ++x) {
                if (!inHead(x, y))
                    continue;
                const bool eye = y >= 26 && y < 28 && ((x >= 24 && x < 29) || (x >= 36 && x < 41));
                if (eye)
                    continue;
                pt.put(x, y, y == 21 || y == 30 ? dark : rgb(176, 22, 26), Skin);
            }

    // Beards.
    const Rgb beard = look.hairStyle == Bald ? rgb(26, 20, 18) : look.hair;
    for (int y = 34; y < 50; ++y)
        for (int x = 0; x < 64; ++x) {
            if (!inHead(x, y))
                continue;
            const int dx = std::abs(x - 32) + (x < 32 ? 0 : 1);
            bool on = false;
            switch (look.beard) {
            case NoBeard: break;
            case Goatee: on = (y >= 36 && y <= 37 && dx <= 5) || (y >= 40 && dx <= 4); break;
            case Horseshoe: on = (y >= 35 && y <= 37 && dx <= 6) || (dx >= 5 && dx <= 6 && y > 37); break;
            case FullBeard: on = !(y >= 38 && y <= 39 && dx <= 4) && (y >= 35 || dx >= 9); break;
            }
            if (on)
                pt.put(x, y, shade(beard, 0.8f + 0.3f * hash01(x, y, seed)), HairLayer);
        }
    if (look.beard == FullBeard)
        for (int y = 26; y < 36; ++y)
            for (int x = 0; x < 64; ++x)
                if (inHead(x, y) && std::abs(x - 32) >= 11)
                    pt.put(x, y, shade(beard, 0.8f + 0.3f * hash01(x, y, seed)), HairLayer);

    // Hair on top.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            const float line = hairlineAt(x);
            switch (look.hairStyle) {
            case Bald:
                if (inHead(x, y) && y < 16 && x > 25 && x < 31 && y > 11)
                    pt.put(x, y, shade(look.skin, 1.25f), Skin);    // shine
                break;
            case LongMane:
            case LongBlack:
                if (inHead(x, y) && y < line) {
                    const bool parting = look.hairStyle == LongBlack && x == 32;
                    pt.put(x, y, parting ? shade(look.hair, 0.5f) : shade(look.hair, 0.8f + 0.35f * hash01(x / 2, y / 3, seed)), HairLayer);
                }
                if (inHead(x, y) && y < 25 && std::abs(x - 32) > 11)
                    pt.put(x, y, shade(look.hair, 0.75f), HairLayer);
                break;
            case Spiky: {
                const float spike = 3.5f * std::fabs(std::sin((x + 0.5f) * 0.62f));
                const bool top = y < line && (inHead(x, y) || (y >= 6 - spike + 5 && std::abs(x - 32) < 14 && y < 14));
                if (top)
                    pt.put(x, y, shade(look.hair, 0.75f + 0.4f * hash01(x, y / 2, seed)), HairLayer);
                break;
            }
            }
        }

    // A dark outline round the figure, and a pixel of rim light.
    Portrait out = pt;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (pt.at(x, y) == Background)
                continue;
            const bool edge = pt.at(x - 1, y) == Background || pt.at(x + 1, y) == Background
                           || pt.at(x, y - 1) == Background || pt.at(x, y + 1) == Background;
            const bool hairEdge = pt.at(x, y) == HairLayer
                && (pt.at(x, y + 1) == Skin || pt.at(x + 1, y) == Skin || pt.at(x - 1, y) == Skin);
            if (edge && y < 63)
                out.put(x, y, dark, Outline);
            else if (hairEdge)
                out.put(x, y, shade(pt.canvas.at(x, y), 0.6f), HairLayer);
        }
    return out.canvas.raw();
}

// ---------------------------------------------------------------------------
// Body textures

RawImage paintBodyTexture(int character, int which)
{
    const Look& look = looks[character];
    const int seed = 100 + character * 17 + which;
    Canvas c(256, 256, {0, 0, 0});
    for (int py = 0; py < 256; ++py)
        for (int px = 0; px < 256; ++px) {
            const float s = (px + 0.5f) / 256, t = (py + 0.5f) / 256;
            const Spot p = spotOf(which, s, t, static_cast<float>(px), static_cast<float>(py));
            Rgb col{};
            switch (p.part) {
            case TorsoPart: col = paintTorso(look, p, seed); break;
            case ArmPart: col = paintArm(look, p, seed); break;
            case HeadPart: col = paintHead(look, p, seed); break;
            case PelvisPart: col = paintPelvis(look, p, seed); break;
            case LegPart: col = paintLeg(look, p, seed); break;
            }
            c.at(px, py) = col;
        }
    return c.raw();
}

// ---------------------------------------------------------------------------
// Scene

RawImage paintCement()
{
    Canvas c(128, 128, {0, 0, 0});
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float n = fractal(static_cast<float>(x), static_cast<float>(y), 128, 4, 5, 41);
            const float grit = hash01(x, y, 42);
            Rgb col = shade(rgb(120, 118, 112), 0.78f + 0.4f * n);
            if (grit > 0.97f)
                col = shade(col, 0.7f);
            else if (grit < 0.02f)
                col = shade(col, 1.18f);
            // The joints between slabs run along the tile's edges.
            if (x == 0 || y == 0)
                col = shade(col, 0.62f);
            else if (x == 1 || y == 1)
                col = shade(col, 0.85f);
            c.at(x, y) = col;
        }
    // Two hairline cracks wandering across the tile.
    for (int crack = 0; crack < 2; ++crack) {
        float x = 20.0f + crack * 60, y = 30.0f + crack * 45, dir = 0.4f + crack * 2.0f;
        for (int step = 0; step < 70; ++step) {
            dir += (hash01(step, crack, 43) - 0.5f) * 0.8f;
            x += std::cos(dir);
            y += std::sin(dir);
            const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
            const int wx = ((ix % 128) + 128) % 128, wy = ((iy % 128) + 128) % 128;
            c.wrapSet(ix, iy, shade(c.at(wx, wy), 0.7f));
        }
    }
    return c.raw();
}

RawImage paintRing()
{
    Canvas c(256, 256, {0, 0, 0});
    const Rgb mat = rgb(44, 72, 150);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float n = fractal(static_cast<float>(x), static_cast<float>(y), 256, 8, 3, 61);
            Rgb col = shade(mat, 0.9f + 0.15f * n + 0.04f * ((x + y) % 2));
            // The logo sits on texture coordinate (0, 0): the image's corners.
            const int dx = ((x + 128) % 256) - 128, dy = ((y + 128) % 256) - 128;
            const float r = std::hypot(dx + 0.5f, dy + 0.5f);
            if (r < 84) {
                col = shade(rgb(150, 22, 34), 0.85f + 0.25f * (1 - r / 84) + 0.08f * n);
                if (r > 76)
                    col = rgb(236, 236, 236);
                else if (r > 72)
                    col = rgb(230, 186, 60);
                // Stars round the inside of the rim.
                const float ang = std::atan2(static_cast<float>(dy), static_cast<float>(dx));
                const float near = std::fabs(std::fmod(ang / (2 * pi) * 16 + 16.5f, 1.0f) - 0.5f);
                if (r > 58 && r < 68 && near < 0.08f && std::fabs(r - 63) < 5 - near * 40)
                    col = rgb(236, 236, 236);
            }
            // The mat's edge lies half an image from its centre; the ropes
            // run an eighth of the way in from there. A darker apron band
            // with a white line runs just outside them.
            const int edge = std::max(std::abs(dx), std::abs(dy));
            if (edge >= 116)
                col = shade(col, 0.62f);
            else if (edge >= 113)
                col = rgb(230, 230, 230);
            c.at(x, y) = col;
        }
    // TARVOK across the logo, with a drop shadow, laid out about pixel
    // (0, 0) so it straddles the corners. The match camera looks along -x,
    // so the text runs up the image (towards -z, the screen's right) with
    // the letters' tops towards -x, away from the camera.
    auto plotTurned = [&](int x, int y, Rgb col) { c.wrapSet(y, -x, col); };
    drawText("TARVOK", 2, 2, 4, 3, [&](int x, int y, int, int) { plotTurned(x, y, rgb(40, 8, 12)); });
    drawText("TARVOK", 0, 0, 4, 3, [&](int x, int y, int, int sy) {
        plotTurned(x, y, mix(rgb(255, 230, 120), rgb(220, 150, 30), sy / 4.0f));
    });
    return c.raw();
}

RawImage paintCrowd()
{
    Canvas c(256, 256, rgb(18, 16, 26));
    const Rgb shirts[] = {rgb(200, 40, 40), rgb(40, 80, 190), rgb(230, 200, 60), rgb(240, 240, 240), rgb(40, 150, 70),
                          rgb(30, 30, 34), rgb(150, 60, 170), rgb(230, 120, 40), rgb(90, 90, 100), rgb(120, 180, 220)};
    const Rgb skins[] = {rgb(240, 196, 160), rgb(200, 150, 110), rgb(150, 100, 70), rgb(96, 62, 42), rgb(226, 176, 140)};
    const Rgb hairs[] = {rgb(30, 22, 16), rgb(90, 60, 30), rgb(210, 180, 90), rgb(20, 20, 20), rgb(140, 60, 30), rgb(160, 160, 160)};
    // Back rows first; each row a step of the stand, darker further back.
    const int rows = 8;
    for (int row = 0; row < rows; ++row) {
        const int base = 22 + row * 33;             // shoulder line of the row
        const float light = 0.5f + 0.5f * row / (rows - 1);
        // The step in front of the row.
        for (int y = base + 18; y < std::min(256, base + 33); ++y)
            for (int x = 0; x < 256; ++x)
                c.at(x, y) = shade(rgb(50, 48, 60), light * (y < base + 20 ? 0.6f : 1.0f));
        for (int i = 0; i < 16; ++i) {
            const int id = row * 16 + i;
            const int cx = i * 16 + 8 + static_cast<int>(hash01(id, 1, 71) * 6) - 3 + (row % 2) * 8;
            const Rgb shirt = shade(shirts[hash(id, 2, 71) % 10], light);
            const Rgb skin = shade(skins[hash(id, 3, 71) % 5], light);
            const Rgb hair = shade(hairs[hash(id, 4, 71) % 6], light);
            const bool cheering = hash01(id, 5, 71) < 0.3f;
            const int headY = base - 8 + static_cast<int>(hash01(id, 6, 71) * 4);
            // Body.
            for (int y = headY + 5; y < base + 20; ++y)
                for (int x = -7; x <= 7; ++x) {
                    const int shoulder = y < headY + 8 ? 5 + (y - headY - 5) : 7;
                    if (std::abs(x) <= shoulder)
                        c.wrapSet(cx + x, y, shade(shirt, 1 - 0.04f * std::abs(x)));
                }
            // Raised arms.
            if (cheering)
                for (int y = headY - 10; y < headY + 6; ++y)
                    for (int side : {-1, 1}) {
                        const int ax = cx + side * (7 + (headY + 6 - y) / 5);
                        c.wrapSet(ax, y, y < headY - 6 ? skin : shirt);
                        c.wrapSet(ax + side, y, y < headY - 6 ? skin : shirt);
                    }
            // Head and hair.
            for (int y = -5; y <= 5; ++y)
                for (int x = -4; x <= 4; ++x)
                    if (x * x * 25 + y * y * 16 <= 400) {
                        const bool hairPixel = y < -1 || (y < 2 && std::abs(x) == 4);
                        c.wrapSet(cx + x, headY + y, hairPixel ? hair : shade(skin, 1 - 0.05f * x));
                    }
        }
    }
    return c.raw();
}

RawImage paintEntrance()
{
    Canvas c(256, 256, {0, 0, 0});
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            Rgb col = mix(rgb(10, 10, 30), rgb(40, 14, 50), y / 255.0f);
            // Searchlight beams fanning down from the top.
            for (int beam = 0; beam < 4; ++beam) {
                const float bx = 32 + beam * 64.0f;
                const float slope = (beam - 1.5f) * 0.35f;
                const float d = std::fabs(x - (bx + slope * y)) / (6 + y * 0.12f);
                col = add(col, shade(rgb(90, 90, 140), std::max(0.0f, 1 - d) * (1 - y / 300.0f)));
            }
            // Scattered stars.
            if (hash01(x, y, 81) > 0.995f)
                col = rgb(220, 220, 255);
            c.at(x, y) = col;
        }
    // A framed panel with the name.
    for (int y = 78; y < 142; ++y)
        for (int x = 12; x < 244; ++x) {
            const bool frame = y < 82 || y >= 138 || x < 16 || x >= 240;
            c.at(x, y) = frame ? rgb(220, 170, 50) : mix(rgb(90, 10, 20), rgb(40, 4, 10), (y - 78) / 64.0f);
        }
    drawText("TARVOK", 130, 112, 6, 5, [&](int x, int y, int, int) { c.set(x, y, rgb(30, 4, 8)); });
    drawText("TARVOK", 128, 110, 6, 5, [&](int x, int y, int, int sy) {
        c.set(x, y, mix(rgb(255, 240, 150), rgb(230, 140, 20), sy / 6.0f));
    });
    // A marquee of bulbs below.
    for (int i = 0; i < 16; ++i)
        for (int y = -4; y <= 4; ++y)
            for (int x = -4; x <= 4; ++x) {
                const float r = std::hypot(static_cast<float>(x), static_cast<float>(y));
                if (r < 4.5f)
                    c.set(i * 16 + 8 + x, 170 + y, mix(i % 2 ? rgb(255, 250, 200) : rgb(255, 200, 60), rgb(120, 60, 10), r / 5));
            }
    for (int y = 186; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            c.at(x, y) = shade(rgb(30, 26, 40), 1 - 0.3f * ((x / 32 + y / 24) % 2));
    return c.raw();
}

RawImage paintBackground()
{
    Canvas c(256, 256, {0, 0, 0});
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float dx = x + 0.5f - 128, dy = y + 0.5f - 128;
            const float r = std::hypot(dx, dy) / 181;
            const float ang = std::atan2(dy, dx);
            const bool ray = std::fmod(ang / (2 * pi) * 20 + 20, 1.0f) < 0.5f;
            Rgb col = ray ? rgb(130, 24, 36) : rgb(70, 10, 22);
            col = shade(col, 1.25f - r * 0.9f);
            col = add(col, shade(rgb(255, 190, 90), std::max(0.0f, 0.45f - r) * 0.9f));
            const float n = fractal(static_cast<float>(x), static_cast<float>(y), 256, 8, 3, 91);
            c.at(x, y) = shade(col, 0.9f + 0.15f * n);
        }
    return c.raw();
}

RawImage paintFlash()
{
    Canvas c(128, 128, {0, 0, 0});
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float dx = x + 0.5f - 64, dy = y + 0.5f - 64;
            const float r = std::hypot(dx, dy);
            float glow = std::exp(-r * r / (2 * 9.0f * 9.0f)) + 0.35f * std::exp(-r / 18);
            // Four long rays and four short ones.
            glow += std::exp(-std::fabs(dy) / 1.2f) * std::exp(-std::fabs(dx) / 26);
            glow += std::exp(-std::fabs(dx) / 1.2f) * std::exp(-std::fabs(dy) / 26);
            const float u = (dx + dy) * 0.7071f, v = (dx - dy) * 0.7071f;
            glow += 0.5f * std::exp(-std::fabs(u) / 1.0f) * std::exp(-std::fabs(v) / 12);
            glow += 0.5f * std::exp(-std::fabs(v) / 1.0f) * std::exp(-std::fabs(u) / 12);
            glow *= smooth(63, 48, r);      // black at the border: invisible when added
            c.at(x, y) = {std::min(1.0f, glow * 1.0f), std::min(1.0f, glow * 1.0f), std::min(1.0f, glow * 1.15f)};
        }
    return c.raw();
}

namespace {

const char* characterFileNames[4] = {"vorlan", "kalver", "zorag", "teskar"};

void writeRaw(const std::string& path, const RawImage& im)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(im.rgb.data(), 1, im.rgb.size(), f) != im.rgb.size()) {
        std::fprintf(stderr, "tarvok_data: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

}  // namespace

std::vector<TextureFile> textureFiles()
{
    std::vector<TextureFile> files;
    for (const char* name : characterFileNames) {
        files.push_back({std::string(name) + "1.raw", 256, true});
        files.push_back({std::string(name) + "2.raw", 256, true});
        files.push_back({std::string(name) + "face.raw", 64, false});
    }
    files.push_back({"cement.raw", 128, false});
    files.push_back({"ring.raw", 256, false});
    files.push_back({"crowd4.raw", 256, false});
    files.push_back({"entrance.raw", 256, false});
    files.push_back({"background.raw", 256, false});
    files.push_back({"flash.raw", 128, false});
    return files;
}

void writeTextures(const std::string& dataDir)
{
    for (int i = 0; i < 4; ++i) {
        const std::string base = dataDir + "/" + characterFileNames[i];
        writeRaw(base + "1.raw", paintBodyTexture(i, 1));
        writeRaw(base + "2.raw", paintBodyTexture(i, 2));
        writeRaw(base + "face.raw", paintFace(i));
    }
    writeRaw(dataDir + "/cement.raw", paintCement());
    writeRaw(dataDir + "/ring.raw", paintRing());
    writeRaw(dataDir + "/crowd4.raw", paintCrowd());
    writeRaw(dataDir + "/entrance.raw", paintEntrance());
    writeRaw(dataDir + "/background.raw", paintBackground());
    writeRaw(dataDir + "/flash.raw", paintFlash());
}
