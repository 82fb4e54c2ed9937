// korva-batch info: a readable summary of a project, for a look at a file
// without the desktop program and for checking what a conversion kept.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/project/projectfile.h"
#include "model/calendar.h"
#include "model/griddata.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace korva::cli {

extern const Command InfoCommand;

namespace {

std::string Num(double value) {
    return FormatNumber(value);
}

std::string NameOr(const char* name) {
    return name != nullptr ? name : "(unknown)";
}

// A day number of the simulation year as month/day/year.
std::string DayText(int dayNumber, int baseYear) {
    const CalendarDate date = DayNumberToDate(dayNumber, baseYear);
    return std::to_string(dayNumber) + " (" + std::to_string(date.month) + "/" +
           std::to_string(date.day) + "/" + std::to_string(date.year) + ")";
}

std::string DateText(int month, int day, int year) {
    return std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
}

std::string Range(const std::vector<double>& list) {
    if (list.empty()) return "none";
    const auto [lo, hi] = std::minmax_element(list.begin(), list.end());
    if (*lo == *hi) return "all " + Num(*lo);
    return Num(*lo) + " .. " + Num(*hi);
}

double Sum(const std::vector<double>& list) {
    double sum = 0.0;
    for (double v : list)
        sum += v;
    return sum;
}

void PrintGrid(const GridData& grid, std::ostream& out) {
    out << "Model: " << grid.ModelKind() << " ("
        << (grid.ModelKind() == 0   ? "original(2d)"
            : grid.ModelKind() == 1 ? "modified (3d)"
                                    : "unknown")
        << ")\n";
    out << "File version: " << Num(grid.ProjectFileVersion()) << "\n";
    out << "Grid: " << grid.NumRows() << " rows x " << grid.NumColumns() << " columns x "
        << grid.NumLayers() << " layers" << (grid.UniformSpacing() ? ", uniform spacing" : "")
        << "\n";
    out << "  rows (m):       " << Range(grid.RowSpacing()) << ", extent "
        << Num(Sum(grid.RowSpacing())) << " m\n";
    out << "  columns (m):    " << Range(grid.ColumnSpacing()) << ", extent "
        << Num(Sum(grid.ColumnSpacing())) << " m\n";
    out << "  layers (cm):    " << Range(grid.LayerSpacing()) << ", total "
        << Num(Sum(grid.LayerSpacing())) << " cm\n";
    out << "  Z exaggeration: " << Num(grid.ZExaggeration()) << "\n";
}

void PrintParameters(const GridData& grid, std::ostream& out) {
    out << "\nParameters (" << grid.ParameterCount() << "):\n";
    for (int code : grid.ParameterOrder()) {
        const ParameterData& p = grid.Contents().parameters.at(code);
        size_t cells = 0;
        size_t empty = 0;
        const auto values = p.values.Cells();
        cells = values.size();
        empty = static_cast<size_t>(std::count(values.begin(), values.end(), NoDataValue));
        out << "  " << p.name << " ["
            << (p.IsSurface() ? std::string("surface")
                              : std::to_string(p.values.Layers()) +
                                    (p.values.Layers() == 1 ? " layer" : " layers"))
            << "]: ";
        if (empty == cells) {
            out << "no data\n";
            continue;
        }
        out << Num(p.minValue) << " .. " << Num(p.maxValue);
        if (empty > 0) out << " (" << empty << " of " << cells << " cells without data)";
        out << "\n";
    }
}

// How many cells hold each number of a membership grid, counted in one pass.
std::map<int32_t, size_t> CellsPerNumber(const MembershipGrid& cells) {
    std::map<int32_t, size_t> counts;
    if (cells.AllZero()) return counts;
    for (int layer = 0; layer < cells.Layers(); ++layer)
        for (int32_t value : cells.LayerValues(layer))
            if (value != 0) ++counts[value];
    return counts;
}

void PrintBoundaries(const GridData& grid, std::ostream& out) {
    out << "\nBoundaries:\n";
    const BoundaryTypeData& collectors = grid.Boundary(CollectorType);
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = grid.Boundary(type);
        const std::map<int32_t, size_t> cells = CellsPerNumber(grid.Memberships(type));
        out << "  " << BoundaryTypeName(type) << ": " << record.Count() << "\n";
        for (int i = 0; i < record.Count(); ++i) {
            const auto at = static_cast<size_t>(i);
            out << "    " << i + 1 << " \"" << record.names[at] << "\" colour "
                << Num(record.red[at]) << " " << Num(record.green[at]) << " "
                << Num(record.blue[at]) << ", " << (record.displayed[at] ? "shown" : "hidden")
                << ", " << (cells.contains(i + 1) ? cells.at(i + 1) : 0) << " cells";
            if (type == DrainType) {
                const int c = record.collectorIndex[at];
                if (c >= 0 && c < collectors.Count()) {
                    out << ", empties into collector " << c + 1 << " \""
                        << collectors.names[static_cast<size_t>(c)] << "\"";
                } else if (c == -1) {
                    out << ", empties into <none>";
                } else {
                    out << ", empties into collector index " << c << " (no such collector)";
                }
            }
            if (type == NaturalBoundaryType) {
                out << ", flux " << Num(record.flux[at]) << " m/day, water quality "
                    << Num(record.waterQuality[at]);
            }
            out << "\n";
        }
    }
}

