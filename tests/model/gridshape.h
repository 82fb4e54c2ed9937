#pragma once
// Checks shared by the model tests: every grid of a model has the shape its
// spacing lists give, and every per-boundary list one entry per boundary.
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva::testing {

inline void ExpectConsistentShape(const GridData& grid) {
    const auto L = static_cast<std::size_t>(grid.NumLayers());
    const auto R = static_cast<std::size_t>(grid.NumRows());
    const auto C = static_cast<std::size_t>(grid.NumColumns());
    for (int code : grid.ParameterOrder) {
        const ParameterData& data = grid.parameters.at(code);
        ASSERT_EQ(data.layers.size(), data.IsSurface() ? 1u : L) << data.name;
        for (const ParamLayerData& layer : data.layers) {
            ASSERT_EQ(layer.size(), R) << data.name;
            for (const ParamRowData& row : layer)
                ASSERT_EQ(row.size(), C) << data.name;
        }
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = grid.Boundary(type);
        ASSERT_EQ(record.grid.size(), static_cast<std::size_t>(grid.BoundaryLayerCount(type)))
            << BoundaryTypeName(type);
        for (const BoundaryLayerData& layer : record.grid) {
            ASSERT_EQ(layer.size(), R) << BoundaryTypeName(type);
            for (const BoundaryRowData& row : layer)
                ASSERT_EQ(row.size(), C);
        }
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
    ASSERT_EQ(grid.irrigation.size(), basins);
    for (const auto& list : grid.YieldResponseFactors)
        ASSERT_EQ(list.size(), basins);
    for (const auto& list : grid.SalinityUpperBounds)
        ASSERT_EQ(list.size(), basins);
    ASSERT_EQ(grid.TimeSeriesCellGrid.size(), L);
    for (const OutputParamDataLayer& layer : grid.TimeSeriesCellGrid) {
        ASSERT_EQ(layer.size(), R);
        for (const OutputParamDataRow& row : layer)
            ASSERT_EQ(row.size(), C);
    }
}

// A 3D model with the given spacings, every grid sized to match.
inline GridData MakeGrid(std::vector<double> rows, std::vector<double> columns,
                         std::vector<double> layers) {
    GridData grid;
    grid.ResetModel(1);
    grid.rowSpacing = std::move(rows);
    grid.columnSpacing = std::move(columns);
    grid.layerSpacing = std::move(layers);
    grid.Resize(grid.NumLayers(), grid.NumRows(), grid.NumColumns());
    return grid;
}

} // namespace korva::testing
