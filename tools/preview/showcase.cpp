// The application icon and the README screenshots.
#include "tools/preview/showcase.h"
#include "tools/preview/preview.h"

#include "app/controls.h"
#include "assets/catalogue.h"
#include "assets/config.h"
#include "match/phases.h"
#include "wrestler/wrestler.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <png.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

struct ShowcaseOptions {
    std::string mode;
    std::string outDir;
    std::string runDir;
    int character = 2;
};

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "tarvok_preview: %s\n", message.c_str());
    std::exit(1);
}

ShowcaseOptions parseShowcase(int argc, char** argv)
{
    ShowcaseOptions o;
    o.mode = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--run" || a == "--character") && i + 1 >= argc)
            fail("missing value after " + a);
        if (a == "--run") {
            o.runDir = argv[++i];
        } else if (a == "--character") {
            char* end = nullptr;
            const long c = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end || c < 0 || c >= rosterSize)
                fail("--character must be 0 to 3");
            o.character = static_cast<int>(c);
        } else if (a.size() > 1 && a[0] == '-') {
            fail("unknown option for " + o.mode + ": " + a);
        } else if (o.outDir.empty()) {
            o.outDir = a;
        } else {
            fail("one output directory only: " + a);
        }
    }
    if (o.outDir.empty())
        fail("usage: tarvok_preview " + o.mode + " DIR [--run RUNDIR]" + (o.mode == "icon" ? " [--character I]" : ""));
    return o;
}

std::string absolute(const std::string& p)
{
    if (!p.empty() && p[0] == '/')
        return p;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        fail("cannot read the working directory");
    return std::string(cwd) + "/" + p;
}

// Creates the directory and its parents.
void makeDirectories(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
        fail("cannot create " + path);
}

void enterRunDirectory(const std::string& runDir)
{
    std::string dir = runDir;
    if (dir.empty()) {
        if (access("game.ini", R_OK) == 0)
            return;
        char exe[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (n <= 0)
            fail("cannot find this program's directory; give --run");
        const std::string self(exe, static_cast<std::size_t>(n));
        dir = self.substr(0, self.find_last_of('/') + 1) + "run";
    }
    if (chdir(dir.c_str()) != 0)
        fail("cannot enter the run directory " + dir);
    if (access("game.ini", R_OK) != 0)
        fail("no game.ini in " + dir);
}

// ---------------------------------------------------------------------------
// PNG output: RGBA for the icon, indexed colour for the screenshots.

bool writePng(const std::string& path, int width, int height, int colourType, const std::vector<unsigned char>& rows,
              const std::vector<png_color>& palette = {})
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
    png_set_compression_level(png, 9);
    const int bytesPerPixel = colourType == PNG_COLOR_TYPE_RGBA ? 4 : 1;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows.data() + static_cast<std::size_t>(y) * width * bytesPerPixel);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

// ---------------------------------------------------------------------------
// The icon

constexpr std::array<int, 8> iconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The square of the 64-pixel portrait an icon of this size shows: the whole
// portrait where there is room for it, the head alone at the small sizes,
// where shoulders and background would only blur it.
struct Crop {
    float x, y, side;
};

Crop cropFor(int size)
{
    if (size >= 64)
        return {0, 0, 64};
    if (size >= 32)
        return {6, 4, 52};
    return {13, 8, 38};
}

// Area-weighted resampling of a square of the portrait onto the square of
// side `inner` centred in a size x size picture: each output pixel is the
// average of the portrait area it covers, which keeps the pixel-art edges
// crisp at whole-number enlargements and mixes them fairly when shrinking.
// Pixels outside the square take the portrait's edge.
std::vector<float> resample(const Image& src, Crop c, int size, float inner)
{
    std::vector<float> out(static_cast<std::size_t>(size) * size * 3, 0.0f);
    const float step = c.side / inner;
    const float origin = (size - inner) / 2;
    for (int oy = 0; oy < size; ++oy)
        for (int ox = 0; ox < size; ++ox) {
            const float x0 = std::fmin(std::fmax(c.x + (ox - origin) * step, c.x), c.x + c.side - step);
            const float y0 = std::fmin(std::fmax(c.y + (oy - origin) * step, c.y), c.y + c.side - step);
            const float x1 = x0 + step, y1 = y0 + step;
            float sum[3] = {0, 0, 0};
            float area = 0;
            for (int sy = static_cast<int>(std::floor(y0)); sy < static_cast<int>(std::ceil(y1)); ++sy)
                for (int sx = static_cast<int>(std::floor(x0)); sx < static_cast<int>(std::ceil(x1)); ++sx) {
                    const float w = (std::fmin(x1, sx + 1.0f) - std::fmax(x0, static_cast<float>(sx)))
                                  * (std::fmin(y1, sy + 1.0f) - std::fmax(y0, static_cast<float>(sy)));
                    if (w <= 0 || sx < 0 || sy < 0 || sx >= src.width || sy >= src.height)
                        continue;
                    const std::size_t s = (static_cast<std::size_t>(sy) * src.width + sx) * 3;
                    for (int k = 0; k < 3; ++k)
                        sum[k] += w * src.rgb[s + k];
                    area += w;
                }
            for (int k = 0; k < 3; ++k)
                out[(static_cast<std::size_t>(oy) * size + ox) * 3 + k] = area > 0 ? sum[k] / area : 0;
        }
    return out;
}

