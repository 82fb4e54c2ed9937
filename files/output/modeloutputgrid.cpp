#include "files/output/modeloutputgrid.h"

#include "files/output/modeloutputscanner.h"
#include "model/messages.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace korva {

namespace {

std::string Quoted(std::string_view line) {
    return "\"" + std::string(line) + "\"";
}

// Some runtimes print an undefined number as "-1.#IND"; others as "nan".
bool LooksUndefined(std::string_view token) {
    return token.find("IND") != std::string_view::npos;
}

// a * b, or false when it would not fit.
bool Multiply(std::size_t a, std::size_t b, std::size_t& product) {
    if (a != 0 && b > std::numeric_limits<std::size_t>::max() / a) return false;
    product = a * b;
    return true;
}

// Gives one output time of output its value arrays, every value -9999.
void SizeTime(const KORVAOutputData& output, KORVAOutputTimeData& time,
              const OutputGridShape& grid) {
    time.values.Assign(output.kind == 3 ? grid.layers : 1, grid.rows, grid.columns, NoDataValue);
}

// Reads one quantity's values of one time from the scanner's position. False,
// with a message, when the file ends first.
bool ReadQuantityValues(ModelOutputScanner& scanner, KORVAOutputTimeData& slot,
                        const std::string& name, const std::string& path, double time) {
    const char* p = scanner.Position();
    const char* end = scanner.End();
    bool reported = false;
    auto report = [&] {
        if (reported) return;
        reported = true;
        ShowMessage("Error in parameter " + name + ", time " + FormatForMessage(time) + "\n");
    };
    // The file lists the values layer by layer, row by row: the store's own order.
    for (double& cell : slot.values.Cells()) {
        while (p != end && IsCSpace(*p))
            ++p;
        if (p == end) {
            scanner.SetPosition(p);
            ShowMessage("Unexpected end of file " + path + " in parameter " + name + ", time " +
                        FormatForMessage(time));
            return false;
        }
        const char* token = p;
        double value = 0.0;
        if (!ScanCNumber(p, end, value)) value = 0.0; // not a number: 0
        if (p != end && !IsCSpace(*p)) {
            // Text after the number belongs to the same token.
            if (p == token) ++p;
            while (p != end && !IsCSpace(*p))
                ++p;
            if (LooksUndefined(std::string_view(token, static_cast<std::size_t>(p - token))))
                report();
        }
        if (!std::isfinite(value)) {
            // An infinity or NaN has no place on a colour scale or in
            // a value range: the cell has no value.
            report();
            value = NoDataValue;
        }
        cell = value;
    }
    scanner.SetPosition(p);
    return true;
}

} // namespace

