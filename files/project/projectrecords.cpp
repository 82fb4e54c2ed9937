#include "files/project/projectrecords.h"

#include "files/project/projecttextreader.h"
#include "files/project/projecttextwriter.h"
#include "model/errors.h"

#include <string>
#include <utility>

namespace korva {

namespace {

bool IsTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Entry i of a per-boundary list; a list shorter than the names (never in a
// consistent model) writes the default rather than reading past its end.
template <typename T> T EntryOr(const std::vector<T>& list, int i, T fallback) {
    return i >= 0 && static_cast<size_t>(i) < list.size() ? list[static_cast<size_t>(i)] : fallback;
}

void WriteColor(ProjectTextWriter& out, double red, double green, double blue) {
    out.Number(red);
    out.Space();
    out.Number(green);
    out.Space();
    out.Number(blue);
}

} // namespace

// --- shared -------------------------------------------------------------------

std::string TrimLeading(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsTrimmed(text[first]))
        ++first;
    return std::string(text.substr(first));
}

std::string TrimBoth(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

double ReadDoubleOf(ProjectTextReader& in, std::string_view shownLabel) {
    double value = 0.0;
    if (!in.ReadDouble(value)) {
        throw InputError("Parse error reading a number after the '" + std::string(shownLabel) +
                         "' header");
    }
    return value;
}

int32_t ReadIntOf(ProjectTextReader& in, std::string_view shownLabel) {
    int32_t value = 0;
    if (!in.ReadInt(value)) {
        throw InputError("Parse error reading a whole number after the '" +
                         std::string(shownLabel) + "' header");
    }
    return value;
}

void CheckCount(const ProjectTextReader& in, int64_t count, std::string_view shownLabel,
                uint64_t minBytesPerRecord) {
    // The last value of a file may lack its separator, hence the one byte.
    const uint64_t room = in.RemainingBytes() + 1;
    if (count < 0 || static_cast<uint64_t>(count) > room / minBytesPerRecord) {
        throw InputError("Parse error: invalid count " + std::to_string(count) + " after the '" +
                         std::string(shownLabel) + "' header");
    }
}

int32_t ReadCountOf(ProjectTextReader& in, std::string_view shownLabel,
                    uint64_t minBytesPerRecord) {
    int64_t count = 0;
    if (!in.ReadInt64(count)) {
        throw InputError("Parse error reading a whole number after the '" +
                         std::string(shownLabel) + "' header");
    }
    CheckCount(in, count, shownLabel, minBytesPerRecord);
    return static_cast<int32_t>(count);
}

// --- cell-parameter block -----------------------------------------------------

void WriteParameterBlock(ProjectTextWriter& out, const ParameterData& parameter) {
    out.Text("parameter name = ");
    out.Text(parameter.name);
    out.EndLine();
    out.Text("min, max color = ");
    out.NumbersJoined(parameter.lowColor.data(), 3);
    out.Space();
    out.NumbersJoined(parameter.highColor.data(), 3);
    out.EndLine();
    const Grid3D<double>& values = parameter.values;
    for (int layer = 0; layer < values.Layers(); ++layer) {
        for (int row = 0; row < values.Rows(); ++row) {
            out.Text("layer data = \r\n");
            const auto cells = values.Row(layer, row);
            out.NumbersEachFollowedBySpace(cells.data(), cells.size());
            out.EndLine();
        }
        out.EndLine();
    }
}

void ReadParameterBlock(ProjectTextReader& in, ParameterData& parameter) {
    if (!in.MatchLabel("parameter name")) {
        throw InputError("Parse error: unable to find header 'parameter name ='");
    }
    parameter.name = TrimBoth(in.RestOfLine());
    if (!in.MatchLabel("min, max color")) {
        throw InputError("Parse error: unable to find header 'min, max color ='");
    }
    for (double& c : parameter.lowColor)
        c = ReadDoubleOf(in, "min, max color =");
    for (double& c : parameter.highColor)
        c = ReadDoubleOf(in, "min, max color =");
    Grid3D<double>& values = parameter.values;
    for (int layer = 0; layer < values.Layers(); ++layer) {
        for (int row = 0; row < values.Rows(); ++row) {
            if (!in.LineContains("layer data")) {
                throw InputError("Parse error reading layer data header");
            }
            for (double& value : values.Row(layer, row)) {
                if (!in.ReadDouble(value)) {
                    throw InputError("Parse error reading a number after the 'layer data =' "
                                     "header of parameter '" +
                                     parameter.name + "'");
                }
            }
        }
    }
    parameter.RecomputeRange();
}

// --- boundary block -----------------------------------------------------------

void WriteBoundaryBlock(ProjectTextWriter& out, const BoundaryTypeData& record,
                        const MembershipGrid& cells, int type) {
    out.Text("current boundary type = ");
    out.Text(BoundaryTypeName(type));
    out.EndLine();
    const int n = record.Count();
    out.Text("number of boundaries for this type =");
    out.Integer(n);
    out.EndLine();
    for (int i = 0; i < n; ++i) {
        out.Text("boundary name =");
        out.Text(record.names[i]);
        out.EndLine();
        out.Text("color =");
        WriteColor(out, EntryOr(record.red, i, 0.0), EntryOr(record.green, i, 0.0),
                   EntryOr(record.blue, i, 0.0));
        out.EndLine();
        out.Text("should be displayed (yes/no) =");
        out.Text(EntryOr(record.displayed, i, 1) != 0 ? "yes" : "no");
        out.EndLine();
        if (type == DrainType) {
            out.Text("collector index =");
            out.Integer(EntryOr(record.collectorIndex, i, -1));
            out.EndLine();
        }
    }
    if (n == 0) return;
    out.Text("boundary data =\r\n");
    for (int layer = 0; layer < cells.Layers(); ++layer) {
        const std::vector<int32_t> values = cells.LayerValues(layer);
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Columns(); ++col) {
                out.Integer(values[static_cast<size_t>(row) * static_cast<size_t>(cells.Columns()) +
                                   static_cast<size_t>(col)]);
                out.Space();
            }
            out.EndLine();
        }
        out.EndLine();
    }
}

