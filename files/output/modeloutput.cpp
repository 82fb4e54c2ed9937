#include "files/output/modeloutput.h"

#include "files/output/modeloutputday.h"
#include "files/output/modeloutputgrid.h"
#include "files/output/modeloutputscanner.h"
#include "files/output/modeloutputseries.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <cmath>
#include <new>
#include <stdexcept>

namespace korva {

namespace {

constexpr std::string_view WaterTableElevationName = "WE WATER TABLE ELEVATION";

// The day number of an output time: its number truncated toward zero, kept
// within a span the calendar can walk quickly (some ten thousand years).
int DayNumberOfTime(double time) {
    constexpr double limit = 4.0e6;
    if (!std::isfinite(time)) return 0;
    if (time > limit) return static_cast<int>(limit);
    if (time < -limit) return static_cast<int>(-limit);
    return static_cast<int>(std::trunc(time));
}

// Reads the ".day" file and the grid files; 1 or 0 as ReadModelOutput.
int ReadGridOutputs(OutputStore& store, const std::string& base, const OutputGridShape& shape,
                    const OutputFileReader& readFile) {
    std::string text;
    if (!readFile(OutputTimeListPath(base), text)) {
        store.gridOutputs.clear();
        return 1;
    }
    OutputTimeList list;
    if (!ParseOutputTimeList(text, OutputTimeListPath(base), list)) return 0;
    store.gridOutputs.clear();

    const std::size_t count = list.times.size();
    int result = 1;
    for (std::size_t k = 1; k <= count; ++k) {
        const std::string path = GridOutputPath(base, static_cast<int>(k));
        if (!readFile(path, text)) {
            ShowMessage("Warning: Unable to open file " + path + " for reading.");
            break;
        }
        const GridOutputStatus status = ReadGridOutputText(store.gridOutputs, text, path, shape,
                                                           k - 1, count, list.times[k - 1]);
        if (status != GridOutputStatus::Read) {
            result = 0;
            break;
        }
    }
    text.clear();
    text.shrink_to_fit();
    // Every time of the list carries its number, also past a missing file:
    // those times have no values but their dates are known.
    for (auto& output : store.gridOutputs) {
        for (std::size_t k = 0; k < output.times.size() && k < count; ++k)
            output.times[k].time = list.times[k];
        RecomputeOutputRange(output);
    }
    return result;
}

void ReadSeriesFiles(OutputStore& store, const std::string& base,
                     const OutputFileReader& readFile) {
    std::string text;
    for (int code = 0; code < OutputParamCount; ++code) {
        auto& cells = store.cellSeries[static_cast<std::size_t>(code)];
        auto& averages = store.averageSeries[static_cast<std::size_t>(code)];
        cells.clear();
        averages.clear();
        if (!readFile(TimeSeriesPath(base, code), text)) continue;
        ParseTimeSeriesText(text, cells, averages);
        SortCellSeries(cells);
    }
}

} // namespace

std::string OutputTimeListPath(const std::string& base) {
    return base + ".day";
}

std::string GridOutputPath(const std::string& base, int k) {
    return base + "-" + std::to_string(k) + ".kvo";
}

std::string TimeSeriesPath(const std::string& base, int code) {
    return base + "_" + OutputParam(code).text + ".tss";
}

void PostProcessModelOutput(const GridData& grid, OutputStore& store) {
    auto& outputs = store.gridOutputs;
    const int year = grid.Settings().simulationYear;
    for (auto& output : outputs) {
        for (auto& time : output.times) {
            const CalendarDate date = DayNumberToDate(DayNumberOfTime(time.time), year);
            time.month = date.month;
            time.day = date.day;
            time.year = date.year;
            time.time = -1.0;
        }
    }

    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    for (auto& output : outputs) {
        if (output.name != WaterTableElevationName) continue;
        output.minimum = NoDataValue;
        output.maximum = NoDataValue;
        for (auto& time : output.times) {
            if (time.values.Layers() == 0) continue;
            for (int r = 0; r < time.values.Rows(); ++r) {
                for (int c = 0; c < time.values.Columns(); ++c) {
                    double& value = time.values(0, r, c);
                    if (value == NoDataValue) continue;
                    double g = NoDataValue;
                    const bool known = ground >= 0 && r < grid.NumRows() && c < grid.NumColumns() &&
                                       grid.GetValue(ground, 0, r, c, g);
                    // Without a ground elevation the depth is unknown; the
                    // elevation itself must not pass for a depth.
                    value = known ? g - value : NoDataValue;
                }
            }
        }
        RecomputeOutputRange(output);
    }
}

int ReadModelOutput(GridData& grid, const std::string& basePath, int rows, int columns,
                    int layers) {
    return ReadModelOutput(grid, basePath, rows, columns, layers, ReadWholeFile);
}

int ReadModelOutput(GridData& grid, const std::string& basePath, int rows, int columns, int layers,
                    const OutputFileReader& readFile) {
    if (!basePath.empty()) grid.SetOutputBaseName(basePath);
    // The store moves out and back, never copied: a read that stops early
    // leaves what it had replaced so far, as the files were read.
    OutputStore store = std::move(ReaderContents(grid).outputs);
    const int result =
        ReadModelOutputStore(grid, grid.OutputBaseName(), rows, columns, layers, store, readFile);
    grid.InstallOutputs(std::move(store));
    return result;
}

int ReadModelOutputStore(const GridData& grid, const std::string& base, int rows, int columns,
                         int layers, OutputStore& store, const OutputFileReader& readFile) {
    if (base.empty()) return 0;
    try {
        if (ReadGridOutputs(store, base, OutputGridShape{rows, columns, layers}, readFile) == 0)
            return 0;
        ReadSeriesFiles(store, base, readFile);
        PostProcessModelOutput(grid, store);
        return 1;
    } catch (const std::bad_alloc&) {
        store.gridOutputs.clear();
        ShowMessage("Not enough memory to read the model output " + base);
        return 0;
    } catch (const std::length_error&) {
        store.gridOutputs.clear();
        ShowMessage("Not enough memory to read the model output " + base);
        return 0;
    }
}

} // namespace korva
