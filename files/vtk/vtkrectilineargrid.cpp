#include "vtkrectilineargrid.h"

#include "files/replacingfile.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace korva {

namespace {

static_assert(
    std::endian::native == std::endian::little || std::endian::native == std::endian::big,
    "the raw arrays are written in the machine's byte order, which must be one of the two");
constexpr const char* ByteOrder =
    std::endian::native == std::endian::little ? "LittleEndian" : "BigEndian";

using ByteCount = std::uint64_t; // the header_type of the file

std::string Extent(const VtkRectilinearGrid& grid) {
    auto cells = [](const std::vector<double>& points) {
        return std::to_string(points.empty() ? 0 : points.size() - 1);
    };
    return "0 " + cells(grid.x) + " 0 " + cells(grid.y) + " 0 " + cells(grid.z);
}

// What the file holds, in the order the arrays are declared and written:
// the cell arrays, then the three coordinate arrays.
struct ArrayPlan {
    std::string name;
    bool integer = false;
    std::size_t count = 0;
    const VtkCellArray* cells = nullptr;         // a cell array, or
    const std::vector<double>* points = nullptr; // a coordinate array
};

std::vector<ArrayPlan> PlanArrays(const VtkRectilinearGrid& grid) {
    std::vector<ArrayPlan> plan;
    const std::size_t cells = grid.CellCount();
    for (const VtkCellArray& array : grid.cellArrays)
        plan.push_back({array.name, static_cast<bool>(array.fillIntegers), cells, &array, nullptr});
    plan.push_back({"x", false, grid.x.size(), nullptr, &grid.x});
    plan.push_back({"y", false, grid.y.size(), nullptr, &grid.y});
    plan.push_back({"z", false, grid.z.size(), nullptr, &grid.z});
    return plan;
}

std::size_t ByteSize(const ArrayPlan& array) {
    return array.count * (array.integer ? sizeof(std::int32_t) : sizeof(double));
}

// The arrays' values, produced into buffers that are reused from array to array.
class ArrayValues {
public:
    const std::vector<double>& Reals(const ArrayPlan& array) {
        if (array.points != nullptr) return *array.points;
        reals_.assign(array.count, 0.0);
        array.cells->fillReals(reals_);
        return reals_;
    }
    const std::vector<std::int32_t>& Integers(const ArrayPlan& array) {
        integers_.assign(array.count, 0);
        array.cells->fillIntegers(integers_);
        return integers_;
    }

private:
    std::vector<double> reals_;
    std::vector<std::int32_t> integers_;
};

std::string DataArrayTag(const ArrayPlan& array, const std::string& format) {
    return std::string("<DataArray type=\"") + (array.integer ? "Int32" : "Float64") +
           "\" Name=\"" + XmlAttributeText(array.name) + "\" format=\"" + format + "\"";
}

// Numbers as the shortest text that reads back to the same double; VTK's
// text reader takes "nan" for a cell without data.
class AsciiNumbers {
public:
    explicit AsciiNumbers(ReplacingFile& file) : file_(file) {}
    template <class T> bool Write(const std::vector<T>& values) {
        std::size_t inLine = 0;
        for (const T value : values) {
            if (text_.size() + 64 > ChunkSize && !FlushText()) return false;
            char buffer[40];
            char* end = buffer;
            if constexpr (std::is_floating_point_v<T>) {
                if (std::isnan(value)) {
                    std::memcpy(buffer, "nan", 3);
                    end = buffer + 3;
                } else {
                    end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
                }
            } else {
                end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
            }
            text_.append(buffer, end);
            text_ += ++inLine % 10 == 0 ? '\n' : ' ';
        }
        text_ += '\n';
        return FlushText();
    }

private:
    static constexpr std::size_t ChunkSize = 1 << 16;
    bool FlushText() {
        const bool ok = file_.Write(text_);
        text_.clear();
        return ok;
    }
    ReplacingFile& file_;
    std::string text_;
};

bool WriteAscii(ReplacingFile& file, const std::vector<ArrayPlan>& plan, std::size_t cellArrays) {
    ArrayValues values;
    AsciiNumbers numbers(file);
    for (std::size_t a = 0; a < plan.size(); ++a) {
        const ArrayPlan& array = plan[a];
        if (a == cellArrays && !file.Write("      </CellData>\n      <Coordinates>\n"))
            return false;
        if (!file.Write("        " + DataArrayTag(array, "ascii") + ">\n")) return false;
        const bool ok = array.integer ? numbers.Write(values.Integers(array))
                                      : numbers.Write(values.Reals(array));
        if (!ok || !file.Write("        </DataArray>\n")) return false;
    }
    return file.Write("      </Coordinates>\n");
}

template <class T> bool WriteRaw(ReplacingFile& file, const std::vector<T>& values) {
    const ByteCount bytes = values.size() * sizeof(T);
    char header[sizeof bytes];
    std::memcpy(header, &bytes, sizeof bytes);
    return file.Write(std::string_view(header, sizeof header)) &&
           file.Write(std::string_view(reinterpret_cast<const char*>(values.data()), bytes));
}

bool WriteAppended(ReplacingFile& file, const std::vector<ArrayPlan>& plan,
                   std::size_t cellArrays) {
    std::size_t offset = 0;
    std::string tags;
    for (std::size_t a = 0; a < plan.size(); ++a) {
        if (a == cellArrays) tags += "      </CellData>\n      <Coordinates>\n";
        tags += "        " + DataArrayTag(plan[a], "appended") + " offset=\"" +
                std::to_string(offset) + "\"/>\n";
        offset += sizeof(ByteCount) + ByteSize(plan[a]);
    }
    tags += "      </Coordinates>\n    </Piece>\n  </RectilinearGrid>\n"
            "  <AppendedData encoding=\"raw\">\n   _";
    if (!file.Write(tags)) return false;
    ArrayValues values;
    for (const ArrayPlan& array : plan) {
        const bool ok = array.integer ? WriteRaw(file, values.Integers(array))
                                      : WriteRaw(file, values.Reals(array));
        if (!ok) return false;
    }
    return file.Write("\n  </AppendedData>\n</VTKFile>\n");
}

bool Finish(ReplacingFile& file, bool written, std::string* error) {
    if (written && file.Commit()) return true;
    if (error != nullptr) *error = file.Error();
    return false;
}

} // namespace

