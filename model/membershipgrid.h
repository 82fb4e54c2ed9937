#pragma once
// MembershipGrid: which boundary of one kind holds each cell (0 for none, else
// the 1-based boundary number). Most kinds have no boundaries in most projects
// and few boundaries when they have any, so the grid holds no cells at all
// until a cell gets a nonzero number, and then holds each cell in the
// narrowest of 8, 16 or 32 bits that every number it holds fits in. It widens
// itself when a larger number is written; nothing a file or an edit stores is
// ever cut.
#include "grid3d.h"

#include <cstdint>
#include <span>
#include <vector>

namespace korva {

class MembershipGrid {
public:
    MembershipGrid() = default;
    MembershipGrid(int layers, int rows, int columns) { Reset(layers, rows, columns); }

    int Layers() const { return layers_; }
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    // Bytes per cell of the storage: 0 while no cell belongs to a boundary.
    int CellBytes() const { return width_; }
    bool AllZero() const { return width_ == 0; }

    // Every cell 0, these dimensions; frees the storage.
    void Reset(int layers, int rows, int columns);
    // Checked: std::out_of_range outside the grid.
    int32_t Get(int layer, int row, int column) const;
    void Set(int layer, int row, int column, int32_t value);
    // Writes value into the box of cells (inclusive ranges, inside the grid).
    void FillBox(int layer0, int layer1, int row0, int row1, int col0, int col1, int32_t value);
    // The box as 32-bit numbers, and back: the undo records' region snapshots.
    Grid3D<int32_t> Region(int layer, int row, int column, int layers, int rows, int columns) const;
    void SwapRegion(int layer, int row, int column, Grid3D<int32_t>& part);

    // One layer, rows one after another, in the storage's own width: the view
    // uploads it as it is. Empty while CellBytes() is not that width.
    std::span<const uint8_t> Layer8(int layer) const;
    std::span<const uint16_t> Layer16(int layer) const;
    std::span<const int32_t> Layer32(int layer) const;
    // One layer as 32-bit numbers (a copy), whatever the storage.
    std::vector<int32_t> LayerValues(int layer) const;

    // Removes every cell holding number (they become 0) and renumbers the
    // higher ones down by one; returns the positions (IndexOf) of the cells
    // that held number, which is what Unrenumber needs to give them back.
    std::vector<std::size_t> Renumber(int32_t number);
    void Unrenumber(int32_t number, const std::vector<std::size_t>& cells);
    // Frees the storage when every cell is 0.
    void Compact();
    std::size_t IndexOf(int layer, int row, int column) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(rows_) +
                static_cast<std::size_t>(row)) *
                   static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }

    // Structural edits, as Grid3D's (dimension 0 rows, 1 columns, 2 layers).
    Grid3D<int32_t> ExtractSlices(int dimension, int at, int count);
    void InsertSlices(int dimension, int at, const Grid3D<int32_t>& slices);
    void DuplicateSlice(int dimension, int at, int copies);

    // Same dimensions and same numbers in every cell, whatever the widths.
    bool operator==(const MembershipGrid& other) const;

private:
    void Check(int layer, int row, int column) const;
    // Makes the storage wide enough for value.
    void Widen(int32_t value);
    template <class F> decltype(auto) Visit(F&& f);
    template <class F> decltype(auto) Visit(F&& f) const;

    int layers_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    int width_ = 0;
    Grid3D<uint8_t> cells8_;
    Grid3D<uint16_t> cells16_;
    Grid3D<int32_t> cells32_;
};

} // namespace korva
