#include "match/ropes.h"

#include "anim/maths.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

std::array<Rope, ropeCount> ropes;

// Spring stiffness, gravity, damping and the point mass (as its inverse).
constexpr float springStiffness = 160.0f;
constexpr float ropeGravity = 1.0f;
constexpr float ropeDamping = 0.1f;
constexpr float inverseMass = 10.0f;
// The simulation never integrates more than this at a time.
constexpr float maxSubstep = 0.01f;
constexpr double tubeRadius = 0.15;

void initRope(Rope& rope, int n, float px, float py, float pz, float qx, float qy, float qz)
{
    if (n < 0)
        n = 0;
    rope.points.assign(static_cast<std::size_t>(n), RopePoint{});
    rope.pointCount = n;
    // A single point has no spacing; keep it on the first end.
    const float spans = n > 1 ? static_cast<float>(n - 1) : 1.0f;
    const float dx = (qx - px) / spans;
    const float dy = (qy - py) / spans;
    const float dz = (qz - pz) / spans;
    // A sixteenth of the spacing, so the springs are always stretched and
    // the rope hangs nearly straight between its ends.
    rope.restLength = std::sqrt(dx * dx + dy * dy + dz * dz) * 0.0625f;
    for (int i = 0; i < n; ++i) {
        RopePoint& p = rope.points[static_cast<std::size_t>(i)];
        p.position[0] = px + static_cast<float>(i) * dx;
        p.position[1] = py + static_cast<float>(i) * dy;
        p.position[2] = pz + static_cast<float>(i) * dz;
    }
}

void createRopes()
{
    constexpr float a = ringHalfSize - 2;   // the rope ends sit 2 in from the posts
    constexpr float h = ropeTopHeight;
    int r = 0;
    // Side 0 (x = -a), side 1 (x = +a), side 2 (z = +a), side 3 (z = -a);
    // top rope first on each side.
    const float ends[4][4] = {
        {-a, a, -a, -a},    // first x, first z, last x, last z
        {a, a, a, -a},
        {-a, a, a, a},
        {-a, -a, a, -a},
    };
    for (const auto& e : ends) {
        for (int k = 0; k < 3; ++k) {
            const float y = h - static_cast<float>(k) * h / 3;
            initRope(ropes[static_cast<std::size_t>(r++)], ropePoints, e[0], y, e[1], e[2], y, e[3]);
        }
    }
}

void stepRope(Rope& rope, float step)
{
    const int n = static_cast<int>(step * 100);
    for (int i = 0; i < n; ++i)
        ropeSubstep(rope, maxSubstep);
    ropeSubstep(rope, step - static_cast<float>(n) * maxSubstep);
}

// Adds the pull of a spring from point q on point p.
static void addSpring(RopePoint& p, const RopePoint& q, float restLength)
{
    const float d[3] = {p.position[0] - q.position[0], p.position[1] - q.position[1],
                        p.position[2] - q.position[2]};
    const float l = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    // Two points on top of each other give the spring no direction to pull.
    if (!(l > 0))
        return;
    const float k = (restLength - l) * springStiffness / l;
    for (int c = 0; c < 3; ++c)
        p.force[c] += d[c] * k;
}

void ropeSubstep(Rope& rope, float h)
{
    const int n = std::min(rope.pointCount, static_cast<int>(rope.points.size()));
    for (int j = 1; j < n - 1; ++j) {
        RopePoint& p = rope.points[static_cast<std::size_t>(j)];
        p.force[0] = 0;
        p.force[1] = -ropeGravity;
        p.force[2] = 0;
    }
    for (int j = 1; j < n - 1; ++j) {
        RopePoint& p = rope.points[static_cast<std::size_t>(j)];
        addSpring(p, rope.points[static_cast<std::size_t>(j - 1)], rope.restLength);
        addSpring(p, rope.points[static_cast<std::size_t>(j + 1)], rope.restLength);
        for (int c = 0; c < 3; ++c)
            p.force[c] -= ropeDamping * p.velocity[c];
    }
    for (int j = 0; j < n; ++j) {
        RopePoint& p = rope.points[static_cast<std::size_t>(j)];
        if (p.pinned)
            continue;
        for (int c = 0; c < 3; ++c) {
            p.acceleration[c] = p.force[c] * inverseMass;
            p.velocity[c] += h * p.acceleration[c];
            p.position[c] += h * p.velocity[c];
        }
    }
}

