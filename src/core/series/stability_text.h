#pragma once

#include <string>

#include "core/series/stability.h"

namespace photara {

// The stability indicator's line at time now (seconds, on the detector's clock): "no reading",
// "settling for 4 s" since the first reading, "stable for 12 s" since the stable window began
// (with how long it took to settle), "drifting 1.2 %/min". The times count from the detector's
// last reset, so a window that resets it at each step counts from the step.
std::string stabilityLine(const StabilityStatus& status, double now);

}  // namespace photara
