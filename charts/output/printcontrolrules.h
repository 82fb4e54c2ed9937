#pragma once
// The rules of the print control editor ("Print Control"), without a window:
// how typed cells are corrected, the rows "Add" and "Add Group" append, and
// the print list that OK rebuilds from the rows.
#include "model/outputselection.h"

#include <string>
#include <vector>

namespace korva::charts {

// One row of the editor's table as the user typed it.
struct PrintRow {
    int month = 0;
    int day = 0;
    int year = 0;
};

// Reads text as the C library reads an integer ("12abc" is 12, "x" is 0).
int LeadingInteger(const std::string& text);
// A typed month: 1..12.
int CorrectMonth(const std::string& text);
// A typed day in month (of year): 1 up to the month's last day. February has
// 29 days, except in a year known not to be a leap year (year > 0), where the
// 29th would be no date at all.
int CorrectDay(const std::string& text, int month, int year);
// A typed year: two-digit years are of the 1900s.
int CorrectYear(const std::string& text);

// "Add": count rows of month 0, day 0 and the simulation year.
void AddPrintRows(std::vector<PrintRow>& rows, int count, int simulationYear);

struct PrintGroup {
    int startMonth = 0, startDay = 0, startYear = 0;
    int endMonth = 0, endDay = 0, endYear = 0;
    int interval = 1; // days
};
// At most this many rows come from one "Add Group".
constexpr int MaxGroupRows = 10000;

// "Add" of the "Add Group" box: appends a row for every interval-th day from
// the start date to the end date, both included. On a fault returns its
// message ("Start day must be between 1-31", ...) and appends nothing.
std::string AddPrintGroup(std::vector<PrintRow>& rows, const PrintGroup& group);

// OK: the print list from the rows, each date inserted at its place in
// ascending date order; 29 February of a year that is not a leap year
// becomes the 28th.
std::vector<PrintDataItem> BuildPrintList(const std::vector<PrintRow>& rows);

} // namespace korva::charts
