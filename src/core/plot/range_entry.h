#pragma once

#include <optional>
#include <string>
#include <utility>

#include "core/plot/plot_settings.h"

namespace photara {

// What the range panel's five boxes hold when it is applied.
struct RangeEntry {
    std::string firstMinimum;   // TxtcdMn
    std::string firstMaximum;   // TxtcdMx
    std::string secondMinimum;  // TxtMn
    std::string secondMaximum;  // TxtMx
    std::string counts;         // TxtCounts
};

// The upper limits the boxes are checked against: the series maxima with their margins.
struct RangeLimits {
    double firstMaximum = 0;
    double secondMaximum = 0;
};

struct RangeOutcome {
    // Set when a limit is out of bounds; the settings and the label step are then unchanged.
    std::optional<std::string> refusal;
    PlotSettings settings;
    double labelStep = 1;
};

// Applies the range panel: checks each series' minimum against 0, its maximum against the
// series maximum and its minimum against its maximum, then stores both ranges, the other
// unit's range (the second range × 10.76, truncated to two decimals) and the label step
// W ÷ Counts. A Counts of 0 or an empty box leaves the label step as it was.
RangeOutcome applyRangeEntry(const RangeEntry& entry, const RangeLimits& limits,
                             const PlotSettings& current, double plotWidth, double labelStep);

// A value range typed as two numbers, the lower first ("0 500"); nothing for anything else.
std::optional<std::pair<double, double>> parseValueRange(const std::string& text);

// What the Counts box shows: W ÷ label step, rounded half to even; "0" when that is no number.
std::string countsText(double plotWidth, double labelStep);

}  // namespace photara
