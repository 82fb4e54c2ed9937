// Reads the main file of the input set (".kvi") back into a model.
#include "files/inputset/inputsetformat.h"
#include "files/inputset/inputsetreader.h"
#include "files/inputset/inputsetscanner.h"
#include "model/griddata.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace korva {
namespace {

// Colours for boundaries that come back without one, so that an imported
// project shows its boundaries apart.
const RgbColor BoundaryPalette[] = {{0.0, 0.0, 1.0}, {1.0, 0.5, 0.0}, {0.6, 0.0, 0.8},
                                    {0.0, 0.6, 0.6}, {0.8, 0.8, 0.0}, {0.5, 0.25, 0.0}};

void SetBoundaryNames(BoundaryTypeData& record, std::vector<std::string> names) {
    const size_t n = names.size();
    record.names = std::move(names);
    record.red.assign(n, 0.0);
    record.green.assign(n, 0.0);
    record.blue.assign(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        const RgbColor& colour = BoundaryPalette[i % std::size(BoundaryPalette)];
        record.red[i] = colour[0];
        record.green[i] = colour[1];
        record.blue[i] = colour[2];
    }
    record.displayed.assign(n, 1);
    record.collectorIndex.assign(n, -1);
    record.flux.assign(n, 0.0);
    record.waterQuality.assign(n, 0.0);
}

// Rejects dimensions whose grids could not fit in the file: every cell value
// takes at least two bytes ("0 ").
void CheckGridFits(InputSetScanner& in, long long rows, long long cols, long long cellLayers) {
    const long long room = static_cast<long long>(in.Text().size() / 2);
    if (rows > room / cols || rows * cols > room / cellLayers)
        in.Fail("the grid of " + std::to_string(rows) + " rows, " + std::to_string(cols) +
                " columns and " + std::to_string(cellLayers) +
                " layers cannot fit in a file of this size");
}

// Where the last count tokens of the text begin, scanning back from the end
// but not before floor; npos when there are fewer.
size_t StartOfLastTokens(std::string_view text, size_t floor, size_t count) {
    auto isSpace = [](char ch) {
        return ch == ' ' || ch == '\n' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
    };
    size_t pos = text.size();
    for (size_t k = 0; k < count; ++k) {
        while (pos > floor && isSpace(text[pos - 1]))
            --pos;
        if (pos == floor) return std::string_view::npos;
        while (pos > floor && !isSpace(text[pos - 1]))
            --pos;
    }
    return pos;
}

struct Counts {
    int rows = 0, cols = 0, layers = 0;
    int naturalAndNoFlow = 0, drains = 0, collectors = 0, basins = 0, inactive = 0;
};

void ReadParameter(InputSetScanner& in, ParameterData& record, const Counts& n) {
    const auto rows = static_cast<size_t>(n.rows);
    const auto cols = static_cast<size_t>(n.cols);
    const size_t layers = record.IsSurface() ? 1 : static_cast<size_t>(n.layers);
    // The record was sized by Resize; size it here too so that a reader never
    // depends on another operation for the bounds it writes within.
    if (record.values.Layers() != static_cast<int>(layers) ||
        record.values.Rows() != static_cast<int>(rows) ||
        record.values.Columns() != static_cast<int>(cols))
        record.values.Assign(static_cast<int>(layers), n.rows, n.cols, NoDataValue);
    const char* what = record.name.empty() ? "a parameter value" : record.name.c_str();
    if (record.IsSurface()) {
        for (size_t r = 0; r < rows; ++r)
            for (size_t c = 0; c < cols; ++c)
                record.values(0, static_cast<int>(r), static_cast<int>(c)) = in.ReadDouble(what);
    } else {
        for (size_t r = 0; r < rows; ++r)
            for (size_t c = 0; c < cols; ++c)
                for (size_t l = 0; l < layers; ++l)
                    record.values(static_cast<int>(l), static_cast<int>(r), static_cast<int>(c)) =
                        in.ReadDouble(what);
    }
    record.RecomputeRange();
}

void ReadMembership(InputSetScanner& in, GridData& model, int type, long long lowest,
                    long long highest, const char* what) {
    MembershipGrid& cells = ReaderContents(model).memberships[static_cast<size_t>(type)];
    const int layers = InputSetBoundaryLayers(model, type);
    for (int r = 0; r < model.NumRows(); ++r)
        for (int c = 0; c < model.NumColumns(); ++c)
            for (int l = 0; l < layers; ++l)
                cells.Set(l, r, c, static_cast<int32_t>(in.ReadBounded(what, lowest, highest)));
}

using ValueBits = std::pair<uint64_t, uint64_t>;
ValueBits BitsOf(double flux, double quality) {
    ValueBits bits;
    std::memcpy(&bits.first, &flux, sizeof flux);
    std::memcpy(&bits.second, &quality, sizeof quality);
    return bits;
}

} // namespace

