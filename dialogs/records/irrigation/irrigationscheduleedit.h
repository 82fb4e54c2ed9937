#pragma once
// The working copy behind "Irrigation Schedule": every basin's schedule, the
// checks made as each cell is typed, "Add" and "Delete", and whether there are
// edits not yet stored.
#include "dialogs/records/records.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace korva {

class GridData;

class IrrigationScheduleEdit {
public:
    enum Column { MonthColumn = 0, DayColumn, YearColumn, DepthColumn, SaltColumn, ColumnCount };
    static QStringList ColumnTitles();

    explicit IrrigationScheduleEdit(const GridData& grid);
    IrrigationScheduleEdit(IrrigationRecords records, std::vector<std::string> basinNames);

    int BasinCount() const { return static_cast<int>(basinNames_.size()); }
    QString BasinName(int basin) const;
    int ItemCount(int basin) const;
    QString Cell(int basin, int item, int column) const;
    // Reads what the user typed: the month clamped to 1..12, the day to 1 and
    // the month's longest length, the year as an integer, depth and salt as
    // numbers. A date that the calendar does not have afterwards (29 February
    // of a common year, 31 April after the month changed) moves to the month's
    // last day. Other cells of the row may change with it: show the row again.
    void SetCell(int basin, int item, int column, const QString& text);
    // "Add": count all-zero items at the end of the basin's schedule, at most
    // MaxAdd at once (a slip of the keyboard must not exhaust memory).
    static constexpr int MaxAdd = 10000;
    void Add(int basin, int count);
    // "Delete": removes the given items of the basin's schedule.
    void Delete(int basin, std::vector<int> items);

    // Edits made since the last MarkStored.
    bool Pending() const { return pending_; }
    void MarkStored() { pending_ = false; }
    const IrrigationRecords& Result() const { return records_; }
    const IrrigationData* Schedule(int basin) const;

private:
    IrrigationDataItem* Item(int basin, int item);

    IrrigationRecords records_;
    std::vector<std::string> basinNames_;
    bool pending_ = false;
};

// The date of an item brought into the calendar: a day past its month's end
// (for that year; February has 29 days only in a leap year) becomes the last
// day. Months outside 1..12 and days below 1 are left alone.
void KeepIrrigationDateInCalendar(IrrigationDataItem& item);

} // namespace korva
