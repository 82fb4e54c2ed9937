#pragma once
// EngineChart: Graph1 as the project's chart engine draws it.
#include "chartsurface.h"

namespace korva::pxserver {

// Makes charts of the chart engine; libpxserver.so installs it when loaded.
ChartFactory EngineChartFactory();

} // namespace korva::pxserver