namespace {

// The tube is swept round each segment in seven steps of 60 degrees (the
// seventh closes it). The turn of each step is the same for every segment,
// so its sine and cosine are worked out once, exactly as matRotate does.
struct TubeTurn {
    float s, w;
};

const std::array<TubeTurn, 7>& tubeTurns()
{
    static const std::array<TubeTurn, 7> turns = [] {
        std::array<TubeTurn, 7> t{};
        for (int k = 0; k <= 6; ++k) {
            const double half = k * 60.0 * degreesToTurn * twoPiApprox * 0.5;
            t[static_cast<std::size_t>(k)] = {static_cast<float>(std::sin(half)), static_cast<float>(std::cos(half))};
        }
        return t;
    }();
    return turns;
}

// The identity turned by one step about the axis d: matIdentity then
// matRotate, with the step's sine and cosine taken from the table.
void tubeStep(Matrix4& m, int k, const Vector3& d)
{
    const TubeTurn& t = tubeTurns()[static_cast<std::size_t>(k)];
    const float x = t.s * static_cast<float>(d.x);
    const float y = t.s * static_cast<float>(d.y);
    const float z = t.s * static_cast<float>(d.z);
    const float w = t.w;
    Matrix4 r;
    matIdentity(r);
    r.m[0] = 1 - 2.0 * y * y - 2.0 * z * z;
    r.m[1] = 2.0 * x * y - 2.0 * z * w;
    r.m[2] = 2.0 * x * z + 2.0 * y * w;
    r.m[4] = 2.0 * x * y + 2.0 * z * w;
    r.m[5] = 1 - 2.0 * x * x - 2.0 * z * z;
    r.m[6] = 2.0 * y * z - 2.0 * x * w;
    r.m[8] = 2.0 * x * z - 2.0 * y * w;
    r.m[9] = 2.0 * y * z + 2.0 * x * w;
    r.m[10] = 1 - 2.0 * x * x - 2.0 * y * y;
    matIdentity(m);
    matMultiply(m, m, r);
}

// Normals and positions of the tube strips, x, y, z each.
std::vector<GLfloat> tubeNormals;
std::vector<GLfloat> tubePositions;

void addTubeVertex(const float normal[3], const float position[3])
{
    tubeNormals.insert(tubeNormals.end(), normal, normal + 3);
    tubePositions.insert(tubePositions.end(), position, position + 3);
}

// Appends the strip of one rope's tube, segment after segment. Each strip
// after the first is joined to the one before by repeating the last corner
// and the next first corner: the four triangles this adds have no area and
// draw nothing, and as every strip has an even number of corners each new
// strip starts on the same turn of the winding as when drawn alone.
void addTube(const Rope& rope)
{
    const int n = std::min(rope.pointCount, static_cast<int>(rope.points.size()));
    for (int i = 1; i < n; ++i) {
        const float* pa = rope.points[static_cast<std::size_t>(i - 1)].position;
        const float* pb = rope.points[static_cast<std::size_t>(i)].position;
        Vector3 a, b;
        vecSet(a, pa[0], pa[1], pa[2]);
        vecSet(b, pb[0], pb[1], pb[2]);
        // A radius perpendicular to the segment, swept round its axis.
        Vector3 r;
        vecCross(r, a, b);
        vecNormalize(r);
        vecScale(r, tubeRadius, r.x, r.y, r.z);
        Vector3 d;
        vecSet(d, b.x - a.x, b.y - a.y, b.z - a.z);
        vecNormalize(d);

        const bool joined = !tubePositions.empty();
        for (int k = 0; k <= 6; ++k) {
            Matrix4 m;
            tubeStep(m, k, d);
            Vector3 v;
            matTransformDirection(v, m, r.x, r.y, r.z);
            Vector3 nrm = v;
            vecNormalize(nrm);
            const float normal[3] = {static_cast<float>(-nrm.x), static_cast<float>(-nrm.y),
                                     static_cast<float>(-nrm.z)};
            const float nearEnd[3] = {static_cast<float>(a.x + v.x), static_cast<float>(a.y + v.y),
                                      static_cast<float>(a.z + v.z)};
            const float farEnd[3] = {static_cast<float>(b.x + v.x), static_cast<float>(b.y + v.y),
                                     static_cast<float>(b.z + v.z)};
            if (k == 0 && joined) {
                const std::size_t last = tubePositions.size() - 3;
                const float lastNormal[3] = {tubeNormals[last], tubeNormals[last + 1], tubeNormals[last + 2]};
                const float lastPosition[3] = {tubePositions[last], tubePositions[last + 1],
                                               tubePositions[last + 2]};
                addTubeVertex(lastNormal, lastPosition);
                addTubeVertex(normal, nearEnd);
            }
            addTubeVertex(normal, nearEnd);
            addTubeVertex(normal, farEnd);
        }
    }
}

void drawTubes()
{
    if (tubePositions.empty())
        return;
    glNormalPointer(GL_FLOAT, 0, tubeNormals.data());
    glVertexPointer(3, GL_FLOAT, 0, tubePositions.data());
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(tubePositions.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}

}  // namespace

void drawRopeTube(const Rope& rope)
{
    tubeNormals.clear();
    tubePositions.clear();
    addTube(rope);
    drawTubes();
}

void drawRopes()
{
    tubeNormals.clear();
    tubePositions.clear();
    for (const Rope& rope : ropes)
        addTube(rope);
    drawTubes();
}
