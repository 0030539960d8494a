#pragma once

#include <vector>

namespace photara {

// Tick positions for an axis from lo to hi, at most about maxTicks of them, on "nice"
// steps: 1, 2 or 5 times a power of ten.
std::vector<double> valueTicks(double lo, double hi, int maxTicks);
// The step valueTicks chose, for the number of decimals of the labels.
double valueTickStep(double lo, double hi, int maxTicks);

// Tick positions on a time axis in seconds: steps a clock reader expects (1, 2, 5, 10, 15,
// 30 s, 1, 2, 5, 10, 15, 30 min, 1, 2, 3, 6, 12 h, days), decimal below a second. Ticks fall
// on whole steps of time since offset (the epoch second of t = 0), so labels read 10:15:00.
std::vector<double> timeTicks(double t0, double t1, int maxTicks, double offset = 0);

}  // namespace photara
