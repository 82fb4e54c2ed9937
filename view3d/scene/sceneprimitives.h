#pragma once
// The four lists the view draws, as plain data: boxes with one flat colour,
// coloured line strips and quad strips, and one textured quad. The renderer
// uploads them once per rebuild and replays them on every paint.
#include <cstdint>
#include <vector>

namespace korva {

// Colour packed as bytes r, g, b, a from the low byte up (as GL reads
// GL_UNSIGNED_BYTE x4 on a little-endian machine).
using Rgba8 = uint32_t;

// Components in 0..1 (clamped, as the graphics layer clamps them), rounded.
Rgba8 PackRgba(double red, double green, double blue, double alpha);
inline uint8_t RedOf(Rgba8 c) {
    return static_cast<uint8_t>(c & 0xff);
}
inline uint8_t GreenOf(Rgba8 c) {
    return static_cast<uint8_t>((c >> 8) & 0xff);
}
inline uint8_t BlueOf(Rgba8 c) {
    return static_cast<uint8_t>((c >> 16) & 0xff);
}
inline uint8_t AlphaOf(Rgba8 c) {
    return static_cast<uint8_t>(c >> 24);
}

// The faces of a box in the order they are drawn: the face at z1, the far
// side (y1), the face at z0, the near side (y0), then x0 and x1. Boxes are not
// sorted, so within a translucent box this order decides what shows through.
enum BoxFace : uint32_t {
    FaceZ1 = 1u << 0,
    FaceY1 = 1u << 1,
    FaceZ0 = 1u << 2,
    FaceY0 = 1u << 3,
    FaceX0 = 1u << 4,
    FaceX1 = 1u << 5,
    AllFaces = 63u,
    // Not a face: the nine cells of the layer before (above in plan and 3D)
    // around this one are drawn in the same list, so from above the box
    // is seen only through them.
    CoveredAbove = 1u << 6,
};

// A closed box over [x0, x1] x [y0, y1] x [z0, z1]. faces holds the BoxFace
// bits still to draw; the others can never show (see hiddenfaces.h).
struct CellBox {
    float x0, y0, z0;
    float x1, y1, z1;
    Rgba8 colour;
    uint32_t faces = AllFaces;
};

struct ColouredVertex {
    float x, y, z;
    Rgba8 colour;
};

// Several strips in one vertex array: strip n covers
// vertices[starts[n] .. starts[n] + counts[n]).
struct StripList {
    std::vector<ColouredVertex> vertices;
    std::vector<int> starts;
    std::vector<int> counts;

    void BeginStrip() {
        starts.push_back(static_cast<int>(vertices.size()));
        counts.push_back(0);
    }
    void Add(float x, float y, float z, Rgba8 colour) {
        vertices.push_back({x, y, z, colour});
        ++counts.back();
    }
    // Drops a strip that ended with fewer vertices than it needs to draw anything.
    void EndStrip(int minimum) {
        if (counts.back() < minimum) {
            vertices.resize(static_cast<std::size_t>(starts.back()));
            starts.pop_back();
            counts.pop_back();
        }
    }
    bool Empty() const { return starts.empty(); }
};

// Lists 3 (cell values) and 4 (markers): boxes first, then the quad strips of a
// surface mesh (the surface-output mesh in list 3, the ground mesh in list 4).
struct CellList {
    std::vector<CellBox> boxes;
    // cells[n] is the grid cell boxes[n] covers, as layer * rows * columns +
    // row * columns + column; boxes of one column (row, layer) share the same
    // x (y, z) bounds, which lets the renderer keep a box in 16 bytes.
    std::vector<uint32_t> cells;
    StripList meshes;
};

// List 2: the grid lines and the red corner marker.
struct GridLineList {
    StripList lines;
};

// List 1: the background image stretched under the grid.
struct BackgroundQuad {
    bool present = false;
    float corners[4][3] = {};   // (W/2, D/2), (-W/2, D/2), (-W/2, -D/2), (W/2, -D/2)
    float texCoords[4][2] = {}; // t = 0 is the image's top row
};

} // namespace korva
