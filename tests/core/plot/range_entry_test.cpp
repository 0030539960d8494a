#include "core/plot/range_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace photara {
namespace {

PlotSettings current() {
    PlotSettings s;
    s.first = {0, 1250};
    s.second = {0, 400};
    s.alternateSecond = {0, 9999};
    s.shownFirst = 1;
    s.shownLast = 50;
    return s;
}

constexpr RangeLimits kLimits{1250, 400};

struct RefusalCase {
    RangeEntry entry;
    std::string message;
};

class RangeRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RangeRefusalTest, NamesTheLimitAndChangesNothing) {
    const RangeOutcome out = applyRangeEntry(GetParam().entry, kLimits, current(), 485, 7);
    ASSERT_TRUE(out.refusal.has_value());
    EXPECT_EQ(*out.refusal, GetParam().message);
    EXPECT_DOUBLE_EQ(out.settings.first.maximum, 1250);
    EXPECT_DOUBLE_EQ(out.settings.second.maximum, 400);
    EXPECT_DOUBLE_EQ(out.settings.alternateSecond.maximum, 9999);
    EXPECT_DOUBLE_EQ(out.labelStep, 7);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RangeRefusalTest,
    ::testing::Values(RefusalCase{{"0", "1300", "0", "10", "5"}, "0 <= cd <= 1250, try again!"},
                      RefusalCase{{"0", "1250.01", "0", "10", "5"}, "0 <= cd <= 1250, try again!"},
                      RefusalCase{{"-1", "100", "0", "10", "5"}, "0 <= cd <= 1250, try again!"},
                      // The first series is checked before the second.
                      RefusalCase{{"0", "2000", "0", "999", "5"}, "0 <= cd <= 1250, try again!"},
                      RefusalCase{{"0", "100", "0", "400.5", "5"}, "0 <= Fl <= 400, try again!"},
                      RefusalCase{{"0", "100", "-3", "10", "5"}, "0 <= Fl <= 400, try again!"},
                      // A minimum above its maximum would put every reading off the plot.
                      RefusalCase{{"900", "100", "0", "400", "10"},
                                  "The cd minimum 900 is above its maximum 100, try again!"},
                      RefusalCase{{"5000", "", "0", "0.29", "1"},
                                  "The cd minimum 5000 is above its maximum 0, try again!"},
                      RefusalCase{{"0", "100", "20.5", "20", "1"},
                                  "The Fl minimum 20.5 is above its maximum 20, try again!"}));

struct AcceptCase {
    RangeEntry entry;
    ValueRange first, second, alternate;
    double labelStep;
};

class RangeAcceptTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(RangeAcceptTest, StoresBothRangesTheOtherUnitAndTheLabelStep) {
    const AcceptCase& c = GetParam();
    const RangeOutcome out = applyRangeEntry(c.entry, kLimits, current(), 485, 1);
    ASSERT_FALSE(out.refusal.has_value()) << *out.refusal;
    EXPECT_DOUBLE_EQ(out.settings.first.minimum, c.first.minimum);
    EXPECT_DOUBLE_EQ(out.settings.first.maximum, c.first.maximum);
    EXPECT_DOUBLE_EQ(out.settings.second.minimum, c.second.minimum);
    EXPECT_DOUBLE_EQ(out.settings.second.maximum, c.second.maximum);
    EXPECT_DOUBLE_EQ(out.settings.alternateSecond.minimum, c.alternate.minimum);
    EXPECT_DOUBLE_EQ(out.settings.alternateSecond.maximum, c.alternate.maximum);
    EXPECT_DOUBLE_EQ(out.labelStep, c.labelStep);
    // The shown samples are not the dialog's business.
    EXPECT_DOUBLE_EQ(out.settings.shownLast, 50);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RangeAcceptTest,
    ::testing::Values(
        AcceptCase{{"0", "1250", "10", "20", "5"}, {0, 1250}, {10, 20}, {107.6, 215.2}, 97},
        AcceptCase{{"0", "100", "0", "400", "10"}, {0, 100}, {0, 400}, {0, 4304}, 48.5},
        // A minimum equal to its maximum is drawn on the scale's edge.
        AcceptCase{{"50", "50", "0.29", "0.29", "1"}, {50, 50}, {0.29, 0.29}, {3.12, 3.12}, 485},
        // Counts 0, empty or unreadable keeps the label step.
        AcceptCase{{"0", "10", "0", "10", "0"}, {0, 10}, {0, 10}, {0, 107.6}, 1},
        AcceptCase{{"0", "10", "0", "10", ""}, {0, 10}, {0, 10}, {0, 107.6}, 1},
        AcceptCase{{"", "", "", "", "."}, {0, 0}, {0, 0}, {0, 0}, 1}));

struct CountsCase {
    double width, step;
    std::string text;
};

class CountsTextTest : public ::testing::TestWithParam<CountsCase> {};

TEST_P(CountsTextTest, RoundsHalvesToEven) {
    EXPECT_EQ(countsText(GetParam().width, GetParam().step), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Widths, CountsTextTest,
                         ::testing::Values(CountsCase{485, 1, "485"}, CountsCase{485.5, 1, "486"},
                                           CountsCase{484.5, 1, "484"}, CountsCase{485, 97, "5"},
                                           CountsCase{5, 2, "2"}, CountsCase{7, 2, "4"},
                                           CountsCase{485, 0, "0"}, CountsCase{0, 0, "0"},
                                           CountsCase{-3, 1, "-3"}));

// The live window's Fixed Range box: two finite numbers, the lower first, nothing else.
TEST(ValueRangeText, TakesTwoFiniteNumbersLowerFirst) {
    using Range = std::optional<std::pair<double, double>>;
    const std::vector<std::pair<std::string, Range>> cases = {
        {"0 500", std::make_pair(0.0, 500.0)},
        {"  -2.5\t1e3 ", std::make_pair(-2.5, 1000.0)},
        {"500 0", std::nullopt},
        {"5 5", std::nullopt},
        {"0", std::nullopt},
        {"0 500 9", std::nullopt},
        {"0 inf", std::nullopt},
        {"0 5x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, range] : cases) EXPECT_EQ(parseValueRange(text), range) << text;
}

}  // namespace
}  // namespace photara
