#include "vtkexport.h"

#include "model/calendar.h"
#include "model/griddata.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <span>

namespace korva {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Edges from 0 upward: the running sums of the widths.
std::vector<double> Edges(const GridData& grid, int dimension, bool bottomUp) {
    const int count = dimension == GridData::RowDimension      ? grid.NumRows()
                      : dimension == GridData::ColumnDimension ? grid.NumColumns()
                                                               : grid.NumLayers();
    std::vector<double> edges(static_cast<std::size_t>(count) + 1, 0.0);
    for (int i = 0; i < count; ++i) {
        const int item = bottomUp ? count - 1 - i : i;
        edges[static_cast<std::size_t>(i) + 1] =
            edges[static_cast<std::size_t>(i)] + grid.GetSpacing(dimension, item, true);
    }
    return edges;
}

VtkRectilinearGrid EmptyGrid(const GridData& grid) {
    VtkRectilinearGrid vtk;
    vtk.x = Edges(grid, GridData::ColumnDimension, false);
    vtk.y = Edges(grid, GridData::RowDimension, false);
    vtk.z = Edges(grid, GridData::LayerDimension, true); // layers are numbered from the top
    return vtk;
}

// Calls visit(index, layer, row, column) for every cell in VTK order: columns
// fastest, then rows, then layers from the bottom one up.
template <class Visit> void ForEachCell(const GridData& grid, Visit visit) {
    const int layers = grid.NumLayers();
    const int rows = grid.NumRows();
    const int columns = grid.NumColumns();
    std::size_t index = 0;
    for (int k = 0; k < layers; ++k) {
        const int layer = layers - 1 - k;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column)
                visit(index++, layer, row, column);
        }
    }
}

int CodeAt(const GridData& grid, int paramIndex) {
    for (int code = 0; code < GridData::ParameterCodeCount; ++code) {
        if (grid.ParameterIndexOfCode(code) == paramIndex) return code;
    }
    return -1;
}

std::string ParameterArrayName(const GridData& grid, int paramIndex) {
    const int code = CodeAt(grid, paramIndex);
    const char* display = code >= 0 ? GridData::ParameterDisplayName(code) : nullptr;
    return display != nullptr ? display : grid.Parameter(paramIndex).name;
}

// Copies one stored layer (rows one after another, columns within a row:
// VTK's order within a layer) to out, a cell without data as NaN.
void CopyLayer(std::span<const double> layer, double* out) {
    for (const double value : layer)
        *out++ = value == NoDataValue ? NaN : value;
}

// Fills values (VTK order) from cells, a grid of the model's size, or of one
// layer for a surface quantity, which then fills the top layer and leaves
// NaN below it.
// The slow way, for grids whose shape does not match the model's: asks for
// each cell; a surface quantity holds its values in the top layer only.
template <class Get>
void FillCellByCell(const GridData& grid, bool surface, std::vector<double>& values, Get get) {
    ForEachCell(grid, [&](std::size_t i, int layer, int row, int column) {
        double value = NoDataValue;
        values[i] =
            (!surface || layer == 0) && get(surface ? 0 : layer, row, column, value) ? value : NaN;
    });
}

void FillFromLayers(const GridData& grid, const Grid3D<double>& cells, bool surface,
                    std::vector<double>& values) {
    const int layers = grid.NumLayers();
    const std::size_t perLayer =
        static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
    for (int k = 0; k < layers; ++k) {
        const int layer = layers - 1 - k;
        double* out = values.data() + static_cast<std::size_t>(k) * perLayer;
        if (surface && layer != 0)
            std::fill(out, out + perLayer, NaN);
        else
            CopyLayer(cells.Layer(surface ? 0 : layer), out);
    }
}

bool HasGridShape(const GridData& grid, const Grid3D<double>& cells, bool surface) {
    return cells.Layers() == (surface ? 1 : grid.NumLayers()) && cells.Rows() == grid.NumRows() &&
           cells.Columns() == grid.NumColumns();
}