void ReadBoundaryBlock(ProjectTextReader& in, BoundaryTypeData& record, MembershipGrid& cells,
                       int expectedType, float fileVersion) {
    if (!in.MatchLabel("current boundary type")) {
        throw InputError("Parse error reading boundary type header.");
    }
    const std::string typeText = TrimBoth(in.RestOfLine());
    int type = -1;
    for (int t = 0; t < BoundaryTypeCount && type < 0; ++t) {
        if (typeText.find(BoundaryTypeName(t)) != std::string::npos) type = t;
    }
    if (type < 0) throw InputError("Unable to set boundary type from string " + typeText + ".");
    // The six blocks stand in kind order; a block of another kind here would
    // put one kind's boundaries under another kind's name.
    if (type != expectedType) {
        throw InputError(std::string("Boundary block '") + BoundaryTypeName(type) +
                         "' found where '" + BoundaryTypeName(expectedType) + "' belongs.");
    }
    record.type = static_cast<BoundaryTypeEnum>(type);

    if (!in.MatchLabel("number of boundaries")) {
        throw InputError("Parse error reading 'number of boundaries for this type =' header.");
    }
    const int32_t n = ReadCountOf(in, "number of boundaries for this type =", MinBoundaryTextBytes);
    record.ResizeLists(n);
    for (int32_t i = 0; i < n; ++i) {
        if (!in.MatchLabel("boundary name")) {
            throw InputError("Parse error reading 'boundary name =' header.");
        }
        record.names[i] = TrimLeading(in.RestOfLine());
        if (!in.MatchLabel("color")) throw InputError("Parse error reading 'color =' header.");
        record.red[i] = ReadDoubleOf(in, "color =");
        record.green[i] = ReadDoubleOf(in, "color =");
        record.blue[i] = ReadDoubleOf(in, "color =");
        if (!in.MatchLabel("should be displayed")) {
            throw InputError("Parse error reading 'should be displayed (yes/no) =' header.");
        }
        record.displayed[i] = in.RestOfLine().find("yes") != std::string::npos ? 1 : 0;
        if (type == DrainType) {
            if (!in.MatchLabel("collector index")) {
                throw InputError("Parse error reading 'collector index =' header.");
            }
            record.collectorIndex[i] = ReadIntOf(in, "collector index =");
        }
    }
    if (n == 0) return;
    if (!in.MatchLabel("boundary data")) {
        throw InputError("Parse error reading 'boundary data =' header");
    }
    int layers = cells.Layers();
    // Collectors were stored for the first layer only before version 1.1.
    if (type == CollectorType && !(fileVersion >= 1.1) && layers > 1) layers = 1;
    for (int l = 0; l < layers; ++l) {
        for (int r = 0; r < cells.Rows(); ++r) {
            for (int c = 0; c < cells.Columns(); ++c) {
                int32_t value = 0;
                if (!in.ReadInt(value)) {
                    throw InputError("Parse error reading a whole number after the 'boundary "
                                     "data =' header");
                }
                cells.Set(l, r, c, value);
            }
        }
    }
}

