#include "resultwriter.h"

#include "files/numberformat.h"
#include "files/replacingfile.h"
#include "model/outputselection.h"
#include "outputquantities.h"

#include <algorithm>
#include <ostream>

namespace korva {

ResultWriter::ResultWriter(const SolverModel& model, std::string basePath)
    : model_(model), base_(std::move(basePath)) {
    series_.resize(model_.series.size());
    averages_.resize(OutputParamCount);
}

std::string ResultWriter::GridOutputPath(int index) const {
    return base_ + "-" + std::to_string(index) + ".kvo";
}

bool ResultWriter::Record(const SolverState& state, int day) {
    times_.push_back(day);
    for (size_t i = 0; i < model_.series.size(); ++i) {
        const SeriesSelection& s = model_.series[i];
        series_[i].push_back(OutputValue(model_, state, s.code, s.layer, s.row, s.column));
    }
    for (int code = 0; code < OutputParamCount; ++code) {
        const bool used = std::any_of(model_.series.begin(), model_.series.end(),
                                      [code](const SeriesSelection& s) { return s.code == code; });
        if (used) averages_[code].push_back(OutputAverage(model_, state, code));
    }
    if (std::binary_search(model_.printDays.begin(), model_.printDays.end(), day)) {
        written_.push_back(day);
        return WriteGridOutput(state, day, static_cast<int>(written_.size()));
    }
    return true;
}

bool ResultWriter::WriteGridOutput(const SolverState& state, int day, int index) {
    const std::string path = GridOutputPath(index);
    ReplacingFile file(path);
    if (!file.IsOpen()) {
        error_ = "Unable to open " + path + " for writing: " + file.ErrorText() + ".";
        return false;
    }
    std::ostream& out = file.Stream();
    int layered = 0;
    for (int code : model_.gridOutputs)
        layered += IsLayeredOutput(code) ? 1 : 0;
    const int surface = static_cast<int>(model_.gridOutputs.size()) - layered;
    out << "KORVA reference solver grid output for day " << day << "\n";
    out << layered << " " << surface << "\n";
    out << model_.rows << " " << model_.columns << " " << model_.layers << "\n";
    for (int code : model_.gridOutputs)
        out << OutputQuantityName(code) << "\n";
    std::string line;
    for (int code : model_.gridOutputs) {
        const int layers = IsLayeredOutput(code) ? model_.layers : 1;
        for (int l = 0; l < layers; ++l) {
            for (int r = 0; r < model_.rows; ++r) {
                line.clear();
                for (int c = 0; c < model_.columns; ++c) {
                    if (c > 0) line += ' ';
                    AppendNumber(line, OutputValue(model_, state, code, l, r, c));
                }
                line += '\n';
                out << line;
            }
        }
    }
    if (!file.Commit()) {
        error_ = "Unable to write " + path + ": " + file.ErrorText() + ".";
        return false;
    }
    return true;
}

bool ResultWriter::WriteDayFile() {
    const std::string path = base_ + ".day";
    ReplacingFile file(path);
    if (!file.IsOpen()) {
        error_ = "Unable to open " + path + " for writing: " + file.ErrorText() + ".";
        return false;
    }
    std::ostream& out = file.Stream();
    out << model_.firstDay << " " << model_.endDay << "\n" << written_.size() << "\n";
    for (int day : written_)
        out << day << "\n";
    if (!file.Commit()) {
        error_ = "Unable to write " + path + ": " + file.ErrorText() + ".";
        return false;
    }
    return true;
}

bool ResultWriter::WriteSeriesFiles() {
    for (int code = 0; code < OutputParamCount; ++code) {
        if (averages_[code].empty()) continue;
        const std::string text = OutputParam(code).text;
        const std::string path = base_ + "_" + text + ".tss";
        ReplacingFile file(path);
        if (!file.IsOpen()) {
            error_ = "Unable to open " + path + " for writing: " + file.ErrorText() + ".";
            return false;
        }
        std::ostream& out = file.Stream();
        // Each series: a header whose last character the reader drops, the
        // points, and an empty line. Cells are named by their 0-based row (x),
        // column (y) and, for layered quantities, layer (z).
        auto writeSeries = [&](const std::string& header, const std::vector<double>& values) {
            std::string block = header + ":\n";
            for (size_t i = 0; i < values.size() && i < times_.size(); ++i) {
                AppendNumber(block, times_[i]);
                block += ' ';
                AppendNumber(block, values[i]);
                block += '\n';
            }
            block += '\n';
            out << block;
        };
        for (size_t i = 0; i < model_.series.size(); ++i) {
            const SeriesSelection& s = model_.series[i];
            if (s.code != code) continue;
            std::string header =
                text + "_x" + std::to_string(s.row) + "y" + std::to_string(s.column);
            if (s.layer >= 0) header += "z" + std::to_string(s.layer);
            writeSeries(header, series_[i]);
        }
        writeSeries("Average " + text, averages_[code]);
        if (!file.Commit()) {
            error_ = "Unable to write " + path + ": " + file.ErrorText() + ".";
            return false;
        }
    }
    return true;
}

bool ResultWriter::Finish() {
    return WriteDayFile() && WriteSeriesFiles();
}

} // namespace korva
