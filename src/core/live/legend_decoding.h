#pragma once

#include <cstdint>
#include <span>

#include "core/live/display_state.h"

namespace photara {

// Stores the unit (byte 7), main decimal point (byte 5), multiplier (byte 6) and second
// decimal point (byte 19) of a display report in the display state, in that order. A code
// the meter does not define leaves its flags as they were; a report shorter than a whole
// report changes nothing. The flags reach the panel only through the blink step.
void decodeLegends(std::span<const std::uint8_t> report, DisplayState& state);

}  // namespace photara