// Signed distance from (x, y) to the edge of a rounded square centred at
// (c, c) with half side h and corner radius r: negative inside.
float roundedSquareDistance(float x, float y, float c, float h, float r)
{
    const float qx = std::fabs(x - c) - (h - r), qy = std::fabs(y - c) - (h - r);
    const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qy, 0.0f));
    return outside + std::fmin(std::fmax(qx, qy), 0.0f) - r;
}

// The portrait on a rounded tile with a gold rim, like a title card; the
// corners outside the tile are transparent. Edges are smoothed by sampling
// each pixel 4 x 4 times. The small sizes fit the head inside the rim; the
// large ones enlarge the whole portrait by a whole number and let the rim
// cover its edge.
std::vector<unsigned char> iconImage(const Image& face, int size)
{
    const float half = size / 2.0f;
    const float radius = size * 0.16f;
    const float rim = std::fmax(1.0f, size / 24.0f);
    const float frame = rim + std::fmax(1.0f, rim / 2);
    const std::vector<float> portrait = resample(face, cropFor(size), size, size >= 64 ? size : size - 2 * frame);
    const float rimColour[3] = {236, 190, 64};
    const float shade[3] = {40, 28, 12};
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float cover = 0, rimCover = 0, shadeCover = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float d = roundedSquareDistance(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4, half, half, radius);
                    if (d > 0)
                        continue;
                    cover += 1;
                    if (d > -rim)
                        rimCover += 1;
                    else if (d > -frame)
                        shadeCover += 1;
                }
            const std::size_t p = static_cast<std::size_t>(y) * size + x;
            for (int k = 0; k < 3; ++k) {
                const float inner = cover - rimCover - shadeCover;
                const float v = cover > 0
                    ? (rimCover * rimColour[k] + shadeCover * shade[k] + inner * portrait[p * 3 + k]) / cover
                    : 0;
                rgba[p * 4 + k] = static_cast<unsigned char>(std::lround(std::fmin(std::fmax(v, 0.0f), 255.0f)));
            }
            rgba[p * 4 + 3] = static_cast<unsigned char>(std::lround(cover * 255 / 16));
        }
    return rgba;
}

