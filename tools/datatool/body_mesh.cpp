// The body is one closed surface of rings. The torso is a tube of 24 columns
// from the crotch to the neck, carrying on into the neck and head and closing
// at the crown. Each leg starts from one half of the torso's lowest ring (the
// two halves share the front and back crotch points), each arm from a hole
// left in the torso's side at shoulder height, so the shoulder, hip, waist
// and neck are all continuous skin. Every joint line has a ring on each side
// of it, so a bend stretches the faces between the two rings.
#include "tools/datatool/body_mesh.h"

#include "tools/datatool/body_layout.h"
#include "tools/datatool/skeleton_layout.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

namespace {

constexpr float pi = 3.14159265358979f;
constexpr int torsoColumns = 24;

enum Region { Torso, Head, Pelvis, ArmNeg, ArmPos, LegNeg, LegPos };

float signedPow(float v, float p)
{
    return v < 0 ? -std::pow(-v, p) : std::pow(v, p);
}

float bump(float v, float centre, float width)
{
    const float d = (v - centre) / width;
    return std::exp(-d * d);
}

// Angle difference folded into -pi..pi.
float angleDelta(float a, float b)
{
    float d = std::fmod(a - b, 2 * pi);
    if (d > pi) d -= 2 * pi;
    if (d < -pi) d += 2 * pi;
    return d;
}

struct Builder {
    BodyMesh mesh;
    std::vector<Region> faceRegion;

    int add(float x, float y, float z, int joint)
    {
        mesh.vertices.push_back({x, y, z, 0, 0, 0, joint});
        return static_cast<int>(mesh.vertices.size()) - 1;
    }

    void face(int a, int b, int c, Region r)
    {
        BodyFace f{};
        f.vertex[0] = a, f.vertex[1] = b, f.vertex[2] = c;
        f.textureSelect = (r == Pelvis || r == LegNeg || r == LegPos) ? 1 : 0;
        mesh.faces.push_back(f);
        faceRegion.push_back(r);
    }

    // Quad a b c d, counter-clockwise seen from outside.
    void quad(int a, int b, int c, int d, Region r)
    {
        face(a, b, c, r);
        face(a, c, d, r);
    }

    // Joins two closed rings of equal size; b lies further along the tube.
    void bridge(const std::vector<int>& a, const std::vector<int>& b, Region r)
    {
        const size_t n = a.size();
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            quad(a[i], a[j], b[j], b[i], r);
        }
    }

    void cap(const std::vector<int>& a, int tip, Region r)
    {
        const size_t n = a.size();
        for (size_t i = 0; i < n; ++i)
            face(a[i], a[(i + 1) % n], tip, r);
    }
};

// ---------------------------------------------------------------------------
// Torso, neck and head

struct TorsoRing {
    float y;
    float rx, rzFront, rzBack;
    float pecs;         // forward bulge of the chest muscles
    float blades;       // backward bulge of the shoulder blades and lats
    int joint;
};

// From the crotch up. Rings 8 to 10 frame the arm holes; ring 0 is shared
// with the legs and lies below the hip line.
const TorsoRing torsoRings[] = {
    {-1.00f, 1.10f, 0.70f, 0.80f, 0.00f, 0.00f, 0},
    {-0.80f, 1.16f, 0.72f, 0.86f, 0.00f, 0.00f, 0},
    {-0.40f, 1.12f, 0.68f, 0.76f, 0.00f, 0.00f, 0},
    {-0.05f, 1.00f, 0.64f, 0.62f, 0.00f, 0.00f, 0},
    {0.10f, 0.98f, 0.64f, 0.60f, 0.00f, 0.00f, 8},
    {0.60f, 1.06f, 0.68f, 0.62f, 0.00f, 0.04f, 8},
    {1.15f, 1.24f, 0.74f, 0.68f, 0.04f, 0.10f, 8},
    {1.65f, 1.36f, 0.82f, 0.74f, 0.16f, 0.10f, 8},
    {2.15f, 1.36f, 0.84f, 0.76f, 0.14f, 0.10f, 8},
    {2.50f, 1.32f, 0.76f, 0.72f, 0.05f, 0.08f, 8},
    {2.85f, 1.16f, 0.58f, 0.62f, 0.00f, 0.06f, 8},
};
constexpr int torsoRingCount = sizeof torsoRings / sizeof torsoRings[0];
constexpr int armRing0 = 8, armRing1 = 10;          // rings framing the arm holes
constexpr int negArmCol0 = 16, negArmCol1 = 20;     // columns framing the -x hole
constexpr int posArmCol0 = 4, posArmCol1 = 8;       // and the +x hole

