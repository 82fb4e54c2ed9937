#include "simulationperiod.h"

namespace korva {

SimulationPeriodDates SimulationPeriodToDates(const SimulationSettings& settings) {
    return {DayNumberToDate(settings.simulationStart, settings.simulationYear),
            DayNumberToDate(settings.simulationEnd, settings.simulationYear)};
}

SimulationPeriod SimulationPeriodFromDates(const CalendarDate& start, const CalendarDate& end) {
    SimulationPeriod period;
    period.year = start.year;
    period.start = DateToDayNumber(start.day, start.month, start.year, start.year);
    period.end = DateToDayNumber(end.day, end.month, end.year, start.year);
    return period;
}

} // namespace korva
