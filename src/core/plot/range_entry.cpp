#include "core/plot/range_entry.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

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

namespace photara {

std::optional<std::pair<double, double>> parseValueRange(const std::string& text) {
    std::vector<double> values;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
        double v = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + end, v);
        if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(v)) return std::nullopt;
        values.push_back(v);
        i = end;
    }
    if (values.size() != 2 || !(values[1] > values[0])) return std::nullopt;
    return std::make_pair(values[0], values[1]);
}

}  // namespace photara
