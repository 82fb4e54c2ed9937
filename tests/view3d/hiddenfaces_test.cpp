// Faces that can never show are left out of a list's boxes: those that
// coincide with a face drawn before them, every face between two opaque
// boxes, and boxes enclosed on all sides.
#include "scenegrid.h"
#include "view3d/scene/gridgeometry.h"
#include "view3d/scene/hiddenfaces.h"

#include <algorithm>
#include <cmath>
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

TEST(HiddenFaces, TheEyeIsTheCameraCentreOrItsDirectionAtInfinity) {
    const GridData grid = testing::MakeSceneGrid(); // W 60, D 40, H 4: L = 60
    const GridGeometry geometry(grid);
    ViewSettings settings;
    settings.RotationX = 30;
    settings.RotationZ = -50;
    const Camera turned = CameraFor(settings, geometry);
    const std::array<double, 4> eye = EyeInModel(turned);
    ASSERT_GT(eye[3], 0.0);
    // The model point the camera sits at: the inverse model-view of its origin.
    Mat4 inverse;
    ASSERT_TRUE(Invert(turned.modelView, inverse));
    for (int a = 0; a < 3; ++a)
        EXPECT_NEAR(eye[static_cast<std::size_t>(a)] / eye[3], inverse(a, 3), 1e-9) << a;
    EXPECT_NEAR(std::hypot(inverse(0, 3), inverse(1, 3), inverse(2, 3)), 120.0, 1e-9);

    settings.ViewMode = ParameterEditMode; // the plan camera looks down from above
    const std::array<double, 4> plan = EyeInModel(CameraFor(settings, geometry));
    EXPECT_NEAR(plan[0], 0.0, 1e-12);
    EXPECT_NEAR(plan[1], 0.0, 1e-12);
    EXPECT_NEAR(plan[2], 1.0, 1e-12);
    EXPECT_EQ(plan[3], 0.0);
    settings.PlanOrientation = false; // the section camera looks along the rows from +y
    const std::array<double, 4> section = EyeInModel(CameraFor(settings, geometry));
    EXPECT_NEAR(section[1], 1.0, 1e-12);
    EXPECT_NEAR(section[2], 0.0, 1e-12);
    EXPECT_EQ(section[3], 0.0);

    const std::array<double, 2> narrowest = NarrowestCell(geometry);
    EXPECT_DOUBLE_EQ(narrowest[0], 20.0);
    EXPECT_DOUBLE_EQ(narrowest[1], 10.0);
}

TEST(HiddenFaces, ACoveredBoxIsOutOfSightOnlyWhenSeenFromAboveThroughItsRing) {
    // A 10 x 10 m cell 1 m thick, with the cells around 10 m wide.
    CellBox box{0, 0, -2, 10, 10, -1, 0xff0000ffu, AllFaces | CoveredAbove};
    const std::array<double, 2> narrowest{10, 10};
    const auto at = [](double x, double y, double z) { return std::array<double, 4>{x, y, z, 1}; };
    EXPECT_TRUE(SeenOnlyThroughLayerAbove(box, at(5, 5, 100), narrowest));
    // Steep sight lines stray up to 1 m within the box: well inside the ring.
    EXPECT_TRUE(SeenOnlyThroughLayerAbove(box, at(80, -60, 40), narrowest));
    // Nearly level ones leave the ring: the box may show through the side.
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, at(400, 5, 0), narrowest));
    // From level with the top or below it the ring hides nothing.
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, at(5, 5, -1), narrowest));
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, at(5, 5, -50), narrowest));
    // Orthographic cameras: straight down, and along the rows.
    EXPECT_TRUE(SeenOnlyThroughLayerAbove(box, {0, 0, 1, 0}, narrowest));
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, {0, 1, 0, 0}, narrowest));
    // Without the mark, or with narrower cells around, the box stays.
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, at(80, -60, 40), {0.5, 10}));
    box.faces = AllFaces;
    EXPECT_FALSE(SeenOnlyThroughLayerAbove(box, at(5, 5, 100), narrowest));
}

TEST(HiddenFaces, FacesInSightFollowDrawingOrderAndSkipWhatTheDepthTestTurnsAway) {
    const CellBox unit{0, 0, 0, 1, 1, 1, 0x800000ffu, AllFaces};
    const std::array<double, 2> narrowest{1, 1};
    const std::array<double, 4> below{0.5, 0.5, -10, 1};
    std::vector<FaceRef> faces;
    // From straight below only the bottom is in front. The top and the far
    // side come before it, so they show through it; the near side and both
    // x faces come after it and fail the depth test.
    FacesInSight({unit}, below, narrowest, false, faces);
    EXPECT_EQ(faces, (std::vector<FaceRef>{0, 1, 2}));
    FacesInSight({unit}, below, narrowest, true, faces);
    EXPECT_EQ(faces, (std::vector<FaceRef>{2}));

    // The second box's faces carry its index; faces dropped when the list
    // was built stay out, and a face seen edge-on counts as in front.
    CellBox second = unit;
    second.x0 = 1;
    second.x1 = 2;
    second.faces = AllFaces & ~FaceY1;
    FacesInSight({unit, second}, {5, 0.5, 0.5, 0}, narrowest, true, faces);
    EXPECT_EQ(faces, (std::vector<FaceRef>{0, 1, 5, 8 + 0, 8 + 5}));
    FacesInSight({unit}, {0.5, 0.5, 1, 1}, narrowest, true, faces);
    EXPECT_EQ(faces, (std::vector<FaceRef>{0}));

    // A covered box seen from above through its ring is left out whole.
    CellBox covered{0, 0, -2, 10, 10, -1, 0x800000ffu, AllFaces | CoveredAbove};
    FacesInSight({covered}, {5, 5, 100, 1}, {10, 10}, false, faces);
    EXPECT_TRUE(faces.empty());
    FacesInSight({covered}, {5, 5, -100, 1}, {10, 10}, false, faces);
    EXPECT_EQ(faces, (std::vector<FaceRef>{0, 1, 2}));
}

} // namespace
} // namespace korva
