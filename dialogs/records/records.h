#pragma once
// The record families the editors change, each as a plain value that can be
// read from the model and written back whole. An undo step keeps the old and
// the new value of one family: a few lists, never a cell grid.
#include "model/cropdata.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korva {

class GridData;
class UndoRecord;

// The parts of the model the record editors change, as bits of the
// document's change report (the dialogs' ChangePart continues them).
enum RecordPart : unsigned {
    BoundariesPart = 1u << 2,
    RecordSettingsPart = 1u << 4,
    CropsPart = 1u << 5,
    IrrigationPart = 1u << 6,
};

// The crop catalogue and the basin-crop table.
struct CropRecords {
    std::vector<CropParamData> crops;
    std::vector<CropBasinData> basinCrops;
    static CropRecords Read(const GridData& grid);
    void Write(GridData& grid, UndoRecord* undo = nullptr) const;
    std::size_t Bytes() const;
    bool operator==(const CropRecords& other) const;
};

// The per-basin yield lists of the crop yield function.
struct YieldRecords {
    int method = 0;
    std::array<std::vector<double>, 4> responseFactors; // [stage][basin]
    std::array<std::vector<double>, 5> salinityBounds;  // [factor][basin]
    static YieldRecords Read(const GridData& grid);
    void Write(GridData& grid) const;
    std::size_t Bytes() const;
    bool operator==(const YieldRecords& other) const;
};

// One irrigation schedule per basin, in basin-list order.
struct IrrigationRecords {
    std::vector<IrrigationData> schedules;
    static IrrigationRecords Read(const GridData& grid);
    void Write(GridData& grid) const;
    std::size_t Bytes() const;
    bool operator==(const IrrigationRecords& other) const;
};

// The collector index of each drain (-1: none).
struct DrainCollectorRecords {
    std::vector<int32_t> collectorIndex;
    static DrainCollectorRecords Read(const GridData& grid);
    void Write(GridData& grid) const;
    std::size_t Bytes() const;
    bool operator==(const DrainCollectorRecords& other) const;
};

// Flux and water quality of each natural boundary.
struct NatBoundRecords {
    std::vector<double> flux;
    std::vector<double> waterQuality;
    static NatBoundRecords Read(const GridData& grid);
    void Write(GridData& grid) const;
    std::size_t Bytes() const;
    bool operator==(const NatBoundRecords& other) const;
};

} // namespace korva
