// Settings and clock requests: argument bytes taken at the right offsets, answers read back,
// out-of-range arguments refused, the clock running on from the time set.
#include <gtest/gtest.h>

#include "core/clock/meter_clock.h"
#include "core/meter/settings_ops.h"
#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

TEST(MeterClockRequests, SetClockBytesAreTakenAndReadBackAsPlainNumbers) {
    LinkedMeter m;
    m.clock.set({2031, 5, 20, 17, 2, 0, 250});
    m.receive();
    m.send(23, {0x07, 0xEA, 0x12, 0x07, 0x00, 0x2B, 0x09});  // 2026/12/07 00:43:09
    const Report r = m.exchange(22);
    EXPECT_EQ(r[1], 0x07);
    EXPECT_EQ(r[2], 0xEA);
    EXPECT_EQ(r[3], 12) << "the month is answered as a plain number";
    EXPECT_EQ(r[4], 7);
    EXPECT_EQ(r[5], 0);
    EXPECT_EQ(r[6], 43);
    EXPECT_EQ(r[7], 9);
    EXPECT_EQ(formatMeterClock(r), "2026/12/07 00:43:09");
}

TEST(MeterClockRequests, ClockRunsOnFromTheTimeSetOverMonthAndYearEnds) {
    LinkedMeter m;
    const auto bytes = setClockBytes({2026, 12, 31, 23, 59, 58});
    m.send(23, {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6]});
    m.clock.advanceMilliseconds(3'000);
    EXPECT_EQ(formatMeterClock(m.exchange(22)), "2027/01/01 00:00:01");
    const Report display = m.display();
    EXPECT_EQ(display[17], 0);  // seconds "01" in positions 12 and 13
    EXPECT_EQ(display[18], 1);
}

struct BadClock {
    const char* name;
    std::array<std::uint8_t, 7> bytes;
};

class RefusedClock : public ::testing::TestWithParam<BadClock> {};

TEST_P(RefusedClock, LeavesTheClockAsItWas) {
    LinkedMeter m;
    const std::string before = formatMeterClock(m.exchange(22));
    const auto& b = GetParam().bytes;
    m.send(23, {b[0], b[1], b[2], b[3], b[4], b[5], b[6]});
    EXPECT_EQ(formatMeterClock(m.exchange(22)), before);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusedClock,
    ::testing::Values(BadClock{"MonthNotBcd", {0x07, 0xEA, 0x0A, 1, 0, 0, 0}},
                      BadClock{"MonthThirteen", {0x07, 0xEA, 0x13, 1, 0, 0, 0}},
                      BadClock{"NovemberThirtyFirst", {0x07, 0xEA, 0x11, 31, 0, 0, 0}},
                      BadClock{"Hour24", {0x07, 0xEA, 0x12, 7, 24, 0, 0}},
                      BadClock{"Second60", {0x07, 0xEA, 0x12, 7, 0, 0, 60}},
                      BadClock{"DayZero", {0x07, 0xEA, 0x01, 0, 0, 0, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

struct SettingCase {
    const char* name;
    std::uint8_t setCommand;
    std::uint8_t readCommand;
    std::uint8_t high;
    std::uint8_t low;
    int expected;  // -1: refused, the old value stays
};

class SettingRoundTrip : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SettingRoundTrip, ValueInBytesThreeAndFourIsReadBackInBytesOneAndTwo) {
    const SettingCase c = GetParam();
    LinkedMeter m;
    const auto before = c.readCommand == static_cast<std::uint8_t>(Command::ReadSamplingTime)
                            ? readSamplingTime(m.link)
                            : readRecordingPeriod(m.link);
    ASSERT_TRUE(before.has_value());
    m.receive();
    m.send(c.setCommand, {c.high, c.low});
    const Report r = m.exchange(c.readCommand);
    EXPECT_EQ(r[1] * 256 + r[2], c.expected < 0 ? *before : c.expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingRoundTrip,
                         ::testing::Values(SettingCase{"Sampling90", 24, 25, 0x00, 0x5A, 90},
                                           SettingCase{"SamplingHour", 24, 25, 0x0E, 0x10, 3600},
                                           SettingCase{"SamplingOverHour", 24, 25, 0x0E, 0x11, -1},
                                           SettingCase{"SamplingZero", 24, 25, 0x00, 0x00, -1},
                                           SettingCase{"Period9999", 9, 13, 0x27, 0x0F, 9999},
                                           SettingCase{"Period1", 9, 13, 0x00, 0x01, 1},
                                           SettingCase{"Period10000", 9, 13, 0x27, 0x10, -1},
                                           SettingCase{"PeriodZero", 9, 13, 0x00, 0x00, -1}),
                         [](const auto& p) { return std::string(p.param.name); });

// Code 9 is both MEM and "set recording period"; the meter sets the period only right after
// it was read, as the host does, whatever an earlier request left in bytes 3..4.
struct CodeNineCase {
    const char* name;
    std::uint8_t before;  // the request before code 9 (0: none)
    std::uint8_t high;
    std::uint8_t low;
    bool setsPeriod;
};

class CodeNine : public ::testing::TestWithParam<CodeNineCase> {};

TEST_P(CodeNine, IsTheCommandOnlyAfterAReadOfThePeriod) {
    const CodeNineCase c = GetParam();
    LinkedMeter m;
    const int periodBefore = m.meter.settings().recordingPeriod;
    if (c.before != 0) m.exchange(c.before);
    m.send(9, {c.high, c.low});
    if (c.setsPeriod) {
        EXPECT_TRUE(m.meter.keysReceived().empty());
        EXPECT_EQ(m.meter.settings().recordingPeriod, c.high * 256 + c.low);
    } else {
        ASSERT_EQ(m.meter.keysReceived().size(), 1u);
        EXPECT_EQ(m.meter.keysReceived()[0], 9);
        EXPECT_EQ(m.meter.settings().recordingPeriod, periodBefore);
        EXPECT_EQ(m.display()[23] & 1, 1) << "MEM starts a recording";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CodeNine,
    ::testing::Values(CodeNineCase{"AfterReadingThePeriod", 13, 0x00, 0x3C, true},
                      CodeNineCase{"AfterReadingThePeriodNoValidPeriod", 13, 0x00, 0x00, false},
                      CodeNineCase{"AfterAPollWithAValidPeriodLeftOver", 98, 0x00, 0x3C, false},
                      CodeNineCase{"AfterTheClockWasReadWithItsYearLeftOver", 22, 0x07, 0xEA,
                                   false},
                      CodeNineCase{"AsTheFirstRequest", 0, 0x00, 0x3C, false}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara::sim::test
