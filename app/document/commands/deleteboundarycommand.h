#pragma once
// Deletes one boundary: its entry in every per-boundary list, its cells (they
// become 0, higher numbers move down by one), and for a basin its irrigation
// schedule and yield and salinity values, for a collector the drains'
// connections to it. The command keeps exactly these, so undo puts the
// boundary back at its place with the same cells and connections.
#include "app/document/documentcommand.h"

#include <optional>
#include <string>
#include <vector>

namespace korva {

class DeleteBoundaryCommand : public DocumentCommand {
public:
    DeleteBoundaryCommand(CKORVADoc& document, int type, int index);
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    struct Entry {
        std::optional<std::string> name;
        std::optional<double> red, green, blue;
        std::optional<int32_t> displayed, collectorIndex;
        std::optional<double> flux, waterQuality;
    };
    struct Cell {
        int32_t layer, row, column;
    };

    int type_;
    int index_;
    Entry entry_;
    std::vector<Cell> cells_;
    // Basin: its per-basin values.
    IrrigationData irrigation_;
    std::vector<double> yieldFactors_;
    std::vector<double> salinityBounds_;
    // Collector: the drains that emptied into it.
    std::vector<int> connectedDrains_;
};

} // namespace korva
