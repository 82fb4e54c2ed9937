#include "camera.h"

#include "gridgeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korva {

Mat4 Mat4::Identity() {
    Mat4 out;
    for (int i = 0; i < 4; ++i)
        out(i, i) = 1.0;
    return out;
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a(r, k) * b(k, c);
            out(r, c) = sum;
        }
    return out;
}

bool Invert(const Mat4& a, Mat4& out) {
    // Gauss-Jordan with partial pivoting on [a | I].
    double w[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            w[r][c] = a(r, c);
            w[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(w[r][col]) > std::fabs(w[pivot][col])) pivot = r;
        if (w[pivot][col] == 0.0 || !std::isfinite(w[pivot][col])) return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(w[pivot][c], w[col][c]);
        const double scale = 1.0 / w[col][col];
        for (int c = 0; c < 8; ++c)
            w[col][c] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == col || w[r][col] == 0.0) continue;
            const double f = w[r][col];
            for (int c = 0; c < 8; ++c)
                w[r][c] -= f * w[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out(r, c) = w[r][c + 4];
    return true;
}

Mat4 LookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
            double upX, double upY, double upZ) {
    Vec3 f{centreX - eyeX, centreY - eyeY, centreZ - eyeZ};
    const auto normalise = [](Vec3& v) {
        const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (n > 0.0) {
            v.x /= n;
            v.y /= n;
            v.z /= n;
        }
    };
    const auto cross = [](const Vec3& a, const Vec3& b) {
        return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    };
    normalise(f);
    Vec3 up{upX, upY, upZ};
    Vec3 s = cross(f, up);
    normalise(s);
    const Vec3 u = cross(s, f);
    Mat4 m = Mat4::Identity();
    m(0, 0) = s.x, m(0, 1) = s.y, m(0, 2) = s.z;
    m(1, 0) = u.x, m(1, 1) = u.y, m(1, 2) = u.z;
    m(2, 0) = -f.x, m(2, 1) = -f.y, m(2, 2) = -f.z;
    Mat4 t = Mat4::Identity();
    t(0, 3) = -eyeX, t(1, 3) = -eyeY, t(2, 3) = -eyeZ;
    return m * t;
}

Mat4 Frustum(double l, double r, double b, double t, double n, double f) {
    Mat4 m;
    m(0, 0) = 2 * n / (r - l);
    m(1, 1) = 2 * n / (t - b);
    m(0, 2) = (r + l) / (r - l);
    m(1, 2) = (t + b) / (t - b);
    m(2, 2) = -(f + n) / (f - n);
    m(3, 2) = -1.0;
    m(2, 3) = -2 * f * n / (f - n);
    return m;
}

Mat4 Ortho(double l, double r, double b, double t, double n, double f) {
    Mat4 m = Mat4::Identity();
    m(0, 0) = 2 / (r - l);
    m(1, 1) = 2 / (t - b);
    m(2, 2) = -2 / (f - n);
    m(0, 3) = -(r + l) / (r - l);
    m(1, 3) = -(t + b) / (t - b);
    m(2, 3) = -(f + n) / (f - n);
    return m;
}

Mat4 Rotation(double degrees, double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    if (n == 0.0) return Mat4::Identity();
    x /= n, y /= n, z /= n;
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), k = 1 - c;
    Mat4 m = Mat4::Identity();
    m(0, 0) = x * x * k + c, m(0, 1) = x * y * k - z * s, m(0, 2) = x * z * k + y * s;
    m(1, 0) = y * x * k + z * s, m(1, 1) = y * y * k + c, m(1, 2) = y * z * k - x * s;
    m(2, 0) = x * z * k - y * s, m(2, 1) = y * z * k + x * s, m(2, 2) = z * z * k + c;
    return m;
}

namespace {

void Transform(const Mat4& m, const double in[4], double out[4]) {
    for (int r = 0; r < 4; ++r)
        out[r] = m(r, 0) * in[0] + m(r, 1) * in[1] + m(r, 2) * in[2] + m(r, 3) * in[3];
}

} // namespace