int iconMode(const ShowcaseOptions& o)
{
    const std::string path = dataPath(roster[o.character].faceTextureFile);
    Image face;
    face.width = face.height = 64;
    face.rgb = readRaw(path.c_str(), 64, 64);
    if (face.rgb.empty())
        fail("cannot read the portrait " + path);
    for (int size : iconSizes) {
        const std::string dir = o.outDir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        makeDirectories(dir);
        const std::string file = dir + "/tarvok.png";
        if (!writePng(file, size, size, PNG_COLOR_TYPE_RGBA, iconImage(face, size)))
            fail("cannot write " + file);
        std::printf("wrote %s\n", file.c_str());
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Screenshots

// Median cut: the colours of the picture are split, box by box, at the
// median of their widest channel until there are as many boxes as palette
// entries; each box gives its mean colour. Colours are counted at 5 bits a
// channel, plenty for a picture of a few hundred pixels a side.
std::vector<png_color> medianCutPalette(const std::vector<unsigned char>& rgb, int entries)
{
    std::vector<int> counts(32768, 0);
    for (std::size_t i = 0; i < rgb.size(); i += 3)
        ++counts[static_cast<std::size_t>((rgb[i] >> 3) << 10 | (rgb[i + 1] >> 3) << 5 | (rgb[i + 2] >> 3))];
    std::vector<int> colours;
    for (int c = 0; c < 32768; ++c)
        if (counts[static_cast<std::size_t>(c)])
            colours.push_back(c);
    auto channel = [](int c, int k) { return (c >> (10 - 5 * k)) & 31; };
    struct Box {
        std::size_t begin, end;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (static_cast<int>(boxes.size()) < entries) {
        // Split the box with the widest channel range among those with two
        // or more colours.
        int best = -1, bestRange = 0, bestChannel = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            for (int k = 0; k < 3; ++k) {
                int lo = 31, hi = 0;
                for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) {
                    lo = std::min(lo, channel(colours[i], k));
                    hi = std::max(hi, channel(colours[i], k));
                }
                if (hi - lo > bestRange)
                    best = static_cast<int>(b), bestRange = hi - lo, bestChannel = k;
            }
        }
        if (best < 0)
            break;
        Box& box = boxes[static_cast<std::size_t>(best)];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [&](int a, int b) { return channel(a, bestChannel) < channel(b, bestChannel); });
        long total = 0;
        for (auto it = first; it != last; ++it)
            total += counts[static_cast<std::size_t>(*it)];
        long seen = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += counts[static_cast<std::size_t>(colours[i])];
            split = i + 1;
            if (seen * 2 >= total)
                break;
        }
        const Box upper{split, box.end};
        box.end = split;
        boxes.push_back(upper);
    }
    std::vector<png_color> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0};
        double n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            const double w = counts[static_cast<std::size_t>(colours[i])];
            for (int k = 0; k < 3; ++k)
                sum[k] += w * (channel(colours[i], k) * 8 + 4);
            n += w;
        }
        auto mean = [&](int k) { return static_cast<png_byte>(std::lround(n > 0 ? sum[k] / n : 0)); };
        palette.push_back({mean(0), mean(1), mean(2)});
    }
    return palette;
}

// Each pixel takes the nearest palette colour, looked up once per 5-bit
// colour.
std::vector<unsigned char> indexPixels(const std::vector<unsigned char>& rgb, const std::vector<png_color>& palette)
{
    std::vector<int> nearest(32768, -1);
    std::vector<unsigned char> indices(rgb.size() / 3);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const unsigned char* p = &rgb[i * 3];
        const int key = (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3);
        int& best = nearest[static_cast<std::size_t>(key)];
        if (best < 0) {
            long bestDistance = LONG_MAX;
            for (std::size_t e = 0; e < palette.size(); ++e) {
                const long dr = palette[e].red - p[0], dg = palette[e].green - p[1], db = palette[e].blue - p[2];
                const long d = 2 * dr * dr + 4 * dg * dg + db * db;
                if (d < bestDistance)
                    bestDistance = d, best = static_cast<int>(e);
            }
        }
        indices[i] = static_cast<unsigned char>(best);
    }
    return indices;
}

struct Screens {
    std::string outDir;
    int width = 640, height = 480;
    float clock = 0;
    float pace = 16.0f / 30.0f;     // a 16 ms frame in game time units
};

Screens screens;

// One frame as the window's display callback draws it.
void frame(float units = 0)
{
    screens.clock += units > 0 ? units : screens.pace;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, screens.width, screens.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, static_cast<double>(screens.width) / screens.height, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    gameFrame(screens.clock, static_cast<float>(screens.width), static_cast<float>(screens.height));
}

bool runUntil(const std::function<bool()>& done, int limit, float units = 0)
{
    for (int i = 0; i < limit; ++i) {
        if (done())
            return true;
        frame(units);
    }
    return done();
}

void runFor(int count, float units = 0)
{
    for (int i = 0; i < count; ++i)
        frame(units);
}

// A key pressed for one frame and let go.
void tap(unsigned char key)
{
    keyPressed(key, 0);
    frame();
    keyReleased(key);
}

void require(bool ok, const char* what)
{
    if (!ok)
        fail(std::string("the scripted game went wrong: ") + what);
}