GridOutputStatus ReadGridOutputText(std::vector<KORVAOutputData>& outputs, std::string_view text,
                                    const std::string& path, const OutputGridShape& grid,
                                    std::size_t timeIndex, std::size_t timeCount, double time) {
    if (timeIndex >= timeCount)
        throw std::invalid_argument("output time " + std::to_string(timeIndex) + " of " +
                                    std::to_string(timeCount));
    ModelOutputScanner scanner(text);
    std::string_view line;
    scanner.NextLine(line); // line 1 is the solver's own

    if (!scanner.NextLine(line)) line = {};
    const char* p = line.data();
    const char* end = line.data() + line.size();
    int layered = 0;
    int surface = 0;
    if (!ScanCInt(p, end, layered) || !ScanCInt(p, end, surface) || layered < 0 || surface < 0) {
        ShowMessage("Unable to read number of parameters from line 2 in " + path + "; line is " +
                    Quoted(line));
        return GridOutputStatus::FormatError;
    }
    const std::string countLine(line);

    if (!scanner.NextLine(line)) line = {};
    p = line.data();
    end = line.data() + line.size();
    int rows = 0;
    int columns = 0;
    int layers = 0;
    if (!ScanCInt(p, end, rows) || !ScanCInt(p, end, columns) || !ScanCInt(p, end, layers)) {
        ShowMessage("Unable to read grid dimensions from line 3 in " + path + "; line is " +
                    Quoted(line));
        return GridOutputStatus::FormatError;
    }
    if (rows != grid.rows || columns != grid.columns || layers != grid.layers)
        return GridOutputStatus::DimensionMismatch;
    if (grid.rows <= 0 || grid.columns <= 0 || grid.layers <= 0)
        return GridOutputStatus::DimensionMismatch;

    const std::size_t quantityCount =
        static_cast<std::size_t>(layered) + static_cast<std::size_t>(surface);
    // Every quantity has a name line: a count beyond the lines the file can
    // still hold is a broken file.
    if (quantityCount > scanner.Remaining()) {
        ShowMessage("Number of parameters on line 2 of " + path +
                    " exceeds what the file holds; line is " + Quoted(countLine));
        return GridOutputStatus::FormatError;
    }
    if (timeIndex != 0) {
        std::size_t storedLayered = 0;
        bool sameTimes = true;
        for (const auto& output : outputs) {
            storedLayered += output.kind == 3 ? 1 : 0;
            sameTimes = sameTimes && output.times.size() == timeCount;
        }
        if (outputs.size() != quantityCount || storedLayered != static_cast<std::size_t>(layered) ||
            !sameTimes) {
            ShowMessage("Number of parameters on line 2 of " + path +
                        " differs from the first output time; line is " + Quoted(countLine));
            return GridOutputStatus::FormatError;
        }
    }
    std::vector<std::string> names;
    names.reserve(quantityCount);
    for (std::size_t q = 0; q < quantityCount; ++q) {
        if (!scanner.NextLine(line)) {
            ShowMessage("Unable to read parameter names from " + path);
            return GridOutputStatus::FormatError;
        }
        names.emplace_back(TrimRight(line));
    }

    // Each value takes at least two characters (a digit and a separator), so
    // the file's size bounds the values it can hold before anything is sized.
    const std::size_t cells =
        static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns);
    std::size_t perTime = 0;
    std::size_t layeredValues = 0;
    if (!Multiply(static_cast<std::size_t>(layered), static_cast<std::size_t>(grid.layers),
                  layeredValues) ||
        !Multiply(layeredValues + static_cast<std::size_t>(surface), cells, perTime) ||
        perTime > scanner.Remaining() / 2 + 1) {
        ShowMessage("Unexpected end of file " + path + ": it holds fewer values than " +
                    std::to_string(layered) + " per-layer and " + std::to_string(surface) +
                    " surface parameters need on a grid of " + std::to_string(grid.rows) +
                    " rows, " + std::to_string(grid.columns) + " columns and " +
                    std::to_string(grid.layers) + " layers");
        return GridOutputStatus::FormatError;
    }
    if (timeIndex == 0) {
        // Every time gets its record now, its values only when its own file
        // is read: a list of times longer than the files that exist then
        // costs no memory for values that can never come.
        outputs.assign(quantityCount, KORVAOutputData{});
        for (std::size_t q = 0; q < quantityCount; ++q) {
            outputs[q].kind = q < static_cast<std::size_t>(layered) ? 3 : 2;
            outputs[q].times.assign(timeCount, KORVAOutputTimeData{});
        }
    }
    for (auto& output : outputs)
        SizeTime(output, output.times[timeIndex], grid);
    // Each file names the quantities again.
    for (std::size_t q = 0; q < quantityCount; ++q)
        outputs[q].name = std::move(names[q]);

    for (auto& output : outputs) {
        if (!ReadQuantityValues(scanner, output.times[timeIndex], output.name, path, time))
            return GridOutputStatus::FormatError;
        if (output.name == SaltConcentrationName) {
            output.lowColor = {0.0, 1.0, 0.0};
            output.highColor = {1.0, 0.0, 0.0};
        }
    }
    return GridOutputStatus::Read;
}

void RecomputeOutputRange(KORVAOutputData& output) {
    bool found = false;
    double minimum = NoDataValue;
    double maximum = NoDataValue;
    for (const auto& time : output.times) {
        for (double value : time.values.Cells()) {
            if (value == NoDataValue) continue;
            if (!found) {
                minimum = maximum = value;
                found = true;
            } else if (value < minimum) {
                minimum = value;
            } else if (value > maximum) {
                maximum = value;
            }
        }
    }
    output.minimum = minimum;
    output.maximum = maximum;
}

} // namespace korva
