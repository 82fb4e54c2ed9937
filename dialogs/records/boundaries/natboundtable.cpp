#include "dialogs/records/boundaries/natboundtable.h"

#include "dialogs/records/recordtext.h"
#include "model/griddata.h"

namespace korva {

QStringList NatBoundTable::ColumnTitles() {
    return {"Natural Boundary", "Flux (m/day)", "Water Quality (m/day)"};
}

NatBoundTable::NatBoundTable(const GridData& grid)
    : NatBoundTable(NatBoundRecords::Read(grid), grid.Boundary(NaturalBoundaryType).names) {}

NatBoundTable::NatBoundTable(NatBoundRecords records, std::vector<std::string> names)
    : records_(std::move(records)), names_(std::move(names)) {
    records_.flux.resize(names_.size(), 0.0);
    records_.waterQuality.resize(names_.size(), 0.0);
}

QString NatBoundTable::Cell(int boundary, int column) const {
    if (boundary < 0 || boundary >= BoundaryCount()) return {};
    const auto b = static_cast<std::size_t>(boundary);
    switch (column) {
    case NameColumn:
        return QString::fromStdString(names_[b]);
    case FluxColumn:
        return FormatNumber(records_.flux[b]);
    case QualityColumn:
        return FormatNumber(records_.waterQuality[b]);
    default:
        return {};
    }
}

QString NatBoundTable::SetCell(int boundary, int column, const QString& text) {
    if (boundary < 0 || boundary >= BoundaryCount() || text == Cell(boundary, column))
        return Cell(boundary, column);
    const auto b = static_cast<std::size_t>(boundary);
    if (column == FluxColumn)
        records_.flux[b] = ReadNumber(text);
    else if (column == QualityColumn)
        records_.waterQuality[b] = ReadNumber(text);
    return Cell(boundary, column);
}

} // namespace korva
