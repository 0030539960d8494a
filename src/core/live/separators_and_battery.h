#pragma once

#include <cstdint>
#include <span>

#include "core/live/display_model.h"

namespace photara {

// Shows the two separator pairs (colon or slash between secondary positions; bytes 13 and
// 16) and the battery gauge (byte 60) of a whole display report. They keep no flag: the
// elements themselves hold them until the next report. A shorter report changes nothing.
void showSeparators(std::span<const std::uint8_t> report, DisplayModel& model);
void showBattery(std::span<const std::uint8_t> report, DisplayModel& model);

}  // namespace photara
