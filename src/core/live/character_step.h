#pragma once

#include <cstdint>
#include <span>

#include "core/live/display_model.h"

namespace photara {

// Decodes the 13 character positions of a display report into the captions of LblSeg1 to
// LblSeg13, and fixes the words a seven-segment display spells with digits (5t -> St,
// t1 -> tI, AP0 -> APO, bL1t -> bLIt, YE5 -> YES, 0FF -> OFF, 0n -> on, Fu11 -> Full).
// A report shorter than a whole report changes nothing.
void showCharacters(std::span<const std::uint8_t> report, DisplayModel& model);

}  // namespace photara
