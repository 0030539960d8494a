// The display report as the host reads it: byte offsets, character codes, reading format.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "sim/calendar.h"
#include "sim/character_codes.h"
#include "sim/reading_format.h"
#include "core/datafile/data_set.h"
#include "core/datafile/leading_number.h"
#include "sim/key_codes.h"
#include "sim/scene.h"
#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

// The main reading of a display report as a number: digits in bytes 1..4, the point after
// digit byte 5 (0 none), K in byte 6.
std::optional<double> mainReading(const Report& r) {
    double v = 0;
    for (int i = 1; i <= 4; ++i) {
        if (r[static_cast<std::size_t>(i)] > 9) return std::nullopt;
        v = v * 10 + r[static_cast<std::size_t>(i)];
    }
    if (r[5] >= 1 && r[5] <= 3) v /= std::pow(10.0, 4 - r[5]);
    if (r[6] != 0) v *= 1000;
    return v;
}

TEST(DisplayReport, ShowsTheMeterTimeInPositions8To13WithColons) {
    LinkedMeter m;  // the fake clock starts at 2026-12-07 00:43:09
    m.clock.advanceMilliseconds(((13 * 60 + 5) * 60 + 48) * 1000LL);  // 13:48:57
    const Report r = m.display();
    EXPECT_EQ(r[11], 1);
    EXPECT_EQ(r[12], 3);
    EXPECT_EQ(r[13], 1) << "colon";
    EXPECT_EQ(r[14], 4);
    EXPECT_EQ(r[15], 8);
    EXPECT_EQ(r[16], 1) << "colon";
    EXPECT_EQ(r[17], 5);
    EXPECT_EQ(r[18], 7);
    EXPECT_EQ(r[59] & 1, 1) << "h:m:s";
    EXPECT_EQ(r[50] & 1, 1) << "USB";
    EXPECT_EQ(r[60], 20) << "one bar used after 13 hours";
    for (std::size_t b = 8; b <= 10; ++b) EXPECT_EQ(r[b], kBlankCode);
}

class DriftingReading : public ::testing::TestWithParam<int> {};

TEST_P(DriftingReading, BytesOneToSevenCarryTheLuminanceInCdPerM2) {
    LinkedMeter m;
    m.clock.advanceMilliseconds(GetParam() * 1000LL);
    const Report r = m.display();
    const double expected = sceneLuminance(GetParam());
    const auto shown = mainReading(r);
    ASSERT_TRUE(shown.has_value());
    EXPECT_NEAR(*shown, expected, expected * 6e-4) << "four significant digits";
    EXPECT_EQ(r[7], 1) << "cd/m2";
    EXPECT_EQ(r[6] == 1, expected >= 9999.5) << "K from 10000 on";
    EXPECT_GE(r[1] + (r[5] == 1 ? 1 : 0), 1) << "no leading zero unless below 1";
}

// 0 s ~126, 150 s ~12600 (K), 300 s back at ~126, 450 s ~1.26, 480 s, 75 s in between.
INSTANTIATE_TEST_SUITE_P(OverTenMinutes, DriftingReading,
                         ::testing::Values(0, 30, 75, 150, 200, 300, 420, 450, 480, 599));

