#include "ui/plotview/axis_ticks.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace photara {
namespace {

std::vector<double> ticksOf(double lo, double hi, double step, double offset) {
    std::vector<double> out;
    if (!(step > 0) || !std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return out;
    const double first = std::ceil((lo + offset) / step) * step - offset;
    for (double t = first; t <= hi + step * 1e-9 && out.size() < 1000; t += step) out.push_back(t);
    return out;
}

}  // namespace

double valueTickStep(double lo, double hi, int maxTicks) {
    const double span = hi - lo;
    if (!(span > 0) || maxTicks < 1) return 0;
    const double raw = span / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

std::vector<double> valueTicks(double lo, double hi, int maxTicks) {
    return ticksOf(lo, hi, valueTickStep(lo, hi, maxTicks), 0);
}

std::vector<std::string> valueTickLabels(const std::vector<double>& ticks, double step) {
    // A step of 1, 2 or 5 times 10^-k needs k decimals; the small margin keeps 0.1 (stored a
    // hair below it) from asking for two.
    const int decimals =
        step > 0 ? std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 15) : 0;
    std::vector<std::string> labels;
    labels.reserve(ticks.size());
    for (const double tick : ticks) {
        const double v = std::fabs(tick) < step * 1e-6 ? 0.0 : tick;
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, v);
        labels.emplace_back(text);
    }
    return labels;
}

std::vector<double> timeTicks(double t0, double t1, int maxTicks, double offset) {
    static constexpr std::array<double, 21> kSteps = {
        1,    2,    5,     10,    15,    30,    60,     120,    300,    600,   900,
        1800, 3600, 7200, 10800, 21600, 43200, 86400, 172800, 604800, 2592000};
    const double span = t1 - t0;
    if (!(span > 0) || maxTicks < 1) return {};
    const double raw = span / maxTicks;
    if (raw < 1) return ticksOf(t0, t1, valueTickStep(t0, t1, maxTicks), 0);
    for (const double step : kSteps) {
        if (step >= raw) return ticksOf(t0, t1, step, offset);
    }
    return ticksOf(t0, t1, valueTickStep(t0, t1, maxTicks), 0);
}

}  // namespace photara
