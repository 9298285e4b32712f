// tarvok_preview: draws the wrestlers offscreen and writes PNG files, to look
// at the body, its textures and the clips without playing the game. It opens
// a GLUT window, so run it on a virtual display:
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" tarvok_preview MODE [ARGS] OUT.png [OPTIONS]
//
// Modes
//   lineup OUT.png               the four characters side by side; rows: front,
//                                side (from their +x side) and back views
//   pose OUT.png                 one character (--character) front, side, back
//   textures OUT.png             every body texture flat, the faces at 3x and 2x,
//                                the scene textures
//   bones OUT.png                the skeleton display over a body, front and side
//   sheet CLIP OUT.png           contact sheet: --frames frames evenly across
//                                the clip (CLIP is a clip name: "punch" or
//                                "punch.anim"); the camera stays fixed, so root
//                                motion shows as travel over the floor grid
//   pair ATTACKER VICTIM OUT.png the two-body sheet: the attacker at the origin
//                                facing +z, the victim 5 units ahead facing it,
//                                both clips at the same time, each moved by
//                                its own root motion
//   cuts NAME OUT.png            a sequence the game cuts together, played by
//                                the game's own move handlers: "suplex" (grab,
//                                hold, suplex), "kickout" (pin, kicked off),
//                                "pinfall" (pin to the count's end), "throw"
//                                (grab, hold, whip, the run back); frames
//                                evenly across it, the camera on the pair
//
// Options
//   --run DIR         directory holding game.ini and data/ (default: the
//                     current directory if it has game.ini, else the run/
//                     directory beside this program)
//   --frames N        frames in a sheet (default 8)
//   --columns N       frames per row of a sheet (default min(frames, 8))
//   --from T --to T   time range of a sheet (default 0 to the clip's end)
//   --clip NAME       lineup/pose/bones: show this clip ...
//   --time T          ... at this clip time (default 0)
//   --rot J:X,Y,Z     set joint J's rotation in degrees (repeatable; applied
//                     over the clip pose or the rest pose)
//   --height H        root height when no clip is given (default 4.6)
//   --character I     roster entry 0-3 (default 0; the pair's attacker)
//   --victim I        roster entry of the pair's victim (default 1)
//   --view DEG        camera azimuth about the subject: 0 in front of a
//                     figure facing +z, 90 from its +x side (sheet default
//                     25, pair default 90)
//   --elevation DEG   camera height angle (default 12)
//   --distance D      camera distance (default fits the subject)
//   --target Y        height the camera looks at (default fits the subject)
//   --size WxH        size of one cell in pixels (default 240x320)
//   --bones           draw the skeleton display over the bodies
//   --no-models       skip the bodies (the skeleton or shadows only)
//   --shadows         draw the shadows as the game does
//   --views A,B,...   pair: the frames seen from each of these azimuths, a
//                     row of frames per view
//   --follow          sheet: the camera follows the wrestler instead of
//                     looking at the middle of its path
//   --help            this text
#include "tools/preview/preview.h"
#include "tools/preview/showcase.h"

#include "anim/body.h"
#include "anim/maths.h"
#include "anim/playback.h"
#include "anim/pose.h"
#include "assets/catalogue.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "assets/texture.h"
#include "app/controls.h"
#include "wrestler/grapples.h"
#include "wrestler/pins.h"
#include "wrestler/wrestler.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const char* usageText =
    "usage: tarvok_preview MODE [ARGS] OUT.png [OPTIONS]\n"
    "modes:\n"
    "  lineup OUT.png                four characters, front/side/back rows\n"
    "  pose OUT.png                  one character, front/side/back\n"
    "  textures OUT.png              body textures, faces, scene textures\n"
    "  bones OUT.png                 skeleton over a body\n"
    "  sheet CLIP OUT.png            N frames across a clip\n"
    "  pair ATTACKER VICTIM OUT.png  attacker and victim clips together\n"
    "  cuts NAME OUT.png             suplex, kickout, pinfall or throw, as the game plays it\n"
    "options:\n"
    "  --run DIR  --frames N  --columns N  --from T  --to T\n"
    "  --clip NAME  --time T  --rot J:X,Y,Z  --height H\n"
    "  --character I  --victim I  --view DEG  --elevation DEG  --distance D  --target Y\n"
    "  --size WxH  --bones  --no-models  --shadows  --follow  --views A,B,..  --help\n"
    "run it under xvfb-run -a -s \"-screen 0 1280x1024x24\"\n"
    "icon DIR and screens DIR: see tools/preview/showcase.h\n";

