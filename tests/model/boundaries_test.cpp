#include "gridshape.h"
#include "model/errors.h"
#include "model/griddata.h"
#include "model/packedcolor.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::ExpectConsistentShape;
using testing::MakeGrid;

TEST(Boundaries, KindNamesAndLayerCounts) {
    EXPECT_STREQ(BoundaryTypeName(NaturalBoundaryType), "Natural Boundary");
    EXPECT_STREQ(BoundaryTypeName(NoFlowType), "No Flow");
    EXPECT_EQ(BoundaryTypeName(6), nullptr);
    EXPECT_EQ(BoundaryTypeFromName("Inactive"), InactiveType);
    EXPECT_EQ(BoundaryTypeFromName("inactive"), -1);

    GridData grid = MakeGrid({1}, {1}, {1, 1, 1});
    EXPECT_EQ(grid.BoundaryLayerCount(DrainType), 3);
    EXPECT_EQ(grid.BoundaryLayerCount(BasinType), 1);
    EXPECT_THROW(grid.Boundary(6), std::out_of_range);
    // Below the top of a one-layer grid no boundary of the kind holds a cell.
    grid.AppendBoundary(BasinType, "b", {0, 0, 0});
    grid.SetBoundaryValue(BasinType, 0, 0, 0, 1);
    EXPECT_EQ(grid.GetBoundaryValue(BasinType, 2, 0, 0), 0);
    EXPECT_THROW(grid.GetBoundaryValue(BasinType, 3, 0, 0), std::out_of_range);
    EXPECT_THROW(grid.SetBoundaryValue(BasinType, 1, 0, 0, 1), std::out_of_range);
}

TEST(Boundaries, CellColourComesFromTheFirstDisplayedKind) {
    GridData grid = MakeGrid({1, 1}, {1}, {1});
    grid.AppendBoundary(NaturalBoundaryType, "river", {1, 0, 0});
    grid.AppendBoundary(DrainType, "drain", {0, 0, 1});
    grid.AppendBoundary(BasinType, "field", {0, 1, 0});
    grid.SetBoundaryValue(DrainType, 0, 0, 0, 1);
    grid.SetBoundaryValue(BasinType, 0, 0, 0, 1);
    grid.SetBoundaryDisplayed(DrainType, 0, false);
    RgbColor color{};
    ASSERT_TRUE(grid.GetBoundaryCellColor(0, 0, 0, color));
    EXPECT_EQ(color, (RgbColor{0, 1, 0}));

    grid.SetBoundaryValue(NaturalBoundaryType, 0, 1, 0, 1);
    grid.SetBoundaryValue(DrainType, 0, 1, 0, 1);
    grid.SetBoundaryDisplayed(DrainType, 0, true);
    ASSERT_TRUE(grid.GetBoundaryCellColor(0, 1, 0, color));
    EXPECT_EQ(color, (RgbColor{1, 0, 0}));

    // A No Flow code read back from a solver input names no listed boundary.
    GridData other = MakeGrid({1}, {1}, {1});
    other.SetBoundaryValue(NoFlowType, 0, 0, 0, 99);
    EXPECT_FALSE(other.GetBoundaryCellColor(0, 0, 0, color));
}

TEST(Boundaries, DrainCollectorLinks) {
    GridData grid;
    grid.ResetModel(1);
    grid.AppendBoundary(DrainType, "d0", {0, 0, 0});
    grid.AppendBoundary(CollectorType, "c0", {0, 0, 0});
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], -1);
    grid.SetDrainCollector(0, 0);
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], 0);
    try {
        grid.SetDrainCollector(1, 0);
        FAIL() << "no error for a missing drain";
    } catch (const GenericError& error) {
        EXPECT_STREQ(error.what(), "No drain exists for index 1.");
    }
    EXPECT_THROW(grid.SetDrainCollector(-1, 0), std::invalid_argument);
    EXPECT_THROW(grid.SetDrainCollector(0, 1), std::invalid_argument);
    grid.SetDrainCollector(0, -1);
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], -1);
}

TEST(Boundaries, DeletingRenumbersMembershipsAndLinks) {
    GridData grid = MakeGrid({1}, {1, 1, 1}, {1, 1});
    for (const char* name : {"c0", "c1", "c2"})
        grid.AppendBoundary(CollectorType, name, {0, 0, 0});
    for (int d = 0; d < 3; ++d) {
        grid.AppendBoundary(DrainType, "d", {0, 0, 0});
        grid.SetDrainCollector(d, d);
    }
    for (int c = 0; c < 3; ++c)
        grid.SetBoundaryValue(CollectorType, 1, 0, c, c + 1);
    grid.DeleteBoundary(CollectorType, 1);
    const BoundaryTypeData& collectors = grid.Boundary(CollectorType);
    EXPECT_EQ(collectors.names, (std::vector<std::string>{"c0", "c2"}));
    EXPECT_EQ(grid.GetBoundaryValue(CollectorType, 1, 0, 0), 1);
    EXPECT_EQ(grid.GetBoundaryValue(CollectorType, 1, 0, 1), 0);
    EXPECT_EQ(grid.GetBoundaryValue(CollectorType, 1, 0, 2), 2);
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex, (std::vector<int32_t>{0, -1, 1}));
    ExpectConsistentShape(grid);
    EXPECT_THROW(grid.DeleteBoundary(CollectorType, 2), std::out_of_range);
}

