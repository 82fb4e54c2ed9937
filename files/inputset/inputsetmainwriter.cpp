// The main file of the input set (".kvi"): dimensions, settings, spacings,
// cell parameters and the boundary grids, in the order the solver reads them.
#include "files/inputset/inputsetboundarycodes.h"
#include "files/inputset/inputsetformat.h"
#include "files/inputset/inputsetwriter.h"
#include "model/griddata.h"

#include <string>

namespace korva {
namespace {

void AppendSeparatedList(std::string& out, const std::vector<double>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (i != 0) out += ' ';
        AppendNumber(out, values[i]);
    }
    out += '\n';
}

double ValueAt(const ParameterData& record, size_t layer, size_t row, size_t col) {
    const auto l = static_cast<int>(layer), r = static_cast<int>(row), c = static_cast<int>(col);
    if (!record.values.Contains(l, r, c)) return NoDataValue;
    return record.values(l, r, c);
}

// One line holding every value of a parameter over the model's grid, so the
// count always matches record 1: a cell the record does not reach, and every
// cell of a record that holds none at all, is written as no data. (Leaving
// such a line out would shift every later line of the file for the solver.)
void AppendParameterLine(const GridData& grid, const ParameterData* record, bool surface,
                         std::string& out) {
    const auto rows = static_cast<size_t>(grid.NumRows());
    const auto cols = static_cast<size_t>(grid.NumColumns());
    static const ParameterData none;
    const ParameterData& values = record != nullptr ? *record : none;
    if (surface) {
        for (size_t r = 0; r < rows; ++r) {
            for (size_t c = 0; c < cols; ++c)
                AppendTrailed(out, ValueAt(values, 0, r, c));
        }
    } else {
        const auto layers = static_cast<size_t>(grid.NumLayers());
        for (size_t r = 0; r < rows; ++r)
            for (size_t c = 0; c < cols; ++c)
                for (size_t l = 0; l < layers; ++l)
                    AppendTrailed(out, ValueAt(values, l, r, c));
    }
    out += '\n';
}

// A boundary kind's membership values, rows, then columns, then layers.
void AppendMembershipLine(const GridData& grid, int type, std::string& out) {
    const MembershipGrid& record = grid.Memberships(type);
    const int layers = InputSetBoundaryLayers(grid, type);
    for (int r = 0; r < grid.NumRows(); ++r)
        for (int c = 0; c < grid.NumColumns(); ++c)
            for (int l = 0; l < layers; ++l)
                AppendTrailedInteger(out, MembershipAt(record, l, r, c));
    out += '\n';
}

// The flux or water quality of the natural boundary holding each cell, 0
// (an integer) for every other cell.
void AppendNaturalValueLine(const GridData& grid, const std::vector<double>& values,
                            std::string& out) {
    const MembershipGrid& natural = grid.Memberships(NaturalBoundaryType);
    const int layers = InputSetBoundaryLayers(grid, NaturalBoundaryType);
    for (int r = 0; r < grid.NumRows(); ++r)
        for (int c = 0; c < grid.NumColumns(); ++c)
            for (int l = 0; l < layers; ++l) {
                const int32_t k = MembershipAt(natural, l, r, c);
                if (k > 0 && static_cast<size_t>(k) <= values.size())
                    AppendTrailed(out, values[static_cast<size_t>(k) - 1]);
                else
                    out += "0 ";
            }
    out += '\n';
}

// A name is one line of the set; a line break inside it would shift every
// later name and grid, so it is written as a space.
void AppendNameLine(const std::string& name, std::string& out) {
    for (char ch : name)
        out += (ch == '\n' || ch == '\r') ? ' ' : ch;
    out += '\n';
}

// Text held back before a spill: large enough that a small grid's file goes
// in one write, small beside a large grid's parameter line.
constexpr std::size_t SpillSize = std::size_t{1} << 20;

} // namespace

void AppendMainFile(const GridData& grid, std::string& out) {
    AppendMainFile(grid, out, {});
}

