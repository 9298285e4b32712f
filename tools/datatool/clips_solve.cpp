// Kinematics for building clips: the body's joint frames as the game's pose
// walk makes them, the skinned body, limbs solved to reach a point, and the
// dense timeline that the solvers work on.
#include "tools/datatool/clips_author.h"

#include "tools/datatool/body_mesh.h"

#include <algorithm>
#include <cmath>

namespace {

// Joints with every parent before its children.
constexpr int walkOrder[layoutJointCount] = {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

// The game turns degrees into radians with 6.282 / 360.
constexpr double radiansPerDegree = 6.282 / 360.0;

struct RestJoints {
    double at[layoutJointCount][3] = {};
    RestJoints()
    {
        for (int j : walkOrder) {
            const int p = skeletonLayout[static_cast<std::size_t>(j)].parent;
            for (int k = 0; k < 3 && p >= 0; ++k)
                at[j][k] = at[p][k] + skeletonLayout[static_cast<std::size_t>(p)].offset[k];
        }
    }
};

const RestJoints& restJoints()
{
    static const RestJoints r;
    return r;
}

Point3 apply(const double m[9], double x, double y, double z)
{
    return {m[0] * x + m[1] * y + m[2] * z, m[3] * x + m[4] * y + m[5] * z, m[6] * x + m[7] * y + m[8] * z};
}

Point3 cross(const Point3& a, const Point3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Point3& a, const Point3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

void bodyFrames(const Pose& pose, BodyFrames& f)
{
    for (int j : walkOrder) {
        const int p = skeletonLayout[static_cast<std::size_t>(j)].parent;
        double* before = f.before[j];
        if (p < 0) {
            static constexpr double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
            std::copy(identity, identity + 9, before);
            f.origin[j][0] = f.origin[j][1] = f.origin[j][2] = 0;
        } else {
            std::copy(f.turn[p], f.turn[p] + 9, before);
            const float* off = skeletonLayout[static_cast<std::size_t>(p)].offset;
            const Point3 d = apply(f.turn[p], off[0], off[1], off[2]);
            f.origin[j][0] = f.origin[p][0] + d.x;
            f.origin[j][1] = f.origin[p][1] + d.y;
            f.origin[j][2] = f.origin[p][2] + d.z;
        }
        // Each rotation turns two columns of the frame; the axis it turns
        // about is the frame's column for that axis at that moment.
        double* m = f.turn[j];
        std::copy(before, before + 9, m);
        for (int axis = 0; axis < 3; ++axis) {
            f.axis[j][axis] = {m[axis], m[3 + axis], m[6 + axis]};
            const float degrees = pose.r[j][axis];
            if (degrees == 0)
                continue;
            const double a = degrees * radiansPerDegree, c = std::cos(a), s = std::sin(a);
            const int ci = (axis + 1) % 3, cj = (axis + 2) % 3;
            for (int row = 0; row < 3; ++row) {
                const double u = m[row * 3 + ci], v = m[row * 3 + cj];
                m[row * 3 + ci] = c * u + s * v;
                m[row * 3 + cj] = -s * u + c * v;
            }
        }
    }
}

Point3 framePoint(const BodyFrames& f, int joint, const Point3& rest)
{
    const double* at = restJoints().at[joint];
    const Point3 d = apply(f.turn[joint], rest.x - at[0], rest.y - at[1], rest.z - at[2]);
    return {f.origin[joint][0] + d.x, f.origin[joint][1] + d.y, f.origin[joint][2] + d.z};
}

Point3 frameDirection(const BodyFrames& f, int joint, const Point3& d)
{
    return apply(f.turn[joint], d.x, d.y, d.z);
}

// ------------------------------------------------------------ the body

const std::vector<BodyPoint>& bodyVertices()
{
    static const std::vector<BodyPoint> v = [] {
        std::vector<BodyPoint> out;
        for (const BodyVertex& b : buildBodyMesh().vertices)
            out.push_back({b.joint, {b.x, b.y, b.z}});
        return out;
    }();
    return v;
}

void skinPose(const Pose& pose, std::vector<Point3>& out)
{
    BodyFrames f;
    bodyFrames(pose, f);
    const std::vector<BodyPoint>& v = bodyVertices();
    out.resize(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        out[i] = framePoint(f, v[i].joint, v[i].rest);
}

float groundHeight(const Pose& pose)
{
    // The lowest point of the skin rests on the floor.
    BodyFrames f;
    bodyFrames(pose, f);
    double lowest = 1e9;
    for (const BodyPoint& v : bodyVertices())
        lowest = std::min(lowest, framePoint(f, v.joint, v.rest).y);
    return static_cast<float>(-lowest);
}

// ------------------------------------------------------------ reaching

void pointGoal(std::vector<IkRow>& rows, int joint, const Point3& point, const Point3& target, double weight)
{
    rows.push_back({joint, point, -1, {}, {1, 0, 0}, target.x, weight});
    rows.push_back({joint, point, -1, {}, {0, 1, 0}, target.y, weight});
    rows.push_back({joint, point, -1, {}, {0, 0, 1}, target.z, weight});
}

namespace {

bool dependsOn(int joint, int ancestor)
{
    for (int j = joint; j >= 0; j = skeletonLayout[static_cast<std::size_t>(j)].parent)
        if (j == ancestor)
            return true;
    return false;
}

// d(point)/d(degrees of the dof) for a point of `joint` at `p`.
Point3 pointRate(const BodyFrames& f, const IkDof& d, int joint, const Point3& p)
{
    if (!dependsOn(joint, d.joint))
        return {0, 0, 0};
    const Point3& axisWorld = f.axis[d.joint][d.axis];
    const Point3 lever{p.x - f.origin[d.joint][0], p.y - f.origin[d.joint][1], p.z - f.origin[d.joint][2]};
    const Point3 c = cross(axisWorld, lever);
    return {c.x * radiansPerDegree, c.y * radiansPerDegree, c.z * radiansPerDegree};
}

// Solves the small symmetric system a x = b in place (Gaussian elimination).
void solveLinear(std::vector<double>& a, std::vector<double>& b, int n)
{
    for (int c = 0; c < n; ++c) {
        int best = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[r * n + c]) > std::fabs(a[best * n + c]))
                best = r;
        if (best != c) {
            for (int k = 0; k < n; ++k)
                std::swap(a[c * n + k], a[best * n + k]);
            std::swap(b[c], b[best]);
        }
        const double pivot = a[c * n + c];
        if (std::fabs(pivot) < 1e-12)
            continue;
        for (int r = c + 1; r < n; ++r) {
            const double k = a[r * n + c] / pivot;
            for (int j = c; j < n; ++j)
                a[r * n + j] -= k * a[c * n + j];
            b[r] -= k * b[c];
        }
    }
    for (int c = n - 1; c >= 0; --c) {
        double s = b[c];
        for (int j = c + 1; j < n; ++j)
            s -= a[c * n + j] * b[j];
        b[c] = std::fabs(a[c * n + c]) < 1e-12 ? 0 : s / a[c * n + c];
    }
}

} // namespace

double solveIk(Pose& pose, const Pose& reference, const std::vector<IkDof>& dofs, const std::vector<IkRow>& rows,
               int iterations, double stiffness)
{
    const int n = static_cast<int>(dofs.size());
    BodyFrames f;
    double error = 0;
    for (int it = 0; it <= iterations; ++it) {
        bodyFrames(pose, f);
        // Residuals and their rates.
        std::vector<double> r(rows.size());
        std::vector<double> jac(rows.size() * static_cast<std::size_t>(n));
        error = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const IkRow& row = rows[i];
            Point3 p = framePoint(f, row.joint, row.point);
            Point3 q{0, 0, 0};
            if (row.minusJoint >= 0)
                q = framePoint(f, row.minusJoint, row.minusPoint);
            r[i] = (dot({p.x - q.x, p.y - q.y, p.z - q.z}, row.dir) - row.value) * row.weight;
            error = std::max(error, std::fabs(r[i] / row.weight));
            for (int k = 0; k < n; ++k) {
                Point3 dp = pointRate(f, dofs[static_cast<std::size_t>(k)], row.joint, p);
                if (row.minusJoint >= 0) {
                    const Point3 dq = pointRate(f, dofs[static_cast<std::size_t>(k)], row.minusJoint, q);
                    dp = {dp.x - dq.x, dp.y - dq.y, dp.z - dq.z};
                }
                jac[i * static_cast<std::size_t>(n) + static_cast<std::size_t>(k)] = dot(dp, row.dir) * row.weight;
            }
        }
        if (it == iterations)
            break;
        std::vector<double> a(static_cast<std::size_t>(n * n), 0), b(static_cast<std::size_t>(n), 0);
        for (int k = 0; k < n; ++k) {
            const IkDof& d = dofs[static_cast<std::size_t>(k)];
            for (int l = 0; l < n; ++l) {
                double s = 0;
                for (std::size_t i = 0; i < rows.size(); ++i)
                    s += jac[i * static_cast<std::size_t>(n) + static_cast<std::size_t>(k)]
                         * jac[i * static_cast<std::size_t>(n) + static_cast<std::size_t>(l)];
                a[static_cast<std::size_t>(k * n + l)] = s;
            }
            double s = 0;
            for (std::size_t i = 0; i < rows.size(); ++i)
                s += jac[i * static_cast<std::size_t>(n) + static_cast<std::size_t>(k)] * r[i];
            // Held near the reference, and damped so each step stays small.
            const double off = pose.r[d.joint][d.axis] - reference.r[d.joint][d.axis];
            a[static_cast<std::size_t>(k * n + k)] += stiffness + 1e-4;
            b[static_cast<std::size_t>(k)] = -s - stiffness * off;
        }
        solveLinear(a, b, n);
        for (int k = 0; k < n; ++k) {
            const IkDof& d = dofs[static_cast<std::size_t>(k)];
            const double step = std::clamp(b[static_cast<std::size_t>(k)], -25.0, 25.0);
            pose.r[d.joint][d.axis] = static_cast<float>(
                std::clamp(static_cast<double>(pose.r[d.joint][d.axis]) + step, static_cast<double>(d.low),
                           static_cast<double>(d.high)));
        }
    }
    return error;
}

std::vector<IkDof> armDofs(Side s)
{
    const int upper = s == Right ? RightUpperArm : LeftUpperArm;
    const int fore = s == Right ? RightForearm : LeftForearm;
    // The elbow bends one way only (its sign mirrors with the side).
    const float lo = s == Right ? 0.0f : -150.0f, hi = s == Right ? 150.0f : 0.0f;
    return {{upper, 0, -200, 200}, {upper, 1, -200, 200}, {upper, 2, -200, 200}, {fore, 1, lo, hi}};
}

std::vector<IkDof> legDofs(Side s)
{
    const int thigh = s == Right ? RightThigh : LeftThigh;
    const int shin = s == Right ? RightShin : LeftShin;
    return {{thigh, 0, -130, 70}, {thigh, 1, -60, 60}, {thigh, 2, -60, 60}, {shin, 0, 0, 150}};
}

void presetKnee(Pose& pose, Side s, const Point3& ankleTarget)
{
    const int thigh = s == Right ? RightThigh : LeftThigh;
    const int shin = s == Right ? RightShin : LeftShin;
    BodyFrames f;
    bodyFrames(pose, f);
    const double* hip = f.origin[thigh];
    const double dx = ankleTarget.x - hip[0], dy = ankleTarget.y - hip[1], dz = ankleTarget.z - hip[2];
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double upper = -skeletonLayout[static_cast<std::size_t>(thigh)].offset[1];
    const double lower = -skeletonLayout[static_cast<std::size_t>(shin)].offset[1];
    const double c = std::clamp((d * d - upper * upper - lower * lower) / (2 * upper * lower), -1.0, 1.0);
    // The knee bends back (positive about x) by the angle between the bones.
    pose.r[shin][0] = static_cast<float>(std::acos(c) / radiansPerDegree);
}