struct HeadRing {
    float y;
    float rx, rzFront, rzBack, zCentre;
    float nose, brow, chin, ears;
};

const HeadRing headRings[] = {
    {2.95f, 0.52f, 0.50f, 0.52f, -0.05f, 0, 0, 0, 0},
    {3.25f, 0.47f, 0.46f, 0.46f, -0.04f, 0, 0, 0, 0},
    {3.48f, 0.46f, 0.60f, 0.48f, 0.03f, 0, 0, 0.04f, 0},
    {3.62f, 0.56f, 0.64f, 0.55f, 0.02f, 0, 0, 0.03f, 0},
    {3.80f, 0.60f, 0.64f, 0.60f, 0.00f, 0.05f, 0, 0, 0.03f},
    {3.98f, 0.61f, 0.62f, 0.62f, 0.00f, 0.13f, 0, 0, 0.09f},
    {4.16f, 0.61f, 0.60f, 0.64f, 0.00f, 0.02f, 0.06f, 0, 0.06f},
    {4.36f, 0.57f, 0.53f, 0.61f, -0.02f, 0, 0.02f, 0, 0},
    {4.52f, 0.42f, 0.38f, 0.46f, -0.03f, 0, 0, 0, 0},
};
constexpr int headRingCount = sizeof headRings / sizeof headRings[0];
constexpr float crownY = 4.61f;

float columnAngle(int c)
{
    return 2 * pi * static_cast<float>(c) / torsoColumns;
}

void torsoPoint(const TorsoRing& r, int ringIndex, int c, float& x, float& z)
{
    const float a = columnAngle(c);
    const float sa = std::sin(a), ca = std::cos(a);
    x = r.rx * signedPow(sa, 0.8f);
    z = (ca > 0 ? r.rzFront : r.rzBack) * signedPow(ca, 0.85f);
    if (ca > 0)     // two pectoral masses either side of the breastbone
        z += r.pecs * ca * (bump(std::fabs(x), 0.6f, 0.38f) - 0.3f * bump(x, 0, 0.15f));
    else            // shoulder blades and the spine's groove
        z -= r.blades * -ca * (bump(std::fabs(x), 0.7f, 0.45f) - 0.4f * bump(x, 0, 0.2f));
    // The crotch points sit exactly on the centre line, where neither leg
    // takes them.
    if (ringIndex == 0 && (c == 0 || c == torsoColumns / 2))
        x = 0;
}

void headPoint(const HeadRing& r, int c, float& x, float& z)
{
    const float a = columnAngle(c);
    const float sa = std::sin(a), ca = std::cos(a);
    const float fa = angleDelta(a, 0);
    x = r.rx * sa;
    z = r.zCentre + (ca > 0 ? r.rzFront : r.rzBack) * ca;
    z += r.nose * bump(fa, 0, 0.2f) + r.chin * bump(fa, 0, 0.6f);
    z += r.brow * (bump(fa, 0.35f, 0.3f) + bump(fa, -0.35f, 0.3f));
    x += r.ears * (bump(fa, pi / 2, 0.22f) - bump(fa, -pi / 2, 0.22f));
}

// ---------------------------------------------------------------------------
// Arms

struct ArmRing {
    float x;            // distance from the centre line
    float centreY, ry, rzFront, rzBack;
    int segment;        // 0 upper arm, 1 forearm, 2 hand
};

