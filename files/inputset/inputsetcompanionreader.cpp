// Reads the seven companion files of the input set back into a model.
#include "files/inputset/inputsetformat.h"
#include "files/inputset/inputsetreader.h"
#include "files/inputset/inputsetscanner.h"
#include "model/calendar.h"
#include "model/errors.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <string>

namespace korva {
namespace {

int32_t ReadDayNumber(InputSetScanner& in, const char* what) {
    return static_cast<int32_t>(in.ReadBounded(what, -MaxDayNumber, MaxDayNumber));
}

int32_t ReadOutputCode(InputSetScanner& in) {
    const std::string text(in.NextToken("a time-series parameter code"));
    const int code = OutputParamCodeFromText(text.c_str());
    if (code < 0) throw InputError("Error: Unknown time series parameter in .tsi file: " + text);
    return code;
}

// A method number outside its list would index past the per-method
// constants: it is reported and the list's first method is used instead.
int32_t CheckedMethod(long long method, int count, const char* warning) {
    if (method >= 0 && method < count) return static_cast<int32_t>(method);
    ShowMessage(warning);
    return 0;
}

} // namespace

void ReadIrrigationFile(GridData& grid, InputSetScanner& in) {
    const int year = ReaderContents(grid).settings.simulationYear;
    for (IrrigationData& items : ReaderContents(grid).irrigation) {
        // Each item takes at least three values of two bytes.
        items.resize(in.ReadCount("the number of irrigation items", 6));
        for (IrrigationDataItem& item : items) {
            const CalendarDate date =
                DayNumberToDate(ReadDayNumber(in, "an irrigation day number"), year);
            item.month = date.month;
            item.day = date.day;
            item.year = date.year;
        }
        for (IrrigationDataItem& item : items)
            item.amount = in.ReadDouble("an irrigation amount");
        for (IrrigationDataItem& item : items)
            item.saltConcentration = in.ReadDouble("an irrigation salt concentration");
    }
}

void ReadTimeSeriesFile(GridData& grid, InputSetScanner& in) {
    // Each line is at least "WE 0 0" and a line end.
    const size_t count = in.ReadCount("the number of time-series cells", 7);
    const int rows = grid.NumRows();
    const int cols = grid.NumColumns();
    const int layers = grid.NumLayers();
    // A surface quantity's line carries no layer. The lines come layer by
    // layer, so it is given the first layer that keeps that order: then the
    // writer lists the selections again exactly as they were.
    int lastLayer = 0, lastRow = 0, lastCol = 0;
    for (size_t i = 0; i < count; ++i) {
        const int32_t code = ReadOutputCode(in);
        const int row = static_cast<int>(in.ReadBounded("a time-series row", 0, rows - 1));
        const int col = static_cast<int>(in.ReadBounded("a time-series column", 0, cols - 1));
        int layer = 0;
        if (IsLayeredOutput(code)) {
            layer = static_cast<int>(in.ReadBounded("a time-series layer", 0, layers - 1));
        } else {
            const bool sameLayerKeepsOrder = row > lastRow || (row == lastRow && col >= lastCol);
            layer = sameLayerKeepsOrder || lastLayer + 1 >= layers ? lastLayer : lastLayer + 1;
        }
        ReaderContents(grid).TimeSeriesCellGrid.Append(layer, row, col, code);
        lastLayer = layer;
        lastRow = row;
        lastCol = col;
    }
    const size_t gridCodes = in.ReadCount("the number of grid output codes", 3);
    ReaderContents(grid).GridOutputParamList.clear();
    for (size_t i = 0; i < gridCodes; ++i)
        ReaderContents(grid).GridOutputParamList.push_back(ReadOutputCode(in));
}

void ReadMethodFile(GridData& grid, InputSetScanner& in) {
    SimulationSettings& s = ReaderContents(grid).settings;
    s.pressureSaturationMethod = CheckedMethod(
        in.ReadInteger("the pressure-saturation method") - 1LL, PressureSaturationMethodCount,
        "Warning: unsupported pressure saturation function read; switching to Brooks Corey.");
    s.rootGrowthMethod = CheckedMethod(
        in.ReadInteger("the root-growth method") - 1LL, RootGrowthMethodCount,
        "Warning: unsupported root growth function read; switching to Rasmussen & Hanks.");
    s.rootExtractionMethod = CheckedMethod(
        in.ReadInteger("the root-extraction method") - 1LL, RootExtractionMethodCount,
        "Warning: unsupported root extraction function read; switching to Van Genuchten.");
    s.cropYieldMethod =
        CheckedMethod(in.ReadInteger("the crop-yield method") - 1LL, 1,
                      "Warning: unsupported crop yield function read; switching to Yield Model 1.");
    s.kWeightingMethod = CheckedMethod(
        in.ReadInteger("the K-weighting method"), KWeightingMethodCount,
        "Warning: unsupported K-weighting method read; switching to Upstream Weighting.");
    s.equationType =
        CheckedMethod(in.ReadInteger("the equation type"), EquationTypeCount,
                      "Warning: unsupported equation type read; switching to Mass Balance.");
    s.initialConditionsType = CheckedMethod(
        in.ReadInteger("the initial-conditions type"), InitialConditionsTypeCount,
        "Warning: unsupported initial conditions type read; switching to User Defined.");

    const auto ps = static_cast<size_t>(s.pressureSaturationMethod);
    s.poreSize[ps] = in.ReadDouble("the pore size");
    s.scaleLength[ps] = in.ReadDouble("the scale length");
    s.residualMoisture[ps] = in.ReadDouble("the residual moisture");
    s.empiricalConstant1[RASMUSSEN_HANKS] = in.ReadDouble("a root-growth constant");
    s.empiricalConstant2[RASMUSSEN_HANKS] = in.ReadDouble("a root-growth constant");
    s.empiricalConstant1[HANKS_HILL] = in.ReadDouble("a root-growth constant");
    s.empiricalConstant2[HANKS_HILL] = in.ReadDouble("a root-growth constant");
    auto& re = s.rootExtractionParams;
    const char* what = "a root-extraction parameter";
    re[HILLEL][0] = in.ReadDouble(what);
    re[HILLEL][1] = in.ReadDouble(what);
    re[FEDDES][0] = in.ReadDouble(what);
    re[GARDNER][0] = in.ReadDouble(what);
    re[HERKELRATH][0] = in.ReadDouble(what);
    for (size_t p = 0; p < 4; ++p)
        re[VAN_GENUCHTEN][p] = in.ReadDouble(what);
    const auto method = static_cast<size_t>(s.rootExtractionMethod);
    for (int position : RootExtractionLastLine(s.rootExtractionMethod)) {
        const double value = in.ReadDouble(what);
        if (position >= 0) re[method][static_cast<size_t>(position)] = value;
    }
}

void ReadConnectivityFile(GridData& grid, InputSetScanner& in) {
    std::vector<int32_t>& collectorOf = ReaderContents(grid).boundaries[DrainType].collectorIndex;
    const long long drains = ReaderContents(grid).boundaries[DrainType].Count();
    const long long collectors = ReaderContents(grid).boundaries[CollectorType].Count();
    for (long long c = 0; c < collectors; ++c) {
        const auto collector =
            static_cast<int32_t>(in.ReadBounded("a collector index", 0, collectors - 1));
        // A drain empties into one collector, so no collector has more drains than there are.
        const long long count = in.ReadBounded("the number of drains of a collector", 0, drains);
        for (long long k = 0; k < count; ++k) {
            const long long drain = in.ReadBounded("a drain index", 0, INT32_MAX);
            if (drain >= drains)
                throw GenericError("No drain exists for index " + std::to_string(drain) + ".");
            collectorOf[static_cast<size_t>(drain)] = collector;
        }
    }
}

void ReadDailyETFile(GridData& grid, InputSetScanner& in, std::vector<double>& runDailyET) {
    // Line i belongs to simulated day S + i; it returns into the daily list
    // where that day lies in the ET period.
    const long long start = ReaderContents(grid).settings.simulationStart;
    const long long days =
        std::max<long long>(0, ReaderContents(grid).settings.simulationEnd - start);
    const long long first = ReaderContents(grid).settings.ETPeriod.first;
    const long long last = ReaderContents(grid).settings.ETPeriod.last;
    std::vector<double>& usage = ReaderContents(grid).settings.DailyETUsage;
    runDailyET.clear();
    runDailyET.reserve(static_cast<size_t>(std::min<long long>(days, in.Text().size() / 4)));
    for (long long i = 0; i < days; ++i) {
        in.ReadDouble("the day counter of an ET line");
        const double value = in.ReadDouble("a daily ET value");
        runDailyET.push_back(value);
        const long long day = start + i;
        if (day >= first && day <= last && static_cast<size_t>(day - first) < usage.size())
            usage[static_cast<size_t>(day - first)] = value;
    }
}

void ReadYieldFile(GridData& grid, InputSetScanner& in) {
    const auto basins = static_cast<size_t>(ReaderContents(grid).boundaries[BasinType].Count());
    for (size_t b = 0; b < basins; ++b)
        for (auto& list : ReaderContents(grid).YieldResponseFactors)
            list[b] = in.ReadDouble("a yield response factor");
    for (size_t b = 0; b < basins; ++b)
        for (auto& list : ReaderContents(grid).SalinityUpperBounds)
            list[b] = in.ReadDouble("a salinity upper bound");
}

void ReadPrintFile(GridData& grid, InputSetScanner& in) {
    const size_t count = in.ReadCount("the number of print dates", 2);
    ReaderContents(grid).printList.clear();
    for (size_t i = 0; i < count; ++i) {
        const CalendarDate date = DayNumberToDate(ReadDayNumber(in, "a print day number"),
                                                  ReaderContents(grid).settings.simulationYear);
        ReaderContents(grid).printList.push_back(PrintDataItem{date.month, date.day, date.year});
    }
}

} // namespace korva
