#pragma once
// The simulated period as the Simulation Parameters dialog shows and stores
// it: start and end as calendar dates, the model keeping day numbers counted
// from 1 January of the simulation year.
#include "calendar.h"
#include "simulationsettings.h"

namespace korva {

struct SimulationPeriodDates {
    CalendarDate start;
    CalendarDate end;
};

struct SimulationPeriod {
    int start = 0; // day numbers; -1 for a date that does not exist
    int end = 0;
    int year = 0;
};

// The dates the dialog shows for the stored period.
SimulationPeriodDates SimulationPeriodToDates(const SimulationSettings& settings);

// What the dialog stores on OK: the year of the start date becomes the
// simulation year, both dates become day numbers against it (-1 for a date
// that does not exist and for an end year before the start year).
SimulationPeriod SimulationPeriodFromDates(const CalendarDate& start, const CalendarDate& end);

} // namespace korva
