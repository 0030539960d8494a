#include "logger/logger_settings.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

using Kind = SamplingTimeAnswer::Kind;

struct SamplingCase {
    std::string typed;
    Kind kind;
    int seconds;
};

class SamplingTimeTest : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(SamplingTimeTest, AcceptsClampsOrAsksAgain) {
    const SamplingTimeAnswer answer = parseSamplingTime(GetParam().typed);
    EXPECT_EQ(answer.kind, GetParam().kind);
    if (GetParam().kind == Kind::Accept) {
        EXPECT_EQ(answer.seconds, GetParam().seconds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typed, SamplingTimeTest,
    ::testing::Values(
        SamplingCase{"00:01:30", Kind::Accept, 90}, SamplingCase{"01:00:00", Kind::Accept, 3600},
        SamplingCase{"00:00:01", Kind::Accept, 1},
        SamplingCase{"00:70:00", Kind::Accept, 3600},  // cut to one hour
        SamplingCase{"01:30:00", Kind::Accept, 3600},
        SamplingCase{"0:30", Kind::Accept, 30},  // one ":": no minutes
        SamplingCase{"1:", Kind::Accept, 3600},
        SamplingCase{" 0 : 2 : 5", Kind::Accept, 125},  // blanks skipped
        SamplingCase{"00:00:305", Kind::Accept, 30},    // two seconds digits
        SamplingCase{"00:10", Kind::Accept, 10},        // "10" read as seconds
        SamplingCase{"00:01:30:99", Kind::Accept, 90}, SamplingCase{"02:00:00", Kind::AskAgain, 0},
        SamplingCase{"00:00:00", Kind::AskAgain, 0}, SamplingCase{":", Kind::AskAgain, 0},
        SamplingCase{"ab:cd:ef", Kind::AskAgain, 0},
        SamplingCase{"00:-5:00", Kind::AskAgain, 0},  // negative total
        SamplingCase{"-1:00:00", Kind::AskAgain, 0}, SamplingCase{"00:00:0.4", Kind::AskAgain, 0},
        SamplingCase{"1e400:00:00", Kind::AskAgain, 0},
        SamplingCase{"00:1e400:00", Kind::Accept, 3600},
        SamplingCase{"00:-1e400:1", Kind::AskAgain, 0}, SamplingCase{"12", Kind::FormatError, 0},
        SamplingCase{"", Kind::FormatError, 0}));

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

struct PeriodCase {
    std::string typed;
    int period;
};
class RecordingPeriodTest : public ::testing::TestWithParam<PeriodCase> {};
TEST_P(RecordingPeriodTest, TruncatedAndHeldWithin1To9999) {
    EXPECT_EQ(parseRecordingPeriod(GetParam().typed), GetParam().period);
}
INSTANTIATE_TEST_SUITE_P(Typed, RecordingPeriodTest,
                         ::testing::Values(PeriodCase{"60", 60}, PeriodCase{"0", 1},
                                           PeriodCase{"-5", 1}, PeriodCase{"10000", 9999},
                                           PeriodCase{"60.9", 60}, PeriodCase{"9999", 9999},
                                           PeriodCase{"1.5", 1}, PeriodCase{"abc", 1},
                                           PeriodCase{"1e300", 9999}, PeriodCase{"&H10", 16},
                                           PeriodCase{"  300 s", 300}));

}  // namespace
}  // namespace photara