std::size_t VtkRectilinearGrid::CellCount() const {
    auto cells = [](const std::vector<double>& points) {
        return points.empty() ? std::size_t{0} : points.size() - 1;
    };
    return cells(x) * cells(y) * cells(z);
}

std::string XmlAttributeText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\n':
            escaped += "&#10;";
            break;
        case '\r':
            escaped += "&#13;";
            break;
        case '\t':
            escaped += "&#9;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

bool WriteVtkRectilinearGrid(const VtkRectilinearGrid& grid, VtkEncoding encoding,
                             const std::string& path, std::string* error) {
    ReplacingFile file;
    if (!file.Open(path)) return Finish(file, false, error);
    const std::string extent = Extent(grid);
    std::string head =
        std::string("<?xml version=\"1.0\"?>\n"
                    "<VTKFile type=\"RectilinearGrid\" version=\"1.0\" byte_order=\"") +
        ByteOrder +
        "\" header_type=\"UInt64\">\n"
        "  <RectilinearGrid WholeExtent=\"" +
        extent + "\">\n    <Piece Extent=\"" + extent + "\">\n      <CellData>\n";
    const std::vector<ArrayPlan> plan = PlanArrays(grid);
    bool written = file.Write(head);
    if (encoding == VtkEncoding::Ascii) {
        written = written && WriteAscii(file, plan, grid.cellArrays.size()) &&
                  file.Write("    </Piece>\n  </RectilinearGrid>\n</VTKFile>\n");
    } else {
        written = written && WriteAppended(file, plan, grid.cellArrays.size());
    }
    return Finish(file, written, error);
}

bool WriteVtkCollection(const std::vector<VtkCollectionStep>& steps, const std::string& path,
                        std::string* error) {
    ReplacingFile file;
    if (!file.Open(path)) return Finish(file, false, error);
    std::string text = "<?xml version=\"1.0\"?>\n"
                       "<VTKFile type=\"Collection\" version=\"1.0\">\n  <Collection>\n";
    for (const VtkCollectionStep& step : steps) {
        char number[40];
        const char* end = std::to_chars(number, number + sizeof number, step.time).ptr;
        text += "    <DataSet timestep=\"" +
                std::string(number, static_cast<std::size_t>(end - number)) +
                "\" part=\"0\" file=\"" + XmlAttributeText(step.file) + "\"/>\n";
    }
    text += "  </Collection>\n</VTKFile>\n";
    return Finish(file, file.Write(text), error);
}

} // namespace korva
