#pragma once
// Camera math of the grid view, with the numbers of the fixed-function
// pipeline (look-at, frustum, orthographic, rotations, project and unproject),
// so picking and drawing agree and tests can check them without a context.
#include "viewsettings.h"

#include <array>

namespace korva {

struct GridGeometry;

// Column-major 4 x 4 matrix, as OpenGL keeps it: m[column * 4 + row].
struct Mat4 {
    std::array<double, 16> m{};
    static Mat4 Identity();
    double operator()(int row, int column) const {
        return m[static_cast<std::size_t>(column * 4 + row)];
    }
    double& operator()(int row, int column) {
        return m[static_cast<std::size_t>(column * 4 + row)];
    }
};

Mat4 operator*(const Mat4& a, const Mat4& b);
// False, and out unchanged, when a is singular.
bool Invert(const Mat4& a, Mat4& out);

Mat4 LookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
            double upX, double upY, double upZ);
Mat4 Frustum(double left, double right, double bottom, double top, double nearZ, double farZ);
Mat4 Ortho(double left, double right, double bottom, double top, double nearZ, double farZ);
// Rotation by degrees about the axis (x, y, z), as glRotated.
Mat4 Rotation(double degrees, double x, double y, double z);

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

// Model point to window coordinates (x right, y up from the bottom, depth 0..1).
bool Project(const Vec3& model, const Mat4& modelView, const Mat4& projection,
             const Viewport& viewport, Vec3& window);
// Window coordinates back to the model; false when the matrices are singular.
bool Unproject(const Vec3& window, const Mat4& modelView, const Mat4& projection,
               const Viewport& viewport, Vec3& model);

struct Camera {
    Mat4 modelView;
    Mat4 projection;
};

// The camera of the current mode: the perspective 3D display with its
// rotations, or the plan or section orthographic camera of the 2D modes. The
// window's aspect ratio is not applied: the view volume fills the window.
Camera CameraFor(const ViewSettings& settings, const GridGeometry& geometry);

// The window depth at which a drag in a 2D mode is unprojected: the top of the
// current layer in plan, the start of the current row in a section.
double PickDepth(const ViewSettings& settings, const GridGeometry& geometry);

// A dragged rectangle in client pixels, normalised (left <= right, top <= bottom).
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    static PixelRect Normalised(int x1, int y1, int x2, int y2);
};

// The rectangle becomes the new visible window, composed with earlier zooms.
ZoomMargins MouseZoom(const ZoomMargins& margins, int width, int height, const PixelRect& rect);
// "Zoom display out": a tenth of the full view more on every side.
ZoomMargins ZoomOut(const ZoomMargins& margins);

} // namespace korva
