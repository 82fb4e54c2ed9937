#include "solvermodel.h"

#include "model/calendar.h"
#include "model/griddata.h"

#include <algorithm>
#include <cmath>

namespace korva {

namespace {

// Soil constants used where the project leaves a value unset or impossible.
constexpr double DefaultPorosity = 0.4;
constexpr double DefaultConductivity = 1.0; // m/day
// Field capacity and wilting point as fractions of the way from the residual
// to the saturated water content.
constexpr double FieldCapacityFraction = 0.5;
constexpr double WiltingPointFraction = 0.15;
// Beyond these no field is irrigated or dried; they keep absurd input from
// overflowing the balance.
constexpr double MaxIrrigationDepth = 1e4; // cm in one event
constexpr double MaxDailyET = 1e3;         // cm a day
constexpr double MaxCropCoefficient = 100;
constexpr double MaxYieldResponse = 100;
constexpr double MaxConductivity = 1e6;  // m/day
constexpr double MaxConcentration = 1e6; // dS/m
constexpr double MaxBoundaryFlux = 1e6;  // m/day
constexpr double MaxIrrigationWeight = 1e3;

// A cell parameter's value, or fallback where the project has none. A surface
// parameter answers from its one layer whatever the layer asked.
double ParameterValue(const GridData& grid, int code, int layer, int row, int column,
                      double fallback) {
    auto it = grid.Contents().parameters.find(code);
    if (it == grid.Contents().parameters.end()) return fallback;
    const ParameterData& p = it->second;
    const int l = p.IsSurface() ? 0 : layer;
    if (!p.values.Contains(l, row, column)) return fallback;
    const double v = p.values(l, row, column);
    if (v == NoDataValue || !std::isfinite(v)) return fallback;
    return v;
}

// A boundary membership value; a grid with fewer layers answers from its last.
int Membership(const GridData& grid, int type, int layer, int row, int column) {
    const MembershipGrid& g = grid.Memberships(type);
    if (g.Layers() == 0) return 0;
    const int l = std::min(layer, g.Layers() - 1);
    if (row < 0 || row >= g.Rows() || column < 0 || column >= g.Columns()) return 0;
    return g.Get(l, row, column);
}

double ListValue(const std::vector<double>& list, size_t index, double fallback) {
    if (index >= list.size()) return fallback;
    const double v = list[index];
    return std::isfinite(v) && v != NoDataValue ? v : fallback;
}

} // namespace

SolverModel::SolverModel(const GridData& grid, const std::vector<double>& etPerDay) {
    kind = grid.ModelKind() == 0 ? 0 : 1;
    layers = grid.NumLayers();
    rows = grid.NumRows();
    columns = grid.NumColumns();
    dx = grid.ColumnSpacing();
    dy = grid.RowSpacing();
    for (double t : grid.LayerSpacing())
        dz.push_back(t / 100.0);
    // A size that is no positive number would divide by zero; the cells of
    // such a row, column or layer take no part and the run reports it.
    std::vector<bool> usable[3];
    std::vector<double>* sizes[3] = {&dy, &dx, &dz};
    const char* names[3] = {"row", "column", "layer"};
    for (int d = 0; d < 3; ++d) {
        for (double& size : *sizes[d]) {
            const bool ok = std::isfinite(size) && size > 0 && size < 1e9;
            usable[d].push_back(ok);
            if (!ok) {
                if (problem_.empty())
                    problem_ = std::string("A ") + names[d] + " has no positive size.";
                size = 1.0;
            }
        }
    }
    layerBase.assign(layers, 0.0);
    double base = 0;
    for (int l = layers - 1; l >= 0; --l) {
        layerBase[l] = base;
        base += dz[l];
    }
    totalDepth = 0;
    for (double t : dz)
        totalDepth += t;

    const SimulationSettings& s = grid.Settings();
    year = s.simulationYear;
    firstDay = s.simulationStart;
    endDay = std::max(s.simulationEnd, s.simulationStart);
    saltTransport = s.useSaltSolver != 0;
    kWeighting = s.kWeightingMethod;

    const double porosity = s.porosity > 0 && s.porosity < 1 ? s.porosity : DefaultPorosity;
    double residual = 0.1 * porosity;
    if (s.pressureSaturationMethod >= 0 &&
        s.pressureSaturationMethod < PressureSaturationMethodCount) {
        const double r = s.residualMoisture[s.pressureSaturationMethod];
        if (r > 0 && r < porosity) residual = r;
    }
    const double kvRatio = s.kvKhRatio > 0 ? s.kvKhRatio : 1.0;
    double bubblingHead = 20.0;
    double poreSizeIndex = 0.5;
    if (s.pressureSaturationMethod >= 0 &&
        s.pressureSaturationMethod < PressureSaturationMethodCount) {
        if (s.scaleLength[s.pressureSaturationMethod] > 0)
            bubblingHead = s.scaleLength[s.pressureSaturationMethod];
        if (s.poreSize[s.pressureSaturationMethod] > 0)
            poreSizeIndex = s.poreSize[s.pressureSaturationMethod];
    }

    // In the 2D model boundaries are marked per column; its drains lie at
    // mid-depth and its natural boundaries exchange water at the bottom.
    int drainLayer2D = layers - 1;
    for (int l = 0; l < layers; ++l) {
        if (layerBase[l] < totalDepth / 2) {
            drainLayer2D = l;
            break;
        }
    }

    const int cells = CellCount();
    soil.assign(cells, CellSoil{});
    initialWater.assign(cells, 0.0);
    initialConcentration.assign(cells, 0.0);
    drainCell.assign(cells, 0);
    naturalBoundary.assign(cells, 0);
    groundElevation.assign(ColumnCount(), totalDepth);
    basin.assign(ColumnCount(), 0);
    irrigationWeight.assign(ColumnCount(), 1.0);
    leachingEfficiency.assign(ColumnCount(), 1.0);
    crop.assign(ColumnCount(), ColumnCrop{});

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int column = ColumnIndex(r, c);
            double ground = ParameterValue(grid, GridData::GroundElevation, 0, r, c, totalDepth);
            groundElevation[column] = std::clamp(ground, 0.0, totalDepth);
            basin[column] = std::max(0, Membership(grid, BasinType, 0, r, c));
            irrigationWeight[column] =
                std::clamp(ParameterValue(grid, GridData::IrrigationWeight, 0, r, c, 1.0), 0.0,
                           MaxIrrigationWeight);
            leachingEfficiency[column] = std::clamp(
                ParameterValue(grid, GridData::SoilLeachingEfficiency, 0, r, c, 1.0), 0.0, 1.0);

            ColumnCrop& cc = crop[column];
            const double planting = ParameterValue(grid, GridData::DateOfPlanting, 0, r, c, -1);
            const double harvest = ParameterValue(grid, GridData::DateOfHarvest, 0, r, c, -1);
            if (planting >= 0 && harvest > planting) {
                cc.present = true;
                cc.planting = planting;
                cc.harvest = harvest;
                cc.initialRootDepth =
                    std::max(0.0, ParameterValue(grid, GridData::InitialRootDepth, 0, r, c, 10)) /
                    100.0;
                cc.maxRootDepth = std::max(
                    cc.initialRootDepth,
                    ParameterValue(grid, GridData::MaximumRootDepth, 0, r, c, 100) / 100.0);
                const int coefficientCodes[3] = {GridData::CropCoefficients1,
                                                 GridData::CropCoefficients2,
                                                 GridData::CropCoefficients3};
                const int stageCodes[3] = {GridData::EndOfStage1, GridData::EndOfStage2,
                                           GridData::EndOfStage3};
                double previous = planting;
                for (int k = 0; k < 3; ++k) {
                    cc.coefficient[k] =
                        std::clamp(ParameterValue(grid, coefficientCodes[k], 0, r, c, 1.0), 0.0,
                                   MaxCropCoefficient);
                    // Stage ends out of order are pulled into the season.
                    const double end =
                        ParameterValue(grid, stageCodes[k], 0, r, c,
                                       planting + (harvest - planting) * (k + 1) / 4);
                    cc.stageEnd[k] = std::clamp(end, previous, harvest);
                    previous = cc.stageEnd[k];
                }
            }

            const double waterTable =
                ParameterValue(grid, GridData::InitialWaterTableElevation, 0, r, c, 0.0);
            const bool noFlowColumn = kind == 0 && Membership(grid, NoFlowType, 0, r, c) != 0;
            for (int l = 0; l < layers; ++l) {
                const int cell = CellIndex(l, r, c);
                CellSoil& cs = soil[cell];
                const bool noFlow =
                    kind == 0 ? noFlowColumn : Membership(grid, NoFlowType, l, r, c) != 0;
                cs.active = !noFlow && Membership(grid, InactiveType, l, r, c) == 0 &&
                            usable[0][r] && usable[1][c] && usable[2][l];
                cs.porosity = porosity;
                cs.fieldCapacity = residual + FieldCapacityFraction * (porosity - residual);
                cs.wiltingPoint = residual + WiltingPointFraction * (porosity - residual);
                cs.residual = residual;
                cs.bubblingHead = bubblingHead;
                cs.poreSizeIndex = poreSizeIndex;
                double kh = ParameterValue(grid, GridData::HorizontalHydraulicConductivity, l, r, c,
                                           DefaultConductivity);
                if (kh <= 0) kh = DefaultConductivity;
                kh = std::min(kh, MaxConductivity);
                cs.kHorizontal = kh;
                double kv = kh * kvRatio;
                if (kind == 0) {
                    const double v =
                        ParameterValue(grid, GridData::VerticalHydraulicConductivity, l, r, c, -1);
                    if (v > 0) kv = v;
                }
                cs.kVertical = std::min(kv, MaxConductivity);
                if (!cs.active) continue;

                // Below the initial water table the soil is saturated; above it
                // it holds the initial moisture (field capacity when unset).
                const double below = std::clamp((waterTable - layerBase[l]) / dz[l], 0.0, 1.0);
                const double moisture =
                    std::clamp(ParameterValue(grid, GridData::InitialMoistureContent, l, r, c,
                                              cs.fieldCapacity),
                               0.0, porosity);
                initialWater[cell] = below * porosity + (1 - below) * moisture;
                const double aquifer =
                    ParameterValue(grid, GridData::InitialSaltConcentrationOfAquifer, l, r, c, 0.0);
                double concentration = aquifer;
                if (kind == 0) {
                    const double unsaturated = ParameterValue(
                        grid, GridData::InitialUnsaturatedSaltConcentration, l, r, c, aquifer);
                    concentration = below * aquifer + (1 - below) * unsaturated;
                }
                initialConcentration[cell] = std::clamp(concentration, 0.0, MaxConcentration);

                const int drainAt = kind == 0 ? drainLayer2D : l;
                if (l == drainAt && Membership(grid, DrainType, l, r, c) > 0) drainCell[cell] = 1;
                if (Membership(grid, CollectorType, l, r, c) > 0) drainCell[cell] = 2;
                const int natural = Membership(grid, NaturalBoundaryType, l, r, c);
                if (natural > 0 && (kind == 1 || l == layers - 1)) naturalBoundary[cell] = natural;
            }
        }
    }
    const BoundaryTypeData& natural = grid.Contents().boundaries[NaturalBoundaryType];
    for (int k = 0; k < natural.Count(); ++k) {
        naturalFlux.push_back(
            std::clamp(ListValue(natural.flux, k, 0.0), -MaxBoundaryFlux, MaxBoundaryFlux));
        naturalQuality.push_back(
            std::clamp(ListValue(natural.waterQuality, k, 0.0), 0.0, MaxConcentration));
    }
    // A membership number beyond the list means no boundary.
    for (int& n : naturalBoundary) {
        if (n > static_cast<int>(naturalFlux.size())) n = 0;
    }

    const int basins = grid.BoundaryCount(BasinType);
    irrigation.assign(basins, {});
    yieldResponse.assign(basins, {1, 1, 1, 1});
    salinityBounds.assign(basins, {0, 0, 0, 0, 0});
    for (int b = 0; b < basins; ++b) {
        if (static_cast<size_t>(b) < grid.Irrigation().size()) {
            for (const IrrigationDataItem& item : grid.Irrigation()[b]) {
                const int day = DateToDayNumber(item.day, item.month, item.year, year);
                if (day < 0 || !std::isfinite(item.amount) || item.amount <= 0 ||
                    item.amount > MaxIrrigationDepth)
                    continue;
                const double conc = std::isfinite(item.saltConcentration)
                                        ? std::clamp(item.saltConcentration, 0.0, MaxConcentration)
                                        : 0;
                irrigation[b].push_back({day, item.amount / 100.0, conc});
            }
        }
        for (int k = 0; k < 4; ++k)
            yieldResponse[b][k] = std::clamp(ListValue(grid.YieldResponseFactors()[k], b, 1.0), 0.0,
                                             MaxYieldResponse);
        for (int k = 0; k < 5; ++k)
            salinityBounds[b][k] = ListValue(grid.SalinityUpperBounds()[k], b, 0.0);
    }

    // Only the days given are kept, however long the run.
    const size_t runDays = static_cast<size_t>(std::max(0, endDay - firstDay));
    et.assign(std::min(runDays, etPerDay.size()), 0.0);
    for (size_t i = 0; i < et.size(); ++i) {
        const double v = etPerDay[i];
        et[i] = std::isfinite(v) && v > 0 ? std::min(v, MaxDailyET) : 0.0;
    }

    for (const PrintDataItem& item : grid.PrintList()) {
        const int day = DateToDayNumber(item.day, item.month, item.year, year);
        if (day >= firstDay && day <= endDay) printDays.push_back(day);
    }
    std::sort(printDays.begin(), printDays.end());
    printDays.erase(std::unique(printDays.begin(), printDays.end()), printDays.end());

    grid.TimeSeriesCellGrid().ForEach([&](const SelectionGrid::Cell& cell) {
        if (cell.layer >= layers || cell.row >= rows || cell.column >= columns) return;
        for (int32_t code : cell.codes) {
            if (code < 0 || code >= OutputParamCount) continue;
            SeriesSelection sel{code, IsLayeredOutput(code) ? cell.layer : -1, cell.row,
                                cell.column};
            bool seen = false;
            for (const SeriesSelection& other : series) {
                seen = seen || (other.code == sel.code && other.layer == sel.layer &&
                                other.row == sel.row && other.column == sel.column);
            }
            if (!seen) series.push_back(sel);
        }
    });
    for (int32_t code : grid.GridOutputParamList()) {
        if (code >= 0 && code < OutputParamCount &&
            std::find(gridOutputs.begin(), gridOutputs.end(), code) == gridOutputs.end())
            gridOutputs.push_back(code);
    }
    // Without a list every quantity is written; layered ones first, as the
    // output files keep them.
    if (gridOutputs.empty()) {
        for (int code = 0; code < OutputParamCount; ++code)
            gridOutputs.push_back(code);
    }
    std::stable_partition(gridOutputs.begin(), gridOutputs.end(), IsLayeredOutput);
}

double SolverModel::PotentialET(int day) const {
    const int i = day - firstDay;
    if (i < 0 || i >= static_cast<int>(et.size())) return 0.0;
    return et[i];
}

} // namespace korva
