#include "files/text/textimport.h"

#include "files/text/textimportreader.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace korva {

namespace {

std::string ReadAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

    const std::string text = ReadAll(in);
    TextImportReader reader(text);
    reader.SkipLines(linesToSkip);
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
    const std::string text = ReadAll(in);
    TextImportReader reader(text);
    reader.SkipLines(linesToSkip);

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

bool ImportParameterFile(GridData& grid, int paramIndex, const std::string& path,
                         const ImportSettings& settings, std::size_t* valuesRead,
                         UndoRecord* undo) {
    std::ifstream in;
    if (!std::filesystem::is_directory(path)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        ShowMessage("Unable to open file " + path + " for reading.");
        return false;
    }
    const std::size_t count = ImportParameterValues(grid, paramIndex, in, settings, undo);
    if (valuesRead != nullptr) *valuesRead = count;
    return true;
}

bool ImportBoundaryFile(GridData& grid, int boundaryType, int marker, const std::string& path,
                        const ImportSettings& settings, std::size_t* valuesRead, UndoRecord* undo) {
    std::ifstream in;
    if (!std::filesystem::is_directory(path)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        ShowMessage("Unable to open file " + path + " for reading.");
        return false;
    }
    const std::size_t count =
        ImportBoundaryElevations(grid, boundaryType, marker, in, settings, undo);
    if (valuesRead != nullptr) *valuesRead = count;
    return true;
}

} // namespace korva