struct JointTurn {
    int joint;
    float x, y, z;
};

struct Options {
    std::string mode;
    std::vector<std::string> args;
    std::string runDir;
    int frames = 8;
    int columns = 0;
    float from = 0, to = -1;
    std::string clip;
    float time = 0;
    std::vector<JointTurn> turns;
    float height = 4.6f;
    int character = 0;
    int victim = 1;
    float view = -1000;
    float elevation = 12;
    float distance = 0;
    float target = -1000;
    int cellWidth = 240, cellHeight = 320;
    bool bones = false, models = true, shadows = false;
    bool follow = false;
    std::vector<float> views;   // pair: several camera azimuths per frame
};

static Options opt;

[[noreturn]] static void fail(const char* message, const std::string& detail = "")
{
    std::fprintf(stderr, "tarvok_preview: %s%s%s\n", message, detail.empty() ? "" : ": ", detail.c_str());
    std::exit(1);
}

static float numberArg(int& i, int argc, char** argv)
{
    if (i + 1 >= argc)
        fail("missing value after", argv[i]);
    char* end = nullptr;
    const float v = std::strtof(argv[++i], &end);
    if (end == argv[i] || *end)
        fail("not a number", argv[i]);
    return v;
}

static void parseOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc)
                fail("missing value after", a);
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(usageText, stdout);
            std::exit(0);
        } else if (a == "--run") opt.runDir = next();
        else if (a == "--frames") opt.frames = static_cast<int>(numberArg(i, argc, argv));
        else if (a == "--columns") opt.columns = static_cast<int>(numberArg(i, argc, argv));
        else if (a == "--from") opt.from = numberArg(i, argc, argv);
        else if (a == "--to") opt.to = numberArg(i, argc, argv);
        else if (a == "--clip") opt.clip = next();
        else if (a == "--time") opt.time = numberArg(i, argc, argv);
        else if (a == "--height") opt.height = numberArg(i, argc, argv);
        else if (a == "--character") opt.character = static_cast<int>(numberArg(i, argc, argv));
        else if (a == "--victim") opt.victim = static_cast<int>(numberArg(i, argc, argv));
        else if (a == "--view") opt.view = numberArg(i, argc, argv);
        else if (a == "--elevation") opt.elevation = numberArg(i, argc, argv);
        else if (a == "--distance") opt.distance = numberArg(i, argc, argv);
        else if (a == "--target") opt.target = numberArg(i, argc, argv);
        else if (a == "--bones") opt.bones = true;
        else if (a == "--no-models") opt.models = false;
        else if (a == "--shadows") opt.shadows = true;
        else if (a == "--follow") opt.follow = true;
        else if (a == "--views") {
            const std::string list = next();
            size_t at = 0;
            while (at < list.size()) {
                const size_t comma = list.find(',', at);
                const std::string one = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
                char* end = nullptr;
                const float v = std::strtof(one.c_str(), &end);
                if (one.empty() || *end)
                    fail("bad --views (DEG,DEG,...)", list);
                opt.views.push_back(v);
                at = comma == std::string::npos ? list.size() : comma + 1;
            }
        }
        else if (a == "--size") {
            const std::string s = next();
            if (std::sscanf(s.c_str(), "%dx%d", &opt.cellWidth, &opt.cellHeight) != 2
                || opt.cellWidth < 16 || opt.cellHeight < 16 || opt.cellWidth > 1280 || opt.cellHeight > 1024)
                fail("bad --size (WxH, at most 1280x1024)", s);
        } else if (a == "--rot") {
            const std::string s = next();
            JointTurn t{};
            if (std::sscanf(s.c_str(), "%d:%f,%f,%f", &t.joint, &t.x, &t.y, &t.z) != 4)
                fail("bad --rot (J:X,Y,Z)", s);
            opt.turns.push_back(t);
        } else if (a.size() > 1 && a[0] == '-') {
            fail("unknown option", a);
        } else if (opt.mode.empty()) {
            opt.mode = a;
        } else {
            opt.args.push_back(a);
        }
    }
    if (opt.frames < 1 || opt.frames > 200)
        fail("--frames must be 1 to 200");
    if (opt.character < 0 || opt.character >= rosterSize || opt.victim < 0 || opt.victim >= rosterSize)
        fail("--character and --victim must be 0 to 3");
    size_t want = 1;
    if (opt.mode == "sheet") want = 2;
    else if (opt.mode == "pair") want = 3;
    else if (opt.mode == "cuts") want = 2;
    else if (opt.mode != "lineup" && opt.mode != "pose" && opt.mode != "textures" && opt.mode != "bones")
        fail(opt.mode.empty() ? "no mode given (try --help)" : "unknown mode", opt.mode);
    if (opt.args.size() != want)
        fail("wrong number of arguments for mode", opt.mode);
}

