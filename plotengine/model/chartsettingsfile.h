#pragma once
// The chart settings file named by GraphFile (the graph name + ".pxp"):
// DrawMode 7 stores every writable property that differs from a fresh
// chart, DrawMode 9 reads them back. A text file, one property a line:
//     KORVA chart settings 1
//     GraphTitle=Sales
//     Color(3)=12
// Texts escape "\" as "\\" and line ends as "\n".
#include <string>
#include <string_view>

namespace korva::plot {

class ChartModel;

std::string ChartSettingsText(const ChartModel& model);
// Applies the settings in text to model, all or nothing; throws ChartError
// naming the line at fault.
void ApplyChartSettings(ChartModel& model, std::string_view text);

void SaveChartSettings(const ChartModel& model, const std::string& path);
void LoadChartSettings(ChartModel& model, const std::string& path);

} // namespace korva::plot
