#include "editorrules.h"

#include "griddata.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace korva {

namespace {

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n'))
        text.remove_prefix(1);
    return text;
}

} // namespace

double ParseLeadingDouble(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would read "inf" and "nan"; a typed value is digits only.
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return 0.0;
    double value = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large to hold: like the C library, the largest value it can.
        value = result.ptr != text.data() ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int ParseLeadingInt(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ClampIrrigationMonth(int month) {
    return std::clamp(month, 1, 12);
}

int ClampIrrigationDay(int month, int day) {
    static constexpr int longest[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return std::clamp(day, 1, longest[ClampIrrigationMonth(month) - 1]);
}

void AppendIrrigationItems(IrrigationData& schedule, int count) {
    if (count > 0) schedule.resize(schedule.size() + static_cast<std::size_t>(count));
}

std::string DrainCollectorName(const GridData& grid, int drainIndex) {
    const int collector =
        grid.Boundary(DrainType).collectorIndex.at(static_cast<std::size_t>(drainIndex));
    const BoundaryTypeData& collectors = grid.Boundary(CollectorType);
    if (collector < 0 || collector >= collectors.Count()) return "<none>";
    return collectors.names[static_cast<std::size_t>(collector)];
}

} // namespace korva