// --- irrigation ---------------------------------------------------------------

void WriteIrrigationList(ProjectTextWriter& out, int basin, const IrrigationData& list) {
    out.Text("irrigation list for basin");
    out.Integer(basin);
    out.Text(":\r\n");
    out.Text("number of irrigation elements = ");
    out.Integer(static_cast<int64_t>(list.size()));
    out.EndLine();
    for (size_t i = 0; i < list.size(); ++i) {
        const IrrigationDataItem& item = list[i];
        out.Text("irrigation item ");
        out.Integer(static_cast<int64_t>(i));
        out.Text(" day, month, year, flow rate, and eff = ");
        out.Integer(item.day);
        out.Space();
        out.Integer(item.month);
        out.Space();
        out.Integer(item.year);
        out.Space();
        out.Number(item.amount);
        out.Space();
        out.Number(item.saltConcentration);
        out.EndLine();
    }
}

void ReadIrrigationList(ProjectTextReader& in, IrrigationData& list) {
    if (!in.MatchLabel("number of irrigation elements")) {
        throw InputError("Parse error reading 'number of irrigation elements =' header.");
    }
    const int32_t n =
        ReadCountOf(in, "number of irrigation elements =", MinIrrigationItemTextBytes);
    list.resize(static_cast<size_t>(n));
    for (IrrigationDataItem& item : list) {
        if (!in.MatchLabel("irrigation item")) {
            throw InputError("Parse error reading 'irrigation item =' header.");
        }
        item.day = ReadIntOf(in, "irrigation item =");
        item.month = ReadIntOf(in, "irrigation item =");
        item.year = ReadIntOf(in, "irrigation item =");
        item.amount = ReadDoubleOf(in, "irrigation item =");
        item.saltConcentration = ReadDoubleOf(in, "irrigation item =");
    }
}

// --- print items --------------------------------------------------------------

void WritePrintItem(ProjectTextWriter& out, const PrintDataItem& item) {
    out.Text("print data item day, month, and year = ");
    out.Integer(item.day);
    out.Space();
    out.Integer(item.month);
    out.Space();
    out.Integer(item.year);
    out.EndLine();
}

void ReadPrintItem(ProjectTextReader& in, PrintDataItem& item) {
    if (!in.MatchLabel("data item day, month, and year")) {
        throw InputError("Parse error reading 'print data item day, month, and year =' header.");
    }
    constexpr std::string_view shown = "print data item day, month, and year =";
    item.day = ReadIntOf(in, shown);
    item.month = ReadIntOf(in, shown);
    item.year = ReadIntOf(in, shown);
}

// --- time-series selections ---------------------------------------------------

void WriteCellList(ProjectTextWriter& out, const OutputParamDataItem& item) {
    out.Text("number of timeseries parameters for this cell = ");
    out.Integer(static_cast<int64_t>(item.size()));
    out.EndLine();
    for (int32_t code : item) {
        out.Integer(code);
        out.Space();
    }
    out.EndLine();
}