VtkCellArray ParameterArray(const GridData& grid, int paramIndex) {
    const bool surface = grid.Parameter(paramIndex).IsSurface();
    VtkCellArray array;
    array.name = ParameterArrayName(grid, paramIndex);
    array.fillReals = [&grid, paramIndex, surface](std::vector<double>& values) {
        const Grid3D<double>& cells = grid.Parameter(paramIndex).values;
        if (HasGridShape(grid, cells, surface)) {
            FillFromLayers(grid, cells, surface, values);
            return;
        }
        FillCellByCell(grid, surface, values, [&](int layer, int row, int column, double& value) {
            return grid.GetValue(paramIndex, layer, row, column, value);
        });
    };
    return array;
}

VtkCellArray BoundaryArray(const GridData& grid, int type) {
    VtkCellArray array;
    array.name = BoundaryTypeName(type);
    array.fillIntegers = [&grid, type](std::vector<std::int32_t>& values) {
        const MembershipGrid& cells = grid.Memberships(type);
        if (cells.CellBytes() == 0) return; // no cell belongs to a boundary: all 0
        const int holding = std::min(grid.BoundaryLayerCount(type), cells.Layers());
        const int layers = grid.NumLayers();
        const std::size_t perLayer =
            static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
        const bool sameShape =
            cells.Rows() == grid.NumRows() && cells.Columns() == grid.NumColumns();
        for (int k = 0; k < layers; ++k) {
            const int layer = layers - 1 - k;
            if (layer >= holding) continue; // the kind has no cells there
            std::int32_t* out = values.data() + static_cast<std::size_t>(k) * perLayer;
            if (sameShape) {
                const std::vector<int32_t> numbers = cells.LayerValues(layer);
                std::copy(numbers.begin(), numbers.end(), out);
                continue;
            }
            for (int row = 0; row < grid.NumRows(); ++row)
                for (int column = 0; column < grid.NumColumns(); ++column)
                    *out++ = grid.GetBoundaryValue(type, layer, row, column);
        }
    };
    return array;
}

VtkCellArray TimeSeriesArray(const GridData& grid) {
    VtkCellArray array;
    array.name = "Time Series Cells";
    array.fillIntegers = [&grid](std::vector<std::int32_t>& values) {
        // Only the cells with selections are held; every other cell stays 0.
        const SelectionGrid& selections = grid.TimeSeriesCellGrid();
        const int layers = grid.NumLayers();
        const auto rows = static_cast<std::size_t>(grid.NumRows());
        const auto columns = static_cast<std::size_t>(grid.NumColumns());
        selections.ForEach([&](const SelectionGrid::Cell& cell) {
            if (cell.layer >= layers || cell.row >= grid.NumRows() ||
                cell.column >= grid.NumColumns())
                return;
            const auto k = static_cast<std::size_t>(layers - 1 - cell.layer);
            values[(k * rows + static_cast<std::size_t>(cell.row)) * columns +
                   static_cast<std::size_t>(cell.column)] =
                static_cast<std::int32_t>(cell.codes.size());
        });
    };
    return array;
}

const std::vector<KORVAOutputData>& Quantities(const GridData& grid) {
    return grid.Outputs().gridOutputs;
}

VtkCellArray OutputArray(const GridData& grid, int quantity, int timeIndex) {
    const KORVAOutputData& output = Quantities(grid)[static_cast<std::size_t>(quantity)];
    const bool surface = output.kind == 2;
    VtkCellArray array;
    array.name = output.name;
    array.fillReals = [&grid, quantity, timeIndex, surface](std::vector<double>& values) {
        const KORVAOutputData& output = Quantities(grid)[static_cast<std::size_t>(quantity)];
        if (timeIndex >= 0 && static_cast<std::size_t>(timeIndex) < output.times.size()) {
            const Grid3D<double>& cells = output.times[static_cast<std::size_t>(timeIndex)].values;
            if (HasGridShape(grid, cells, surface)) {
                FillFromLayers(grid, cells, surface, values);
                return;
            }
        }
        FillCellByCell(grid, surface, values, [&](int layer, int row, int column, double& value) {
            return grid.GetOutputValue(quantity, timeIndex, layer, row, column, value);
        });
    };
    return array;
}