// The output path is taken before the working directory moves to the data.
static std::string absolutePath(const std::string& p)
{
    if (!p.empty() && p[0] == '/')
        return p;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        fail("cannot read the working directory");
    return std::string(cwd) + "/" + p;
}

static void enterRunDirectory(const char* argv0)
{
    std::string dir = opt.runDir;
    if (dir.empty()) {
        if (access("game.ini", R_OK) == 0)
            return;
        char exe[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        std::string self = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(argv0);
        dir = self.substr(0, self.find_last_of('/') + 1) + "run";
    }
    if (chdir(dir.c_str()) != 0)
        fail("cannot enter the run directory", dir);
    if (access("game.ini", R_OK) != 0)
        fail("no game.ini in", dir);
}

// ---------------------------------------------------------------------------
// Assets

static void loadCharacterTextures()
{
    for (CharacterProfile& p : roster) {
        loadTexture(dataPath(p.bodyTextureFile1), 256, 256, p.bodyTexture1);
        loadTexture(dataPath(p.bodyTextureFile2), 256, 256, p.bodyTexture2);
    }
}

static int clipIdOf(std::string name)
{
    if (name.size() < 5 || name.compare(name.size() - 5, 5, ".anim") != 0)
        name += ".anim";
    for (int i = 0; i < clipCount; ++i)
        if (name == clipFiles[static_cast<size_t>(i)])
            return i;
    fail("no such clip", name);
}

// Starts a wrestler on a clip at (x, z) facing heading and plays it to time
// t with the game's clip player, which moves it by the clip's root path.
// Times stay below the clip's length, so no clip end is reached.
static void placeOnClip(Wrestler& w, Wrestler& other, int clip, float x, float z, float heading, float t)
{
    w.x = x, w.y = 0, w.z = z;
    w.heading = heading;
    w.state = w.nextState = Idle;
    cutToClip(w, other, clip, clip, Idle, Idle);
    if (t > 0)
        advanceClip(w, t, other);
}

// The rest pose at the given root height.
static void placeAtRest(Wrestler& w, float x, float z, float heading)
{
    w.clip = ClipStand;
    Animation& a = w.clips[static_cast<size_t>(w.clip)];
    w.heading = heading;
    w.x = x, w.z = z, w.y = 0;
    for (Bone& b : a.bones)
        b.rotation[0] = b.rotation[1] = b.rotation[2] = 0;
    a.rootOffset[0] = a.rootOffset[2] = 0;
    a.rootOffset[1] = opt.height;
}

static void applyTurns(Wrestler& w)
{
    Animation& a = w.clips[static_cast<size_t>(w.clip)];
    for (const JointTurn& t : opt.turns) {
        if (t.joint < 0 || t.joint >= a.boneCount)
            fail("--rot joint out of range");
        Bone& b = a.bones[static_cast<size_t>(t.joint)];
        b.rotation[0] = t.x, b.rotation[1] = t.y, b.rotation[2] = t.z;
    }
}

static void setCharacter(Wrestler& w, int character)
{
    w.character = character;
    w.bodyTexture1 = roster[character].bodyTexture1;
    w.bodyTexture2 = roster[character].bodyTexture2;
    w.model = &bodyMesh;
}

// ---------------------------------------------------------------------------
// Drawing

struct Camera {
    float targetX, targetY, targetZ;
    float azimuth, elevation, distance;
};

static void beginCell(Camera c, float bg = 0.22f)
{
    if (opt.target > -999)
        c.targetY = opt.target;
    glViewport(0, 0, opt.cellWidth, opt.cellHeight);
    glClearColor(bg, bg, bg + 0.04f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, static_cast<double>(opt.cellWidth) / opt.cellHeight, 0.5, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double az = c.azimuth * M_PI / 180, el = c.elevation * M_PI / 180;
    gluLookAt(c.targetX + c.distance * std::cos(el) * std::sin(az), c.targetY + c.distance * std::sin(el),
              c.targetZ + c.distance * std::cos(el) * std::cos(az), c.targetX, c.targetY, c.targetZ, 0, 1, 0);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float ambient[4] = {0.38f, 0.38f, 0.38f, 1};
    const float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    const float zero[4] = {0, 0, 0, 1};
    // A key light over the camera's shoulder.
    const float dir[4] = {static_cast<float>(std::sin(az + 0.6)), 1.1f, static_cast<float>(std::cos(az + 0.6)), 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, dir);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

// A mat-grey floor with a grid of 1-unit squares, lines every 5 units
// brighter, so root travel and foot contact can be read off.
static void drawFloor(float cx, float cz)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    const int r = 20;
    const float x0 = std::floor(cx) - r, z0 = std::floor(cz) - r;
    glColor3f(0.33f, 0.35f, 0.40f);
    glBegin(GL_QUADS);
    glVertex3f(x0, -0.01f, z0);
    glVertex3f(x0, -0.01f, z0 + 2 * r);
    glVertex3f(x0 + 2 * r, -0.01f, z0 + 2 * r);
    glVertex3f(x0 + 2 * r, -0.01f, z0);
    glEnd();
    glBegin(GL_LINES);
    for (int i = 0; i <= 2 * r; ++i) {
        const float gx = x0 + i, gz = z0 + i;
        const bool major = static_cast<int>(std::lround(gx)) % 5 == 0;
        const bool majorZ = static_cast<int>(std::lround(gz)) % 5 == 0;
        glColor3f(major ? 0.6f : 0.42f, major ? 0.6f : 0.44f, major ? 0.62f : 0.5f);
        glVertex3f(gx, 0, z0);
        glVertex3f(gx, 0, z0 + 2 * r);
        glColor3f(majorZ ? 0.6f : 0.42f, majorZ ? 0.6f : 0.44f, majorZ ? 0.62f : 0.5f);
        glVertex3f(x0, 0, gz);
        glVertex3f(x0 + 2 * r, 0, gz);
    }
    glEnd();
    glEnable(GL_LIGHTING);
}

static void drawFigure(Wrestler& w)
{
    applyTurns(w);
    drawWrestler(w, opt.models ? 1 : 0, 0, opt.shadows ? 1 : 0);
    if (opt.bones) {
        // Over the body, so it shows through.
        glClear(GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glTranslatef(w.x, w.y, w.z);
        glRotatef(w.heading, 0, 1, 0);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        drawBones(w.clips[static_cast<size_t>(w.clip)]);
        glPopMatrix();
    }
}

static void label(const std::string& text, const std::string& second = "")
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, opt.cellWidth, 0, opt.cellHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 0.6f);
    glRasterPos2i(4, opt.cellHeight - 14);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(text.c_str()));
    glColor3f(0.75f, 0.9f, 1);
    glRasterPos2i(4, opt.cellHeight - 28);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(second.c_str()));
    glEnable(GL_DEPTH_TEST);
}

