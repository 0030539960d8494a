#include "core/datafile/leading_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace photara {
namespace {

struct LeadingCase {
    std::string text;
    double expected;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

// Exact: a reader that rounds along the way is off by a unit in the last place.
TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(leadingNumber(GetParam().text), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(
        // Plain numbers and where they stop.
        LeadingCase{"37.0", 37}, LeadingCase{"12.5K", 12.5}, LeadingCase{"60.9", 60.9},
        LeadingCase{"1250abc", 1250}, LeadingCase{"3.14.15", 3.14}, LeadingCase{".5", 0.5},
        LeadingCase{"5.", 5}, LeadingCase{"007", 7},
        // Signs.
        LeadingCase{"-5", -5}, LeadingCase{"+2.5", 2.5}, LeadingCase{"-.25", -0.25},
        LeadingCase{"--5", 0}, LeadingCase{"+-5", 0},
        // Blanks, tabs and line feeds are skipped anywhere, other bytes are not.
        LeadingCase{"  42", 42}, LeadingCase{"1 2 3", 123}, LeadingCase{"\t\n- 1 . 5", -1.5},
        LeadingCase{"1\r2", 1}, LeadingCase{"\r5", 0}, LeadingCase{"1_000", 1},
        // Exponents, complete or not.
        LeadingCase{"1e3", 1000}, LeadingCase{"2.5E-2", 0.025}, LeadingCase{"1e", 1},
        LeadingCase{"1e+", 1}, LeadingCase{"4E 2", 400}, LeadingCase{"1e3.5", 1000},
        // Hexadecimal and octal.
        LeadingCase{"&H1F", 31}, LeadingCase{"&hff", 255}, LeadingCase{"&O17", 15},
        LeadingCase{"&o8", 0}, LeadingCase{"&HZ", 0}, LeadingCase{"&X12", 0},
        LeadingCase{" & H 10", 16},
        // Beyond 53 bits: the integer is rounded once, to the nearest double.
        LeadingCase{"&H20000000000001F", 144115188075855904.0},
        LeadingCase{"&O4000000000000000011", 72057594037927952.0},
        LeadingCase{"&H" + std::string(300, 'F'), std::numeric_limits<double>::max()},
        // No number at all.
        LeadingCase{"", 0}, LeadingCase{"abc", 0}, LeadingCase{".", 0}, LeadingCase{"-", 0},
        LeadingCase{"K", 0},
        LeadingCase{"\xB0"
                    "5",
                    0},
        // Beyond a double: too small reads 0, too large saturates instead of giving inf.
        LeadingCase{"1e-999", 0}, LeadingCase{"0.0000000001e-400", 0},
        LeadingCase{"1e999", std::numeric_limits<double>::max()},
        LeadingCase{"-1e999", -std::numeric_limits<double>::max()},
        LeadingCase{std::string(400, '9'), std::numeric_limits<double>::max()},
        LeadingCase{"0." + std::string(400, '0') + "1", 0}));

}  // namespace
}  // namespace photara