void ReadMainFile(GridData& model, InputSetScanner& in) {
    GridContents& grid = ReaderContents(model);
    const int kind = grid.ModelKind;
    const long long room = static_cast<long long>(in.Text().size() / 2);

    // 1. Dimensions and counts.
    Counts n;
    n.rows = static_cast<int>(in.ReadBounded("the number of rows", 1, std::min(room, 1LL << 30)));
    n.cols =
        static_cast<int>(in.ReadBounded("the number of columns", 1, std::min(room, 1LL << 30)));
    n.layers =
        static_cast<int>(in.ReadBounded("the number of layers", 1, std::min(room, 1LL << 30)));
    CheckGridFits(in, n.rows, n.cols, kind == 0 ? 1 : n.layers);
    // The 2D model's grids hold one layer, but the model still keeps a
    // time-series list for every cell of every layer: bound those too.
    if (kind == 0 && static_cast<long long>(n.rows) * n.cols > 64 * room / n.layers)
        in.Fail("the grid of " + std::to_string(n.rows) + " rows, " + std::to_string(n.cols) +
                " columns and " + std::to_string(n.layers) +
                " layers is out of all proportion to a file of this size");
    if (n.rows + n.cols + n.layers > room)
        in.Fail("the spacings cannot fit in a file of this size");
    const long long named =
        std::min(MaxBoundariesPerKind, static_cast<long long>(in.Text().size()));
    n.naturalAndNoFlow = static_cast<int>(
        in.ReadBounded("the number of natural and No Flow boundaries", 0, MaxBoundariesPerKind));
    n.drains = static_cast<int>(in.ReadBounded("the number of drains", 0, named));
    n.collectors = static_cast<int>(in.ReadBounded("the number of collectors", 0, named));
    n.basins = static_cast<int>(in.ReadBounded("the number of basins", 0, named));
    n.inactive = static_cast<int>(in.ReadBounded("the number of inactive boundaries", 0, named));

    // A fresh parameter list of the model kind, every grid sized to the set.
    model.ResetModel(kind);
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        grid.boundaries[type] = BoundaryTypeData{};
        grid.boundaries[type].type = static_cast<BoundaryTypeEnum>(type);
    }
    grid.columnSpacing.assign(static_cast<size_t>(n.cols), 0.0);
    grid.rowSpacing.assign(static_cast<size_t>(n.rows), 0.0);
    grid.layerSpacing.assign(static_cast<size_t>(n.layers), 0.0);
    model.Resize(n.layers, n.rows, n.cols);
    grid.GridOutputParamList.clear();
    grid.printList.clear();
    grid.irrigation.assign(static_cast<size_t>(n.basins), IrrigationData{});
    for (auto& list : grid.YieldResponseFactors)
        list.assign(static_cast<size_t>(n.basins), 0.0);
    for (auto& list : grid.SalinityUpperBounds)
        list.assign(static_cast<size_t>(n.basins), 0.0);

    // 2. Times; start and end are truncated toward zero.
    SimulationSettings& s = grid.settings;
    s.simulationYear = static_cast<int32_t>(
        in.ReadBounded("the simulation year", -MaxSimulationYear, MaxSimulationYear));
    auto readDay = [&](const char* what) {
        const size_t at = in.Position();
        const double value = in.ReadDouble(what);
        if (!(std::fabs(value) <= static_cast<double>(MaxDayNumber)))
            in.FailAt(at, std::string(what) + " is not a day number");
        return static_cast<int32_t>(std::trunc(value));
    };
    s.simulationStart = readDay("the simulation start day");
    s.simulationEnd = readDay("the simulation end day");
    s.simulationTimeStep = in.ReadDouble("the simulation time step");
    s.irrigationTimeStep = in.ReadDouble("the irrigation time step");

    // 3. Tolerances: the second only in the 2D model.
    s.toleranceLevel1 = in.ReadDouble("tolerance level 1");
    if (kind == 0) s.toleranceLevel2 = in.ReadDouble("tolerance level 2");

    // 4. Physical constants and the salt-solver switch.
    s.porosity = in.ReadDouble("the porosity");
    s.tortuosity = in.ReadDouble("the tortuosity");
    s.freeDiffusion = in.ReadDouble("the free diffusion");
    s.kvKhRatio = in.ReadDouble("the vertical to horizontal conductivity ratio");
    s.waterCompressibility = in.ReadDouble("the water compressibility");
    s.longitudinalDispersion = in.ReadDouble("the longitudinal dispersion");
    s.horizontalDispersion = in.ReadDouble("the horizontal dispersion");
    s.verticalDispersion = in.ReadDouble("the vertical dispersion");
    s.useSaltSolver = in.ReadDouble("the salt-solver switch");

    // 5. The 2D solver's constant line; it carries nothing for the model.
    if (kind == 0) in.ReadDouble("the constant 20 of the 2D model");

    // 6-8. Spacings.
    for (double& w : grid.columnSpacing)
        w = in.ReadDouble("a column spacing");
    for (double& w : grid.rowSpacing)
        w = in.ReadDouble("a row spacing");
    for (double& w : grid.layerSpacing)
        w = in.ReadDouble("a layer spacing");
    model.UpdateUniformSpacing();

    // 9. Cell parameters, always all of the kind's lines.
    for (int code : InputSetParameterCodes(kind)) {
        auto found = grid.parameters.find(code);
        if (found != grid.parameters.end()) {
            ReadParameter(in, found->second, n);
        } else {
            // A model kind without this parameter still has to step over its line.
            ParameterData scratch;
            scratch.SurfaceFlag = InputSetParameterIsSurface(kind, code) ? 2 : 0;
            ReadParameter(in, scratch, n);
        }
    }

    // 10. Boundary codes: 99 No Flow, 1 natural (its boundary is found from the
    // flux and water quality below), anything else neither.
    BoundaryTypeData& natural = grid.boundaries[NaturalBoundaryType];
    BoundaryTypeData& noFlow = grid.boundaries[NoFlowType];
    MembershipGrid& naturalGrid = grid.memberships[NaturalBoundaryType];
    MembershipGrid& noFlowCells = grid.memberships[NoFlowType];
    const int codeLayers = kind == 0 ? 1 : n.layers;
    bool anyNoFlowCell = false;
    bool anyNaturalCell = false;
    for (int r = 0; r < n.rows; ++r)
        for (int c = 0; c < n.cols; ++c)
            for (int l = 0; l < codeLayers; ++l) {
                const long long code = in.ReadInteger("a boundary code");
                naturalGrid.Set(l, r, c, code == NaturalBoundaryCode ? 1 : 0);
                noFlowCells.Set(l, r, c, code == NoFlowCode ? NoFlowCode : 0);
                anyNaturalCell |= code == NaturalBoundaryCode;
                anyNoFlowCell |= code == NoFlowCode;
            }

    // 11-14. Memberships.
    // Drains, collectors and basins index their kind's lists; the inactive
    // grid may also hold the marker of MarkAboveGround, any number at all.
    ReadMembership(in, model, DrainType, 0, n.drains, "a drain number");
    ReadMembership(in, model, CollectorType, 0, n.collectors, "a collector number");
    ReadMembership(in, model, BasinType, 0, n.basins, "a basin number");
    ReadMembership(in, model, InactiveType, INT32_MIN, INT32_MAX, "an inactive marker");
    in.SkipRestOfLine();

    // 15. The marker line that stands for the natural and No Flow names.
    if (n.naturalAndNoFlow > 0) {
        const size_t at = in.Position();
        std::string_view line = in.ReadLine();
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line != "noFlow_natural") in.FailAt(at, "expected the line \"noFlow_natural\"");
    }

    // 16. Names, one per line, up to the line where the flux grid begins. The
    // flux and water-quality grids hold a known number of values, so counting
    // them back from the end finds that line whatever the names contain; the
    // number of No Flow names is what is left after the other kinds.
    const size_t namesBegin = in.Position();
    const size_t naturalCells =
        static_cast<size_t>(n.rows) * static_cast<size_t>(n.cols) *
        static_cast<size_t>(InputSetBoundaryLayers(model, NaturalBoundaryType));
    const size_t fluxBegin = StartOfLastTokens(in.Text(), namesBegin, 2 * naturalCells);
    if (fluxBegin == std::string_view::npos)
        in.Fail("the file ends before the natural-boundary flux and water-quality grids");
    const size_t lastBreak = in.Text().rfind('\n', fluxBegin);
    const size_t namesEnd = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    if (namesEnd < namesBegin) in.FailAt(fluxBegin, "expected the boundary names before this line");
    std::vector<std::string> names;
    while (in.Position() < namesEnd)
        names.emplace_back(in.ReadLine());
    const long long otherNames =
        static_cast<long long>(n.drains) + n.collectors + n.basins + n.inactive;
    const long long noFlowNames = static_cast<long long>(names.size()) - otherNames;
    if (noFlowNames < 0 || noFlowNames > n.naturalAndNoFlow)
        in.FailAt(namesBegin, "found " + std::to_string(names.size()) +
                                  " boundary names where the first line calls for " +
                                  std::to_string(otherNames) +
                                  " drain, collector, basin and inactive names and at most " +
                                  std::to_string(n.naturalAndNoFlow) + " No Flow names");
    auto take = [&names, next = size_t{0}](long long count) mutable {
        std::vector<std::string> part(names.begin() + static_cast<long>(next),
                                      names.begin() +
                                          static_cast<long>(next + static_cast<size_t>(count)));
        next += static_cast<size_t>(count);
        return part;
    };
    SetBoundaryNames(grid.boundaries[DrainType], take(n.drains));
    SetBoundaryNames(grid.boundaries[CollectorType], take(n.collectors));
    SetBoundaryNames(grid.boundaries[BasinType], take(n.basins));
    std::vector<std::string> noFlowList = take(noFlowNames);
    SetBoundaryNames(grid.boundaries[InactiveType], take(n.inactive));
    // No Flow cells need a boundary to belong to.
    if (noFlowList.empty() && anyNoFlowCell) noFlowList.push_back(BoundaryTypeName(NoFlowType));
    SetBoundaryNames(noFlow, std::move(noFlowList));

    // 17-18. Flux and water quality. The set keeps only each cell's values, so
    // the natural boundaries are rebuilt from them: cells with the same flux
    // and water quality share a boundary, numbered by first appearance.
    in.SetPosition(fluxBegin);
    const int naturalLayers = InputSetBoundaryLayers(model, NaturalBoundaryType);
    std::vector<double> flux;
    if (anyNaturalCell) flux.reserve(naturalCells);
    for (int r = 0; r < n.rows; ++r)
        for (int c = 0; c < n.cols; ++c)
            for (int l = 0; l < naturalLayers; ++l) {
                const double value = in.ReadDouble("a natural-boundary flux");
                if (naturalGrid.Get(l, r, c) != 0) flux.push_back(value);
            }
    long long naturalCount = n.naturalAndNoFlow - noFlowNames;
    if (naturalCount == 0 && anyNaturalCell) naturalCount = 1;
    std::vector<std::string> naturalNames;
    for (long long k = 1; k <= naturalCount; ++k)
        naturalNames.push_back(std::string(BoundaryTypeName(NaturalBoundaryType)) + " " +
                               std::to_string(k));
    SetBoundaryNames(natural, std::move(naturalNames));
    std::map<ValueBits, int32_t> boundaryOf;
    size_t next = 0;
    for (int r = 0; r < n.rows; ++r)
        for (int c = 0; c < n.cols; ++c)
            for (int l = 0; l < naturalLayers; ++l) {
                const double quality = in.ReadDouble("a natural-boundary water quality");
                if (naturalGrid.Get(l, r, c) == 0) continue;
                const double cellFlux = flux[next++];
                auto [it, added] = boundaryOf.try_emplace(
                    BitsOf(cellFlux, quality),
                    static_cast<int32_t>(std::min<long long>(
                        static_cast<long long>(boundaryOf.size()) + 1, naturalCount)));
                const int32_t k = it->second;
                naturalGrid.Set(l, r, c, k);
                // More distinct values than boundaries (a set from elsewhere):
                // the last boundary takes them, the last cell read deciding.
                if (added || k == naturalCount) {
                    natural.flux[static_cast<size_t>(k) - 1] = cellFlux;
                    natural.waterQuality[static_cast<size_t>(k) - 1] = quality;
                }
            }
}

} // namespace korva
