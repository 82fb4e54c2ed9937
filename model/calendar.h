#pragma once
// Day numbers: 0-based day counts from 1 January of a base year (the
// simulation year). Every date the model stores or hands to the solver goes
// through these two functions.

namespace korva {

struct CalendarDate {
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int year = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int month, int year); // 0 for a month outside 1..12

// Days since 1 January of baseYear, or -1 when year is before baseYear or the
// day does not exist in that month (Gregorian leap years).
int DateToDayNumber(int day, int month, int year, int baseYear);

// The date of dayNumber counted from 1 January of baseYear. Negative day
// numbers count backwards into earlier years.
CalendarDate DayNumberToDate(int dayNumber, int baseYear);

} // namespace korva