void AppendMainFile(const GridData& grid, std::string& out, const TextSpill& spill) {
    const auto lineDone = [&] {
        if (spill && out.size() >= SpillSize) spill(out);
    };
    const SimulationSettings& s = grid.Settings();
    const bool twoD = grid.ModelKind() == 0;
    const int naturalAndNoFlow = grid.Contents().boundaries[NaturalBoundaryType].Count() +
                                 grid.Contents().boundaries[NoFlowType].Count();

    // 1. Dimensions and counts.
    for (long long n :
         {static_cast<long long>(grid.NumRows()), static_cast<long long>(grid.NumColumns()),
          static_cast<long long>(grid.NumLayers()), static_cast<long long>(naturalAndNoFlow),
          static_cast<long long>(grid.Contents().boundaries[DrainType].Count()),
          static_cast<long long>(grid.Contents().boundaries[CollectorType].Count()),
          static_cast<long long>(grid.Contents().boundaries[BasinType].Count())}) {
        AppendInteger(out, n);
        out += ' ';
    }
    AppendInteger(out, grid.Contents().boundaries[InactiveType].Count());
    out += '\n';

    // 2. Times.
    AppendInteger(out, s.simulationYear);
    out += ' ';
    AppendInteger(out, s.simulationStart);
    out += ' ';
    AppendInteger(out, s.simulationEnd);
    out += ' ';
    AppendNumber(out, s.simulationTimeStep);
    out += ' ';
    AppendNumber(out, s.irrigationTimeStep);
    out += '\n';

    // 3. Tolerances: the 3D solver takes only the first.
    AppendNumber(out, s.toleranceLevel1);
    if (twoD) {
        out += ' ';
        AppendNumber(out, s.toleranceLevel2);
    }
    out += '\n';

    // 4. Physical constants and the salt-solver switch.
    for (double v : {s.porosity, s.tortuosity, s.freeDiffusion, s.kvKhRatio, s.waterCompressibility,
                     s.longitudinalDispersion, s.horizontalDispersion, s.verticalDispersion}) {
        AppendNumber(out, v);
        out += ' ';
    }
    out += s.useSaltSolver != 0.0 ? "1\n" : "0\n";

    // 5. The 2D solver expects this constant here.
    if (twoD) out += "20\n";

    // 6-8. Spacings.
    AppendSeparatedList(out, grid.ColumnSpacing());
    AppendSeparatedList(out, grid.RowSpacing());
    AppendSeparatedList(out, grid.LayerSpacing());

    // 9. Cell parameters.
    for (int code : InputSetParameterCodes(grid.ModelKind())) {
        auto found = grid.Contents().parameters.find(code);
        const ParameterData* record =
            found != grid.Contents().parameters.end() ? &found->second : nullptr;
        const bool surface = record != nullptr ? record->IsSurface()
                                               : InputSetParameterIsSurface(grid.ModelKind(), code);
        AppendParameterLine(grid, record, surface, out);
        lineDone();
    }

    // 10. Boundary codes.
    const BoundaryCodeGrid codes = BuildBoundaryCodeGrid(grid);
    for (int r = 0; r < codes.rows; ++r)
        for (int c = 0; c < codes.columns; ++c)
            for (int l = 0; l < codes.layers; ++l)
                AppendTrailedInteger(out, codes.At(l, r, c));
    out += '\n';
    lineDone();

    // 11-14. Drain, collector, basin and inactive memberships.
    for (int type : {DrainType, CollectorType, BasinType, InactiveType}) {
        AppendMembershipLine(grid, type, out);
        lineDone();
    }

    // 15-16. Names; the natural boundaries' names are not part of the set.
    if (naturalAndNoFlow > 0) out += "noFlow_natural\n";
    for (int type : {DrainType, CollectorType, BasinType, NoFlowType, InactiveType})
        for (const std::string& name : grid.Contents().boundaries[type].names)
            AppendNameLine(name, out);

    // 17-18. Natural-boundary flux and water quality per cell.
    AppendNaturalValueLine(grid, grid.Contents().boundaries[NaturalBoundaryType].flux, out);
    lineDone();
    AppendNaturalValueLine(grid, grid.Contents().boundaries[NaturalBoundaryType].waterQuality, out);
}

} // namespace korva
