#include "membershipgrid.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace korva {

namespace {

int WidthFor(int32_t value) {
    if (value >= 0 && value <= std::numeric_limits<uint8_t>::max()) return 1;
    if (value >= 0 && value <= std::numeric_limits<uint16_t>::max()) return 2;
    return 4;
}

template <class To, class From> Grid3D<To> Converted(const Grid3D<From>& from) {
    Grid3D<To> to(from.Layers(), from.Rows(), from.Columns());
    std::copy(from.Cells().begin(), from.Cells().end(), to.Cells().begin());
    return to;
}

} // namespace

template <class F> decltype(auto) MembershipGrid::Visit(F&& f) {
    if (width_ == 1) return f(cells8_);
    if (width_ == 2) return f(cells16_);
    return f(cells32_);
}

template <class F> decltype(auto) MembershipGrid::Visit(F&& f) const {
    if (width_ == 1) return f(cells8_);
    if (width_ == 2) return f(cells16_);
    return f(cells32_);
}

void MembershipGrid::Reset(int layers, int rows, int columns) {
    if (layers < 0 || rows < 0 || columns < 0)
        throw std::invalid_argument("negative grid dimension");
    layers_ = layers;
    rows_ = rows;
    columns_ = columns;
    width_ = 0;
    cells8_ = {};
    cells16_ = {};
    cells32_ = {};
}

void MembershipGrid::Check(int layer, int row, int column) const {
    if (layer < 0 || layer >= layers_ || row < 0 || row >= rows_ || column < 0 ||
        column >= columns_)
        throw std::out_of_range("boundary cell " + std::to_string(layer) + "," +
                                std::to_string(row) + "," + std::to_string(column));
}

int32_t MembershipGrid::Get(int layer, int row, int column) const {
    Check(layer, row, column);
    if (width_ == 0) return 0;
    return Visit(
        [&](const auto& cells) { return static_cast<int32_t>(cells(layer, row, column)); });
}

void MembershipGrid::Widen(int32_t value) {
    const int needed = WidthFor(value);
    if (needed <= width_) return;
    if (width_ == 0) {
        if (needed == 1) cells8_.Assign(layers_, rows_, columns_, 0);
        if (needed == 2) cells16_.Assign(layers_, rows_, columns_, 0);
        if (needed == 4) cells32_.Assign(layers_, rows_, columns_, 0);
    } else if (needed == 2) {
        cells16_ = Converted<uint16_t>(cells8_);
        cells8_ = {};
    } else {
        cells32_ = width_ == 1 ? Converted<int32_t>(cells8_) : Converted<int32_t>(cells16_);
        cells8_ = {};
        cells16_ = {};
    }
    width_ = needed;
}

void MembershipGrid::Set(int layer, int row, int column, int32_t value) {
    Check(layer, row, column);
    if (value == 0 && width_ == 0) return;
    Widen(value);
    Visit([&](auto& cells) {
        using T = typename std::decay_t<decltype(cells.Cells())>::value_type;
        cells(layer, row, column) = static_cast<T>(value);
    });
}

void MembershipGrid::FillBox(int layer0, int layer1, int row0, int row1, int col0, int col1,
                             int32_t value) {
    Check(layer0, row0, col0);
    Check(layer1, row1, col1);
    if (value == 0 && width_ == 0) return;
    Widen(value);
    Visit([&](auto& cells) {
        using T = typename std::decay_t<decltype(cells.Cells())>::value_type;
        for (int k = layer0; k <= layer1; ++k)
            for (int r = row0; r <= row1; ++r) {
                auto row = cells.Row(k, r);
                std::fill(row.begin() + col0, row.begin() + col1 + 1, static_cast<T>(value));
            }
    });
}

Grid3D<int32_t> MembershipGrid::Region(int layer, int row, int column, int layers, int rows,
                                       int columns) const {
    if (width_ == 0) {
        if (layer < 0 || row < 0 || column < 0 || layers < 0 || rows < 0 || columns < 0 ||
            layer + layers > layers_ || row + rows > rows_ || column + columns > columns_)
            throw std::out_of_range("boundary region outside the grid");
        return Grid3D<int32_t>(layers, rows, columns, 0);
    }
    return Visit([&](const auto& cells) {
        return Converted<int32_t>(cells.Region(layer, row, column, layers, rows, columns));
    });
}

void MembershipGrid::SwapRegion(int layer, int row, int column, Grid3D<int32_t>& part) {
    Grid3D<int32_t> current =
        Region(layer, row, column, part.Layers(), part.Rows(), part.Columns());
    for (int k = 0; k < part.Layers(); ++k)
        for (int r = 0; r < part.Rows(); ++r)
            for (int c = 0; c < part.Columns(); ++c)
                if (part(k, r, c) != current(k, r, c))
                    Set(layer + k, row + r, column + c, part(k, r, c));
    part = std::move(current);
}

std::span<const uint8_t> MembershipGrid::Layer8(int layer) const {
    if (width_ != 1) return {};
    return cells8_.Layer(layer);
}

std::span<const uint16_t> MembershipGrid::Layer16(int layer) const {
    if (width_ != 2) return {};
    return cells16_.Layer(layer);
}

