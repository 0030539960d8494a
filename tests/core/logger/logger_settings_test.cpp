#include "core/logger/logger_settings.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

using Kind = SamplingTimeAnswer::Kind;

struct SamplingCase {
    std::string typed;
    Kind kind;
    int seconds;         // Accept: what is sent
    std::string readAs;  // OutOfRange: what the user is told was read
    bool badField = false;  // OutOfRange: a field negative or not whole
};

class SamplingTimeTest : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(SamplingTimeTest, SendsOnlyATimeWithinTheRangeAsRead) {
    const SamplingCase& c = GetParam();
    const SamplingTimeAnswer answer = parseSamplingTime(c.typed);
    EXPECT_EQ(answer.kind, c.kind);
    EXPECT_EQ(answer.seconds, c.seconds);
    EXPECT_EQ(answer.readAs, c.readAs);
    EXPECT_EQ(answer.badField, c.badField);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, SamplingTimeTest,
    ::testing::Values(SamplingCase{"00:01:30", Kind::Accept, 90, ""},
                      SamplingCase{"01:00:00", Kind::Accept, 3600, ""},
                      SamplingCase{"00:00:01", Kind::Accept, 1, ""},
                      SamplingCase{"0:30", Kind::Accept, 30, ""},  // one ":": no minutes
                      SamplingCase{"1:", Kind::Accept, 3600, ""},
                      SamplingCase{" 0 : 2 : 5", Kind::Accept, 125, ""},  // blanks skipped
                      SamplingCase{"00:00:305", Kind::Accept, 30, ""},    // two seconds digits
                      SamplingCase{"00:10", Kind::Accept, 10, ""},        // "10" read as seconds
                      SamplingCase{"00:01:30:99", Kind::Accept, 90, ""},
                      // Never cut to one hour or sent as another time than the one read.
                      SamplingCase{"1:30", Kind::OutOfRange, 0, "01:00:30"},
                      SamplingCase{"00:70:00", Kind::OutOfRange, 0, "01:10:00"},
                      SamplingCase{"01:30:00", Kind::OutOfRange, 0, "01:30:00"},
                      SamplingCase{"02:00:00", Kind::OutOfRange, 0, "02:00:00"},
                      SamplingCase{"00:00:00", Kind::OutOfRange, 0, "00:00:00"},
                      SamplingCase{":", Kind::OutOfRange, 0, "00:00:00"},
                      SamplingCase{"ab:cd:ef", Kind::OutOfRange, 0, "00:00:00"},
                      SamplingCase{"1e400:00:00", Kind::OutOfRange, 0, "more than a day"},
                      // A field negative or with a fraction never adds up to another time.
                      SamplingCase{"2:-70:00", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"1.5:-30:00", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:-5:00", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"-1:00:00", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:00:-1", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"0:0.5:00", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:00:10.5", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:00:0.4", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:00:1e-1", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"00:-1e400:1", Kind::OutOfRange, 0, "", true},
                      SamplingCase{"12", Kind::FormatError, 0, ""},
                      SamplingCase{"", Kind::FormatError, 0, ""}));

TEST(SamplingTimeTest, RefusalSaysWhatWasReadAndTheRange) {
    EXPECT_EQ(samplingTimeRefusal("1:30", parseSamplingTime("1:30")),
              "\"1:30\" reads as 01:00:30 (hours:minutes:seconds).\r\nThe sampling time must "
              "lie between 00:00:01 and 01:00:00.");
    EXPECT_EQ(samplingTimeRefusal("2:-70:00", parseSamplingTime("2:-70:00")),
              "\"2:-70:00\" has a field that is negative or not whole: hours, minutes and "
              "seconds are whole numbers of 0 or more.\r\nThe sampling time must lie between "
              "00:00:01 and 01:00:00.");
}

struct DefaultCase {
    int seconds;
    std::string text;
};
class SamplingDefaultTest : public ::testing::TestWithParam<DefaultCase> {};
TEST_P(SamplingDefaultTest, TwoDigitsEachField) {
    EXPECT_EQ(formatSamplingTime(GetParam().seconds), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Seconds, SamplingDefaultTest,
                         ::testing::Values(DefaultCase{90, "00:01:30"}, DefaultCase{1, "00:00:01"},
                                           DefaultCase{3600, "01:00:00"},
                                           DefaultCase{3661, "01:01:01"},
                                           DefaultCase{65535, "18:12:15"}));

using PeriodKind = RecordingPeriodAnswer::Kind;

struct PeriodCase {
    std::string typed;
    PeriodKind kind;
    int period;
};
class RecordingPeriodTest : public ::testing::TestWithParam<PeriodCase> {};
TEST_P(RecordingPeriodTest, SendsOnlyAWholeNumberOfSecondsWithinTheRange) {
    const RecordingPeriodAnswer answer = parseRecordingPeriod(GetParam().typed);
    EXPECT_EQ(answer.kind, GetParam().kind);
    EXPECT_EQ(answer.seconds, GetParam().period);
}
INSTANTIATE_TEST_SUITE_P(
    Typed, RecordingPeriodTest,
    ::testing::Values(
        PeriodCase{"60", PeriodKind::Accept, 60}, PeriodCase{"9999", PeriodKind::Accept, 9999},
        PeriodCase{"60.9", PeriodKind::Accept, 60},  // a fraction is cut
        PeriodCase{" +300 ", PeriodKind::Accept, 300}, PeriodCase{"0", PeriodKind::OutOfRange, 0},
        PeriodCase{"-5", PeriodKind::OutOfRange, 0}, PeriodCase{"10000", PeriodKind::OutOfRange, 0},
        PeriodCase{"99999", PeriodKind::OutOfRange, 0},
        PeriodCase{"0.5", PeriodKind::OutOfRange, 0}, PeriodCase{"abc", PeriodKind::NotANumber, 0},
        PeriodCase{"12abc", PeriodKind::NotANumber, 0},
        PeriodCase{"  300 s", PeriodKind::NotANumber, 0},
        PeriodCase{"1e3", PeriodKind::NotANumber, 0}, PeriodCase{"&H10", PeriodKind::NotANumber, 0},
        PeriodCase{"1.2.3", PeriodKind::NotANumber, 0}, PeriodCase{"", PeriodKind::NotANumber, 0}));

}  // namespace
}  // namespace photara
