#include "chartcodes.h"

namespace korva::plot {

int DefaultSetColor(int set) {
    static constexpr int order[] = {1, 4, 2, 5, 6, 3, 9, 12, 10, 13, 11, 8, 14, 0};
    constexpr int n = sizeof order / sizeof order[0];
    return order[((set % n) + n) % n];
}

int DefaultFontSize(int slot) {
    static constexpr int sizes[kFontSlots] = {14, 11, 9, 9};
    return slot >= 0 && slot < kFontSlots ? sizes[slot] : 9;
}

} // namespace korva::plot
