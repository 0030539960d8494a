#include "core/plot/range_entry.h"

#include <cmath>

#include "core/datafile/leading_number.h"
#include "core/plot/decimal_text.h"

namespace photara {
namespace {

constexpr double kFootCandlesPerLux = 10.76;

std::string refusal(const char* unit, double maximum) {
    return std::string("0 <= ") + unit + " <= " + shortestDecimal(maximum) + ", try again!";
}

// A scale whose minimum lies above its maximum would put every reading off the plot.
std::string upsideDown(const char* unit, double minimum, double maximum) {
    return std::string("The ") + unit + " minimum " + shortestDecimal(minimum) +
           " is above its maximum " + shortestDecimal(maximum) + ", try again!";
}

}  // namespace

RangeOutcome applyRangeEntry(const RangeEntry& entry, const RangeLimits& limits,
                             const PlotSettings& current, double plotWidth, double labelStep) {
    RangeOutcome out{std::nullopt, current, labelStep};
    const double cdMin = leadingNumber(entry.firstMinimum);
    const double cdMax = leadingNumber(entry.firstMaximum);
    if (cdMin < 0 || cdMax > limits.firstMaximum) {
        out.refusal = refusal("cd", limits.firstMaximum);
        return out;
    }
    if (cdMin > cdMax) {
        out.refusal = upsideDown("cd", cdMin, cdMax);
        return out;
    }
    const double sMin = leadingNumber(entry.secondMinimum);
    const double sMax = leadingNumber(entry.secondMaximum);
    if (sMin < 0 || sMax > limits.secondMaximum) {
        out.refusal = refusal("Fl", limits.secondMaximum);
        return out;
    }
    if (sMin > sMax) {
        out.refusal = upsideDown("Fl", sMin, sMax);
        return out;
    }
    out.settings.second = {sMin, sMax};
    out.settings.alternateSecond = {truncateDecimals(sMin * kFootCandlesPerLux, 2),
                                    truncateDecimals(sMax * kFootCandlesPerLux, 2)};
    out.settings.first = {cdMin, cdMax};
    const double counts = leadingNumber(entry.counts);
    const double step = plotWidth / counts;
    if (counts > 0 && std::isfinite(step) && step > 0) out.labelStep = step;
    return out;
}

std::string countsText(double plotWidth, double labelStep) {
    const double shown = std::nearbyint(plotWidth / labelStep);
    if (!std::isfinite(shown)) return "0";
    return truncatedDecimal(shown, 0);
}

}  // namespace photara