// Keeps the frame just drawn, reduced to a 256-colour palette.
void shot(const char* name)
{
    const int w = screens.width, h = screens.height;
    std::vector<unsigned char> bottomUp(static_cast<std::size_t>(w) * h * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> rgb(bottomUp.size());
    const std::size_t stride = static_cast<std::size_t>(w) * 3;
    for (int y = 0; y < h; ++y)
        std::copy_n(&bottomUp[static_cast<std::size_t>(h - 1 - y) * stride], stride, &rgb[static_cast<std::size_t>(y) * stride]);
    const std::vector<png_color> palette = medianCutPalette(rgb, 256);
    const std::string file = screens.outDir + "/" + name + ".png";
    if (!writePng(file, w, h, PNG_COLOR_TYPE_PALETTE, indexPixels(rgb, palette), palette))
        fail("cannot write " + file);
    std::printf("wrote %s (%dx%d)\n", file.c_str(), w, h);
}

// The walking frame a bearing selects.
int quadrantFor(float b)
{
    if (b >= 135 && b <= 225)
        return 1;
    if (b >= 45 && b < 135)
        return 2;
    if ((b > 225 && b <= 315) || b <= -45)
        return 4;
    return 3;
}

// Player one walks up to player two, holding the key that plays the
// forward walk in the current walking frame.
bool walkUpTo(float distance)
{
    static const unsigned char forwardKey[5] = {0, 'd', 's', 'a', 'w'};
    unsigned char held = 0;
    for (int i = 0; i < 400 && distanceTo(playerOne, playerTwo) >= distance; ++i) {
        const int quadrant = playerOne.state == Walking ? playerOne.quadrant : quadrantFor(playerOne.bearing);
        const unsigned char key = forwardKey[quadrant];
        if (key != held) {
            if (held)
                keyReleased(held);
            keyPressed(key, 0);
            held = key;
        }
        frame();
    }
    if (held)
        keyReleased(held);
    frame();
    return distanceTo(playerOne, playerTwo) < distance;
}

int screensMode(const ShowcaseOptions& o)
{
    screens.outDir = o.outDir;
    makeDirectories(o.outDir);
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
        fail("screens needs a display; run it under xvfb-run -a -s \"-screen 0 1280x1024x24\"");
    int glutArgc = 1;
    char name[] = "tarvok_preview";
    char* glutArgv[] = {name, nullptr};
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(screens.width, screens.height);
    glutCreateWindow("tarvok_preview");
    glEnable(GL_DEPTH_TEST);
    initGame();

    // Selection: player one steps back to ZORAG, player two to THE VORLAN,
    // and player one confirms.
    runFor(3);
    tap('s');
    tap('s');
    tap('k');
    tap('f');
    runFor(3);
    require(playerOne.character == 2 && playerTwo.character == 0 && gamePhase == Selection, "selection");
    shot("selection");
    tap('h');
    frame();
    require(gamePhase == Entrance && featuredWrestler == &playerOne, "the entrance did not start");

    // ZORAG's entrance, under the red light, and the celebration in the
    // ring with the fireworks.
    require(runUntil([] { return phaseStage >= 3; }, 3000, 1.0f), "the first entrance");
    int fireworkFrames = 0;
    require(runUntil([&] { return fireworksOn && ++fireworkFrames > 40; }, 2000, 1.0f), "no fireworks");
    shot("fireworks");
    require(runUntil([] { return featuredWrestler == &playerTwo; }, 3000, 1.0f), "the celebration");

    // THE VORLAN comes down the entrance way; the rest of it is skipped and
    // the match starts.
    require(runUntil([] { return phaseStage == 1 && playerTwo.z < 32; }, 2000, 1.0f), "the second entrance");
    shot("entrance");
    tap('h');
    require(gamePhase == Match, "the match did not start");
    screens.pace = 1.0f;
    runFor(3);

    // A punch that lands.
    require(walkUpTo(3.5f), "player one did not reach player two");
    require(runUntil([] { return playerOne.state == Idle; }, 100), "player one did not stop");
    keyPressed('f', 0);
    require(runUntil([] { return playerTwo.state == Hurt; }, 120), "the punch did not land");
    keyReleased('f');
    runFor(4);
    shot("match");

    // A grab and a suplex, caught with the victim high over the attacker.
    require(runUntil([] { return playerOne.state == Idle && playerTwo.state == Idle; }, 300), "after the punch");
    require(walkUpTo(5.5f), "player one did not reach player two again");
    require(runUntil([] { return playerOne.state == Idle; }, 100), "player one did not stop again");
    tap('e');
    require(runUntil([] { return playerOne.clip == ClipGrapple; }, 200), "the hold");
    tap('w');
    require(playerOne.clip == ClipSuplex, "no room for the suplex");
    require(runUntil([] { return playerOne.clipTime > 55; }, 200), "the suplex");
    shot("throw");
    return 0;
}

} // namespace

int runShowcase(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    const std::string mode = argv[1];
    if (mode != "icon" && mode != "screens")
        return -1;
    ShowcaseOptions o = parseShowcase(argc, argv);
    o.outDir = absolute(o.outDir);
    enterRunDirectory(o.runDir);
    readConfig("game.ini");
    return mode == "icon" ? iconMode(o) : screensMode(o);
}