static Image grabCell()
{
    glFinish();
    Image im = makeImage(opt.cellWidth, opt.cellHeight, 0, 0, 0);
    std::vector<unsigned char> rows(im.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, opt.cellWidth, opt.cellHeight, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    const size_t stride = static_cast<size_t>(opt.cellWidth) * 3;
    for (int y = 0; y < opt.cellHeight; ++y)
        std::memcpy(&im.rgb[static_cast<size_t>(y) * stride], &rows[static_cast<size_t>(opt.cellHeight - 1 - y) * stride], stride);
    return im;
}

static void writeOut(const Image& im, const std::string& path)
{
    if (!savePng(path, im))
        fail("cannot write", path);
    std::printf("wrote %s (%dx%d)\n", path.c_str(), im.width, im.height);
}

// ---------------------------------------------------------------------------
// Modes

static void poseFigure(Wrestler& w, float x, float z, float heading)
{
    if (opt.clip.empty())
        placeAtRest(w, x, z, heading);
    else
        placeOnClip(w, playerTwo, clipIdOf(opt.clip), x, z, heading, opt.time);
}

static void lineupMode(const std::string& out, bool single)
{
    const int first = single ? opt.character : 0;
    const int count = single ? 1 : rosterSize;
    const float views[3] = {0, 90, 180};
    const char* viewNames[3] = {"front", "side", "back"};
    const int columns = single ? 3 : count;
    const int rows = single ? 1 : 3;
    Image sheet = makeImage(columns * opt.cellWidth, rows * opt.cellHeight, 0, 0, 0);
    for (int c = 0; c < count; ++c) {
        Wrestler& w = playerOne;
        setCharacter(w, first + c);
        for (int v = 0; v < 3; ++v) {
            poseFigure(w, 0, 0, 0);
            const float d = opt.distance > 0 ? opt.distance : 22.0f;
            beginCell({0, 4.8f, 0, views[v], opt.elevation, d});
            drawFloor(0, 0);
            drawFigure(w);
            label(std::string(roster[first + c].ringName) + "  " + viewNames[v]);
            const int col = single ? v : c, row = single ? 0 : v;
            blit(sheet, grabCell(), col * opt.cellWidth, row * opt.cellHeight);
        }
    }
    writeOut(sheet, out);
}

static void bonesMode(const std::string& out)
{
    Image sheet = makeImage(2 * opt.cellWidth, opt.cellHeight, 0, 0, 0);
    opt.bones = true;
    Wrestler& w = playerOne;
    setCharacter(w, opt.character);
    for (int v = 0; v < 2; ++v) {
        poseFigure(w, 0, 0, 0);
        const float d = opt.distance > 0 ? opt.distance : 17.0f;
        beginCell({0, 4.8f, 0, v == 0 ? 0.0f : 90.0f, opt.elevation, d});
        drawFloor(0, 0);
        drawFigure(w);
        label(v == 0 ? "bones, front" : "bones, side");
        blit(sheet, grabCell(), v * opt.cellWidth, 0);
    }
    writeOut(sheet, out);
}

static void texturesMode(const std::string& out)
{
    // Rows per character: texture 1, texture 2, face at 3x and at 2x; then
    // the scene textures.
    const int rowH = 256 + 8;
    Image sheet = makeImage(256 * 2 + 192 + 128 + 5 * 8, rowH * rosterSize + 128 + 8, 40, 40, 48);
    auto place = [&](const char* file, int size, int x, int y, int zoom) {
        const std::string path = dataPath(file);
        std::vector<unsigned char> rgb = readRaw(path.c_str(), size, size);
        if (rgb.empty())
            fail("cannot read texture", path);
        Image im;
        im.width = im.height = size;
        im.rgb = rgb;
        blit(sheet, im, x, y, zoom);
    };
    for (int c = 0; c < rosterSize; ++c) {
        const int y = c * rowH + 4;
        place(roster[c].bodyTextureFile1, 256, 4, y, 1);
        place(roster[c].bodyTextureFile2, 256, 264, y, 1);
        place(roster[c].faceTextureFile, 64, 524, y, 3);
        place(roster[c].faceTextureFile, 64, 524 + 200, y, 2);
    }
    // Scene textures, shrunk to fit one row.
    const struct { const char* file; int size; } scene[] = {
        {"ring.raw", 256}, {"crowd4.raw", 256}, {"entrance.raw", 256},
        {"background.raw", 256}, {"cement.raw", 128}, {"flash.raw", 128}};
    Image wide = makeImage(6 * 256, 256, 40, 40, 48);
    int x = 0;
    for (const auto& s : scene) {
        const std::string path = dataPath(s.file);
        std::vector<unsigned char> rgb = readRaw(path.c_str(), s.size, s.size);
        if (rgb.empty())
            fail("cannot read texture", path);
        Image im;
        im.width = im.height = s.size;
        im.rgb = rgb;
        blit(wide, im, x, 0, 256 / s.size);
        x += 256;
    }
    // Halve the scene row into the sheet.
    Image half = makeImage(wide.width / 2, wide.height / 2, 0, 0, 0);
    for (int yy = 0; yy < half.height; ++yy)
        for (int xx = 0; xx < half.width; ++xx)
            for (int ch = 0; ch < 3; ++ch) {
                int sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += wide.rgb[((static_cast<size_t>(yy) * 2 + k / 2) * wide.width + xx * 2 + k % 2) * 3 + ch];
                half.rgb[(static_cast<size_t>(yy) * half.width + xx) * 3 + ch] = static_cast<unsigned char>(sum / 4);
            }
    blit(sheet, half, 4, rowH * rosterSize + 4);
    writeOut(sheet, out);
}

static std::vector<float> frameTimes(float length)
{
    const float from = opt.from;
    float to = opt.to >= 0 ? opt.to : length;
    // The wrap comes at the length itself; show the moment just before.
    if (to >= length)
        to = length - 0.01f;
    std::vector<float> times;
    for (int i = 0; i < opt.frames; ++i)
        times.push_back(opt.frames == 1 ? from : from + (to - from) * i / (opt.frames - 1));
    return times;
}

static Image newSheet(int frames)
{
    const int columns = opt.columns > 0 ? opt.columns : (frames < 8 ? frames : 8);
    const int rows = (frames + columns - 1) / columns;
    return makeImage(columns * opt.cellWidth, rows * opt.cellHeight, 0, 0, 0);
}

static void placeCell(Image& sheet, int i)
{
    const int columns = sheet.width / opt.cellWidth;
    blit(sheet, grabCell(), (i % columns) * opt.cellWidth, (i / columns) * opt.cellHeight);
}

// Where a wrestler stands and its clip's root height.
static std::string placeLabel(const Wrestler& w)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "x %.1f z %.1f h %.2f", static_cast<double>(w.x), static_cast<double>(w.z),
                  static_cast<double>(w.clips[static_cast<size_t>(w.clip)].rootOffset[1]));
    return buf;
}

