#include "solverrun.h"

#include "files/inputset/inputset.h"
#include "files/numberformat.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "outputquantities.h"
#include "resultwriter.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace korva {

namespace {

// The input reader's messages go to the solver's error stream.
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text) override { err_ << text << std::endl; }

private:
    std::ostream& err_;
};

const char* const MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string DateText(int day, int year) {
    const CalendarDate d = DayNumberToDate(day, year);
    if (d.month < 1 || d.month > 12) return "day " + std::to_string(day);
    return std::string(MonthNames[d.month - 1]) + " " + std::to_string(d.day) + ", " +
           std::to_string(d.year);
}

double MeanWaterTable(const SolverModel& m, const SolverState& st) {
    double sum = 0;
    int count = 0;
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            const double t = WaterTableElevation(m, st, r, c);
            if (t < 0) continue;
            sum += t;
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

std::string Number(double v) {
    return FormatNumber(std::fabs(v) < 1e-9 ? 0.0 : v);
}

} // namespace

int RunSolver(int kind, const std::string& basePath, std::ostream& out, std::ostream& err) {
    const char* label = kind == 0 ? "2D" : "3D";
    GridData grid;
    grid.ResetModel(kind);
    InputSetExtras extras;
    {
        StreamMessageSink sink(err);
        ScopedMessageSink scope(sink);
        if (!ReadModelInputFiles(grid, basePath, &extras)) {
            err << "Unable to read the input set " << basePath << "." << std::endl;
            return 1;
        }
    }
    if (grid.Settings().simulationStart < 0 || grid.Settings().simulationEnd < 0) {
        err << "The simulation period of " << basePath << " holds an impossible date." << std::endl;
        return 1;
    }

    const SolverModel model(grid, extras.runDailyET);
    if (!model.Problem().empty()) {
        err << "Unable to simulate " << basePath << ": " << model.Problem() << std::endl;
        return 1;
    }
    SolverState state(model);
    ResultWriter writer(model, basePath);

    const std::string logPath = basePath + ".log";
    // The log grows while the run goes on, so it cannot be written aside and
    // renamed; a link planted under its name is removed first instead of
    // being written through.
    std::error_code removeError;
    if (std::filesystem::is_symlink(logPath, removeError))
        std::filesystem::remove(logPath, removeError);
    std::ofstream log(logPath, std::ios::trunc);
    if (!log) {
        err << "Unable to open " << logPath << " for writing." << std::endl;
        return 1;
    }
    const int days = model.endDay - model.firstDay;
    // Every status line carries the percentage complete as its third word.
    log << "KORVA " << label << " 0 percent complete, " << days << " days from "
        << DateText(model.firstDay, model.year) << std::endl;
    out << "KORVA reference solver (" << label << "): " << model.rows << " rows, " << model.columns
        << " columns, " << model.layers << " layers, " << days << " days" << std::endl;

    const double water0 = state.StoredWater();
    const double salt0 = state.StoredSalt();
    DayBalance total;
    if (!writer.Record(state, model.firstDay)) {
        err << writer.Error() << std::endl;
        return 1;
    }
    for (int i = 0; i < days; ++i) {
        const int day = state.day;
        const DayBalance balance = StepDay(model, state);
        total.Add(balance);
        if (!writer.Record(state, state.day)) {
            err << writer.Error() << std::endl;
            return 1;
        }
        const int percent = static_cast<int>((100LL * (i + 1)) / days);
        log << "Day " << day << " " << percent << " percent complete" << std::endl;
        out << "Day " << day << " (" << DateText(day, model.year) << "): irrigation "
            << Number(balance.irrigation) << " m3, ET " << Number(balance.evapotranspiration)
            << " m3, drainage " << Number(balance.drainage) << " m3, mean water table "
            << Number(MeanWaterTable(model, state)) << " m" << std::endl;
    }
    if (!writer.Finish()) {
        err << writer.Error() << std::endl;
        return 1;
    }
    const double waterChange = state.StoredWater() - water0;
    const double saltChange = state.StoredSalt() - salt0;
    out << "Water balance: inflow " << Number(total.WaterIn()) << " m3, outflow "
        << Number(total.WaterOut()) << " m3, change in storage " << Number(waterChange)
        << " m3, error " << Number(total.WaterIn() - total.WaterOut() - waterChange) << " m3"
        << std::endl;
    out << "Salt balance: inflow " << Number(total.SaltIn()) << ", outflow "
        << Number(total.SaltOut()) << ", change in storage " << Number(saltChange) << ", error "
        << Number(total.SaltIn() - total.SaltOut() - saltChange) << std::endl;
    log << "Finished " << days << " 100 percent complete" << std::endl;
    return 0;
}

int SolverMain(int kind, int argc, char** argv) {
    const char* name = kind == 0 ? "korva_model2d" : "korva_model3d";
    if (argc != 2 || argv[1][0] == '\0') {
        std::cerr
            << "usage: " << name << " BASE\n"
            << "Reads the input set BASE.kvi, BASE.irr, ... in the current folder, simulates\n"
            << "the run and writes BASE.log, BASE.day, BASE-N.kvo and BASE_CODE.tss.\n";
        return 2;
    }
    return RunSolver(kind, argv[1], std::cout, std::cerr);
}

} // namespace korva