void PrintCrops(const GridData& grid, std::ostream& out) {
    const int year = grid.Settings().simulationYear;
    out << "\nCrops (" << grid.CropParams().size() << "):\n";
    for (const CropParamData& c : grid.CropParams()) {
        out << "  \"" << c.cropName << "\": root depth " << Num(c.initialRootDepth) << " .. "
            << Num(c.maxRootDepth) << " cm, crop coefficients " << Num(c.cropC1) << " "
            << Num(c.cropC2) << " " << Num(c.cropC3) << ", planting day "
            << DayText(static_cast<int>(c.datePlanting), year) << ", stages end " << Num(c.stage1)
            << " " << Num(c.stage2) << " " << Num(c.stage3) << " days after planting, harvest "
            << Num(c.dateHarvest) << " days after planting\n";
    }
    const BoundaryTypeData& basins = grid.Contents().boundaries[BasinType];
    out << "Basins (" << basins.Count() << "):\n";
    for (int b = 0; b < basins.Count(); ++b) {
        const auto at = static_cast<size_t>(b);
        const std::string crop = grid.FindCropForBasin(basins.names[at]);
        out << "  " << b + 1 << " \"" << basins.names[at] << "\": crop "
            << (crop.empty() ? std::string("none") : "\"" + crop + "\"");
        if (at < grid.Irrigation().size()) {
            const IrrigationData& list = grid.Irrigation()[at];
            out << ", " << list.size() << " irrigation events";
            if (!list.empty()) {
                out << " from " << DateText(list.front().month, list.front().day, list.front().year)
                    << " to " << DateText(list.back().month, list.back().day, list.back().year);
            }
        }
        out << "\n    yield response factors:";
        for (const auto& list : grid.YieldResponseFactors()) {
            out << " " << (at < list.size() ? Num(list[at]) : "?");
        }
        out << "\n    salinity upper bounds:";
        for (const auto& list : grid.SalinityUpperBounds()) {
            out << " " << (at < list.size() ? Num(list[at]) : "?");
        }
        out << "\n";
    }
}

