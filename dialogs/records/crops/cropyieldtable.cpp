#include "dialogs/records/crops/cropyieldtable.h"

#include "dialogs/records/recordtext.h"
#include "model/griddata.h"

namespace korva {

QStringList CropYieldTable::ValueTitles(Table table) {
    if (table == ResponseTable) return {"Stage 1", "Stage 2", "Stage 3", "Stage 4"};
    return {"1.00", ".90", ".75", ".50", ".25"};
}

QString CropYieldTable::ResponseTitle() {
    return "Yield Response Factor for Growth Stage";
}

QString CropYieldTable::SalinityTitle() {
    return "Salinity Upper Bounds (mmho/cm) for Yield Multiplication Factor";
}

CropYieldTable::CropYieldTable(const GridData& grid)
    : CropYieldTable(YieldRecords::Read(grid), grid.Boundary(BasinType).names) {}

CropYieldTable::CropYieldTable(YieldRecords records, std::vector<std::string> basinNames)
    : records_(std::move(records)), basinNames_(std::move(basinNames)) {
    // Every list holds one entry per basin, even if a file left one short.
    for (auto& list : records_.responseFactors)
        list.resize(basinNames_.size(), 0.0);
    for (auto& list : records_.salinityBounds)
        list.resize(basinNames_.size(), 0.0);
}

QString CropYieldTable::BasinName(int basin) const {
    if (basin < 0 || basin >= BasinCount()) return {};
    return QString::fromStdString(basinNames_[static_cast<std::size_t>(basin)]);
}

int CropYieldTable::ValueCount(Table table) const {
    return table == ResponseTable ? static_cast<int>(records_.responseFactors.size())
                                  : static_cast<int>(records_.salinityBounds.size());
}

std::vector<double>* CropYieldTable::List(Table table, int value) {
    if (value < 0 || value >= ValueCount(table)) return nullptr;
    return table == ResponseTable ? &records_.responseFactors[static_cast<std::size_t>(value)]
                                  : &records_.salinityBounds[static_cast<std::size_t>(value)];
}

const std::vector<double>* CropYieldTable::List(Table table, int value) const {
    return const_cast<CropYieldTable*>(this)->List(table, value);
}

QString CropYieldTable::Cell(Table table, int basin, int value) const {
    const std::vector<double>* list = List(table, value);
    if (!list || basin < 0 || basin >= BasinCount()) return {};
    return FormatNumber((*list)[static_cast<std::size_t>(basin)]);
}

QString CropYieldTable::SetCell(Table table, int basin, int value, const QString& text) {
    std::vector<double>* list = List(table, value);
    if (!list || basin < 0 || basin >= BasinCount()) return {};
    if (text != Cell(table, basin, value))
        (*list)[static_cast<std::size_t>(basin)] = ReadNumber(text);
    return Cell(table, basin, value);
}

} // namespace korva