std::span<const int32_t> MembershipGrid::Layer32(int layer) const {
    if (width_ != 4) return {};
    return cells32_.Layer(layer);
}

std::vector<int32_t> MembershipGrid::LayerValues(int layer) const {
    if (layer < 0 || layer >= layers_)
        throw std::out_of_range("boundary layer " + std::to_string(layer));
    std::vector<int32_t> values(
        static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0);
    if (width_ == 0) return values;
    Visit([&](const auto& cells) {
        const auto span = cells.Layer(layer);
        std::copy(span.begin(), span.end(), values.begin());
    });
    return values;
}

std::vector<std::size_t> MembershipGrid::Renumber(int32_t number) {
    std::vector<std::size_t> held;
    if (width_ == 0) return held;
    Visit([&](auto& cells) {
        using T = typename std::decay_t<decltype(cells.Cells())>::value_type;
        auto all = cells.Cells();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto value = static_cast<int32_t>(all[i]);
            if (value == number) {
                held.push_back(i);
                all[i] = 0;
            } else if (value > number) {
                all[i] = static_cast<T>(value - 1);
            }
        }
    });
    return held;
}

void MembershipGrid::Unrenumber(int32_t number, const std::vector<std::size_t>& cells) {
    if (width_ == 0 && cells.empty()) return;
    // The largest number comes back one higher, which may need a wider cell.
    Widen(number);
    int32_t highest = number;
    Visit([&](const auto& grid) {
        for (auto value : grid.Cells())
            highest = std::max(highest, static_cast<int32_t>(value));
    });
    if (highest > number) Widen(highest + 1);
    Visit([&](auto& grid) {
        using T = typename std::decay_t<decltype(grid.Cells())>::value_type;
        auto all = grid.Cells();
        for (auto& value : all)
            if (static_cast<int32_t>(value) >= number) value = static_cast<T>(value + 1);
        for (std::size_t i : cells)
            if (i < all.size()) all[i] = static_cast<T>(number);
    });
}

void MembershipGrid::Compact() {
    if (width_ == 0) return;
    const bool zero = Visit([](const auto& cells) {
        return std::all_of(cells.Cells().begin(), cells.Cells().end(),
                           [](auto value) { return value == 0; });
    });
    if (zero) Reset(layers_, rows_, columns_);
}

Grid3D<int32_t> MembershipGrid::ExtractSlices(int dimension, int at, int count) {
    int L = layers_, R = rows_, C = columns_;
    (dimension == 0 ? R : dimension == 1 ? C : L) -= count;
    if (width_ == 0) {
        const int removed[3] = {dimension == 2 ? count : layers_, dimension == 0 ? count : rows_,
                                dimension == 1 ? count : columns_};
        if (at < 0 || count < 0 || R < 0 || C < 0 || L < 0 ||
            at + count > (dimension == 0   ? rows_
                          : dimension == 1 ? columns_
                                           : layers_))
            throw std::out_of_range("boundary slices outside the grid");
        layers_ = L;
        rows_ = R;
        columns_ = C;
        return Grid3D<int32_t>(removed[0], removed[1], removed[2], 0);
    }
    Grid3D<int32_t> removed = Visit(
        [&](auto& cells) { return Converted<int32_t>(cells.ExtractSlices(dimension, at, count)); });
    layers_ = L;
    rows_ = R;
    columns_ = C;
    return removed;
}

void MembershipGrid::InsertSlices(int dimension, int at, const Grid3D<int32_t>& slices) {
    const int count = dimension == 0   ? slices.Rows()
                      : dimension == 1 ? slices.Columns()
                                       : slices.Layers();
    int32_t highest = 0;
    bool negative = false;
    for (int32_t value : slices.Cells()) {
        highest = std::max(highest, value);
        negative = negative || value < 0;
    }
    if (negative) Widen(-1);
    if (highest > 0) Widen(highest);
    if (width_ != 0) {
        Visit([&](auto& cells) {
            using T = typename std::decay_t<decltype(cells.Cells())>::value_type;
            Grid3D<T> narrow(slices.Layers(), slices.Rows(), slices.Columns());
            std::transform(slices.Cells().begin(), slices.Cells().end(), narrow.Cells().begin(),
                           [](int32_t value) { return static_cast<T>(value); });
            cells.InsertSlices(dimension, at, narrow);
        });
    }
    (dimension == 0 ? rows_ : dimension == 1 ? columns_ : layers_) += count;
}

void MembershipGrid::DuplicateSlice(int dimension, int at, int copies) {
    if (width_ != 0) Visit([&](auto& cells) { cells.DuplicateSlice(dimension, at, copies); });
    (dimension == 0 ? rows_ : dimension == 1 ? columns_ : layers_) += copies;
}

bool MembershipGrid::operator==(const MembershipGrid& other) const {
    if (layers_ != other.layers_ || rows_ != other.rows_ || columns_ != other.columns_)
        return false;
    for (int k = 0; k < layers_; ++k)
        if (LayerValues(k) != other.LayerValues(k)) return false;
    return true;
}

} // namespace korva