void ReadCellList(ProjectTextReader& in, OutputParamDataItem& item) {
    constexpr std::string_view shown = "number of timeseries parameters for this cell =";
    if (!in.MatchLabel("number of timeseries parameters for this cell")) {
        throw InputError(
            "Parse error: unable to find header 'number of timeseries parameters for this cell ='");
    }
    const int32_t n = ReadCountOf(in, shown, MinValueTextBytes);
    // The selection is replaced only once all of it was read: a failure in
    // the middle leaves no code behind that is not a quantity.
    OutputParamDataItem codes(static_cast<size_t>(n));
    for (int32_t& code : codes) {
        code = ReadIntOf(in, shown);
        // Every user of a selection looks its code up in the table of output
        // quantities; a code outside it has no meaning anywhere.
        if (code < 0 || code >= OutputParamCount) {
            throw InputError("Parse error: unknown output parameter code " + std::to_string(code) +
                             " after the '" + std::string(shown) + "' header");
        }
    }
    item = std::move(codes);
}

void WriteTimeSeriesGrid(ProjectTextWriter& out, const SelectionGrid& grid) {
    for (int layer = 0; layer < grid.Layers(); ++layer) {
        for (int row = 0; row < grid.Rows(); ++row) {
            out.Text("layer data = \r\n");
            for (int col = 0; col < grid.Columns(); ++col) {
                WriteCellList(out, grid.Get(layer, row, col));
                out.EndLine();
            }
            out.EndLine();
        }
        out.EndLine();
    }
}

void ReadTimeSeriesGrid(ProjectTextReader& in, SelectionGrid& grid) {
    OutputParamDataItem codes;
    for (int layer = 0; layer < grid.Layers(); ++layer) {
        if (in.AtEnd()) throw InputError("OutputParamData: No more input");
        for (int row = 0; row < grid.Rows(); ++row) {
            if (!in.LineContains("layer data")) {
                throw InputError("Parse error reading layer data header");
            }
            for (int col = 0; col < grid.Columns(); ++col) {
                ReadCellList(in, codes);
                grid.Set(layer, row, col, std::move(codes));
                codes.clear();
            }
        }
    }
}

// --- crops ----------------------------------------------------------------------

void WriteCropRecord(ProjectTextWriter& out, const CropParamData& crop) {
    out.Text("crop parameter data =");
    out.Text(crop.cropName);
    out.EndLine();
    const double values[10] = {crop.initialRootDepth, crop.maxRootDepth, crop.cropC1, crop.cropC2,
                               crop.cropC3,           crop.datePlanting, crop.stage1, crop.stage2,
                               crop.stage3,           crop.dateHarvest};
    out.NumbersJoined(values, 10);
    out.EndLine();
}

void ReadCropRecord(ProjectTextReader& in, CropParamData& crop) {
    if (!in.MatchLabel("crop parameter data")) {
        throw InputError("Parse error: unable to find header 'crop parameter data ='");
    }
    crop.cropName = TrimBoth(in.RestOfLine());
    double* fields[10] = {&crop.initialRootDepth, &crop.maxRootDepth, &crop.cropC1, &crop.cropC2,
                          &crop.cropC3,           &crop.datePlanting, &crop.stage1, &crop.stage2,
                          &crop.stage3,           &crop.dateHarvest};
    for (double* field : fields)
        *field = ReadDoubleOf(in, "crop parameter data =");
}

void WriteCropBasinRecord(ProjectTextWriter& out, const CropBasinData& record) {
    out.Text("crop basin data =");
    out.Text(record.basinName);
    out.EndLine();
    out.Text(record.cropName);
    out.EndLine();
}

void ReadCropBasinRecord(ProjectTextReader& in, CropBasinData& record) {
    if (!in.MatchLabel("crop basin data")) {
        throw InputError("Parse error: unable to find header 'crop basin data ='");
    }
    record.basinName = TrimBoth(in.RestOfLine());
    record.cropName = TrimBoth(in.RestOfLine());
}

} // namespace korva
