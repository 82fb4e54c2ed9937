#include "modelsize.h"

#include "model/griddata.h"

namespace korva {

std::size_t ModelBytes(const GridData& grid) {
    const std::size_t cells =
        static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
    std::size_t bytes = sizeof(GridData);
    for (const auto& [code, parameter] : grid.parameters)
        bytes += parameter.layers.size() * cells * sizeof(double);
    for (const BoundaryTypeData& boundary : grid.boundaries)
        bytes += boundary.grid.size() * cells * sizeof(int32_t);
    bytes += static_cast<std::size_t>(grid.NumLayers()) * cells * sizeof(OutputParamDataItem);
    return bytes + OutputBytes(grid.outputs);
}

std::size_t OutputBytes(const OutputStore& outputs) {
    std::size_t bytes = sizeof(OutputStore);
    for (const KORVAOutputData& output : outputs.gridOutputs)
        for (const KORVAOutputTimeData& time : output.times)
            for (const KORVAOutputLayerData& layer : time.layers)
                for (const KORVAOutputRowData& row : layer)
                    bytes += row.size() * sizeof(double);
    for (const auto* series : {&outputs.cellSeries, &outputs.averageSeries})
        for (const auto& records : *series)
            for (const TimeSeriesRecord& record : records)
                bytes += (record.x.size() + record.y.size()) * sizeof(double);
    return bytes;
}

} // namespace korva
