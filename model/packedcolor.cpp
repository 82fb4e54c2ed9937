#include "packedcolor.h"

#include <algorithm>

namespace korva {

RgbColor RgbFromPacked(uint32_t packed) {
    return {(packed & 0xFFu) / 255.0, ((packed >> 8) & 0xFFu) / 255.0,
            ((packed >> 16) & 0xFFu) / 255.0};
}

uint32_t PackRgb(const RgbColor& color) {
    uint32_t packed = 0;
    for (int channel = 2; channel >= 0; --channel) {
        // A component outside 0..1 (from a hand-edited file) must not spill
        // into the next byte; NaN counts as 0.
        const double component = color[static_cast<std::size_t>(channel)];
        const double clamped = component > 0.0 ? std::min(component, 1.0) : 0.0;
        packed = (packed << 8) | static_cast<uint32_t>(clamped * 255.0);
    }
    return packed;
}

} // namespace korva
