#pragma once
// Packed 32-bit colours, as colour buttons and legend overrides hold them: red
// in the low byte, then green, then blue. The model keeps colours as RGB
// doubles in 0..1.
#include "parameterdata.h"

#include <cstdint>

namespace korva {

// Each byte divided by 255.
RgbColor RgbFromPacked(uint32_t packed);
// Each component times 255, truncated (components are clamped to 0..1 first).
uint32_t PackRgb(const RgbColor& color);

} // namespace korva
