#pragma once
// One undo step of the time series output control: the time-series
// selections of the cells a click or a drag in the view changed. Only those
// cells are kept, each with its old and its new list of output codes.
#include "app/document/documentcommand.h"

#include <vector>

namespace korva::charts {

struct CellSelectionChange {
    int layer = 0;
    int row = 0;
    int column = 0;
    OutputParamDataItem before;
    OutputParamDataItem after;
};

class TimeSeriesCellsCommand : public DocumentCommand {
public:
    TimeSeriesCellsCommand(CKORVADoc& document, std::vector<CellSelectionChange> changes);
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    void Apply(bool forward);
    std::vector<CellSelectionChange> changes_;
};

// The changes a toggle makes: every cell of rows row1..row2 and columns
// col1..col2 on the given layers gets codes, or loses its selection when it
// already holds exactly codes. Cells outside the selection grid are skipped.
std::vector<CellSelectionChange> ToggleCellSelections(const GridData& grid,
                                                      const std::vector<int>& layers, int row1,
                                                      int row2, int col1, int col2,
                                                      const OutputParamDataItem& codes);

} // namespace korva::charts
