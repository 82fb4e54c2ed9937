#pragma once
// SelectionGrid: the time-series selections of the cells, the output codes
// whose series the solver writes for a cell, in the order they were selected.
// Few cells have any, so only those cells are held, keyed by position in
// layer, row, column order: listing, writing and counting all walk them in
// that one order.
#include "outputselection.h"

#include <cstdint>
#include <map>
#include <vector>

namespace korva {

class SelectionGrid {
public:
    SelectionGrid() = default;
    SelectionGrid(int layers, int rows, int columns) { Reset(layers, rows, columns); }

    int Layers() const { return layers_; }
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }

    // These dimensions, no selections.
    void Reset(int layers, int rows, int columns);
    // The codes of a cell (empty for most); std::out_of_range outside the grid.
    const OutputParamDataItem& Get(int layer, int row, int column) const;
    // Replaces the codes of a cell; an empty list removes the cell.
    void Set(int layer, int row, int column, OutputParamDataItem codes);
    // Adds one code at the end of a cell's list (a reader's line).
    void Append(int layer, int row, int column, int32_t code);
    // Number of codes over every cell.
    int CountSelections() const;
    // Number of cells with at least one code.
    std::size_t SelectedCells() const { return cells_.size(); }

    struct Cell {
        int layer;
        int row;
        int column;
        const OutputParamDataItem& codes;
    };
    // Calls f(Cell) for every cell with codes, in layer, row, column order.
    template <class F> void ForEach(F&& f) const {
        for (const auto& [index, codes] : cells_) {
            const auto perLayer =
                static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_);
            const auto layer = static_cast<int>(index / perLayer);
            const auto rest = index % perLayer;
            f(Cell{layer, static_cast<int>(rest / static_cast<std::size_t>(columns_)),
                   static_cast<int>(rest % static_cast<std::size_t>(columns_)), codes});
        }
    }

    // The selections of a box of cells (inclusive ranges), positions relative
    // to its corner, and back: what undo records keep.
    struct Entry {
        int layer;
        int row;
        int column;
        OutputParamDataItem codes;
        bool operator==(const Entry&) const = default;
    };
    std::vector<Entry> Region(int layer0, int layer1, int row0, int row1, int col0, int col1) const;
    // Clears the box, then sets entries (relative to its corner).
    void RestoreRegion(int layer0, int layer1, int row0, int row1, int col0, int col1,
                       const std::vector<Entry>& entries);

    // Structural edits (dimension 0 rows, 1 columns, 2 layers). Removed slices
    // come back as entries relative to the first removed item.
    std::vector<Entry> ExtractSlices(int dimension, int at, int count);
    void InsertSlices(int dimension, int at, int count, const std::vector<Entry>& entries);
    // Copies of item at, with its cells' codes, right after it.
    void DuplicateSlice(int dimension, int at, int copies);

    bool operator==(const SelectionGrid& other) const = default;

private:
    void Check(int layer, int row, int column) const;
    std::size_t IndexOf(int layer, int row, int column) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(rows_) +
                static_cast<std::size_t>(row)) *
                   static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }
    // Rebuilds the map with every position moved by move(layer,row,col),
    // which returns false to drop a cell; the dimensions become L, R, C.
    template <class Move> void Remap(int L, int R, int C, Move&& move);

    int layers_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    std::map<std::size_t, OutputParamDataItem> cells_;
};

} // namespace korva