static std::string timeLabel(const char* name, float t)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "t=%.1f  %s", static_cast<double>(t), name);
    return buf;
}

static void sheetMode(const std::string& clipName, const std::string& out)
{
    Wrestler& w = playerOne;
    setCharacter(w, opt.character);
    const int slot = clipIdOf(clipName);
    const float length = clipLength(w.clips[static_cast<size_t>(slot)]);
    if (length <= 0)
        fail("clip has no length", clipName);
    const std::vector<float> times = frameTimes(length);

    // The camera looks at the middle of the path the root travels.
    float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    for (float t : times) {
        placeOnClip(w, playerTwo, slot, 0, 0, 0, t);
        minX = std::fmin(minX, w.x), maxX = std::fmax(maxX, w.x);
        minZ = std::fmin(minZ, w.z), maxZ = std::fmax(maxZ, w.z);
    }
    const float cx = (minX + maxX) / 2, cz = (minZ + maxZ) / 2;
    const float spread = std::fmax(maxX - minX, maxZ - minZ);
    const float d = opt.distance > 0 ? opt.distance : 17.0f + spread;
    const float view = opt.view > -999 ? opt.view : 25.0f;

    Image sheet = newSheet(static_cast<int>(times.size()));
    for (size_t i = 0; i < times.size(); ++i) {
        placeOnClip(w, playerTwo, slot, 0, 0, 0, times[i]);
        const float fx = opt.follow ? w.x : cx, fz = opt.follow ? w.z : cz;
        beginCell({fx, 4.0f, fz, view, opt.elevation, opt.follow && opt.distance <= 0 ? 17.0f : d});
        drawFloor(fx, fz);
        drawFigure(w);
        label(timeLabel(clipName.c_str(), times[i]), placeLabel(w));
        placeCell(sheet, static_cast<int>(i));
    }
    writeOut(sheet, out);
}

