#pragma once

#include "core/protocol/report.h"
#include "sim/display_frame.h"

namespace photara::sim {

// Packs a display frame into the meter's display report (byte 0 = report id 0).
Report composeDisplayReport(const DisplayFrame& frame);

}  // namespace photara::sim
