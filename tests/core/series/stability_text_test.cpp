// The stability indicator's line, shared by the live window and the guide: which state it
// names and which moment each time counts from (the first reading while settling, the stable
// window's start once stable), in whole seconds never below zero.
#include "core/series/stability_text.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

struct LineCase {
    const char* name;
    StabilityStatus status;
    double now;
    std::string line;
};

StabilityStatus status(StabilityState state, std::optional<double> first = {},
                       std::optional<double> stableFrom = {}, double drift = 0) {
    StabilityStatus s;
    s.state = state;
    s.firstReading = first;
    s.stableFrom = stableFrom;
    if (first && stableFrom) s.timeToStable = *stableFrom - *first;
    s.driftPercentPerMinute = drift;
    return s;
}

class StabilityLine : public testing::TestWithParam<LineCase> {};

TEST_P(StabilityLine, SaysTheStateAndHowLongItHasLasted) {
    EXPECT_EQ(stabilityLine(GetParam().status, GetParam().now), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    States, StabilityLine,
    testing::Values(
        LineCase{"NoReading", status(StabilityState::NoReading, 5.0), 9.0, "no reading"},
        LineCase{"SettlingFromTheFirstReading", status(StabilityState::Settling, 10.0), 13.9,
                 "settling for 3 s"},
        LineCase{"SettlingBeforeAnyReading", status(StabilityState::Settling), 13.9, "settling"},
        LineCase{"StableFromTheWindowStart", status(StabilityState::Stable, 10.0, 14.5), 26.6,
                 "stable for 12 s (settled in 4 s)"},
        LineCase{"ClockBehindTheWindow", status(StabilityState::Stable, 10.0, 14.5), 14.0,
                 "stable for 0 s (settled in 4 s)"},
        LineCase{"DriftingDown", status(StabilityState::Drifting, 10.0, 14.5, -1.24), 40.0,
                 "drifting -1.2 %/min"}),
    [](const testing::TestParamInfo<LineCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace photara