bool Project(const Vec3& model, const Mat4& modelView, const Mat4& projection,
             const Viewport& viewport, Vec3& window) {
    const double in[4] = {model.x, model.y, model.z, 1.0};
    double eye[4], clip[4];
    Transform(modelView, in, eye);
    Transform(projection, eye, clip);
    if (clip[3] == 0.0) return false;
    const double nx = clip[0] / clip[3], ny = clip[1] / clip[3], nz = clip[2] / clip[3];
    window.x = viewport.x + (nx + 1) / 2 * viewport.width;
    window.y = viewport.y + (ny + 1) / 2 * viewport.height;
    window.z = (nz + 1) / 2;
    return true;
}

bool Unproject(const Vec3& window, const Mat4& modelView, const Mat4& projection,
               const Viewport& viewport, Vec3& model) {
    if (viewport.width == 0 || viewport.height == 0) return false;
    Mat4 inverse;
    if (!Invert(projection * modelView, inverse)) return false;
    const double in[4] = {(window.x - viewport.x) / viewport.width * 2 - 1,
                          (window.y - viewport.y) / viewport.height * 2 - 1, window.z * 2 - 1, 1.0};
    double out[4];
    Transform(inverse, in, out);
    if (out[3] == 0.0 || !std::isfinite(out[3])) return false;
    model = {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
    return std::isfinite(model.x) && std::isfinite(model.y) && std::isfinite(model.z);
}

Camera CameraFor(const ViewSettings& settings, const GridGeometry& g) {
    Camera camera;
    if (!settings.Is2D()) {
        const double L = std::max({g.D, g.W, g.H});
        const ZoomMargins& z = settings.ZoomWindow3D;
        camera.modelView = LookAt(0, 0, 2 * L, 0, 0, 0, 0, 1, 0) *
                           Rotation(settings.RotationX, 1, 0, 0) *
                           Rotation(settings.RotationZ, 0, 0, 1);
        camera.projection = Frustum(L * z.left - L / 2, L / 2 - L * z.right, L * z.bottom - L / 2,
                                    L / 2 - L * z.top, L, 5 * L);
        return camera;
    }
    const ZoomMargins& z = settings.ZoomWindow2D;
    const double left = g.W * z.left - g.W / 2, right = g.W / 2 - g.W * z.right;
    if (settings.PlanOrientation) {
        camera.modelView = LookAt(0, 0, 2 * g.H, 0, 0, 0, 0, 1, 0);
        camera.projection =
            Ortho(left, right, g.D * z.bottom - g.D / 2, g.D / 2 - g.D * z.top, g.H, 5 * g.H);
    } else {
        camera.modelView = LookAt(0, 2 * g.D, 0, 0, 0, 0, 0, 0, -1);
        camera.projection =
            Ortho(left, right, g.H * z.bottom - g.H / 2, g.H / 2 - g.H * z.top, g.D, 3 * g.D);
    }
    return camera;
}

double PickDepth(const ViewSettings& settings, const GridGeometry& g) {
    if (settings.PlanOrientation) {
        if (g.T <= 0.0) return 0.5;
        return (g.T / 2 + g.ThicknessAbove(settings.CurrentSlice)) / (2 * g.T);
    }
    if (g.D <= 0.0) return 0.5;
    const int slice = std::clamp(settings.CurrentSlice, 0, g.rows);
    return (g.D / 2 + g.WidthBefore(slice)) / (2 * g.D);
}

PixelRect PixelRect::Normalised(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

ZoomMargins MouseZoom(const ZoomMargins& m, int width, int height, const PixelRect& rect) {
    if (width <= 0 || height <= 0) return m;
    const double w = width, h = height;
    const double fl = rect.left / w, ft = rect.top / h;
    const double fr = (w - rect.right) / w, fb = (h - rect.bottom) / h;
    const double spanX = 1 - (m.left + m.right), spanY = 1 - (m.top + m.bottom);
    return {m.left + fl * spanX, m.top + ft * spanY, m.right + fr * spanX, m.bottom + fb * spanY};
}

ZoomMargins ZoomOut(const ZoomMargins& m) {
    return {m.left - 0.1, m.top - 0.1, m.right - 0.1, m.bottom - 0.1};
}

} // namespace korva
