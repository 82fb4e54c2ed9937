#include "timeseriescellscommand.h"

#include <algorithm>

namespace korva::charts {

TimeSeriesCellsCommand::TimeSeriesCellsCommand(CKORVADoc& document,
                                               std::vector<CellSelectionChange> changes)
    : DocumentCommand(document, "Time Series Output", ModelChange{ModelChange::OutputSelection}),
      changes_(std::move(changes)) {}

void TimeSeriesCellsCommand::Apply(bool forward) {
    auto& cells = Grid().TimeSeriesCellGrid;
    for (const CellSelectionChange& c : changes_) {
        cells.at(static_cast<std::size_t>(c.layer))
            .at(static_cast<std::size_t>(c.row))
            .at(static_cast<std::size_t>(c.column)) = forward ? c.after : c.before;
    }
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
    const auto& cells = grid.TimeSeriesCellGrid;
    for (int layer : layers) {
        if (layer < 0 || layer >= static_cast<int>(cells.size())) continue;
        const auto& rows = cells[static_cast<std::size_t>(layer)];
        for (int r = std::max(0, std::min(row1, row2));
             r <= std::max(row1, row2) && r < static_cast<int>(rows.size()); ++r) {
            const auto& row = rows[static_cast<std::size_t>(r)];
            for (int c = std::max(0, std::min(col1, col2));
                 c <= std::max(col1, col2) && c < static_cast<int>(row.size()); ++c) {
                const OutputParamDataItem& now = row[static_cast<std::size_t>(c)];
                OutputParamDataItem next = now == codes ? OutputParamDataItem{} : codes;
                if (next != now) changes.push_back({layer, r, c, now, std::move(next)});
            }
        }
    }
    return changes;
}

} // namespace korva::charts
