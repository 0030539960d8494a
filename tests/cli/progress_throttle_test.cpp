#include <gtest/gtest.h>

#include "cli/progress_line.h"

namespace photara::cli {
namespace {

using namespace std::chrono_literals;

struct ThrottleCase {
    const char* name;
    int reports;                      // progress reports, percent rising evenly to 100
    std::chrono::microseconds apart;  // between reports
    int maxDraws;
};

class ProgressThrottleTest : public ::testing::TestWithParam<ThrottleCase> {};

// A download reports every block; the terminal gets about ten redraws a second, the first
// report and 100 % always among them.
TEST_P(ProgressThrottleTest, RedrawsAtMostTenTimesASecondAndAlwaysTheEnd) {
    const ThrottleCase& c = GetParam();
    ProgressThrottle throttle;
    ProgressThrottle::Time now{};
    int draws = 0;
    int last = -1;
    for (int i = 1; i <= c.reports; ++i) {
        const int percent = static_cast<int>(100LL * i / c.reports);
        if (throttle.due(percent, now)) {
            ++draws;
            last = percent;
        }
        if (i == 1) {
            EXPECT_EQ(draws, 1) << "the first report is drawn";
        }
        now += c.apart;
    }
    EXPECT_LE(draws, c.maxDraws);
    EXPECT_EQ(last, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, ProgressThrottleTest,
    ::testing::Values(ThrottleCase{"LargestSetFast", 13002, 100us, 2 + 13},  // 1.3 s
                      ThrottleCase{"LargestSetSlow", 13002, 2ms, 2 + 101},   // 26 s: each %
                      ThrottleCase{"SmallSet", 3, 1ms, 2}),
    [](const ::testing::TestParamInfo<ThrottleCase>& p) { return p.param.name; });

}  // namespace
}  // namespace photara::cli