static void pairMode(const std::string& attackerClip, const std::string& victimClip, const std::string& out)
{
    Wrestler& a = playerOne;
    Wrestler& v = playerTwo;
    setCharacter(a, opt.character);
    setCharacter(v, opt.victim);
    const int slotA = clipIdOf(attackerClip);
    const int slotV = clipIdOf(victimClip);
    const float lengthA = clipLength(a.clips[static_cast<size_t>(slotA)]);
    const float lengthV = clipLength(v.clips[static_cast<size_t>(slotV)]);
    if (lengthA <= 0 || lengthV <= 0)
        fail("clip has no length");
    const std::vector<float> times = frameTimes(std::fmax(lengthA, lengthV));

    const float d = opt.distance > 0 ? opt.distance : 30.0f;
    std::vector<float> views = opt.views;
    if (views.empty())
        views.push_back(opt.view > -999 ? opt.view : 90.0f);
    // With several views, each view is one row of the frames.
    if (views.size() > 1)
        opt.columns = static_cast<int>(times.size());
    Image sheet = newSheet(static_cast<int>(times.size() * views.size()));
    for (size_t i = 0; i < times.size(); ++i)
        for (size_t j = 0; j < views.size(); ++j) {
            // A clip shorter than the other holds its last moment.
            const float t = times[i];
            placeOnClip(a, v, slotA, 0, 0, 0, std::fmin(t, lengthA - 0.01f));
            placeOnClip(v, a, slotV, 0, 5, 180, std::fmin(t, lengthV - 0.01f));
            beginCell({0, 5.5f, 2.5f, views[j], opt.elevation, d});
            drawFloor(0, 2.5f);
            drawFigure(a);
            drawFigure(v);
            label(timeLabel((attackerClip + " + " + victimClip).c_str(), t), placeLabel(a) + " | " + placeLabel(v));
            placeCell(sheet, static_cast<int>(j * times.size() + i));
        }
    writeOut(sheet, out);
}

