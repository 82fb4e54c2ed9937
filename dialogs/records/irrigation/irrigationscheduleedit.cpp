#include "dialogs/records/irrigation/irrigationscheduleedit.h"

#include "dialogs/records/recordtext.h"
#include "model/calendar.h"
#include "model/editorrules.h"
#include "model/griddata.h"

#include <algorithm>

namespace korva {

QStringList IrrigationScheduleEdit::ColumnTitles() {
    return {"Month", "Day", "Year", "Depth (cm)", "Salt Conc."};
}

IrrigationScheduleEdit::IrrigationScheduleEdit(const GridData& grid)
    : IrrigationScheduleEdit(IrrigationRecords::Read(grid), grid.Boundary(BasinType).names) {}

IrrigationScheduleEdit::IrrigationScheduleEdit(IrrigationRecords records,
                                               std::vector<std::string> basinNames)
    : records_(std::move(records)), basinNames_(std::move(basinNames)) {
    records_.schedules.resize(basinNames_.size());
}

QString IrrigationScheduleEdit::BasinName(int basin) const {
    if (basin < 0 || basin >= BasinCount()) return {};
    return QString::fromStdString(basinNames_[static_cast<std::size_t>(basin)]);
}

const IrrigationData* IrrigationScheduleEdit::Schedule(int basin) const {
    if (basin < 0 || basin >= BasinCount()) return nullptr;
    return &records_.schedules[static_cast<std::size_t>(basin)];
}

int IrrigationScheduleEdit::ItemCount(int basin) const {
    const IrrigationData* schedule = Schedule(basin);
    return schedule ? static_cast<int>(schedule->size()) : 0;
}

IrrigationDataItem* IrrigationScheduleEdit::Item(int basin, int item) {
    if (item < 0 || item >= ItemCount(basin)) return nullptr;
    return &records_.schedules[static_cast<std::size_t>(basin)][static_cast<std::size_t>(item)];
}

QString IrrigationScheduleEdit::Cell(int basin, int item, int column) const {
    const IrrigationDataItem* entry = const_cast<IrrigationScheduleEdit*>(this)->Item(basin, item);
    if (!entry) return {};
    switch (column) {
    case MonthColumn:
        return FormatInteger(entry->month);
    case DayColumn:
        return FormatInteger(entry->day);
    case YearColumn:
        return FormatInteger(entry->year);
    case DepthColumn:
        return FormatNumber(entry->amount);
    case SaltColumn:
        return FormatNumber(entry->saltConcentration);
    default:
        return {};
    }
}

void KeepIrrigationDateInCalendar(IrrigationDataItem& item) {
    if (item.month < 1 || item.month > 12 || item.day < 1) return;
    item.day = std::min(item.day, DaysInMonth(item.month, item.year));
}

void IrrigationScheduleEdit::SetCell(int basin, int item, int column, const QString& text) {
    IrrigationDataItem* entry = Item(basin, item);
    if (!entry || text == Cell(basin, item, column)) return;
    switch (column) {
    case MonthColumn:
        entry->month = ClampIrrigationMonth(ReadInteger(text));
        break;
    case DayColumn:
        entry->day = ClampIrrigationDay(entry->month, ReadInteger(text));
        break;
    case YearColumn:
        entry->year = ReadInteger(text);
        break;
    case DepthColumn:
        entry->amount = ReadNumber(text);
        break;
    case SaltColumn:
        entry->saltConcentration = ReadNumber(text);
        break;
    default:
        return;
    }
    if (column == MonthColumn || column == DayColumn || column == YearColumn)
        KeepIrrigationDateInCalendar(*entry);
    pending_ = true;
}

void IrrigationScheduleEdit::Add(int basin, int count) {
    if (basin < 0 || basin >= BasinCount() || count < 1) return;
    AppendIrrigationItems(records_.schedules[static_cast<std::size_t>(basin)],
                          std::min(count, MaxAdd));
    pending_ = true;
}

void IrrigationScheduleEdit::Delete(int basin, std::vector<int> items) {
    if (basin < 0 || basin >= BasinCount()) return;
    IrrigationData& schedule = records_.schedules[static_cast<std::size_t>(basin)];
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(schedule.size())) continue;
        schedule.erase(schedule.begin() + *it);
        pending_ = true;
    }
}

} // namespace korva
