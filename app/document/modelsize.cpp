#include "modelsize.h"

#include "model/griddata.h"

namespace korva {

std::size_t ModelBytes(const GridData& grid) {
    const std::size_t cells =
        static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
    std::size_t bytes = sizeof(GridData);
    for (const auto& [code, parameter] : grid.Contents().parameters)
        bytes += parameter.values.Size() * sizeof(double);
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const MembershipGrid& members = grid.Memberships(type);
        bytes += static_cast<std::size_t>(members.Layers()) * cells *
                 static_cast<std::size_t>(members.CellBytes());
    }
    // Only the cells with selections hold any.
    bytes += grid.TimeSeriesCellGrid().SelectedCells() * (sizeof(OutputParamDataItem) + 64);
    return bytes + OutputBytes(grid.Outputs());
}

std::size_t OutputBytes(const OutputStore& outputs) {
    std::size_t bytes = sizeof(OutputStore);
    for (const KORVAOutputData& output : outputs.gridOutputs)
        for (const KORVAOutputTimeData& time : output.times)
            bytes += time.values.Size() * sizeof(double);
    for (const auto* series : {&outputs.cellSeries, &outputs.averageSeries})
        for (const auto& records : *series)
            for (const TimeSeriesRecord& record : records)
                bytes += (record.x.size() + record.y.size()) * sizeof(double);
    return bytes;
}

} // namespace korva
