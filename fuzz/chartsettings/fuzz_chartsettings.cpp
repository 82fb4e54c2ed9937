// Feeds arbitrary bytes to the chart settings reader: it must either apply
// them or refuse them with ChartError, and what it applied must store and
// read back to the same settings.
#include "chartcontrol.h"
#include "chartmodel.h"
#include "chartsettingsfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korva::plot;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ChartModel model;
    try {
        ApplyChartSettings(model, text);
    } catch (const ChartError&) {
        return 0;
    }
    std::string stored = ChartSettingsText(model);
    ChartModel again;
    ApplyChartSettings(again, stored); // what we wrote must read back
    if (ChartSettingsText(again) != stored) std::abort();
    return 0;
}
