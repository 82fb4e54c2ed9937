#include "printcontrolrules.h"

#include "model/calendar.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace korva::charts {

int LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

namespace {

int MonthLength(int month, int year) {
    if (month == 2) return year > 0 && !IsLeapYear(year) ? 28 : 29;
    const int days = DaysInMonth(month, 2000);
    return days > 0 ? days : 31;
}

int FullYear(int year) {
    return year < 100 ? year + 1900 : year;
}

} // namespace

int CorrectMonth(const std::string& text) {
    return std::clamp(LeadingInteger(text), 1, 12);
}

int CorrectDay(const std::string& text, int month, int year) {
    return std::clamp(LeadingInteger(text), 1, MonthLength(month, year));
}

int CorrectYear(const std::string& text) {
    return FullYear(LeadingInteger(text));
}

void AddPrintRows(std::vector<PrintRow>& rows, int count, int simulationYear) {
    for (int i = 0; i < count; ++i)
        rows.push_back({0, 0, simulationYear});
}

std::string AddPrintGroup(std::vector<PrintRow>& rows, const PrintGroup& g) {
    if (g.startDay < 1 || g.startDay > 31) return "Start day must be between 1-31";
    if (g.endDay < 1 || g.endDay > 31) return "End day must be between 1-31";
    if (g.startMonth < 1 || g.startMonth > 12) return "Start month must be between 1-12";
    if (g.endMonth < 1 || g.endMonth > 12) return "End month must be between 1-12";
    if (g.interval < 1) return "Interval must be at least 1.";
    const int startYear = std::clamp(FullYear(g.startYear), 1, 99999);
    const int endYear = std::clamp(FullYear(g.endYear), 1, 99999);
    // A day past the month's end (31 April, 29 February 2001) means its last day.
    const int startDay = std::min(g.startDay, DaysInMonth(g.startMonth, startYear));
    const int endDay = std::min(g.endDay, DaysInMonth(g.endMonth, endYear));
    const int first = DateToDayNumber(startDay, g.startMonth, startYear, startYear);
    const int last =
        endYear < startYear ? -1 : DateToDayNumber(endDay, g.endMonth, endYear, startYear);
    if (first < 0 || last < first) return {}; // an end before the start adds nothing
    const long long count = (static_cast<long long>(last) - first) / g.interval + 1;
    if (count > MaxGroupRows)
        return "The group would add " + std::to_string(count) + " print dates; at most " +
               std::to_string(MaxGroupRows) + " can be added at once.";
    for (long long day = first; day <= last; day += g.interval) {
        const CalendarDate date = DayNumberToDate(static_cast<int>(day), startYear);
        rows.push_back({date.month, date.day, date.year});
    }
    return {};
}

std::vector<PrintDataItem> BuildPrintList(const std::vector<PrintRow>& rows) {
    std::vector<PrintDataItem> list;
    list.reserve(rows.size());
    for (const PrintRow& row : rows) {
        PrintDataItem item{row.month, row.day, row.year};
        if (item.month == 2 && item.day == 29 && item.year > 0 && !IsLeapYear(item.year))
            item.day = 28;
        InsertPrintDate(list, item);
    }
    return list;
}

} // namespace korva::charts
