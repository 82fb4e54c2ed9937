#pragma once
// What an edit of the model changed, as it is told to the model's listeners:
// the desktop program marks the document modified and rebuilds only what an
// edit touched (one parameter's colours, one boundary kind's cells, the
// geometry of the whole view).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korva {

enum class ChangeKind {
    ParameterValues, // cells of one parameter (parameterCode, cells)
    ParameterInfo,   // name or colours of one parameter (parameterCode)
    Memberships,     // cells of one boundary kind's membership grid (boundaryType, cells)
    BoundaryList,    // the named boundaries of one kind: added, deleted, renamed, recoloured
    Geometry,        // spacings, or rows, columns or layers added or removed (dimension)
    Crops,           // crop catalogue, basin crops, irrigation, yield and salinity lists
    Settings,        // simulation settings
    OutputRequest,   // print dates, grid output list, output base name
    Selections,      // time-series selections of cells (cells)
    Outputs,         // the solver results held by the model
    Model,           // everything: a model read or replaced whole
};

// An inclusive box of cells. A surface parameter's or one-layer grid's box
// lies in layer 0.
struct CellRange {
    int layer0 = 0;
    int layer1 = -1;
    int row0 = 0;
    int row1 = -1;
    int col0 = 0;
    int col1 = -1;

    bool Empty() const { return layer1 < layer0 || row1 < row0 || col1 < col0; }
    long long CellCount() const {
        return Empty() ? 0
                       : static_cast<long long>(layer1 - layer0 + 1) * (row1 - row0 + 1) *
                             (col1 - col0 + 1);
    }
    bool operator==(const CellRange&) const = default;
};

struct GridChange {
    ChangeKind kind = ChangeKind::Model;
    int parameterCode = -1; // ParameterValues, ParameterInfo
    int boundaryType = -1;  // Memberships, BoundaryList
    int dimension = -1;     // Geometry: 0 rows, 1 columns, 2 layers; -1 spacings only
    CellRange cells;        // ParameterValues, Memberships, Selections

    bool operator==(const GridChange&) const = default;
};

inline GridChange MakeChange(ChangeKind kind, int parameterCode = -1, int boundaryType = -1,
                             int dimension = -1, CellRange cells = {}) {
    GridChange change;
    change.kind = kind;
    change.parameterCode = parameterCode;
    change.boundaryType = boundaryType;
    change.dimension = dimension;
    change.cells = cells;
    return change;
}

// A short readable form for logs and test failures ("values 3 [0..0,1..4,2..2]").
std::string DescribeChange(const GridChange& change);

using GridChangeListener = std::function<void(const GridChange&)>;

// What an edit answers: whether it changed anything (false when it was
// refused or had nothing to do), and the messages the caller
// should show the user ("Can't delete last row.", ...). An edit never shows a
// message itself, so a redo never opens a message box.
struct EditResult {
    bool done = true;
    std::vector<std::string> messages;

    explicit operator bool() const { return done; }
    static EditResult Refused(std::string message = {}) {
        EditResult result;
        result.done = false;
        if (!message.empty()) result.messages.push_back(std::move(message));
        return result;
    }
};

} // namespace korva
