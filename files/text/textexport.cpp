#include "files/text/textexport.h"

#include "files/numberformat.h"
#include "files/replacingfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <ostream>
#include <stdexcept>
#include <string>

namespace korva {

namespace {

void AppendCounts(std::string& text, int layers, int rows, int columns) {
    text += ", L,R,C = ";
    text += std::to_string(layers);
    text += ", ";
    text += std::to_string(rows);
    text += ", ";
    text += std::to_string(columns);
    text += '\n';
}

// Writes rows x columns values of one layer, row by row; value(row, column).
template <typename Value>
void WriteLayer(std::ostream& out, std::string& buffer, int rows, int columns, Value value) {
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            AppendNumber(buffer, value(r, c));
            buffer += '\t';
        }
        buffer += '\n';
        if (buffer.size() > (1u << 16)) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
}

void Flush(std::ostream& out, std::string& buffer) {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

// The export replaces an older file of the name only once it is complete: a
// full disk must neither pass for a finished export nor cost the old one.
template <typename Writer> bool WriteExportFile(const std::string& path, Writer write) {
    ReplacingFile file(path);
    if (!file.IsOpen()) {
        ShowMessage("Unable to open output export file " + path);
        return false;
    }
    write(file.Stream());
    if (!file.Commit()) {
        ShowMessage("Unable to write output export file " + path);
        return false;
    }
    return true;
}

} // namespace

void WriteParameterExport(const GridData& grid, int paramIndex, std::ostream& out) {
    if (paramIndex < 0 || paramIndex >= grid.ParameterCount())
        throw std::out_of_range("no parameter at position " + std::to_string(paramIndex));
    const ParameterData& parameter = grid.Parameter(paramIndex);
    const int layers = grid.NumLayers();
    const int rows = grid.NumRows();
    const int columns = grid.NumColumns();
    if (layers == 0 || rows == 0 || columns == 0) return;

    std::string buffer = "Parameter " + parameter.name;
    AppendCounts(buffer, layers, rows, columns);
    if (parameter.IsSurface()) {
        WriteLayer(out, buffer, rows, columns, [&](int r, int c) {
            double value = NoDataValue;
            grid.GetValue(paramIndex, 0, r, c, value);
            return value;
        });
    } else {
        for (int k = 0; k < layers; ++k) {
            WriteLayer(out, buffer, rows, columns, [&](int r, int c) {
                double value = NoDataValue;
                grid.GetValue(paramIndex, k, r, c, value);
                return value;
            });
            buffer += '\n';
        }
    }
    Flush(out, buffer);
}

void WriteOutputExport(const GridData& grid, int outputIndex, int timeIndex, std::ostream& out) {
    const auto& outputs = grid.Outputs().gridOutputs;
    if (outputIndex < 0 || static_cast<std::size_t>(outputIndex) >= outputs.size())
        throw std::out_of_range("no output quantity at position " + std::to_string(outputIndex));
    const KORVAOutputData& output = outputs[static_cast<std::size_t>(outputIndex)];
    if (timeIndex < 0 || static_cast<std::size_t>(timeIndex) >= output.times.size())
        throw std::out_of_range("no output time at position " + std::to_string(timeIndex));
    const KORVAOutputTimeData& time = output.times[static_cast<std::size_t>(timeIndex)];
    const int layers = grid.NumLayers();
    const int rows = grid.NumRows();
    const int columns = grid.NumColumns();
    if (layers == 0 || rows == 0 || columns == 0) return;

    std::string buffer = "Parameter " + output.name + ", date " + std::to_string(time.month) + "/" +
                         std::to_string(time.day) + "/" + std::to_string(time.year);
    AppendCounts(buffer, layers, rows, columns);
    // GetOutputValue hands back -9999 for a slot the store does not hold, so a
    // grid resized since the read still exports without reading past the store.
    auto valueAt = [&](int k) {
        return [&grid, outputIndex, timeIndex, k](int r, int c) {
            double value = NoDataValue;
            grid.GetOutputValue(outputIndex, timeIndex, k, r, c, value);
            return value;
        };
    };
    if (output.kind == 2) {
        WriteLayer(out, buffer, rows, columns, valueAt(0));
    } else {
        for (int k = 0; k < layers; ++k) {
            WriteLayer(out, buffer, rows, columns, valueAt(k));
            buffer += '\n';
        }
    }
    Flush(out, buffer);
}

bool ExportParameter(const GridData& grid, int paramIndex, const std::string& path) {
    if (paramIndex < 0 || paramIndex >= grid.ParameterCount())
        throw std::out_of_range("no parameter at position " + std::to_string(paramIndex));
    return WriteExportFile(path,
                           [&](std::ostream& out) { WriteParameterExport(grid, paramIndex, out); });
}

bool ExportOutputParameter(const GridData& grid, int outputIndex, int timeIndex,
                           const std::string& path) {
    // Check the indices before the file is truncated.
    const auto& outputs = grid.Outputs().gridOutputs;
    if (outputIndex < 0 || static_cast<std::size_t>(outputIndex) >= outputs.size() ||
        timeIndex < 0 ||
        static_cast<std::size_t>(timeIndex) >=
            outputs[static_cast<std::size_t>(outputIndex)].times.size())
        throw std::out_of_range("no output " + std::to_string(outputIndex) + " at time " +
                                std::to_string(timeIndex));
    return WriteExportFile(
        path, [&](std::ostream& out) { WriteOutputExport(grid, outputIndex, timeIndex, out); });
}

} // namespace korva