const ArmRing armRings[] = {
    {1.50f, 2.52f, 0.50f, 0.54f, 0.52f, 0},    // deltoid
    {1.90f, 2.50f, 0.48f, 0.52f, 0.48f, 0},
    {2.35f, 2.52f, 0.42f, 0.48f, 0.40f, 0},    // biceps forward
    {2.75f, 2.55f, 0.38f, 0.42f, 0.36f, 0},
    {2.95f, 2.57f, 0.33f, 0.34f, 0.33f, 0},    // elbow, upper side
    {3.08f, 2.57f, 0.33f, 0.34f, 0.34f, 1},    // elbow, forearm side
    {3.50f, 2.57f, 0.37f, 0.37f, 0.36f, 1},
    {4.30f, 2.57f, 0.24f, 0.30f, 0.28f, 1},    // wrist
    {4.55f, 2.56f, 0.22f, 0.36f, 0.33f, 2},
    {4.95f, 2.55f, 0.24f, 0.39f, 0.35f, 2},    // knuckles
    {5.16f, 2.54f, 0.17f, 0.31f, 0.28f, 2},
};
constexpr float fingerTip = 5.24f;

// ---------------------------------------------------------------------------
// Legs

struct LegRing {
    float y, rx, rzFront, rzBack, zCentre;
    int segment;        // 0 thigh, 1 shin and foot
};

const LegRing legRings[] = {
    {-1.30f, 0.60f, 0.64f, 0.70f, 0.00f, 0},
    {-1.75f, 0.58f, 0.66f, 0.58f, 0.03f, 0},   // quadriceps
    {-2.25f, 0.50f, 0.56f, 0.48f, 0.03f, 0},
    {-2.65f, 0.41f, 0.46f, 0.41f, 0.02f, 0},   // knee, thigh side
    {-2.85f, 0.41f, 0.47f, 0.40f, 0.02f, 1},   // knee, shin side
    {-3.25f, 0.43f, 0.40f, 0.52f, 0.00f, 1},   // calf
    {-3.70f, 0.42f, 0.42f, 0.46f, 0.00f, 1},   // boot top
    {-4.20f, 0.36f, 0.40f, 0.38f, 0.02f, 1},   // ankle
    {-4.42f, 0.37f, 0.82f, 0.42f, 0.12f, 1},   // instep and toe
    {-4.58f, 0.37f, 0.88f, 0.44f, 0.14f, 1},   // sole edge
};
constexpr int legRingCount = sizeof legRings / sizeof legRings[0];
constexpr int legSides = torsoColumns / 2 + 1;

// ---------------------------------------------------------------------------

void buildTorsoAndHead(Builder& b, std::vector<std::vector<int>>& grid)
{
    // Vertices inside the arm holes are never made.
    auto inHole = [](int ring, int c) {
        const bool holeRing = ring > armRing0 && ring < armRing1;
        return holeRing && ((c > negArmCol0 && c < negArmCol1) || (c > posArmCol0 && c < posArmCol1));
    };
    grid.assign(torsoRingCount, std::vector<int>(torsoColumns, -1));
    for (int r = 0; r < torsoRingCount; ++r) {
        const TorsoRing& ring = torsoRings[r];
        for (int c = 0; c < torsoColumns; ++c) {
            if (inHole(r, c))
                continue;
            float x, z;
            torsoPoint(ring, r, c, x, z);
            int joint = ring.joint;
            if (r == 0)
                joint = x < 0 ? 3 : x > 0 ? 6 : 0;
            grid[r][c] = b.add(x, ring.y, z, joint);
        }
    }
    for (int r = 0; r + 1 < torsoRingCount; ++r) {
        const Region region = r < 4 ? Pelvis : Torso;
        for (int c = 0; c < torsoColumns; ++c) {
            const int n = (c + 1) % torsoColumns;
            const bool hole = r >= armRing0 && r < armRing1
                && ((c >= negArmCol0 && c < negArmCol1) || (c >= posArmCol0 && c < posArmCol1));
            if (!hole)
                b.quad(grid[r][c], grid[r][n], grid[r + 1][n], grid[r + 1][c], region);
        }
    }

    std::vector<int> below = grid[torsoRingCount - 1];
    for (int h = 0; h < headRingCount; ++h) {
        std::vector<int> ring(torsoColumns);
        for (int c = 0; c < torsoColumns; ++c) {
            float x, z;
            headPoint(headRings[h], c, x, z);
            ring[static_cast<size_t>(c)] = b.add(x, headRings[h].y, z, 17);
        }
        b.bridge(below, ring, h == 0 ? Torso : Head);
        below = ring;
    }
    b.cap(below, b.add(0, crownY, -0.03f, 17), Head);
}