TEST(Boundaries, DeletingABasinTakesItsPerBasinData) {
    GridData grid = MakeGrid({1}, {1, 1}, {1});
    grid.AppendBoundary(BasinType, "north", {0, 0, 0});
    grid.AppendBoundary(BasinType, "south", {0, 0, 0});
    ExpectConsistentShape(grid);
    ReaderContents(grid).YieldResponseFactors[2] = {0.5, 0.7};
    ReaderContents(grid).SalinityUpperBounds[4] = {1.0, 2.0};
    ReaderContents(grid).irrigation[1].push_back({3, 1, 1990, 5.0, 0.1});
    grid.SetBoundaryValue(BasinType, 0, 0, 1, 2);
    grid.DeleteBoundary(BasinType, 0);
    EXPECT_EQ(grid.Boundary(BasinType).names, std::vector<std::string>{"south"});
    EXPECT_EQ(grid.YieldResponseFactors()[2], std::vector<double>{0.7});
    EXPECT_EQ(grid.SalinityUpperBounds()[4], std::vector<double>{2.0});
    ASSERT_EQ(grid.Irrigation().size(), 1u);
    EXPECT_EQ(grid.Irrigation()[0].at(0).amount, 5.0);
    EXPECT_EQ(grid.GetBoundaryValue(BasinType, 0, 0, 1), 1);
    ExpectConsistentShape(grid);
}

TEST(Boundaries, RenamingABasinKeepsItsCrop) {
    GridData grid;
    grid.ResetModel(1);
    grid.AppendBoundary(BasinType, "old", {0, 0, 0});
    ReaderContents(grid).cropBasins.push_back({"old", "wheat"});
    grid.RenameBoundary(BasinType, 0, "new");
    EXPECT_EQ(grid.Boundary(BasinType).names[0], "new");
    EXPECT_EQ(grid.FindCropForBasin("new"), "wheat");
    EXPECT_THROW(grid.RenameBoundary(BasinType, 1, "x"), std::out_of_range);
}

TEST(Boundaries, PaintingARegion) {
    GridData grid = MakeGrid({10, 10}, {10, 10}, {1, 1, 1});
    grid.AppendBoundary(DrainType, "d", {0, 0, 0});
    grid.AppendBoundary(BasinType, "b", {0, 0, 0});
    grid.PaintBoundaryRegion(DrainType, 1, {-5, -5, 0}, {5, -5, 0}, 1, true, true);
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(grid.GetBoundaryValue(DrainType, k, 0, c), k >= 1 ? 1 : 0);
            EXPECT_EQ(grid.GetBoundaryValue(DrainType, k, 1, c), 0);
        }
    grid.PaintBoundaryRegion(DrainType, 1, {-5, -5, 0}, {-5, -5, 0}, -1, false, false);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 2, 0, 0), 0);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 1, 0, 0), 1);
    // Basins are painted on the top layer only.
    grid.PaintBoundaryRegion(BasinType, 1, {-5, -5, 0}, {5, 5, 0}, 2, true, false);
    EXPECT_EQ(grid.GetBoundaryValue(BasinType, 0, 0, 0), 0);
    grid.PaintBoundaryRegion(BasinType, 1, {-5, -5, 0}, {5, 5, 0}, 0, true, true);
    EXPECT_EQ(grid.GetBoundaryValue(BasinType, 0, 1, 1), 1);
    EXPECT_THROW(grid.PaintBoundaryRegion(DrainType, 2, {}, {}, 0, true, false),
                 std::invalid_argument);
}

TEST(Boundaries, DrapingMarksEveryLayerAboveTheGround) {
    GridData grid = MakeGrid({1}, {1, 1, 1}, {100, 100, 100});
    grid.SetValue(0, 0, 0, 0, 1.0); // 200 cm down: layer 2
    grid.SetValue(0, 0, 0, 1, 2.5); // 50 cm down: layer 0
    grid.MarkAboveGround(InactiveType, 7);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grid.GetBoundaryValue(InactiveType, k, 0, 0), k < 2 ? 7 : 0);
        EXPECT_EQ(grid.GetBoundaryValue(InactiveType, k, 0, 1), 0);
        EXPECT_EQ(grid.GetBoundaryValue(InactiveType, k, 0, 2), 0); // no ground value
    }
    grid.MarkAboveGround(NoFlowType, 7);
    EXPECT_EQ(grid.GetBoundaryValue(NoFlowType, 0, 0, 0), 0);
}

TEST(Boundaries, ColoursChosenAsPackedBytes) {
    GridData grid;
    grid.AppendBoundary(BasinType, "b", {0, 0, 0});
    grid.SetBoundaryColor(BasinType, 0, RgbFromPacked(0x00FF8000u));
    EXPECT_EQ(grid.Boundary(BasinType).red[0], 0.0);
    EXPECT_EQ(grid.Boundary(BasinType).green[0], 128 / 255.0);
    EXPECT_EQ(grid.Boundary(BasinType).blue[0], 1.0);
    EXPECT_EQ(PackRgb({0.0, 128 / 255.0, 1.0}), 0x00FF8000u);
    EXPECT_EQ(PackRgb({0.999, 0.5, 2.0}), 0x00FF7FFEu); // truncated; 2.0 stays in its byte
    EXPECT_THROW(grid.SetBoundaryColor(BasinType, 1, {0, 0, 0}), std::out_of_range);
}

} // namespace
} // namespace korva
