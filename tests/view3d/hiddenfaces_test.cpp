// Faces that can never show are left out of a list's boxes: those that
// coincide with a face drawn before them, every face between two opaque
// boxes, and boxes enclosed on all sides.
#include "view3d/scene/hiddenfaces.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace korva {
namespace {

struct Boxes {
    std::vector<CellBox> boxes;
    std::vector<uint32_t> cells;
};

// One box per cell of a layers x rows x columns block, in drawing order,
// except the cells listed in holes; each box's x0 carries its cell number.
Boxes Block(const GridShape& shape, std::vector<uint32_t> holes = {}, uint8_t alpha = 128) {
    Boxes out;
    const auto count = static_cast<uint32_t>(shape.layers * shape.rows * shape.columns);
    for (uint32_t cell = 0; cell < count; ++cell) {
        if (std::find(holes.begin(), holes.end(), cell) != holes.end()) continue;
        out.boxes.push_back({static_cast<float>(cell), 0, 0, 1, 1, 1,
                             0xffu | (static_cast<uint32_t>(alpha) << 24), AllFaces});
        out.cells.push_back(cell);
    }
    return out;
}

uint32_t FacesOf(const std::vector<CellBox>& boxes, uint32_t cell) {
    for (const CellBox& box : boxes)
        if (box.x0 == static_cast<float>(cell)) return box.faces;
    return 0xdead;
}

TEST(HiddenFaces, TranslucentBoxesLoseOnlyFacesTheirEarlierNeighboursAlreadyDrew) {
    const GridShape shape{2, 2, 2, true};
    Boxes b = Block(shape);
    DropHiddenFaces(b.boxes, b.cells, shape, false);
    ASSERT_EQ(b.boxes.size(), 8u);
    EXPECT_EQ(FacesOf(b.boxes, 0), AllFaces); // drawn first: nothing before it
    EXPECT_EQ(FacesOf(b.boxes, 1), AllFaces & ~FaceX0);
    EXPECT_EQ(FacesOf(b.boxes, 2), AllFaces & ~FaceY0);
    // Layer 1 lies below layer 0: its top coincides with their bottoms.
    EXPECT_EQ(FacesOf(b.boxes, 4), AllFaces & ~FaceZ1);
    EXPECT_EQ(FacesOf(b.boxes, 7), FaceZ0 | FaceY1 | FaceX1);

    // In a mirrored section the layer before lies below.
    Boxes mirrored = Block({2, 1, 1, false});
    DropHiddenFaces(mirrored.boxes, mirrored.cells, {2, 1, 1, false}, false);
    EXPECT_EQ(FacesOf(mirrored.boxes, 1), AllFaces & ~FaceZ0);

    // A missing neighbour leaves its face in place.
    Boxes holed = Block(shape, {0});
    DropHiddenFaces(holed.boxes, holed.cells, shape, false);
    EXPECT_EQ(FacesOf(holed.boxes, 1), AllFaces);
    EXPECT_EQ(FacesOf(holed.boxes, 3), AllFaces & ~FaceX0 & ~FaceY0);
}

TEST(HiddenFaces, OpaqueBoxesKeepOnlyTheirOutsideAndEnclosedBoxesGo) {
    const GridShape shape{3, 3, 3, true};
    Boxes b = Block(shape, {}, 255);
    DropHiddenFaces(b.boxes, b.cells, shape, true);
    EXPECT_EQ(b.boxes.size(), 26u); // the centre cell 13 is enclosed
    EXPECT_EQ(FacesOf(b.boxes, 13), 0xdeadu);
    EXPECT_EQ(FacesOf(b.boxes, 0) & AllFaces, FaceZ1 | FaceY0 | FaceX0);
    EXPECT_EQ(FacesOf(b.boxes, 26) & AllFaces, FaceZ0 | FaceY1 | FaceX1);
    // The middle of a face of the block shows that face alone.
    EXPECT_EQ(FacesOf(b.boxes, 4) & AllFaces, FaceZ1);

    // A hole opens the faces around it.
    Boxes holed = Block(shape, {14}, 255);
    DropHiddenFaces(holed.boxes, holed.cells, shape, true);
    EXPECT_EQ(FacesOf(holed.boxes, 13) & AllFaces, FaceX1);
}

TEST(HiddenFaces, BoxesUnderAFullRingOfDrawnCellsAreMarkedCovered) {
    const GridShape shape{3, 3, 3, true};
    Boxes b = Block(shape);
    DropHiddenFaces(b.boxes, b.cells, shape, false);
    for (const CellBox& box : b.boxes) {
        const auto cell = static_cast<uint32_t>(box.x0);
        // Only the middle of layers 1 and 2 has all nine cells above it.
        EXPECT_EQ((box.faces & CoveredAbove) != 0, cell == 13 || cell == 22) << cell;
    }
    Boxes holed = Block(shape, {9 + 8}); // a hole in layer 1 uncovers the middle of layer 2
    DropHiddenFaces(holed.boxes, holed.cells, shape, false);
    EXPECT_NE(FacesOf(holed.boxes, 13) & CoveredAbove, 0u);
    EXPECT_EQ(FacesOf(holed.boxes, 22) & CoveredAbove, 0u);
    // Sections look along the rows: no box is covered there.
    Boxes section = Block({3, 3, 3, false});
    DropHiddenFaces(section.boxes, section.cells, {3, 3, 3, false}, false);
    EXPECT_EQ(FacesOf(section.boxes, 13) & CoveredAbove, 0u);
}

TEST(HiddenFaces, ListsWithoutTheirCellNumbersAreLeftAlone) {
    Boxes b = Block({1, 1, 2, true});
    b.cells.pop_back();
    DropHiddenFaces(b.boxes, b.cells, {1, 1, 2, true}, false);
    EXPECT_EQ(FacesOf(b.boxes, 1), AllFaces);
}

} // namespace
} // namespace korva
