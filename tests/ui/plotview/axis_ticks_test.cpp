// A value axis gets ticks on nice steps (1, 2 or 5 times a power of ten), never more than it
// has room for, all inside its range, labelled in one format (as many decimals as the step
// needs, so "500" sits beside "1000" and "0.5" beside "1.0"). A time axis steps as a clock
// reader expects and puts its ticks on whole steps of the time of day.
#include "ui/plotview/axis_ticks.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

struct ValueAxisCase {
    const char* name;
    double lo, hi;
    int maxTicks;
    double step;
    std::vector<std::string> labels;
};

class ValueAxisTest : public testing::TestWithParam<ValueAxisCase> {};

TEST_P(ValueAxisTest, NiceStepsAndOneLabelFormat) {
    const ValueAxisCase& c = GetParam();
    EXPECT_DOUBLE_EQ(valueTickStep(c.lo, c.hi, c.maxTicks), c.step);
    const std::vector<double> ticks = valueTicks(c.lo, c.hi, c.maxTicks);
    EXPECT_EQ(valueTickLabels(ticks, c.step), c.labels);
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(c.maxTicks) + 1);
    for (const double tick : ticks) {
        EXPECT_GE(tick, c.lo - c.step * 1e-9);
        EXPECT_LE(tick, c.hi + c.step * 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spans, ValueAxisTest,
    testing::Values(
        ValueAxisCase{"Thousands", 0, 1000, 2, 500, {"0", "500", "1000"}},
        ValueAxisCase{"Tenths", 0, 1, 2, 0.5, {"0.0", "0.5", "1.0"}},
        ValueAxisCase{"Fifths", 0, 1, 5, 0.2, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        ValueAxisCase{"Hundredths", 0, 0.25, 5, 0.05,
                      {"0.00", "0.05", "0.10", "0.15", "0.20", "0.25"}},
        ValueAxisCase{"AcrossZero", -3, 7, 5, 2, {"-2", "0", "2", "4", "6"}},
        ValueAxisCase{"NotStartingOnAStep", 130, 420, 3, 100, {"200", "300", "400"}},
        ValueAxisCase{"NarrowHighValues", 12345, 12346, 4, 0.5, {"12345.0", "12345.5", "12346.0"}},
        ValueAxisCase{"ZeroSpan", 5, 5, 4, 0, {}},
        ValueAxisCase{"Reversed", 7, 3, 4, 0, {}},
        ValueAxisCase{"NoRoom", 0, 10, 0, 0, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ValueAxisLabels, ATickZeroButForRoundingReadsZero) {
    EXPECT_EQ(valueTickLabels({-1e-17, 0.1}, 0.1), (std::vector<std::string>{"0.0", "0.1"}));
}

struct TimeAxisCase {
    const char* name;
    double t0, t1;
    int maxTicks;
    double offset;  // the epoch second of t = 0
    std::vector<double> ticks;
};

class TimeAxisTest : public testing::TestWithParam<TimeAxisCase> {};

TEST_P(TimeAxisTest, StepsAsAClockReadsThem) {
    const TimeAxisCase& c = GetParam();
    const std::vector<double> ticks = timeTicks(c.t0, c.t1, c.maxTicks, c.offset);
    ASSERT_EQ(ticks.size(), c.ticks.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], c.ticks[i], 1e-9) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Spans, TimeAxisTest,
    testing::Values(TimeAxisCase{"AMinuteByQuarters", 0, 60, 4, 0, {0, 15, 30, 45, 60}},
                    TimeAxisCase{"OnWholeQuartersOfTheClock", 0, 60, 4, 5, {10, 25, 40, 55}},
                    TimeAxisCase{"TwoHoursByHalfHours", 0, 7200, 4, 0, {0, 1800, 3600, 5400, 7200}},
                    TimeAxisCase{"BelowASecondInTenths", 0, 0.4, 4, 0, {0, 0.1, 0.2, 0.3, 0.4}},
                    TimeAxisCase{"SevenSecondsByTwo", 1, 8, 4, 0, {2, 4, 6, 8}},
                    TimeAxisCase{"ZeroSpan", 3, 3, 4, 0, {}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace photara
