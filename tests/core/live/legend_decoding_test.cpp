#include "core/live/legend_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live_test_support.h"

namespace photara::test {
namespace {

// The legend bytes not under test carry a code no table defines, so they leave their flags
// alone and any decoding from the wrong byte shows up as a changed flag.
constexpr std::uint8_t kNoCode = 200;

struct LegendCase {
    std::size_t byte;
    std::uint8_t code;
    std::vector<std::string_view> elements;
    std::string expected;  // per element: '1' lit, '0' dark, '-' as before
};

void PrintTo(const LegendCase& c, std::ostream* os) {
    *os << "byte " << c.byte << " code " << int{c.code};
}

class LegendDecoding : public ::testing::TestWithParam<LegendCase> {};

TEST_P(LegendDecoding, SetsOnlyItsOwnFlags) {
    const LegendCase& c = GetParam();
    const Report report =
        reportWith({{5, kNoCode}, {6, kNoCode}, {7, kNoCode}, {19, kNoCode}, {c.byte, c.code}});
    for (const bool before : {false, true}) {
        DisplayState state;
        for (std::size_t i = 0; i < kElementCount; ++i) state.set(static_cast<Element>(i), before);
        DisplayState expected = state;
        for (std::size_t i = 0; i < c.elements.size(); ++i)
            if (c.expected[i] != '-') expected.set(el(c.elements[i]), c.expected[i] == '1');

        decodeLegends(report, state);

        EXPECT_EQ(state, expected) << "flags before: " << before;
    }
}

const std::vector<std::string_view> kUnit = {"Lblcd", "LblSlashm", "Lbl2", "LblfL"};
const std::vector<std::string_view> kMainPoint = {"LblP1", "LblP2", "LblP3"};
const std::vector<std::string_view> kMultiplier = {"LblK1", "LblK2"};
const std::vector<std::string_view> kSecondPoint = {"LblP10", "LblP11", "LblP13"};

INSTANTIATE_TEST_SUITE_P(
    Unit, LegendDecoding,
    ::testing::Values(LegendCase{7, 0, kUnit, "0000"}, LegendCase{7, 1, kUnit, "1110"},
                      LegendCase{7, 2, kUnit, "0001"}, LegendCase{7, 3, kUnit, "----"},
                      LegendCase{7, 5, kUnit, "----"}, LegendCase{7, 255, kUnit, "----"}));

INSTANTIATE_TEST_SUITE_P(
    MainPoint, LegendDecoding,
    ::testing::Values(LegendCase{5, 0, kMainPoint, "000"}, LegendCase{5, 1, kMainPoint, "100"},
                      LegendCase{5, 2, kMainPoint, "010"}, LegendCase{5, 3, kMainPoint, "001"},
                      LegendCase{5, 4, kMainPoint, "111"}, LegendCase{5, 5, kMainPoint, "---"},
                      LegendCase{5, 128, kMainPoint, "---"}));

INSTANTIATE_TEST_SUITE_P(Multiplier, LegendDecoding,
                         ::testing::Values(LegendCase{6, 0, kMultiplier, "00"},
                                           LegendCase{6, 1, kMultiplier, "10"},
                                           LegendCase{6, 2, kMultiplier, "01"},
                                           LegendCase{6, 3, kMultiplier, "--"}));

INSTANTIATE_TEST_SUITE_P(SecondPoint, LegendDecoding,
                         ::testing::Values(LegendCase{19, 0, kSecondPoint, "000"},
                                           LegendCase{19, 1, kSecondPoint, "100"},
                                           LegendCase{19, 2, kSecondPoint, "010"},
                                           LegendCase{19, 3, kSecondPoint, "001"},
                                           LegendCase{19, 4, kSecondPoint, "---"}));

TEST(LegendDecodingLength, ATruncatedReportChangesNothing) {
    const Report report = reportWith({{5, 4}, {6, 1}, {7, 1}, {19, 1}});
    DisplayState state;
    decodeLegends(std::span(report).first(kReportSize - 1), state);
    decodeLegends({}, state);
    EXPECT_EQ(state, DisplayState{});
}

}  // namespace
}  // namespace photara::test