// The rim of an arm hole, going round so that the arm's faces meet the
// torso's with their shared edges running the other way.
std::vector<int> holeRim(const std::vector<std::vector<int>>& grid, int c0, int c1)
{
    std::vector<int> rim;
    for (int c = c0; c <= c1; ++c)
        rim.push_back(grid[armRing0][c]);
    for (int r = armRing0 + 1; r < armRing1; ++r)
        rim.push_back(grid[r][c1]);
    for (int c = c1; c >= c0; --c)
        rim.push_back(grid[armRing1][c]);
    for (int r = armRing1 - 1; r > armRing0; --r)
        rim.push_back(grid[r][c0]);
    return rim;
}

void buildArm(Builder& b, const std::vector<int>& rim, float side)
{
    const Region region = side < 0 ? ArmNeg : ArmPos;
    const int firstJoint = side < 0 ? 10 : 14;
    // Each ring keeps the rim's angles round the arm, so the faces run
    // straight along it.
    std::vector<float> angles;
    for (int v : rim) {
        const BodyVertex& p = b.mesh.vertices[static_cast<size_t>(v)];
        angles.push_back(std::atan2(p.z, p.y - layout::armAxisY));
    }
    std::vector<int> below = rim;
    for (const ArmRing& a : armRings) {
        std::vector<int> ring;
        for (float ang : angles) {
            const float cy = std::cos(ang), cz = std::sin(ang);
            const float y = a.centreY + a.ry * signedPow(cy, 0.9f);
            const float z = (cz > 0 ? a.rzFront : a.rzBack) * signedPow(cz, 0.9f);
            ring.push_back(b.add(side * a.x, y, z, firstJoint + a.segment));
        }
        b.bridge(below, ring, region);
        below = ring;
    }
    const ArmRing& last = armRings[sizeof armRings / sizeof armRings[0] - 1];
    b.cap(below, b.add(side * fingerTip, last.centreY, 0, firstJoint + 2), region);
}

void buildLeg(Builder& b, const std::vector<std::vector<int>>& grid, float side)
{
    const Region region = side < 0 ? LegNeg : LegPos;
    const int thigh = side < 0 ? 3 : 6;
    // Half the torso's lowest ring, walked against the torso's direction:
    // the +x leg from the back crotch point round its outside to the front
    // one, the -x leg from the front round to the back.
    std::vector<int> top;
    for (int k = 0; k < legSides; ++k) {
        const int c = side > 0 ? torsoColumns / 2 - k : (torsoColumns - k) % torsoColumns;
        top.push_back(grid[0][static_cast<size_t>(c)]);
    }
    const float centreX = side * layout::legAxisX;
    const float step = 2 * pi / legSides;
    std::vector<int> below = top;
    for (int r = 0; r < legRingCount; ++r) {
        const LegRing& l = legRings[r];
        std::vector<int> ring;
        for (int k = 0; k < legSides; ++k) {
            const float beta = side * pi / 2 - static_cast<float>(k - legSides / 2) * step;
            const float sx = std::sin(beta), cz = std::cos(beta);
            const float x = centreX + l.rx * signedPow(sx, 0.9f);
            const float z = l.zCentre + (cz > 0 ? l.rzFront : l.rzBack) * signedPow(cz, 0.9f);
            ring.push_back(b.add(x, l.y, z, thigh + l.segment));
        }
        b.bridge(below, ring, region);
        below = ring;
    }
    b.cap(below, b.add(centreX, soleY, 0.3f, thigh + 1), region);
}

// ---------------------------------------------------------------------------
// Texture coordinates

// Where a point lies round its part's axis, as a fraction of a turn in
// 0..1, and whether it lies on the axis (a cap's tip) where the angle means
// nothing.
struct WrapPoint {
    float turn;
    bool onAxis;
};

