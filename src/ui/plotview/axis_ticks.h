#pragma once

#include <string>
#include <vector>

namespace photara {

// Tick positions for an axis from lo to hi, at most about maxTicks of them, on "nice"
// steps: 1, 2 or 5 times a power of ten.
std::vector<double> valueTicks(double lo, double hi, int maxTicks);
// The step valueTicks chose, for the number of decimals of the labels.
double valueTickStep(double lo, double hi, int maxTicks);

// The labels of the ticks of an axis whose step is step, all in one format: as many decimals
// as the step needs ("500" beside "1000"; "0.5" beside "1.0"), and a tick that is zero but for
// rounding is "0".
std::vector<std::string> valueTickLabels(const std::vector<double>& ticks, double step);

// Tick positions on a time axis in seconds: steps a clock reader expects (1, 2, 5, 10, 15,
// 30 s, 1, 2, 5, 10, 15, 30 min, 1, 2, 3, 6, 12 h, days), decimal below a second. Ticks fall
// on whole steps of time since offset (the epoch second of t = 0), so labels read 10:15:00.
std::vector<double> timeTicks(double t0, double t1, int maxTicks, double offset = 0);

}  // namespace photara
