#pragma once
// Date labels of the X axis: point i is labelled with the date
// LabelXDateStart + i × LabelXDateInc, written by LabelXFormat.
// Dates and increments are "yyyy:mm:dd" optionally followed by ":hh:nn:ss"
// (any non-digit separates the fields). Format codes: yyyy, yy, mmm (month
// name), mm, m, dd, d, hh, h, nn, n, ss, s; every other character is copied.
#include <optional>
#include <string>

namespace korva::plot {

struct DateFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

bool IsBlank(const std::string& text);
// Parses a date (start true: month 1-12, day 1-31, hour 0-23 ...) or an
// increment (start false: any field counts, none negative).
std::optional<DateFields> ParseDateFields(const std::string& text, bool start);
// The date of point `point`.
DateFields DateOfPoint(const DateFields& start, const DateFields& increment, long point);
std::string FormatDate(const DateFields& date, const std::string& format);

} // namespace korva::plot
