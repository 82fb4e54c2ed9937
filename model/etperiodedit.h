#pragma once
// What the ET editor ("Evapo-Transpiration Function") computes, kept out of
// the dialog: the weekly table of the period, the reading of a typed value and
// the "Calc" rule that moves the period and shifts the daily values with it.
#include "calendar.h"
#include "simulationsettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Number of days of the period, both ends included; 0 when no daily values
// are defined (last day 0) or the period is inverted.
int ETDayCount(const ETPeriodData& period);

// "Jan  1, 1990": the month's three-letter name, the day right-aligned in two
// characters, a comma, a space and the year. "???" for a month outside 1..12.
std::string FormatETDate(const CalendarDate& date);

// One row of the weekly table: its "Date Range" text and the positions in the
// daily list of the values it shows (up to seven; fewer in the last row).
struct ETWeekRow {
    std::string dateRange; // "Jan  1, 1990-Jan  7, 1990"
    int firstValue = 0;
    int valueCount = 0;
};

// ceil(days / 7) rows covering the period; day numbers count from 1 January
// of simulationYear.
std::vector<ETWeekRow> ETWeekRows(const ETPeriodData& period, int simulationYear);

// A typed value cell, read like every editor's number cell: the number it
// starts with, 0 for text that is not a number.
double ParseETValue(std::string_view text);

// The "Calc" button: moves period to newStart..newEnd (dates against
// simulationYear), inserting zeros or dropping values at the front and the
// back as the two ends move, so every remaining value keeps its day. A date
// that does not exist shows "Illegal start date." or "Illegal end date." and
// changes nothing; so does an end before the start. Afterwards values holds
// exactly one entry per day of the new period.
bool MoveETPeriod(ETPeriodData& period, std::vector<double>& values, const CalendarDate& newStart,
                  const CalendarDate& newEnd, int simulationYear);

} // namespace korva
