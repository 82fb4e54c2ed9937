#include "selectiongrid.h"

#include <stdexcept>
#include <string>

namespace korva {

namespace {
const OutputParamDataItem noCodes;
}

void SelectionGrid::Reset(int layers, int rows, int columns) {
    if (layers < 0 || rows < 0 || columns < 0)
        throw std::invalid_argument("negative grid dimension");
    layers_ = layers;
    rows_ = rows;
    columns_ = columns;
    cells_.clear();
}

void SelectionGrid::Check(int layer, int row, int column) const {
    if (layer < 0 || layer >= layers_ || row < 0 || row >= rows_ || column < 0 ||
        column >= columns_)
        throw std::out_of_range("time-series cell " + std::to_string(layer) + "," +
                                std::to_string(row) + "," + std::to_string(column));
}

const OutputParamDataItem& SelectionGrid::Get(int layer, int row, int column) const {
    Check(layer, row, column);
    const auto found = cells_.find(IndexOf(layer, row, column));
    return found == cells_.end() ? noCodes : found->second;
}

void SelectionGrid::Set(int layer, int row, int column, OutputParamDataItem codes) {
    Check(layer, row, column);
    const std::size_t index = IndexOf(layer, row, column);
    if (codes.empty())
        cells_.erase(index);
    else
        cells_[index] = std::move(codes);
}

void SelectionGrid::Append(int layer, int row, int column, int32_t code) {
    Check(layer, row, column);
    cells_[IndexOf(layer, row, column)].push_back(code);
}

int SelectionGrid::CountSelections() const {
    std::size_t count = 0;
    for (const auto& [index, codes] : cells_)
        count += codes.size();
    return static_cast<int>(count);
}

template <class Move> void SelectionGrid::Remap(int L, int R, int C, Move&& move) {
    std::map<std::size_t, OutputParamDataItem> moved;
    const auto perLayer = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_);
    for (auto& [index, codes] : cells_) {
        int layer = static_cast<int>(index / perLayer);
        int row = static_cast<int>(index % perLayer / static_cast<std::size_t>(columns_));
        int column = static_cast<int>(index % static_cast<std::size_t>(columns_));
        if (!move(layer, row, column)) continue;
        const std::size_t to = (static_cast<std::size_t>(layer) * static_cast<std::size_t>(R) +
                                static_cast<std::size_t>(row)) *
                                   static_cast<std::size_t>(C) +
                               static_cast<std::size_t>(column);
        moved.emplace_hint(moved.end(), to, std::move(codes));
    }
    layers_ = L;
    rows_ = R;
    columns_ = C;
    cells_ = std::move(moved);
}

std::vector<SelectionGrid::Entry> SelectionGrid::Region(int layer0, int layer1, int row0, int row1,
                                                        int col0, int col1) const {
    std::vector<Entry> entries;
    ForEach([&](const Cell& cell) {
        if (cell.layer < layer0 || cell.layer > layer1 || cell.row < row0 || cell.row > row1 ||
            cell.column < col0 || cell.column > col1)
            return;
        entries.push_back({cell.layer - layer0, cell.row - row0, cell.column - col0, cell.codes});
    });
    return entries;
}

void SelectionGrid::RestoreRegion(int layer0, int layer1, int row0, int row1, int col0, int col1,
                                  const std::vector<Entry>& entries) {
    for (auto it = cells_.begin(); it != cells_.end();) {
        const auto perLayer = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_);
        const int layer = static_cast<int>(it->first / perLayer);
        const int row = static_cast<int>(it->first % perLayer / static_cast<std::size_t>(columns_));
        const int column = static_cast<int>(it->first % static_cast<std::size_t>(columns_));
        if (layer >= layer0 && layer <= layer1 && row >= row0 && row <= row1 && column >= col0 &&
            column <= col1)
            it = cells_.erase(it);
        else
            ++it;
    }
    for (const Entry& entry : entries)
        Set(layer0 + entry.layer, row0 + entry.row, col0 + entry.column, entry.codes);
}

std::vector<SelectionGrid::Entry> SelectionGrid::ExtractSlices(int dimension, int at, int count) {
    const int size = dimension == 0 ? rows_ : dimension == 1 ? columns_ : layers_;
    if (at < 0 || count < 0 || at + count > size)
        throw std::out_of_range("time-series slices outside the grid");
    std::vector<Entry> removed;
    ForEach([&](const Cell& cell) {
        const int p = dimension == 0 ? cell.row : dimension == 1 ? cell.column : cell.layer;
        if (p >= at && p < at + count)
            removed.push_back({dimension == 2 ? p - at : cell.layer,
                               dimension == 0 ? p - at : cell.row,
                               dimension == 1 ? p - at : cell.column, cell.codes});
    });
    int L = layers_, R = rows_, C = columns_;
    (dimension == 0 ? R : dimension == 1 ? C : L) -= count;
    Remap(L, R, C, [&](int& layer, int& row, int& column) {
        int& p = dimension == 0 ? row : dimension == 1 ? column : layer;
        if (p < at) return true;
        if (p >= at + count) {
            p -= count;
            return true;
        }
        return false;
    });
    return removed;
}

void SelectionGrid::InsertSlices(int dimension, int at, int count,
                                 const std::vector<Entry>& entries) {
    int L = layers_, R = rows_, C = columns_;
    (dimension == 0 ? R : dimension == 1 ? C : L) += count;
    Remap(L, R, C, [&](int& layer, int& row, int& column) {
        int& p = dimension == 0 ? row : dimension == 1 ? column : layer;
        if (p >= at) p += count;
        return true;
    });
    for (const Entry& entry : entries)
        Set(dimension == 2 ? entry.layer + at : entry.layer,
            dimension == 0 ? entry.row + at : entry.row,
            dimension == 1 ? entry.column + at : entry.column, entry.codes);
}

void SelectionGrid::DuplicateSlice(int dimension, int at, int copies) {
    std::vector<Entry> copied;
    ForEach([&](const Cell& cell) {
        const int p = dimension == 0 ? cell.row : dimension == 1 ? cell.column : cell.layer;
        if (p == at)
            copied.push_back({dimension == 2 ? 0 : cell.layer, dimension == 0 ? 0 : cell.row,
                              dimension == 1 ? 0 : cell.column, cell.codes});
    });
    int L = layers_, R = rows_, C = columns_;
    (dimension == 0 ? R : dimension == 1 ? C : L) += copies;
    Remap(L, R, C, [&](int& layer, int& row, int& column) {
        int& p = dimension == 0 ? row : dimension == 1 ? column : layer;
        if (p > at) p += copies;
        return true;
    });
    for (int i = 1; i <= copies; ++i)
        for (const Entry& entry : copied)
            Set(dimension == 2 ? at + i : entry.layer, dimension == 0 ? at + i : entry.row,
                dimension == 1 ? at + i : entry.column, entry.codes);
}

} // namespace korva
