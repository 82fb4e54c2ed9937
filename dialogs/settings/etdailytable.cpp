#include "etdailytable.h"

#include "dialogs/fieldtext.h"
#include "model/messages.h"

namespace korva {

ETDailyTable::ETDailyTable(const SimulationSettings& settings)
    : year_(settings.simulationYear), period_(settings.ETPeriod), values_(settings.DailyETUsage) {
    // A list that disagrees with its period (a hand-edited file) is shown as
    // the period says: missing days as 0, surplus values dropped on OK. A
    // period too long to show is left as it is, with an empty table, until
    // "Calc" gives it new dates.
    if (ETDayCount(period_) > MaxDays) return;
    values_.resize(static_cast<std::size_t>(ETDayCount(period_)), 0.0);
    Layout();
}

void ETDailyTable::Layout() {
    rows_ = ETWeekRows(period_, year_);
}

CalendarDate ETDailyTable::StartDate() const {
    return DayNumberToDate(period_.first, year_);
}

CalendarDate ETDailyTable::EndDate() const {
    return DayNumberToDate(period_.last, year_);
}

std::string ETDailyTable::DateRange(int row) const {
    return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)].dateRange : "";
}

bool ETDailyTable::HasDay(int row, int day) const {
    return row >= 0 && row < RowCount() && day >= 0 &&
           day < rows_[static_cast<std::size_t>(row)].valueCount;
}

std::string ETDailyTable::CellText(int row, int day) const {
    if (!HasDay(row, day)) return "";
    const auto index =
        static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].firstValue + day);
    return index < values_.size() ? FormatFieldDouble(values_[index]) : "";
}

std::string ETDailyTable::SetCell(int row, int day, const std::string& text) {
    if (!HasDay(row, day)) return "";
    const auto index =
        static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].firstValue + day);
    if (index < values_.size()) values_[index] = ParseETValue(text);
    return CellText(row, day);
}

bool ETDailyTable::Calc(const CalendarDate& start, const CalendarDate& end) {
    const int first = DateToDayNumber(start.day, start.month, start.year, year_);
    const int last = DateToDayNumber(end.day, end.month, end.year, year_);
    if (first >= 0 && last >= first && static_cast<long long>(last) - first + 1 > MaxDays) {
        ShowMessage("The ET period may cover at most " + std::to_string(MaxDays) + " days.");
        return false;
    }
    if (!MoveETPeriod(period_, values_, start, end, year_)) return false;
    Layout();
    return true;
}

void ETDailyTable::Store(SimulationSettings& settings) const {
    settings.ETPeriod = period_;
    settings.DailyETUsage = values_;
}

} // namespace korva
