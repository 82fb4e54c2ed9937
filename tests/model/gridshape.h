#pragma once
// Checks shared by the model tests: every grid of a model has the shape its
// spacing lists give, and every per-boundary list one entry per boundary.
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva::testing {

inline void ExpectConsistentShape(const GridData& grid) {
    const int L = grid.NumLayers();
    const int R = grid.NumRows();
    const int C = grid.NumColumns();
    for (int code : grid.ParameterOrder()) {
        const ParameterData& data = grid.Contents().parameters.at(code);
        ASSERT_EQ(data.values.Layers(), data.IsSurface() ? 1 : L) << data.name;
        ASSERT_EQ(data.values.Rows(), R) << data.name;
        ASSERT_EQ(data.values.Columns(), C) << data.name;
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = grid.Boundary(type);
        const MembershipGrid& cells = grid.Memberships(type);
        ASSERT_EQ(cells.Layers(), grid.BoundaryLayerCount(type)) << BoundaryTypeName(type);
        ASSERT_EQ(cells.Rows(), R) << BoundaryTypeName(type);
        ASSERT_EQ(cells.Columns(), C) << BoundaryTypeName(type);
        const auto n = static_cast<std::size_t>(record.Count());
        ASSERT_EQ(record.red.size(), n);
        ASSERT_EQ(record.green.size(), n);
        ASSERT_EQ(record.blue.size(), n);
        ASSERT_EQ(record.displayed.size(), n);
        ASSERT_EQ(record.collectorIndex.size(), n);
        ASSERT_EQ(record.flux.size(), n);
        ASSERT_EQ(record.waterQuality.size(), n);
    }
    const auto basins = static_cast<std::size_t>(grid.BoundaryCount(BasinType));
    ASSERT_EQ(grid.Irrigation().size(), basins);
    for (const auto& list : grid.YieldResponseFactors())
        ASSERT_EQ(list.size(), basins);
    for (const auto& list : grid.SalinityUpperBounds())
        ASSERT_EQ(list.size(), basins);
    ASSERT_EQ(grid.TimeSeriesCellGrid().Layers(), L);
    ASSERT_EQ(grid.TimeSeriesCellGrid().Rows(), R);
    ASSERT_EQ(grid.TimeSeriesCellGrid().Columns(), C);
}

// A 3D model with the given spacings, every grid sized to match.
inline GridData MakeGrid(std::vector<double> rows, std::vector<double> columns,
                         std::vector<double> layers) {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing = std::move(rows);
    ReaderContents(grid).columnSpacing = std::move(columns);
    ReaderContents(grid).layerSpacing = std::move(layers);
    grid.Resize(grid.NumLayers(), grid.NumRows(), grid.NumColumns());
    return grid;
}

} // namespace korva::testing