std::filesystem::path WithoutExtension(const std::string& path) {
    std::filesystem::path p(path);
    if (p.extension() == ".vtr") p.replace_extension();
    return p;
}

bool Failed(std::string* error, const std::string& path, const std::string& reason) {
    if (error != nullptr) *error = path + ": " + reason;
    return false;
}

} // namespace

VtkRectilinearGrid VtkProjectGrid(const GridData& grid) {
    VtkRectilinearGrid vtk = EmptyGrid(grid);
    for (int p = 0; p < grid.ParameterCount(); ++p)
        vtk.cellArrays.push_back(ParameterArray(grid, p));
    for (int type = 0; type < BoundaryTypeCount; ++type)
        vtk.cellArrays.push_back(BoundaryArray(grid, type));
    vtk.cellArrays.push_back(TimeSeriesArray(grid));
    return vtk;
}

VtkRectilinearGrid VtkOutputGrid(const GridData& grid, int timeIndex) {
    VtkRectilinearGrid vtk = EmptyGrid(grid);
    const int quantities = static_cast<int>(Quantities(grid).size());
    for (int q = 0; q < quantities; ++q)
        vtk.cellArrays.push_back(OutputArray(grid, q, timeIndex));
    return vtk;
}

int VtkOutputTimeCount(const GridData& grid) {
    std::size_t count = 0;
    for (const KORVAOutputData& output : Quantities(grid))
        count = std::max(count, output.times.size());
    return static_cast<int>(count);
}

double VtkOutputTimeInDays(const GridData& grid, int timeIndex) {
    for (const KORVAOutputData& output : Quantities(grid)) {
        if (timeIndex < 0 || static_cast<std::size_t>(timeIndex) >= output.times.size()) continue;
        const KORVAOutputTimeData& time = output.times[static_cast<std::size_t>(timeIndex)];
        // Once the outputs are read the dates stand for the solver's numbers.
        if (time.time >= 0.0) return time.time;
        const int day =
            DateToDayNumber(time.day, time.month, time.year, grid.Settings().simulationYear);
        if (day >= 0) return day;
    }
    return timeIndex; // no date known: at least keep the steps in order
}

std::string VtkOutputStepPath(const std::string& path, int timeIndex) {
    std::string number = std::to_string(timeIndex + 1);
    if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
    return WithoutExtension(path).string() + "_" + number + ".vtr";
}

std::string VtkCollectionPath(const std::string& path) {
    return WithoutExtension(path).string() + ".pvd";
}

bool ExportVtk(const GridData& grid, const std::string& path, const VtkExportOptions& options,
               std::string* error) {
    std::string reason;
    const int times = options.outputs ? VtkOutputTimeCount(grid) : 0;
    const int files = options.outputs ? times + 2 : 1;
    auto written = [&](int count) {
        if (options.progress) options.progress(count, files);
    };
    if (!WriteVtkRectilinearGrid(VtkProjectGrid(grid), options.encoding, path, &reason))
        return Failed(error, path, reason);
    written(1);
    if (!options.outputs) return true;
    std::vector<VtkCollectionStep> steps;
    for (int t = 0; t < times; ++t) {
        const std::string stepPath = VtkOutputStepPath(path, t);
        if (!WriteVtkRectilinearGrid(VtkOutputGrid(grid, t), options.encoding, stepPath, &reason))
            return Failed(error, stepPath, reason);
        // The collection names its files relative to its own folder, so the
        // set can be moved as a whole.
        steps.push_back(
            {VtkOutputTimeInDays(grid, t), std::filesystem::path(stepPath).filename().string()});
        written(t + 2);
    }
    const std::string collection = VtkCollectionPath(path);
    if (!WriteVtkCollection(steps, collection, &reason)) return Failed(error, collection, reason);
    written(files);
    return true;
}

} // namespace korva
