#include "anim/maths.h"

#include <cmath>
#include <cstring>

void matIdentity(Matrix4& m)
{
    for (int i = 0; i < 16; ++i)
        m.m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void matCopy(const Matrix4& src, Matrix4& dst)
{
    std::memcpy(dst.m, src.m, sizeof dst.m);
}

void matMultiply(Matrix4& dst, const Matrix4& a, const Matrix4& b)
{
    Matrix4 product;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[4 * i + k] * b.m[4 * k + j];
            product.m[4 * i + j] = sum;
        }
    matCopy(product, dst);
}

void matRotate(Matrix4& m, double degrees, double ax, double ay, double az)
{
    // Half the turn, through a unit quaternion; the axis is taken as given.
    const double half = degrees * degreesToTurn * twoPiApprox * 0.5;
    const float s = static_cast<float>(std::sin(half));
    const float w = static_cast<float>(std::cos(half));
    const float x = s * static_cast<float>(ax);
    const float y = s * static_cast<float>(ay);
    const float z = s * static_cast<float>(az);

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
    matMultiply(m, m, r);
}

void matTranslate(Matrix4& m, double tx, double ty, double tz)
{
    Matrix4 t;
    matIdentity(t);
    t.m[3] = tx;
    t.m[7] = ty;
    t.m[11] = tz;
    matMultiply(m, m, t);
}

void matTransformPoint(Vector3& out, const Matrix4& m, double x, double y, double z)
{
    out.x = m.m[0] * x + m.m[1] * y + m.m[2] * z + m.m[3];
    out.y = m.m[4] * x + m.m[5] * y + m.m[6] * z + m.m[7];
    out.z = m.m[8] * x + m.m[9] * y + m.m[10] * z + m.m[11];
}

void matTransformDirection(Vector3& out, const Matrix4& m, double x, double y, double z)
{
    out.x = m.m[0] * x + m.m[1] * y + m.m[2] * z;
    out.y = m.m[4] * x + m.m[5] * y + m.m[6] * z;
    out.z = m.m[8] * x + m.m[9] * y + m.m[10] * z;
}

void vecSet(Vector3& out, double x, double y, double z)
{
    out = {x, y, z};
}

void vecScale(Vector3& out, double s, double x, double y, double z)
{
    out = {s * x, s * y, s * z};
}

void vecCross(Vector3& out, const Vector3& u, const Vector3& v)
{
    const Vector3 c{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    out = c;
}

double vecNormalize(Vector3& v)
{
    double a = std::fabs(v.x), b = std::fabs(v.y), c = std::fabs(v.z);
    // Divide by the largest component so the squares cannot overflow.
    double m = a, p = b, q = c;
    if (b > m) { m = b; p = a; q = c; }
    if (c > m) { m = c; p = a; q = b; }
    if (1.0 + m == 1.0)
        return 0;
    const double length = m * std::sqrt(1.0 + (p / m) * (p / m) + (q / m) * (q / m));
    const double inverse = 1.0 / length;
    v.x *= inverse;
    v.y *= inverse;
    v.z *= inverse;
    return length;
}

void trackCreate(KeyTrack& track, int capacity)
{
    track.keys.assign(static_cast<std::size_t>(capacity), Key{0, 0, 0});
    track.count = 0;
    track.capacity = capacity;
    track.endTime = 0;
}

// Work array of the spline solver, shared by every track.
static float splineWork[trackCapacity];

void trackSolveSpline(KeyTrack& track)
{
    const int n = track.count;
    if (n <= 0 || n > trackCapacity)
        return;
    Key* k = track.keys.data();
    float* u = splineWork;
    k[0].secondDerivative = 0;
    u[0] = 0;
    for (int i = 1; i < n - 1; ++i) {
        const float sig = (k[i].time - k[i - 1].time) / (k[i + 1].time - k[i - 1].time);
        const float p = sig * k[i - 1].secondDerivative + 2;
        k[i].secondDerivative = (sig - 1) / p;
        const float d = (k[i + 1].value - k[i].value) / (k[i + 1].time - k[i].time)
                      - (k[i].value - k[i - 1].value) / (k[i].time - k[i - 1].time);
        u[i] = (6 * d / (k[i + 1].time - k[i - 1].time) - sig * u[i - 1]) / p;
    }
    k[n - 1].secondDerivative = 0;
    bool finite = true;
    for (int i = n - 2; i >= 0; --i) {
        k[i].secondDerivative = k[i].secondDerivative * k[i + 1].secondDerivative + u[i];
        finite = finite && std::isfinite(k[i].secondDerivative);
    }
    // Keys a hair apart with values far apart overflow the solve; such a
    // track is played as straight lines between its keys instead.
    if (!finite)
        for (int i = 0; i < n; ++i)
            k[i].secondDerivative = 0;
}

float splineEvaluate(const KeyTrack& track, float t)
{
    const Key* k = track.keys.data();
    int lo = 0, hi = track.count - 1;
    while (hi - lo > 1) {
        const int mid = (hi + lo) / 2;
        if (k[mid].time > t)
            hi = mid;
        else
            lo = mid;
    }
    const float h = k[hi].time - k[lo].time;
    if (h == 0)
        return k[lo].value;
    const float a = (k[hi].time - t) / h;
    const float b = (t - k[lo].time) / h;
    const float line = a * k[lo].value + b * k[hi].value;
    const float value = line
         + ((a * a * a - a) * k[lo].secondDerivative + (b * b * b - b) * k[hi].secondDerivative) * (h * h) / 6.0f;
    // Where the curve's arithmetic overflows, the straight line stands in.
    return std::isfinite(value) ? value : line;
}

float trackSample(const KeyTrack& track, float t)
{
    if (track.count <= 0)
        return 0;
    const Key* k = track.keys.data();
    if (k[0].time > t)
        return k[0].value;
    int i = 0;
    while (i < track.count && k[i].time < t)
        ++i;
    if (i == track.count)
        return k[track.count - 1].value;
    if (k[i].time == t)
        return k[i].value;
    return splineEvaluate(track, t);
}

static int firstKeyNotBefore(const KeyTrack& track, float t)
{
    int i = 0;
    while (i < track.count && track.keys[static_cast<std::size_t>(i)].time < t)
        ++i;
    return i;
}

void trackInsertKey(KeyTrack& track, float t, float value)
{
    int i = firstKeyNotBefore(track, t);
    if (i < track.count && track.keys[static_cast<std::size_t>(i)].time == t) {
        trackRemoveKey(track, t);
        i = firstKeyNotBefore(track, t);
    }
    if (track.count >= track.capacity)
        return;
    for (int j = track.count; j > i; --j)
        track.keys[static_cast<std::size_t>(j)] = track.keys[static_cast<std::size_t>(j - 1)];
    track.keys[static_cast<std::size_t>(i)] = Key{value, t, 0};
    ++track.count;
    if (t > track.endTime)
        track.endTime = t;
    trackSolveSpline(track);
}

void trackRemoveKey(KeyTrack& track, float t)
{
    int i = 0;
    while (i < track.count && track.keys[static_cast<std::size_t>(i)].time != t)
        ++i;
    if (i == track.count)
        return;
    for (int j = i; j < track.count - 1; ++j)
        track.keys[static_cast<std::size_t>(j)] = track.keys[static_cast<std::size_t>(j + 1)];
    --track.count;
    trackSolveSpline(track);
}
