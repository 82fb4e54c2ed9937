#include "timeseriescellscommand.h"

#include <algorithm>

namespace korva::charts {

TimeSeriesCellsCommand::TimeSeriesCellsCommand(CKORVADoc& document,
                                               std::vector<CellSelectionChange> changes)
    : DocumentCommand(document, "Time Series Output", ModelChange{ModelChange::OutputSelection}),
      changes_(std::move(changes)) {}

void TimeSeriesCellsCommand::Apply(bool forward) {
    for (const CellSelectionChange& c : changes_)
        Grid().SetTimeSeriesSelection(c.layer, c.row, c.column, forward ? c.after : c.before);
    Report();
}

void TimeSeriesCellsCommand::redo() {
    Apply(true);
}

void TimeSeriesCellsCommand::undo() {
    Apply(false);
}

std::size_t TimeSeriesCellsCommand::MemoryCost() const {
    std::size_t bytes = sizeof(*this);
    for (const CellSelectionChange& c : changes_)
        bytes += sizeof(c) + (c.before.size() + c.after.size()) * sizeof(int32_t);
    return bytes;
}

std::vector<CellSelectionChange> ToggleCellSelections(const GridData& grid,
                                                      const std::vector<int>& layers, int row1,
                                                      int row2, int col1, int col2,
                                                      const OutputParamDataItem& codes) {
    std::vector<CellSelectionChange> changes;
    const SelectionGrid& cells = grid.TimeSeriesCellGrid();
    for (int layer : layers) {
        if (layer < 0 || layer >= cells.Layers()) continue;
        for (int r = std::max(0, std::min(row1, row2));
             r <= std::max(row1, row2) && r < cells.Rows(); ++r) {
            for (int c = std::max(0, std::min(col1, col2));
                 c <= std::max(col1, col2) && c < cells.Columns(); ++c) {
                const OutputParamDataItem& now = cells.Get(layer, r, c);
                OutputParamDataItem next = now == codes ? OutputParamDataItem{} : codes;
                if (next != now) changes.push_back({layer, r, c, now, std::move(next)});
            }
        }
    }
    return changes;
}

} // namespace korva::charts
