#include "cli/number_options.h"

#include <gtest/gtest.h>

#include <climits>

namespace photara::cli {
namespace {

struct NumberCase {
    const char* text;
    std::optional<double> value;  // nullopt: refused
};

class NumberOptionTest : public ::testing::TestWithParam<NumberCase> {};

// --interval's range: what a script may write and what it may not.
TEST_P(NumberOptionTest, TakesOnlyAFiniteNumberInTheRange) {
    EXPECT_EQ(parseNumberIn(GetParam().text, 0.01, 3600), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberOptionTest,
    ::testing::Values(NumberCase{"0.25", 0.25}, NumberCase{"+2", 2.0}, NumberCase{"1e1", 10.0},
                      NumberCase{"3600", 3600.0}, NumberCase{"0.01", 0.01},
                      NumberCase{"nan", std::nullopt}, NumberCase{"NaN", std::nullopt},
                      NumberCase{"inf", std::nullopt}, NumberCase{"-inf", std::nullopt},
                      NumberCase{"infinity", std::nullopt}, NumberCase{"-1", std::nullopt},
                      NumberCase{"0", std::nullopt}, NumberCase{"3600.5", std::nullopt},
                      NumberCase{"1e400", std::nullopt}, NumberCase{"10s", std::nullopt},
                      NumberCase{" 1", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{"+", std::nullopt}, NumberCase{"+-1", std::nullopt},
                      NumberCase{"0x10", std::nullopt}));

struct WholeCase {
    const char* text;
    std::optional<long> value;
};

class WholeOptionTest : public ::testing::TestWithParam<WholeCase> {};

// --count's range (1 and up): no fraction, no overflow wrapped to a small number.
TEST_P(WholeOptionTest, TakesOnlyAWholeNumberInTheRange) {
    EXPECT_EQ(parseWholeIn(GetParam().text, 1, LONG_MAX), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeOptionTest,
    ::testing::Values(WholeCase{"20", 20L}, WholeCase{"+7", 7L},
                      WholeCase{"9223372036854775807", LONG_MAX}, WholeCase{"0", std::nullopt},
                      WholeCase{"-3", std::nullopt}, WholeCase{"2.5", std::nullopt},
                      WholeCase{"1e3", std::nullopt}, WholeCase{"nan", std::nullopt},
                      WholeCase{"9223372036854775808", std::nullopt},
                      WholeCase{"18446744073709551617", std::nullopt},
                      WholeCase{"", std::nullopt}));

}  // namespace
}  // namespace photara::cli