WrapPoint wrapOf(Region r, const BodyVertex& v)
{
    float a = 0, radius = 0;
    switch (r) {
    case Torso: case Head: case Pelvis:
        a = std::atan2(v.x, v.z);           // 0 front, pi/2 the +x side
        radius = std::hypot(v.x, v.z);
        return {a / (2 * pi) + 0.5f, radius < 0.05f};
    case ArmNeg: case ArmPos:
        a = std::atan2(v.z, -(v.y - layout::armAxisY));    // 0 underneath
        radius = std::hypot(v.z, v.y - layout::armAxisY);
        break;
    case LegNeg: case LegPos: {
        const float dx = v.x - (r == LegNeg ? -layout::legAxisX : layout::legAxisX);
        a = std::atan2(dx, v.z) + pi;       // 0 behind, a half turn in front
        radius = std::hypot(dx, v.z);
        break;
    }
    }
    float turn = a / (2 * pi);
    turn -= std::floor(turn);
    return {turn, radius < 0.05f};
}

float lerpRange(float v, float v0, float v1, float t0, float t1)
{
    return t0 + (v - v0) / (v1 - v0) * (t1 - t0);
}

void textureCoordinates(Builder& b)
{
    using namespace layout;
    for (size_t f = 0; f < b.mesh.faces.size(); ++f) {
        BodyFace& face = b.mesh.faces[f];
        const Region r = b.faceRegion[f];
        WrapPoint w[3];
        float lo = 2, hi = -1, sum = 0;
        int defined = 0;
        for (int c = 0; c < 3; ++c) {
            w[c] = wrapOf(r, b.mesh.vertices[static_cast<size_t>(face.vertex[c])]);
            if (!w[c].onAxis) {
                lo = std::fmin(lo, w[c].turn);
                hi = std::fmax(hi, w[c].turn);
            }
        }
        // A face across the seam continues past a whole turn.
        for (int c = 0; c < 3; ++c)
            if (!w[c].onAxis) {
                if (hi - lo > 0.5f && w[c].turn < 0.5f)
                    w[c].turn += 1;
                sum += w[c].turn;
                ++defined;
            }
        for (int c = 0; c < 3; ++c)
            if (w[c].onAxis)
                w[c].turn = defined ? sum / static_cast<float>(defined) : 0;

        for (int c = 0; c < 3; ++c) {
            const BodyVertex& v = b.mesh.vertices[static_cast<size_t>(face.vertex[c])];
            float s = 0, t = 0;
            const float strip = 0.5f / (1 + stripMargin);
            switch (r) {
            case Torso:
                s = w[c].turn;
                t = lerpRange(v.y, torsoY0, torsoY1, torsoT0, torsoT1);
                break;
            case Head:
                s = w[c].turn;
                t = lerpRange(v.y, headY0, headY1, headT0, headT1);
                break;
            case Pelvis:
                s = w[c].turn;
                t = lerpRange(v.y, pelvisY0, pelvisY1, pelvisT0, pelvisT1);
                break;
            case ArmNeg: case ArmPos:
                s = (r == ArmNeg ? 0.0f : 0.5f) + lerpRange(std::fabs(v.x), armX0, armX1, 0, 0.5f);
                t = armT0 + w[c].turn * (armT1 - armT0) / (1 + stripMargin);
                break;
            case LegNeg: case LegPos:
                s = (r == LegNeg ? 0.0f : 0.5f) + w[c].turn * strip;
                t = lerpRange(v.y, legY0, legY1, legT0, legT1);
                break;
            }
            face.s[c] = s;
            face.t[c] = t;
        }
    }
}

