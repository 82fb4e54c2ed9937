#pragma once
// Grid3D: one block of cells addressed [layer][row][column], stored layer by
// layer and row by row in a single contiguous array. Every cell grid of the
// model (parameters, boundary memberships, the solver's results) uses it, so a
// cell costs exactly its value and a whole layer can be handed to the 3D view
// or a file writer as one span without copying cell by cell.
#include <algorithm>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace korva {

template <class T> class Grid3D {
public:
    Grid3D() = default;
    Grid3D(int layers, int rows, int columns, const T& fill = T{}) {
        Assign(layers, rows, columns, fill);
    }

    int Layers() const { return layers_; }
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    std::size_t LayerSize() const {
        return static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_);
    }
    std::size_t Size() const { return cells_.size(); }
    bool Empty() const { return cells_.empty(); }

    // Gives the grid these dimensions with every cell fill; a dimension below
    // 0 is an invalid argument.
    void Assign(int layers, int rows, int columns, const T& fill = T{}) {
        if (layers < 0 || rows < 0 || columns < 0)
            throw std::invalid_argument("negative grid dimension");
        layers_ = layers;
        rows_ = rows;
        columns_ = columns;
        cells_.assign(static_cast<std::size_t>(layers) * LayerSize(), fill);
    }
    void Fill(const T& value) { std::fill(cells_.begin(), cells_.end(), value); }

    bool Contains(int layer, int row, int column) const {
        return layer >= 0 && layer < layers_ && row >= 0 && row < rows_ && column >= 0 &&
               column < columns_;
    }
    // Position of a cell in the contiguous array (unchecked).
    std::size_t IndexOf(int layer, int row, int column) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(rows_) +
                static_cast<std::size_t>(row)) *
                   static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }

    // Unchecked access, for loops that stay inside the dimensions.
    T& operator()(int layer, int row, int column) { return cells_[IndexOf(layer, row, column)]; }
    const T& operator()(int layer, int row, int column) const {
        return cells_[IndexOf(layer, row, column)];
    }
    // Checked access: std::out_of_range outside the grid.
    T& At(int layer, int row, int column) {
        Check(layer, row, column);
        return cells_[IndexOf(layer, row, column)];
    }
    const T& At(int layer, int row, int column) const {
        Check(layer, row, column);
        return cells_[IndexOf(layer, row, column)];
    }

    // One layer, rows one after another; std::out_of_range outside the grid.
    std::span<T> Layer(int layer) {
        CheckLayer(layer);
        return {cells_.data() + static_cast<std::size_t>(layer) * LayerSize(), LayerSize()};
    }
    std::span<const T> Layer(int layer) const {
        CheckLayer(layer);
        return {cells_.data() + static_cast<std::size_t>(layer) * LayerSize(), LayerSize()};
    }
    std::span<T> Row(int layer, int row) {
        Check(layer, row, 0);
        return {cells_.data() + IndexOf(layer, row, 0), static_cast<std::size_t>(columns_)};
    }
    std::span<const T> Row(int layer, int row) const {
        Check(layer, row, 0);
        return {cells_.data() + IndexOf(layer, row, 0), static_cast<std::size_t>(columns_)};
    }
    // Every cell, layer by layer.
    std::span<T> Cells() { return cells_; }
    std::span<const T> Cells() const { return cells_; }

    // The cells of the box starting at (layer, row, column) of the given size,
    // as a grid of its own; the box must lie inside.
    Grid3D Region(int layer, int row, int column, int layers, int rows, int columns) const {
        CheckBox(layer, row, column, layers, rows, columns);
        Grid3D part(layers, rows, columns);
        for (int k = 0; k < layers; ++k)
            for (int r = 0; r < rows; ++r)
                std::copy_n(cells_.begin() +
                                static_cast<std::ptrdiff_t>(IndexOf(layer + k, row + r, column)),
                            columns,
                            part.cells_.begin() +
                                static_cast<std::ptrdiff_t>(part.IndexOf(k, r, 0)));
        return part;
    }
    // Exchanges the cells of part with the box of its size at (layer, row, column).
    void SwapRegion(int layer, int row, int column, Grid3D& part) {
        CheckBox(layer, row, column, part.layers_, part.rows_, part.columns_);
        for (int k = 0; k < part.layers_; ++k)
            for (int r = 0; r < part.rows_; ++r)
                std::swap_ranges(
                    part.cells_.begin() + static_cast<std::ptrdiff_t>(part.IndexOf(k, r, 0)),
                    part.cells_.begin() + static_cast<std::ptrdiff_t>(part.IndexOf(k, r, 0)) +
                        part.columns_,
                    cells_.begin() +
                        static_cast<std::ptrdiff_t>(IndexOf(layer + k, row + r, column)));
    }

    // Structural edits along one dimension (0 rows, 1 columns, 2 layers):
    // ExtractSlices removes count items from at and returns them as a grid of
    // their own; InsertSlices puts such a grid back at at; DuplicateSlice
    // inserts copies copies of item at right after it.
    Grid3D ExtractSlices(int dimension, int at, int count) {
        Grid3D removed = SliceBox(dimension, at, count);
        Grid3D rest = WithoutBox(dimension, at, count);
        *this = std::move(rest);
        return removed;
    }
    void InsertSlices(int dimension, int at, const Grid3D& slices) {
        int L = layers_, R = rows_, C = columns_;
        const int count = dimension == 0   ? slices.rows_
                          : dimension == 1 ? slices.columns_
                                           : slices.layers_;
        (dimension == 0 ? R : dimension == 1 ? C : L) += count;
        Grid3D grown(L, R, C);
        for (int k = 0; k < L; ++k)
            for (int r = 0; r < R; ++r)
                for (int c = 0; c < C; ++c) {
                    const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                    if (p >= at && p < at + count)
                        grown(k, r, c) =
                            slices(dimension == 2 ? p - at : k, dimension == 0 ? p - at : r,
                                   dimension == 1 ? p - at : c);
                    else {
                        const int q = p < at ? p : p - count;
                        grown(k, r, c) = (*this)(dimension == 2 ? q : k, dimension == 0 ? q : r,
                                                 dimension == 1 ? q : c);
                    }
                }
        *this = std::move(grown);
    }
    void DuplicateSlice(int dimension, int at, int copies) {
        SliceBox(dimension, at, 1); // range check
        int L = layers_, R = rows_, C = columns_;
        (dimension == 0 ? R : dimension == 1 ? C : L) += copies;
        Grid3D grown(L, R, C);
        for (int k = 0; k < L; ++k)
            for (int r = 0; r < R; ++r)
                for (int c = 0; c < C; ++c) {
                    const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                    const int q = p <= at ? p : p <= at + copies ? at : p - copies;
                    grown(k, r, c) = (*this)(dimension == 2 ? q : k, dimension == 0 ? q : r,
                                             dimension == 1 ? q : c);
                }
        *this = std::move(grown);
    }

    bool operator==(const Grid3D& other) const = default;

