#include "core/clock/meter_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/protocol/report.h"

namespace photara {
namespace {

struct SetClockCase {
    LocalDateTime time;
    std::array<std::uint8_t, 7> bytes;
    std::string text;
};
class SetClockTest : public ::testing::TestWithParam<SetClockCase> {};

TEST_P(SetClockTest, MonthInBcdEverythingElsePlain) {
    EXPECT_EQ(setClockBytes(GetParam().time), GetParam().bytes);
    EXPECT_EQ(formatLocalTime(GetParam().time), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    PcTimes, SetClockTest,
    ::testing::Values(
        SetClockCase{{2026, 12, 7, 0, 43, 9},
                     {0x07, 0xEA, 0x12, 0x07, 0x00, 0x2B, 0x09},
                     "2026/12/07 00:43:09"},
        SetClockCase{
            {2019, 10, 31, 23, 59, 58}, {0x07, 0xE3, 0x10, 31, 23, 59, 58}, "2019/10/31 23:59:58"},
        SetClockCase{{2000, 1, 1, 0, 0, 0}, {0x07, 0xD0, 0x01, 1, 0, 0, 0}, "2000/01/01 00:00:00"},
        SetClockCase{
            {2099, 9, 30, 12, 0, 5}, {0x08, 0x33, 0x09, 30, 12, 0, 5}, "2099/09/30 12:00:05"}));

struct ReadClockCase {
    std::vector<std::uint8_t> answer;  // bytes 1..7
    std::string text;
};
class ReadClockTest : public ::testing::TestWithParam<ReadClockCase> {};

TEST_P(ReadClockTest, PlainFieldsTwoDigitsEach) {
    Report report;
    report.fill(0x63);
    report[0] = 0;
    std::copy(GetParam().answer.begin(), GetParam().answer.end(), report.begin() + 1);
    EXPECT_EQ(formatMeterClock(report), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadClockTest,
    ::testing::Values(ReadClockCase{{0x07, 0xE3, 0x08, 0x01, 0x0C, 0x22, 0x38},
                                    "2019/08/01 12:34:56"},
                      // Values of 100 and more show their last two digits only.
                      ReadClockCase{{0x00, 0x05, 100, 199, 255, 0, 7}, "5/00/99 55:00:07"},
                      ReadClockCase{{0xFF, 0xFF, 12, 31, 23, 59, 59}, "65535/12/31 23:59:59"}));

TEST(ReadClock, ShortAnswerShowsNothing) {
    const std::vector<std::uint8_t> shortAnswer(7, 1);
    EXPECT_EQ(formatMeterClock(shortAnswer), "");
}

}  // namespace
}  // namespace photara
