#pragma once
// Grid3D: one block of cells addressed [layer][row][column], stored layer by
// layer and row by row in a single contiguous array. Every cell grid of the
// model (parameters, boundary memberships, the solver's results) uses it, so a
// cell costs exactly its value and a whole layer can be handed to the 3D view
// or a file writer as one span without copying cell by cell.
#include <algorithm>
#include <cstddef>
#include <iterator>
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
    // inserts copies copies of item at right after it. Seen along a dimension
    // the cells are blocks of items, each item a contiguous run (a whole
    // layer, a row of a layer, a single cell of a row), so every edit copies
    // whole runs.
    Grid3D ExtractSlices(int dimension, int at, int count) {
        Grid3D removed = SliceBox(dimension, at, count);
        // The kept runs move down in place: no second array of the whole grid.
        const Runs runs = RunsAlong(dimension);
        auto kept = cells_.begin();
        for (std::size_t block = 0; block < runs.blocks; ++block) {
            const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(block * runs.block);
            kept = std::move(first, first + Offset(at, runs.run), kept);
            kept = std::move(first + Offset(at + count, runs.run),
                             first + static_cast<std::ptrdiff_t>(runs.block), kept);
        }
        cells_.erase(kept, cells_.end());
        (dimension == 0 ? rows_ : dimension == 1 ? columns_ : layers_) -= count;
        return removed;
    }
    // slices must match the grid in the other two dimensions
    // (std::invalid_argument) and at lie in 0..count of items (std::out_of_range).
    void InsertSlices(int dimension, int at, const Grid3D& slices) {
        const int count = Extent(slices, dimension);
        if ((dimension != 0 && slices.rows_ != rows_) ||
            (dimension != 1 && slices.columns_ != columns_) ||
            (dimension != 2 && slices.layers_ != layers_))
            throw std::invalid_argument("inserted slices do not fit the grid");
        CheckInsertion(dimension, at);
        const std::size_t added = static_cast<std::size_t>(count) * RunsAlong(dimension).run;
        GrowAlong(dimension, at, count, [&](std::size_t block, auto, auto out) {
            const auto from = slices.cells_.begin() + static_cast<std::ptrdiff_t>(block * added);
            return std::copy(from, from + static_cast<std::ptrdiff_t>(added), out);
        });
    }
    void DuplicateSlice(int dimension, int at, int copies) {
        if (dimension < 0 || dimension > 2 || at < 0 || at >= Extent(*this, dimension))
            throw std::out_of_range("duplicated slice outside the grid");
        if (copies < 0) throw std::invalid_argument("negative number of copies");
        const std::size_t run = RunsAlong(dimension).run;
        GrowAlong(dimension, at + 1, copies, [&](std::size_t, auto head, auto out) {
            const auto item = head + Offset(at, run);
            for (int i = 0; i < copies; ++i)
                out = std::copy(item, item + static_cast<std::ptrdiff_t>(run), out);
            return out;
        });
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
    // Along a dimension the cells are blocks (one per layer for rows, one per
    // row for columns, the whole grid for layers) of items, each item a run
    // of contiguous cells.
    struct Runs {
        std::size_t blocks; // number of blocks
        std::size_t block;  // cells of one block
        std::size_t run;    // cells of one item
    };
    Runs RunsAlong(int dimension) const {
        const auto L = static_cast<std::size_t>(layers_), R = static_cast<std::size_t>(rows_),
                   C = static_cast<std::size_t>(columns_);
        if (dimension == 0) return {L, R * C, C};
        if (dimension == 1) return {L * R, C, 1};
        return {1, L * R * C, R * C};
    }
    static std::ptrdiff_t Offset(int item, std::size_t run) {
        return static_cast<std::ptrdiff_t>(static_cast<std::size_t>(item) * run);
    }
    static int Extent(const Grid3D& grid, int dimension) {
        return dimension == 0 ? grid.rows_ : dimension == 1 ? grid.columns_ : grid.layers_;
    }
    // Makes room for count items at at along dimension and has fill write
    // them, block by block: fill(block, head, out) writes the new runs of a
    // block to out and returns its end, head being where the block's items
    // before at now lie. When the array has room (as after a delete that is
    // being undone) the runs move up in place, from the last block down, so no
    // second array of the whole grid is made; else they go to a new array.
    template <class Fill> void GrowAlong(int dimension, int at, int count, Fill fill) {
        const Runs runs = RunsAlong(dimension);
        const std::size_t added = static_cast<std::size_t>(count) * runs.run;
        const std::size_t grownBlock = runs.block + added;
        const std::size_t size = cells_.size() + runs.blocks * added;
        if (size <= cells_.capacity()) {
            cells_.resize(size);
            for (std::size_t block = runs.blocks; block-- > 0;) {
                const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(block * runs.block);
                const auto to = cells_.begin() + static_cast<std::ptrdiff_t>(block * grownBlock);
                std::move_backward(from + Offset(at, runs.run),
                                   from + static_cast<std::ptrdiff_t>(runs.block),
                                   to + static_cast<std::ptrdiff_t>(grownBlock));
                std::move_backward(from, from + Offset(at, runs.run), to + Offset(at, runs.run));
                fill(block, to, to + Offset(at, runs.run));
            }
        } else {
            std::vector<T> grown;
            grown.reserve(size);
            for (std::size_t block = 0; block < runs.blocks; ++block) {
                const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(block * runs.block);
                grown.insert(grown.end(), from, from + Offset(at, runs.run));
                fill(block, from, std::back_inserter(grown));
                grown.insert(grown.end(), from + Offset(at, runs.run),
                             from + static_cast<std::ptrdiff_t>(runs.block));
            }
            cells_ = std::move(grown);
        }
        (dimension == 0 ? rows_ : dimension == 1 ? columns_ : layers_) += count;
    }
    void CheckInsertion(int dimension, int at) const {
        if (dimension < 0 || dimension > 2 || at < 0 || at > Extent(*this, dimension))
            throw std::out_of_range("slices inserted outside the grid");
    }

    int layers_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    std::vector<T> cells_;
};

} // namespace korva