private:
    void CheckLayer(int layer) const {
        if (layer < 0 || layer >= layers_)
            throw std::out_of_range("grid layer " + std::to_string(layer));
    }
    void Check(int layer, int row, int column) const {
        if (!Contains(layer, row, column))
            throw std::out_of_range("grid cell " + std::to_string(layer) + "," +
                                    std::to_string(row) + "," + std::to_string(column));
    }
    void CheckBox(int layer, int row, int column, int layers, int rows, int columns) const {
        if (layer < 0 || row < 0 || column < 0 || layers < 0 || rows < 0 || columns < 0 ||
            layer + layers > layers_ || row + rows > rows_ || column + columns > columns_)
            throw std::out_of_range("grid region outside the grid");
    }
    Grid3D SliceBox(int dimension, int at, int count) const {
        if (dimension == 0) return Region(0, at, 0, layers_, count, columns_);
        if (dimension == 1) return Region(0, 0, at, layers_, rows_, count);
        return Region(at, 0, 0, count, rows_, columns_);
    }
    Grid3D WithoutBox(int dimension, int at, int count) const {
        SliceBox(dimension, at, count); // range check
        int L = layers_, R = rows_, C = columns_;
        (dimension == 0 ? R : dimension == 1 ? C : L) -= count;
        Grid3D rest(L, R, C);
        for (int k = 0; k < L; ++k)
            for (int r = 0; r < R; ++r)
                for (int c = 0; c < C; ++c) {
                    const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                    const int q = p < at ? p : p + count;
                    rest(k, r, c) = (*this)(dimension == 2 ? q : k, dimension == 0 ? q : r,
                                            dimension == 1 ? q : c);
                }
        return rest;
    }

    int layers_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    std::vector<T> cells_;
};

} // namespace korva