void smoothNormals(BodyMesh& mesh)
{
    std::vector<double> n(mesh.vertices.size() * 3, 0.0);
    for (const BodyFace& f : mesh.faces) {
        const BodyVertex& a = mesh.vertices[static_cast<size_t>(f.vertex[0])];
        const BodyVertex& b = mesh.vertices[static_cast<size_t>(f.vertex[1])];
        const BodyVertex& c = mesh.vertices[static_cast<size_t>(f.vertex[2])];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
        for (int k = 0; k < 3; ++k) {
            const size_t i = static_cast<size_t>(f.vertex[k]) * 3;
            n[i] += cx, n[i + 1] += cy, n[i + 2] += cz;
        }
    }
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const double len = std::sqrt(n[i * 3] * n[i * 3] + n[i * 3 + 1] * n[i * 3 + 1] + n[i * 3 + 2] * n[i * 3 + 2]);
        BodyVertex& v = mesh.vertices[i];
        if (len > 0) {
            v.nx = static_cast<float>(n[i * 3] / len);
            v.ny = static_cast<float>(n[i * 3 + 1] / len);
            v.nz = static_cast<float>(n[i * 3 + 2] / len);
        } else {
            v.ny = 1;
        }
    }
}

}  // namespace

BodyMesh buildBodyMesh()
{
    Builder b;
    std::vector<std::vector<int>> grid;
    buildTorsoAndHead(b, grid);
    buildArm(b, holeRim(grid, negArmCol0, negArmCol1), -1);
    buildArm(b, holeRim(grid, posArmCol0, posArmCol1), 1);
    buildLeg(b, grid, -1);
    buildLeg(b, grid, 1);
    textureCoordinates(b);
    smoothNormals(b.mesh);
    return b.mesh;
}

std::string bodyMeshText(const BodyMesh& mesh)
{
    std::string out;
    char line[160];
    auto put = [&](const char* fmt, auto... args) {
        std::snprintf(line, sizeof line, fmt, args...);
        out += line;
    };

    // Texture coordinates are shared between faces where they print alike.
    std::map<std::pair<long, long>, int> coordIndex;
    std::vector<std::pair<float, float>> coords;
    std::vector<int> faceCoords;
    for (const BodyFace& f : mesh.faces)
        for (int c = 0; c < 3; ++c) {
            const std::pair<long, long> key{std::lround(f.s[c] * 1e6), std::lround(f.t[c] * 1e6)};
            auto it = coordIndex.find(key);
            if (it == coordIndex.end()) {
                it = coordIndex.emplace(key, static_cast<int>(coords.size())).first;
                coords.emplace_back(f.s[c], f.t[c]);
            }
            faceCoords.push_back(it->second);
        }

    put("%.1f\n%d\n%d\n", 1.0, static_cast<int>(mesh.vertices.size()), static_cast<int>(mesh.faces.size()));
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const BodyVertex& v = mesh.vertices[i];
        put("%d %.6f %.6f %.6f\n", static_cast<int>(i), static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z));
    }
    for (const BodyFace& f : mesh.faces)
        put("%d %d %d %d\n", f.vertex[0], f.vertex[1], f.vertex[2], f.textureSelect);
    put("%d\n", static_cast<int>(coords.size()));
    // The file keeps v negated: an image row t is written as -t.
    for (size_t i = 0; i < coords.size(); ++i)
        put("%d %.6f %.6f 0.000000\n", static_cast<int>(i), static_cast<double>(coords[i].first),
            static_cast<double>(-coords[i].second));
    for (size_t f = 0; f < mesh.faces.size(); ++f)
        put("%d %d %d %d\n", static_cast<int>(f), faceCoords[f * 3], faceCoords[f * 3 + 1], faceCoords[f * 3 + 2]);
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const BodyFace& face = mesh.faces[f];
        const BodyVertex& a = mesh.vertices[static_cast<size_t>(face.vertex[0])];
        const BodyVertex& b = mesh.vertices[static_cast<size_t>(face.vertex[1])];
        const BodyVertex& c = mesh.vertices[static_cast<size_t>(face.vertex[2])];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (len > 0)
            nx /= len, ny /= len, nz /= len;
        // The reader takes the face normal as (-first, third, second).
        put("%d %.6f %.6f %.6f\n", static_cast<int>(f), -nx, nz, ny);
        for (int k = 0; k < 3; ++k) {
            const BodyVertex& v = mesh.vertices[static_cast<size_t>(face.vertex[k])];
            put("%d %.6f %.6f %.6f\n", face.vertex[k], static_cast<double>(v.nx), static_cast<double>(v.ny),
                static_cast<double>(v.nz));
        }
    }
    return out;
}
