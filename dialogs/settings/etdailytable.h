#pragma once
// The working copy behind the ET editor's table: the ET period and its daily
// values laid out one week per row, a "Date Range" cell first. Cells are
// addressed by body row and day column (0..6).
#include "model/calendar.h"
#include "model/etperiodedit.h"
#include "model/simulationsettings.h"

#include <string>
#include <vector>

namespace korva {

class ETDailyTable {
public:
    // A period longer than this many days is refused by "Calc": the table
    // would have more rows than anyone can edit, and the values more memory
    // than a model should hold for one list.
    static constexpr int MaxDays = 366 * 200;

    ETDailyTable(const SimulationSettings& settings);

    const ETPeriodData& Period() const { return period_; }
    const std::vector<double>& Values() const { return values_; }
    CalendarDate StartDate() const;
    CalendarDate EndDate() const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    std::string DateRange(int row) const;
    // Whether the cell holds a day of the period (the last row may end early).
    bool HasDay(int row, int day) const;
    // The cell's text: the value with "%g", empty for a cell without a day.
    std::string CellText(int row, int day) const;
    // A typed value: the number the text starts with, 0 otherwise. Returns the
    // text the cell shows afterwards.
    std::string SetCell(int row, int day, const std::string& text);

    // "Calc": moves the period to the two dates, keeping each value with its
    // day. False, with the message shown, for a date that does not exist or a
    // period that is too long; nothing changes then.
    bool Calc(const CalendarDate& start, const CalendarDate& end);

    // OK: the period and values into settings.
    void Store(SimulationSettings& settings) const;

private:
    void Layout();

    int year_;
    ETPeriodData period_;
    std::vector<double> values_;
    std::vector<ETWeekRow> rows_;
};

} // namespace korva