void PrintSettings(const GridData& grid, std::ostream& out) {
    const SimulationSettings& s = grid.Settings();
    out << "\nSettings:\n";
    out << "  simulation year " << s.simulationYear << ", start day "
        << DayText(s.simulationStart, s.simulationYear) << ", end day "
        << DayText(s.simulationEnd, s.simulationYear) << "\n";
    out << "  time steps: simulation " << Num(s.simulationTimeStep) << ", irrigation "
        << Num(s.irrigationTimeStep) << "\n";
    out << "  tolerance levels " << Num(s.toleranceLevel1) << " " << Num(s.toleranceLevel2)
        << ", tortuosity " << Num(s.tortuosity) << ", free diffusion " << Num(s.freeDiffusion)
        << ", porosity " << Num(s.porosity) << "\n";
    out << "  kv/kh ratio " << Num(s.kvKhRatio) << ", water compressibility "
        << Num(s.waterCompressibility) << ", dispersions (cm) " << Num(s.longitudinalDispersion)
        << " " << Num(s.horizontalDispersion) << " " << Num(s.verticalDispersion) << "\n";
    out << "  salt solver: " << (s.useSaltSolver != 0.0 ? "yes" : "no") << "\n";

    const int ps = s.pressureSaturationMethod;
    out << "Methods:\n";
    out << "  pressure saturation: " << NameOr(PressureSaturationMethodName(ps));
    if (ps >= 0 && ps < PressureSaturationMethodCount) {
        const auto m = static_cast<size_t>(ps);
        out << " (pore size " << Num(s.poreSize[m]) << ", residual moisture "
            << Num(s.residualMoisture[m]) << ", scale length " << Num(s.scaleLength[m]) << ")";
    }
    const int rg = s.rootGrowthMethod;
    out << "\n  root growth: " << NameOr(RootGrowthMethodName(rg));
    if (rg >= 0 && rg < RootGrowthMethodCount) {
        const auto m = static_cast<size_t>(rg);
        out << " (empirical constants " << Num(s.empiricalConstant1[m]) << " "
            << Num(s.empiricalConstant2[m]) << ")";
    }
    const int re = s.rootExtractionMethod;
    out << "\n  root extraction: " << NameOr(RootExtractionMethodName(re));
    if (re >= 0 && re < RootExtractionMethodCount) {
        const auto& values = s.rootExtractionParams[static_cast<size_t>(re)];
        const char* separator = " (";
        for (int k = 0; k < RootExtractionParamCount; ++k) {
            const char* label = RootExtractionParamLabel(re, k);
            if (label == nullptr) continue;
            out << separator << label << " " << Num(values[static_cast<size_t>(k)]);
            separator = ", ";
        }
        if (std::string(separator) == ", ") out << ")";
    }
    out << "\n  crop yield: " << NameOr(CropYieldMethodName(s.cropYieldMethod));
    out << "\n  K-weighting: " << NameOr(KWeightingMethodName(s.kWeightingMethod));
    out << "\n  equation type: " << NameOr(EquationTypeName(s.equationType));
    out << "\n  initial conditions: " << NameOr(InitialConditionsTypeName(s.initialConditionsType));
    out << "\nET period: ";
    if (s.ETPeriod.last == 0) {
        out << "none (no daily values)\n";
    } else {
        out << "day " << DayText(s.ETPeriod.first, s.simulationYear) << " to day "
            << DayText(s.ETPeriod.last, s.simulationYear) << ", " << s.DailyETUsage.size()
            << " daily values, " << Range(s.DailyETUsage) << "\n";
    }
}

void PrintOutputSelection(const GridData& grid, std::ostream& out) {
    out << "\nPrint dates (" << grid.PrintList().size() << "):";
    for (const PrintDataItem& item : grid.PrintList()) {
        out << " " << DateText(item.month, item.day, item.year);
    }
    out << "\n";
    std::map<int, size_t> perCode;
    size_t cells = 0;
    grid.TimeSeriesCellGrid().ForEach([&](const SelectionGrid::Cell& cell) {
        ++cells;
        for (int32_t code : cell.codes)
            ++perCode[code];
    });
    out << "Time series: " << grid.CountTimeSeriesSelections() << " selections in " << cells
        << " cells";
    for (const auto& [code, count] : perCode) {
        const bool known = code >= 0 && code < OutputParamCount;
        out << (code == perCode.begin()->first ? ": " : ", ")
            << (known ? OutputParam(code).text : std::to_string(code).c_str()) << " " << count;
    }
    out << "\nGrid output list:";
    if (grid.GridOutputParamList().empty()) out << " none";
    for (int32_t code : grid.GridOutputParamList()) {
        out << " " << (code >= 0 && code < OutputParamCount ? OutputParam(code).text : "?");
    }
    out << "\nOutput base name: "
        << (grid.OutputBaseName().empty() ? std::string("(none)") : grid.OutputBaseName()) << "\n";
}

int RunInfo(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, InfoCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 1) {
        return UsageError(InfoCommand, context, "expected one project file");
    }
    GridData grid;
    if (!ReadProjectFile(grid, parsed.positional[0])) return ExitFailure;
    std::ostream& out = context.out;
    out << "Project: " << parsed.positional[0] << "\n";
    PrintGrid(grid, out);
    PrintParameters(grid, out);
    PrintBoundaries(grid, out);
    PrintCrops(grid, out);
    PrintSettings(grid, out);
    PrintOutputSelection(grid, out);
    return ExitSuccess;
}

} // namespace

const Command InfoCommand{
    "info", "info IN.kvp", "summarise a project",
    "Reads IN.kvp and prints what it holds: the model kind and file version, the grid's\n"
    "dimensions and extents, every parameter with its value range, the boundaries of each\n"
    "kind (names, colours, shown or hidden, their cells, the collector each drain empties\n"
    "into, the natural boundaries' flux and water quality), crops and basins with their\n"
    "crop, irrigation and yield data, the settings and method choices by name, the ET\n"
    "period, the print dates, the time-series selections counted per output quantity, the\n"
    "grid output list and the output base name.\n\n"
    "Day numbers are shown with their date (month/day/year) in the simulation year.\n"
    "A project that cannot be read is reported on standard error, exit status 1.\n",
    RunInfo};

} // namespace korva::cli
