#pragma once
// The chart of an irrigation schedule ("Plot" of the irrigation schedule
// editor): one bar per irrigation, its depth over its date.
#include "graphdata.h"
#include "model/cropdata.h"

namespace korva::charts {

GraphData MakeIrrigationGraph(const IrrigationData& schedule);

} // namespace korva::charts
