#pragma once
// A rectilinear grid in the VTK XML format (".vtr") that ParaView and every
// VTK reader open: point coordinates along x, y and z and named arrays of
// cell values. The values are produced one array at a time while the file is
// written, so a large grid never needs all its arrays in memory at once.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korva {

// One array of cell values in VTK order: x (columns) varies fastest, then y,
// then z. Exactly one of the two fill functions is set; it receives a vector
// already sized to the cell count.
struct VtkCellArray {
    std::string name;
    std::function<void(std::vector<double>&)> fillReals;          // written as Float64
    std::function<void(std::vector<std::int32_t>&)> fillIntegers; // written as Int32
};

struct VtkRectilinearGrid {
    // Point coordinates, ascending; each holds one more entry than there are
    // cells along its axis.
    std::vector<double> x, y, z;
    std::vector<VtkCellArray> cellArrays;

    std::size_t CellCount() const;
};

enum class VtkEncoding {
    AppendedRaw, // binary, after the XML, each array behind a 64-bit byte count
    Ascii,       // numbers as text inside the XML
};

// Writes grid to path through a temporary file renamed over path at the end,
// so a failure (unwritable folder, full disk) leaves no partial file under
// path. False, with the system's reason in error, when it fails.
bool WriteVtkRectilinearGrid(const VtkRectilinearGrid& grid, VtkEncoding encoding,
                             const std::string& path, std::string* error = nullptr);

// One time step of a ParaView collection (".pvd"): its time and the file of
// the step, as written in the collection (relative to the collection's folder).
struct VtkCollectionStep {
    double time = 0.0;
    std::string file;
};

// Writes a ".pvd" collection listing steps, the same way as the grid.
bool WriteVtkCollection(const std::vector<VtkCollectionStep>& steps, const std::string& path,
                        std::string* error = nullptr);

// Text safe inside an XML attribute value.
std::string XmlAttributeText(const std::string& text);

} // namespace korva
