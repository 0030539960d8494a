#include "core/series/stability_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace photara {
namespace {

// Whole seconds elapsed from `from` to now, never negative.
std::string secondsSince(double from, double now) {
    return std::to_string(static_cast<long long>(std::floor(std::max(0.0, now - from)))) + " s";
}

}  // namespace

std::string stabilityLine(const StabilityStatus& status, double now) {
    const std::string state(stabilityStateText(status.state));
    switch (status.state) {
        case StabilityState::NoReading:
            return state;
        case StabilityState::Settling:
            return status.firstReading ? state + " for " + secondsSince(*status.firstReading, now) : state;
        case StabilityState::Stable: {
            if (!status.stableFrom) return state;
            std::string line = state + " for " + secondsSince(*status.stableFrom, now);
            if (status.timeToStable)
                line += " (settled in " + secondsSince(0, *status.timeToStable) + ")";
            return line;
        }
        case StabilityState::Drifting: {
            char drift[32];
            std::snprintf(drift, sizeof drift, " %+.2g %%/min", status.driftPercentPerMinute);
            return state + drift;
        }
    }
    return state;
}

}  // namespace photara
