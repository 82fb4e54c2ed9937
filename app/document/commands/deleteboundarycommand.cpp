#include "deleteboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

namespace {

template <typename T> std::optional<T> Take(const std::vector<T>& list, int index) {
    if (index < static_cast<int>(list.size())) return list[static_cast<std::size_t>(index)];
    return std::nullopt;
}

template <typename T> void Restore(std::vector<T>& list, int index, const std::optional<T>& value) {
    if (value && index <= static_cast<int>(list.size())) list.insert(list.begin() + index, *value);
}

} // namespace

DeleteBoundaryCommand::DeleteBoundaryCommand(CKORVADoc& document, int type, int index)
    : DocumentCommand(document,
                      QString("Delete %1 \"%2\"")
                          .arg(BoundaryTypeName(type),
                               QString::fromStdString(document.Grid().Boundary(type).names.at(
                                   static_cast<std::size_t>(index)))),
                      {ModelChange::Boundaries | ModelChange::Irrigation, type, 0}),
      type_(type), index_(index) {}

void DeleteBoundaryCommand::redo() {
    GridData& grid = Grid();
    const BoundaryTypeData& record = grid.Boundary(type_);
    entry_ = Entry{Take(record.names, index_),     Take(record.red, index_),
                   Take(record.green, index_),     Take(record.blue, index_),
                   Take(record.displayed, index_), Take(record.collectorIndex, index_),
                   Take(record.flux, index_),      Take(record.waterQuality, index_)};
    cells_.clear();
    const int32_t number = index_ + 1;
    for (std::size_t l = 0; l < record.grid.size(); ++l)
        for (std::size_t r = 0; r < record.grid[l].size(); ++r)
            for (std::size_t c = 0; c < record.grid[l][r].size(); ++c)
                if (record.grid[l][r][c] == number)
                    cells_.push_back({static_cast<int32_t>(l), static_cast<int32_t>(r),
                                      static_cast<int32_t>(c)});
    const auto at = static_cast<std::size_t>(index_);
    if (type_ == BasinType) {
        irrigation_ = at < grid.irrigation.size() ? grid.irrigation[at] : IrrigationData{};
        yieldFactors_.clear();
        for (const auto& factors : grid.YieldResponseFactors)
            yieldFactors_.push_back(at < factors.size() ? factors[at] : 0.0);
        salinityBounds_.clear();
        for (const auto& bounds : grid.SalinityUpperBounds)
            salinityBounds_.push_back(at < bounds.size() ? bounds[at] : 0.0);
    } else if (type_ == CollectorType) {
        connectedDrains_.clear();
        const auto& collectors = grid.Boundary(DrainType).collectorIndex;
        for (std::size_t drain = 0; drain < collectors.size(); ++drain)
            if (collectors[drain] == index_) connectedDrains_.push_back(static_cast<int>(drain));
    }
    grid.DeleteBoundary(type_, index_);
    Report();
}

void DeleteBoundaryCommand::undo() {
    GridData& grid = Grid();
    BoundaryTypeData& record = grid.Boundary(type_);
    Restore(record.names, index_, entry_.name);
    Restore(record.red, index_, entry_.red);
    Restore(record.green, index_, entry_.green);
    Restore(record.blue, index_, entry_.blue);
    Restore(record.displayed, index_, entry_.displayed);
    Restore(record.collectorIndex, index_, entry_.collectorIndex);
    Restore(record.flux, index_, entry_.flux);
    Restore(record.waterQuality, index_, entry_.waterQuality);

    // The delete moved every higher number down by one; move them back.
    const int32_t number = index_ + 1;
    for (BoundaryLayerData& layer : record.grid)
        for (BoundaryRowData& row : layer)
            for (int32_t& value : row)
                if (value >= number) ++value;
    for (const Cell& cell : cells_)
        record.grid[static_cast<std::size_t>(cell.layer)][static_cast<std::size_t>(cell.row)]
                   [static_cast<std::size_t>(cell.column)] = number;

    const auto at = static_cast<std::ptrdiff_t>(index_);
    if (type_ == BasinType) {
        if (index_ <= static_cast<int>(grid.irrigation.size()))
            grid.irrigation.insert(grid.irrigation.begin() + at, irrigation_);
        for (std::size_t k = 0; k < grid.YieldResponseFactors.size(); ++k)
            if (index_ <= static_cast<int>(grid.YieldResponseFactors[k].size()))
                grid.YieldResponseFactors[k].insert(grid.YieldResponseFactors[k].begin() + at,
                                                    yieldFactors_.at(k));
        for (std::size_t k = 0; k < grid.SalinityUpperBounds.size(); ++k)
            if (index_ <= static_cast<int>(grid.SalinityUpperBounds[k].size()))
                grid.SalinityUpperBounds[k].insert(grid.SalinityUpperBounds[k].begin() + at,
                                                   salinityBounds_.at(k));
    } else if (type_ == CollectorType) {
        auto& collectors = grid.Boundary(DrainType).collectorIndex;
        for (int32_t& collector : collectors)
            if (collector >= index_) ++collector;
        for (int drain : connectedDrains_)
            collectors.at(static_cast<std::size_t>(drain)) = index_;
    }
    Report();
}

std::size_t DeleteBoundaryCommand::MemoryCost() const {
    return sizeof(*this) + cells_.size() * sizeof(Cell) +
           irrigation_.size() * sizeof(IrrigationDataItem) + connectedDrains_.size() * sizeof(int);
}

} // namespace korva