// A set recorded with MEM holds what the display showed at each sampling time, not values
// made up around the reading at the start (the scene climbs from ~126 to ~12600 meanwhile).
TEST(DisplayReport, ASetRecordedWithMemHoldsTheReadingsShown) {
    LinkedMeter m;
    m.clock.advanceMilliseconds(60'000);
    m.press(static_cast<std::uint8_t>(Key::Mem));
    std::vector<std::optional<double>> shown;
    for (int second = 0; second <= 60; ++second) {
        shown.push_back(mainReading(m.display()));
        if (second < 60) m.clock.advanceMilliseconds(1000);
    }
    m.press(static_cast<std::uint8_t>(Key::Mem));
    const int last = m.meter.logger().setCount() - 1;
    const DataSet set = parseDataText(m.meter.logger().text(last));
    ASSERT_EQ(set.rowCount(), shown.size());
    int compared = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!shown[i]) continue;  // "StAr" stood on the display
        const double recorded = leadingNumber(set.firstTexts[i]) *
                                (set.firstTexts[i].find('K') != std::string::npos ? 1000 : 1);
        EXPECT_NEAR(recorded, *shown[i], *shown[i] * 1.2e-3) << "reading " << i;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

TEST(DisplayReport, ReadingDriftsWithTheClockOnly) {
    LinkedMeter m;
    const Report first = m.display();
    EXPECT_EQ(m.display(), first) << "same time, same report";
    m.clock.advanceMilliseconds(20'000);
    EXPECT_NE(m.display(), first);
}

struct FormatCase {
    double value;
    const char* digits;
    int pointAfter;
    bool kilo;
};

class FourDigitFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FourDigitFormat, KeepsFourSignificantDigitsWithThePointFollowingTheValue) {
    const FormatCase c = GetParam();
    const FourDigits f = formatFourDigits(c.value);
    EXPECT_EQ(f.digits, c.digits);
    EXPECT_EQ(f.pointAfter, c.pointAfter);
    EXPECT_EQ(f.kilo, c.kilo);
    EXPECT_FALSE(f.overRange);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FourDigitFormat,
    ::testing::Values(FormatCase{0.0, "0000", 1, false}, FormatCase{0.0504, "0050", 1, false},
                      FormatCase{1.23449, "1234", 1, false},
                      FormatCase{9.9996, "1000", 2, false},  // rounding carries the point on
                      FormatCase{12.3449, "1234", 2, false}, FormatCase{123.449, "1234", 3, false},
                      FormatCase{1234.4, "1234", 0, false}, FormatCase{9999.4, "9999", 0, false},
                      FormatCase{9999.6, "1000", 2, true}, FormatCase{12344.0, "1234", 2, true},
                      FormatCase{-12.3449, "1234", 2, false},
                      FormatCase{999'949.0, "9999", 3, true},
                      FormatCase{999'999.0, "1000", 0, true}));

TEST(FourDigitFormat, FixedPointOverflowsInsteadOfMoving) {
    EXPECT_TRUE(formatFourDigits(12.5, 1).overRange);
    const FourDigits f = formatFourDigits(12.5, 2);
    EXPECT_EQ(f.digits, "1250");
    EXPECT_TRUE(formatFourDigits(1.0e7).overRange);
}

struct CodeCase {
    int position;
    char c;
    int code;  // -1: the position can't show it
};

class CharacterCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CharacterCodes, EachPositionUsesItsOwnCharacterSet) {
    const CodeCase c = GetParam();
    const auto code = characterCode(c.position, c.c);
    if (c.code < 0) {
        EXPECT_FALSE(code.has_value());
    } else {
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, c.code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CharacterCodes,
    ::testing::Values(
        CodeCase{1, '7', 7}, CodeCase{13, ' ', 10}, CodeCase{1, 'A', 11}, CodeCase{3, 'C', 12},
        CodeCase{4, 't', 13}, CodeCase{1, 'r', 14}, CodeCase{1, 'b', 15}, CodeCase{3, 'E', 16},
        CodeCase{1, 'N', 17}, CodeCase{4, 'D', 18}, CodeCase{3, 'L', 19}, CodeCase{2, 't', 11},
        CodeCase{2, 'E', 12}, CodeCase{2, 'P', 13}, CodeCase{2, 'L', 14}, CodeCase{2, 'F', 15},
        CodeCase{2, 'A', 16}, CodeCase{9, '-', 11}, CodeCase{10, 'o', 12}, CodeCase{9, 'C', 13},
        CodeCase{10, 'F', 14}, CodeCase{8, 'F', 11}, CodeCase{11, 'n', 12}, CodeCase{12, 'Y', 13},
        CodeCase{13, 'E', 14}, CodeCase{11, 'N', 15}, CodeCase{12, 'o', 16}, CodeCase{13, 'C', 17},
        CodeCase{8, 'A', 18}, CodeCase{11, 'r', 19}, CodeCase{12, 'd', 20}, CodeCase{11, 'u', 21},
        CodeCase{13, 'L', 22}, CodeCase{1, 'S', 5}, CodeCase{4, 'I', 1}, CodeCase{12, 'l', 1},
        CodeCase{11, 'O', 0}, CodeCase{5, 'A', -1}, CodeCase{2, 'n', -1}, CodeCase{9, 'A', -1},
        CodeCase{1, '-', -1}, CodeCase{0, '1', -1}, CodeCase{14, '1', -1}));

struct CalendarCase {
    LocalDateTime in;
    LocalDateTime normalised;
};

class CalendarRollOver : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarRollOver, SecondsRoundTripToAProperDate) {
    const CalendarCase c = GetParam();
    EXPECT_EQ(fromCalendarSeconds(toCalendarSeconds(c.in)), c.normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CalendarRollOver,
    ::testing::Values(CalendarCase{{2026, 12, 7, 0, 43, 9}, {2026, 12, 7, 0, 43, 9}},
                      CalendarCase{{2026, 12, 32, 0, 0, 0}, {2027, 1, 1, 0, 0, 0}},
                      CalendarCase{{2028, 2, 30, 1, 2, 3}, {2028, 3, 1, 1, 2, 3}},
                      CalendarCase{{2100, 2, 29, 0, 0, 0}, {2100, 3, 1, 0, 0, 0}},
                      CalendarCase{{2026, 13, 1, 24, 0, 0}, {2027, 1, 2, 0, 0, 0}},
                      CalendarCase{{1969, 12, 31, 23, 59, 59}, {1969, 12, 31, 23, 59, 59}}));

}  // namespace
}  // namespace photara::sim::test