// One frame of the game's clip advance for both wrestlers, as the match
// does it (player one first), at the game's own clip step for a 30 ms frame.
static void gameStep(Wrestler& a, Wrestler& b, float dt)
{
    separationOn = 0;
    advanceClip(a, dt, b);
    separationOn = 0;
    advanceClip(b, dt, a);
}

static void holdKey(int slot)
{
    clearKeys();
    keyDown[slot] = 1;
}

static void cutsMode(const std::string& name, const std::string& out)
{
    Wrestler& a = playerOne;
    Wrestler& b = playerTwo;
    setCharacter(a, opt.character);
    setCharacter(b, opt.victim);
    a.opponent = &b;
    b.opponent = &a;
    for (Wrestler* w : {&a, &b}) {
        w->health = 100;
        w->holdTimer = 0;
        w->elbowArmed = 0;
    }
    const PlayerKeys& keys = playerOneKeys;
    placeOnClip(a, b, ClipStand, 0, 0, 0, 0);
    placeOnClip(b, a, ClipStand, 0, 4, 180, 0);
    a.state = a.nextState = b.state = b.nextState = Idle;

    // Each step: how long to play before it, and the move it starts.
    struct Step {
        float after;
        int what;   // 0 grab, 1 suplex, 2 throw, 3 pin, 4 kick-out, 5 nothing
    };
    std::vector<Step> steps;
    if (name == "suplex") {
        steps.push_back({0, 0});
        steps.push_back({40, 1});
        steps.push_back({150, 5});
    } else if (name == "throw") {
        steps.push_back({0, 0});
        steps.push_back({40, 2});
        steps.push_back({100, 5});
    } else if (name == "kickout" || name == "pinfall") {
        placeOnClip(b, a, ClipLie, 0, 4, 180, 0);
        b.state = b.nextState = Lying;
        steps.push_back({0, 3});
        if (name == "kickout") {
            steps.push_back({50, 4});
            steps.push_back({75, 5});
        } else {
            steps.push_back({200, 5});
        }
    } else
        fail("unknown sequence (suplex, kickout, pinfall, throw)", name);

    const float dt = 1.8f;
    float total = 0;
    for (const Step& s : steps)
        total += s.after;
    const int frames = opt.frames;
    const float every = total / (frames - 1);
    Image sheet = newSheet(frames);
    float t = 0, nextShot = 0;
    int shot = 0;
    auto capture = [&] {
        while (shot < frames && t >= nextShot - 0.01f) {
            const float cx = (a.x + b.x) / 2, cz = (a.z + b.z) / 2;
            beginCell({cx, 4.5f, cz, opt.view > -999 ? opt.view : 90.0f, opt.elevation,
                       opt.distance > 0 ? opt.distance : 26.0f});
            drawFloor(cx, cz);
            drawFigure(a);
            drawFigure(b);
            char clips[128];
            std::snprintf(clips, sizeof clips, "%s %.0f | %s %.0f", clipFiles[static_cast<std::size_t>(a.clip)],
                          static_cast<double>(a.clipTime), clipFiles[static_cast<std::size_t>(b.clip)],
                          static_cast<double>(b.clipTime));
            label(timeLabel(name.c_str(), t), clips);
            placeCell(sheet, shot);
            ++shot;
            nextShot = shot * every;
        }
    };
    for (const Step& s : steps) {
        for (float played = 0; played + dt <= s.after; played += dt) {
            gameStep(a, b, dt);
            t += dt;
            capture();
        }
        switch (s.what) {
        case 0: holdKey(keys.grab); grabHandler(a, keys.grab, b); break;
        case 1: holdKey(keys.up); suplexHandler(a, keys.up, b); break;
        case 2: holdKey(keys.down); throwHandler(a, keys.down, b); break;
        case 3: holdKey(keys.grab); pinHandler(a, keys.grab, b); break;
        case 4: holdKey(playerTwoKeys.up); kickOutHandler(b, playerTwoKeys.up, a); break;
        default: break;
        }
        clearKeys();
        capture();
    }
    writeOut(sheet, out);
}

