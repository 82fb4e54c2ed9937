#pragma once
// UndoRecord: what one edit of the model needs to be undone, and after that
// redone. It holds only what the edit changed: a box of cells of a parameter
// or a membership grid, the slices a delete removed, the cells a deleted
// boundary held, or a copy of a small record (a spacing list, a boundary
// list, the settings). GridData::Revert undoes the edit and turns the record
// into its redo, so an undo stack keeps one record per command.
#include "boundarydata.h"
#include "cropdata.h"
#include "grid3d.h"
#include "gridchange.h"
#include "outputselection.h"
#include "parameterdata.h"
#include "selectiongrid.h"
#include "simulationsettings.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korva {

class GridData;

namespace undo {

// A box of a parameter's cells; minValue and maxValue are the range to go with them.
struct ParameterCells {
    int code = 0;
    int layer = 0;
    int row = 0;
    int column = 0;
    Grid3D<double> cells;
    double minValue = 0.0;
    double maxValue = 0.0;
};

// Scattered cells of a parameter (a basin's), by position in its grid.
struct ParameterCellList {
    int code = 0;
    std::vector<std::size_t> cells;
    std::vector<double> values;
    double minValue = 0.0;
    double maxValue = 0.0;
};

struct MembershipCells {
    int type = 0;
    int layer = 0;
    int row = 0;
    int column = 0;
    Grid3D<int32_t> cells;
};

// A boundary deleted from a membership grid: the cells that held its number.
struct MembershipRenumber {
    int type = 0;
    int32_t number = 0;
    std::vector<std::size_t> cells;
    bool deleted = true; // false once undone
};

struct SelectionCells {
    CellRange box;
    std::vector<SelectionGrid::Entry> entries;
};

// count items of dimension at at. While removed, the record holds their
// cells; while present, nothing (the model has them).
struct Slices {
    int dimension = 0;
    int at = 0;
    int count = 0;
    bool removed = true;
    std::map<int, Grid3D<double>> parameters;
    std::array<std::optional<Grid3D<int32_t>>, BoundaryTypeCount> memberships;
    std::vector<SelectionGrid::Entry> selections;
};

struct Spacings {
    std::vector<double> row;
    std::vector<double> column;
    std::vector<double> layer;
    int uniform = 1;
    double zExaggeration = 1.0;
    std::string horizontalUnits;
    std::string verticalUnits;
};

struct BoundaryList {
    int type = 0;
    BoundaryTypeData record;
};

struct Crops {
    std::vector<CropParamData> cropParams;
    std::vector<CropBasinData> cropBasins;
    std::vector<IrrigationData> irrigation;
    std::array<std::vector<double>, 4> yieldResponseFactors;
    std::array<std::vector<double>, 5> salinityUpperBounds;
};

struct Settings {
    SimulationSettings settings;
};

struct OutputRequest {
    std::vector<PrintDataItem> printList;
    OutputParamDataItem gridOutputParamList;
    std::string outputBaseName;
};

struct ParameterInfo {
    int code = 0;
    std::string name;
    RgbColor lowColor{};
    RgbColor highColor{};
};

// The colours of one grid output quantity's ramp.
struct OutputColors {
    int quantity = 0;
    RgbColor lowColor{};
    RgbColor highColor{};
};

using Piece = std::variant<ParameterCells, ParameterCellList, MembershipCells, MembershipRenumber,
                           SelectionCells, Slices, Spacings, BoundaryList, Crops, Settings,
                           OutputRequest, ParameterInfo, OutputColors>;

} // namespace undo

class UndoRecord {
public:
    bool Empty() const { return pieces_.empty(); }
    // True once reverted (the record then redoes the edit).
    bool Undone() const { return undone_; }
    // What the edit reported, in order; reverting reports the same.
    const std::vector<GridChange>& Changes() const { return changes_; }
    // Bytes of cells and lists held, roughly: what the undo history costs.
    std::size_t HeldBytes() const;

private:
    friend class GridData;
    std::vector<undo::Piece> pieces_;
    std::vector<GridChange> changes_;
    bool undone_ = false;
};

} // namespace korva
