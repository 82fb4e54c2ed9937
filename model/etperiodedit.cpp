#include "etperiodedit.h"

#include "editorrules.h"
#include "messages.h"

#include <algorithm>
#include <cstdio>

namespace korva {

int ETDayCount(const ETPeriodData& period) {
    if (period.last == 0 || period.last < period.first) return 0;
    return period.last - period.first + 1;
}

std::string FormatETDate(const CalendarDate& date) {
    static constexpr const char* months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* month = date.month >= 1 && date.month <= 12 ? months[date.month - 1] : "???";
    char text[48];
    std::snprintf(text, sizeof text, "%s %2d, %d", month, date.day, date.year);
    return text;
}

std::vector<ETWeekRow> ETWeekRows(const ETPeriodData& period, int simulationYear) {
    std::vector<ETWeekRow> rows;
    const int days = ETDayCount(period);
    for (int first = 0; first < days; first += 7) {
        ETWeekRow row;
        row.firstValue = first;
        row.valueCount = std::min(7, days - first);
        const CalendarDate from = DayNumberToDate(period.first + first, simulationYear);
        const CalendarDate to =
            DayNumberToDate(period.first + first + row.valueCount - 1, simulationYear);
        row.dateRange = FormatETDate(from) + "-" + FormatETDate(to);
        rows.push_back(std::move(row));
    }
    return rows;
}

double ParseETValue(std::string_view text) {
    return ParseLeadingDouble(text);
}

bool MoveETPeriod(ETPeriodData& period, std::vector<double>& values, const CalendarDate& newStart,
                  const CalendarDate& newEnd, int simulationYear) {
    const int start = DateToDayNumber(newStart.day, newStart.month, newStart.year, simulationYear);
    if (start < 0) {
        ShowMessage("Illegal start date.");
        return false;
    }
    const int end = DateToDayNumber(newEnd.day, newEnd.month, newEnd.year, simulationYear);
    if (end < 0 || end < start) {
        ShowMessage("Illegal end date.");
        return false;
    }
    auto dropFront = [&](long long count) {
        if (count >= static_cast<long long>(values.size()))
            values.clear();
        else
            values.erase(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
    };
    auto dropBack = [&](long long count) {
        if (count >= static_cast<long long>(values.size()))
            values.clear();
        else
            values.resize(values.size() - static_cast<std::size_t>(count));
    };
    if (start < period.first)
        values.insert(values.begin(), static_cast<std::size_t>(period.first - start), 0.0);
    else if (start > period.first)
        dropFront(static_cast<long long>(start) - period.first);
    if (end > period.last)
        values.insert(values.end(), static_cast<std::size_t>(end - period.last), 0.0);
    else if (end < period.last)
        dropBack(static_cast<long long>(period.last) - end);
    period.first = start;
    period.last = end;
    // A period that held no values (or fewer than its days) now gets one value
    // per day, so the list and the period never disagree.
    values.resize(static_cast<std::size_t>(ETDayCount(period)), 0.0);
    return true;
}

} // namespace korva
