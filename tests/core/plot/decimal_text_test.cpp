#include "core/plot/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace photara {
namespace {

struct TruncCase {
    double value;
    std::string shortest;
    std::string twoDecimals;
};

class DecimalTextTest : public ::testing::TestWithParam<TruncCase> {};

TEST_P(DecimalTextTest, WritesShortestFormAndTruncatesItsDigits) {
    EXPECT_EQ(shortestDecimal(GetParam().value), GetParam().shortest);
    EXPECT_EQ(truncatedDecimal(GetParam().value, 2), GetParam().twoDecimals);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecimalTextTest,
    ::testing::Values(TruncCase{154.3125, "154.3125", "154.31"},
                      TruncCase{1234.5, "1234.5", "1234.5"}, TruncCase{50.29, "50.29", "50.29"},
                      TruncCase{0.29, "0.29", "0.29"}, TruncCase{1.005, "1.005", "1"},
                      TruncCase{12.5, "12.5", "12.5"}, TruncCase{0, "0", "0"},
                      TruncCase{1250, "1250", "1250"},
                      TruncCase{0.1 + 0.2, "0.30000000000000004", "0.3"},
                      TruncCase{-2.999, "-2.999", "-2.99"}, TruncCase{-0.001, "-0.001", "0"},
                      TruncCase{1e21, "1000000000000000000000", "1000000000000000000000"},
                      TruncCase{1e-7, "0.0000001", "0"}, TruncCase{NAN, "nan", "nan"},
                      TruncCase{-INFINITY, "-inf", "-inf"}));

TEST(DecimalTextTest, TruncatedValueReadsBackTheDecimalDigits) {
    EXPECT_DOUBLE_EQ(truncateDecimals(10 * 10.76, 2), 107.6);
    EXPECT_DOUBLE_EQ(truncateDecimals(20 * 10.76, 2), 215.2);
    EXPECT_DOUBLE_EQ(truncateDecimals(50.29, 2), 50.29);
    EXPECT_DOUBLE_EQ(truncateDecimals(3.14159, 0), 3);
    EXPECT_EQ(shortestDecimal(std::numeric_limits<double>::max()).size(), 309u);
}

}  // namespace
}  // namespace photara
