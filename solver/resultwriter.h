#pragma once
// Writes a run's results beside its input: the list of output times
// (base.day), the whole grid at each of them (base-N.kvo, N from 1) and the
// selected time series with their field averages (base_CODE.tss).
#include "solverstate.h"

#include <string>
#include <vector>

namespace korva {

class ResultWriter {
public:
    ResultWriter(const SolverModel& model, std::string basePath);

    // Takes the values of day (the state at the start of that day) into every
    // time series, and writes the grid output when day is a print day.
    // False when a grid output file cannot be written; error then says why.
    bool Record(const SolverState& state, int day);
    // Writes base.day and the series files; call after the last day.
    bool Finish();

    const std::string& Error() const { return error_; }
    // The path of the grid output of output time index (counted from 1).
    std::string GridOutputPath(int index) const;

private:
    bool WriteGridOutput(const SolverState& state, int day, int index);
    bool WriteDayFile();
    bool WriteSeriesFiles();

    const SolverModel& model_;
    std::string base_;
    std::vector<int> written_;                  // print days written so far
    std::vector<double> times_;                 // days of the series points
    std::vector<std::vector<double>> series_;   // per selection of the model
    std::vector<std::vector<double>> averages_; // per output code, empty when unused
    std::string error_;
};

} // namespace korva
