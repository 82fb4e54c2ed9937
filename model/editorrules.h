#pragma once
// The rules the record editors apply to what the user types, kept out of the
// dialogs: numbers read the way the C library reads them (a leading number,
// else 0), the irrigation schedule's month and day clamps, new schedule rows,
// and the collector name a drain row shows.
#include "cropdata.h"

#include <string>
#include <string_view>

namespace korva {

class GridData;

// The number at the start of text after blanks ("2.5 cm" is 2.5), 0 when the
// text does not start with one. Independent of the C locale, so a decimal
// comma session reads "2.5" the same way.
double ParseLeadingDouble(std::string_view text);
// The same for a decimal integer ("12.7" is 12); clamped to the int range.
int ParseLeadingInt(std::string_view text);

// A month typed into the irrigation schedule, clamped to 1..12.
int ClampIrrigationMonth(int month);
// A day clamped to 1 and to the month's longest length (29 for February,
// whatever the year: the year may be typed after the day).
int ClampIrrigationDay(int month, int day);

// "Add": appends count all-zero items to schedule (none for count < 1).
void AppendIrrigationItems(IrrigationData& schedule, int count);

// The "Collector" cell of a drain's row: its collector's name, or "<none>"
// when the drain empties into none.
std::string DrainCollectorName(const GridData& grid, int drainIndex);

} // namespace korva