int main(int argc, char** argv)
{
    // The icon and the README screenshots (tools/preview/showcase.h).
    if (const int status = runShowcase(argc, argv); status >= 0)
        return status;
    parseOptions(argc, argv);
    const std::string out = absolutePath(opt.args.back());
    enterRunDirectory(argv[0]);
    readConfig("game.ini");

    if (opt.mode == "textures") {
        texturesMode(out);
        return 0;
    }

    // Unknown clip names are reported before any window opens.
    if (opt.mode == "sheet")
        clipIdOf(opt.args[0]);
    if (opt.mode == "pair")
        clipIdOf(opt.args[0]), clipIdOf(opt.args[1]);
    if (!opt.clip.empty())
        clipIdOf(opt.clip);

    int glutArgc = 1;
    char* glutArgv[] = {argv[0], nullptr};
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(opt.cellWidth, opt.cellHeight);
    glutCreateWindow("tarvok_preview");

    // The two bodies of a pair overlap freely; the preview shows the clips'
    // own paths.
    separationOn = 0;
    loadCharacterTextures();
    loadBodyAndClips();

    if (opt.mode == "lineup" || opt.mode == "pose")
        lineupMode(out, opt.mode == "pose");
    else if (opt.mode == "bones")
        bonesMode(out);
    else if (opt.mode == "sheet")
        sheetMode(opt.args[0], out);
    else if (opt.mode == "pair")
        pairMode(opt.args[0], opt.args[1], out);
    else if (opt.mode == "cuts")
        cutsMode(opt.args[0], out);
    return 0;
}
