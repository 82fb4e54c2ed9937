#include "files/text/textimport.h"

#include "files/text/textimportreader.h"
#include "model/errors.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace korva {

namespace {

// What a text grid for this model can take up: generous room for header
// lines and for each value with its separators. Reading stops there, so an
// endless device or a huge file of another kind costs no more than that.
std::uint64_t ImportByteLimit(const GridData& grid, int linesToSkip) {
    constexpr std::uint64_t headerRoom = std::uint64_t{64} << 20;
    constexpr std::uint64_t perValue = 256;
    constexpr std::uint64_t perSkippedLine = 4096;
    const std::uint64_t cells = static_cast<std::uint64_t>(std::max(grid.NumRows(), 0)) *
                                static_cast<std::uint64_t>(std::max(grid.NumColumns(), 0));
    return headerRoom + cells * perValue +
           static_cast<std::uint64_t>(std::max(linesToSkip, 0)) * perSkippedLine;
}

// Skips the header lines; a header that never ends is no text grid.
void SkipHeader(TextImportReader& reader, int linesToSkip) {
    if (!reader.SkipLines(linesToSkip))
        throw InputError("the " + std::to_string(linesToSkip) +
                         " header lines to skip do not end within the size a text grid of "
                         "this model can have; it is no text grid");
}

// Visits the cells in the file's order, handing each number to store(row,
// column, value), until the numbers run out. Returns how many were read.
template <typename Store>
std::size_t ReadGridValues(TextImportReader& reader, int rows, int columns, int format,
                           bool reverseRows, Store store) {
    std::size_t count = 0;
    auto rowAt = [&](int r) { return reverseRows ? rows - 1 - r : r; };
    double value = 0.0;
    if (format == RowColumnFormat) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (!reader.Next(value)) return count;
                store(rowAt(r), c, value);
                ++count;
            }
        }
    } else {
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < rows; ++r) {
                if (!reader.Next(value)) return count;
                store(rowAt(r), c, value);
                ++count;
            }
        }
    }
    return count;
}

} // namespace

std::size_t ImportParameterValues(GridData& grid, int paramIndex, std::istream& in, int format,
                                  int linesToSkip, bool reverseRows, double noDataValue, int layer,
                                  UndoRecord* undo) {
    if (paramIndex < 0 || paramIndex >= grid.ParameterCount())
        throw std::invalid_argument("no parameter at position " + std::to_string(paramIndex));
    const ParameterData& parameter = grid.Parameter(paramIndex);
    const int layers = parameter.values.Layers();
    // A surface parameter has its one layer whatever the choice.
    if (!parameter.IsSurface() && (layer < 0 || layer >= layers))
        throw std::invalid_argument("no layer " + std::to_string(layer + 1) + " in parameter " +
                                    parameter.name);

    TextImportReader reader(in, ImportByteLimit(grid, linesToSkip));
    SkipHeader(reader, linesToSkip);
    // Both orders start at the chosen layer and fill every layer below it, so
    // an import into a lower layer never overwrites the layers above.
    // The values go into a working copy that replaces the parameter as one
    // edit, however many cells the file holds.
    Grid3D<double> values = parameter.values;
    const int from = parameter.IsSurface() ? 0 : layer;
    const std::size_t count = ReadGridValues(reader, grid.NumRows(), grid.NumColumns(), format,
                                             reverseRows, [&](int row, int column, double value) {
                                                 if (value == noDataValue) value = NoDataValue;
                                                 for (int k = from; k < values.Layers(); ++k)
                                                     values.At(k, row, column) = value;
                                             });
    grid.SetParameterValues(paramIndex, std::move(values), undo);
    return count;
}

std::size_t ImportParameterValues(GridData& grid, int paramIndex, std::istream& in,
                                  const ImportSettings& settings, UndoRecord* undo) {
    return ImportParameterValues(grid, paramIndex, in, settings.format, settings.linesToSkip,
                                 settings.reverseRows, settings.noDataValue, settings.layer, undo);
}

