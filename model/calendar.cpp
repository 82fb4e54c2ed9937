#include "calendar.h"

namespace korva {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date; exact for every year
// an int can hold, so day numbers far from the base year stay correct.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;
    const long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return lengths[month - 1];
}

int DateToDayNumber(int day, int month, int year, int baseYear) {
    if (year < baseYear) return -1;
    if (day < 1 || day > DaysInMonth(month, year)) return -1;
    const long long number = DaysFromCivil(year, month, day) - DaysFromCivil(baseYear, 1, 1);
    // A date so far past the base year that its count no longer fits is as
    // unusable for the solver as one that does not exist.
    if (number > 2147483647LL) return -1;
    return static_cast<int>(number);
}

CalendarDate DayNumberToDate(int dayNumber, int baseYear) {
    return CivilFromDays(DaysFromCivil(baseYear, 1, 1) + dayNumber);
}

} // namespace korva