std::size_t ImportBoundaryElevations(GridData& grid, int boundaryType, int marker, std::istream& in,
                                     int format, int linesToSkip, bool reverseRows,
                                     double noDataValue, UndoRecord* undo) {
    if (boundaryType < 0 || boundaryType >= BoundaryTypeCount)
        throw std::invalid_argument("no boundary type " + std::to_string(boundaryType));
    TextImportReader reader(in, ImportByteLimit(grid, linesToSkip));
    SkipHeader(reader, linesToSkip);

    const int layers = grid.NumLayers();
    const int heldLayers = grid.BoundaryLayerCount(boundaryType);
    // The marks go into a copy of the membership grid that is written back
    // as one edit.
    const MembershipGrid& current = grid.Memberships(boundaryType);
    Grid3D<int32_t> cells =
        current.Region(0, 0, 0, current.Layers(), current.Rows(), current.Columns());
    bool marked = false;
    std::vector<double> thickness(static_cast<std::size_t>(layers));
    for (int k = 0; k < layers; ++k)
        thickness[static_cast<std::size_t>(k)] =
            grid.GetSpacing(GridData::LayerDimension, k, false);

    const std::size_t count =
        ReadGridValues(reader, grid.NumRows(), grid.NumColumns(), format, reverseRows,
                       [&](int row, int column, double metres) {
                           if (boundaryType != NoFlowType) return;
                           // A cell without an elevation says nothing about where the
                           // boundary lies; marking it would invent no-flow cells.
                           if (metres == noDataValue) return;
                           const double heightCm = metres * 100.0;
                           int top =
                               0; // the layer holding the elevation, counted up from the bottom
                           double sum = 0.0;
                           for (int k = layers - 1; k >= 0; --k) {
                               sum += thickness[static_cast<std::size_t>(k)];
                               if (sum > heightCm) {
                                   top = k;
                                   break;
                               }
                           }
                           marked = true;
                           if (heldLayers == 1) {
                               // A one-layer grid (the 2D model) marks the cell's column.
                               cells.At(0, row, column) = marker;
                               return;
                           }
                           for (int k = top; k < heldLayers; ++k)
                               cells.At(k, row, column) = marker;
                       });
    if (marked) grid.SetMembershipRegion(boundaryType, 0, 0, 0, cells, undo);
    return count;
}

std::size_t ImportBoundaryElevations(GridData& grid, int boundaryType, int marker, std::istream& in,
                                     const ImportSettings& settings, UndoRecord* undo) {
    return ImportBoundaryElevations(grid, boundaryType, marker, in, settings.format,
                                    settings.linesToSkip, settings.reverseRows,
                                    settings.noDataValue, undo);
}

namespace {

// Opens path and runs import on it, turning a header that never ends and a
// lack of memory into a failed import with a message.
template <typename Import>
bool ImportFromFile(const std::string& path, std::size_t* valuesRead, Import import) {
    std::ifstream in;
    if (!std::filesystem::is_directory(path)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        ShowMessage("Unable to open file " + path + " for reading.");
        return false;
    }
    try {
        const std::size_t count = import(in);
        if (valuesRead != nullptr) *valuesRead = count;
        return true;
    } catch (const InputError& e) {
        ShowMessage("Unable to import file " + path + ": " + e.what() + ".");
    } catch (const std::bad_alloc&) {
        ShowMessage("Not enough memory to import file " + path + ".");
    }
    return false;
}

} // namespace

bool ImportParameterFile(GridData& grid, int paramIndex, const std::string& path,
                         const ImportSettings& settings, std::size_t* valuesRead,
                         UndoRecord* undo) {
    return ImportFromFile(path, valuesRead, [&](std::istream& in) {
        return ImportParameterValues(grid, paramIndex, in, settings, undo);
    });
}

bool ImportBoundaryFile(GridData& grid, int boundaryType, int marker, const std::string& path,
                        const ImportSettings& settings, std::size_t* valuesRead, UndoRecord* undo) {
    return ImportFromFile(path, valuesRead, [&](std::istream& in) {
        return ImportBoundaryElevations(grid, boundaryType, marker, in, settings, undo);
    });
}

} // namespace korva
