#include "core/series/stability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace photara {
namespace {

using Signal = std::function<std::optional<double>(double t, std::mt19937& rng)>;

struct Expect {
    double t;
    StabilityState state;
};

struct SeriesCase {
    std::string name;
    std::string preset;
    double period;  // seconds between readings
    double duration;
    Signal signal;
    std::vector<Expect> expect;
    std::optional<double> timeToStable = {};  // none: must never be stable
    double timeTolerance = 0.01;
    std::optional<double> finalDrift = {};    // %/min at the end
};

double noisy(std::mt19937& rng, double v, double percent) {
    std::uniform_real_distribution<double> u(-percent / 200, percent / 200);
    return v * (1 + u(rng));
}

class StabilityOnSeries : public testing::TestWithParam<SeriesCase> {};

TEST_P(StabilityOnSeries, DecidesAsAPersonWould) {
    const SeriesCase& c = GetParam();
    StabilityDetector d(*stabilityPreset(c.preset));
    std::mt19937 rng(7);
    std::size_t next = 0;
    const auto steps = static_cast<int>(std::lround(c.duration / c.period));
    for (int i = 0; i <= steps; ++i) {
        const double t = i * c.period;
        d.add(t, c.signal(t, rng));
        while (next < c.expect.size() && std::fabs(c.expect[next].t - t) < c.period / 2) {
            EXPECT_EQ(stabilityStateText(d.status().state), stabilityStateText(c.expect[next].state))
                << "at " << t << " s, spread " << d.status().spreadPercent << " %";
            ++next;
        }
    }
    EXPECT_EQ(next, c.expect.size()) << "an expectation outside the series";
    if (c.timeToStable) {
        ASSERT_TRUE(d.status().timeToStable);
        EXPECT_NEAR(*d.status().timeToStable, *c.timeToStable, c.timeTolerance);
    } else {
        EXPECT_FALSE(d.status().timeToStable);
    }
    if (c.finalDrift) {
        EXPECT_NEAR(d.status().driftPercentPerMinute, *c.finalDrift, 0.05);
    }
}

// Display warm-up: 100·(1 − 0.2·e^(−t/120)). The spread over 60 s is
// 20·e^(−t/120)·(e^(0.5) − 1) ≈ 12.97·e^(−t/120) % of about 100, at most 0.5 % from
// t = 120·ln(25.94) = 390.8 s: stable from the window's start, 330.8 s.
double warmUp(double t) { return 100 * (1 - 0.2 * std::exp(-t / 120)); }

INSTANTIATE_TEST_SUITE_P(Synthetic, StabilityOnSeries, testing::Values(
    SeriesCase{"SpotSteadyIsStableAfterOneSecond", "spot", 0.25, 3,
               [](double, std::mt19937&) { return 100.0; },
               {{0.75, StabilityState::Settling}, {1.0, StabilityState::Stable}}, 0.0},
    SeriesCase{"SpotStepRestartsSettling", "spot", 0.25, 8,
               [](double s, std::mt19937&) { return s < 5 ? 100.0 : 103.0; },
               {{4.75, StabilityState::Stable}, {5.0, StabilityState::Settling}, {5.75, StabilityState::Settling},
                {6.0, StabilityState::Stable}}, 0.0},
    SeriesCase{"SpotSmallNoiseIsStable", "spot", 0.25, 5,
               [](double, std::mt19937& r) { return noisy(r, 100, 0.4); },
               {{5, StabilityState::Stable}}, 0.0},
    SeriesCase{"SpotNoiseAboveToleranceNeverStable", "spot", 0.25, 20,
               [](double, std::mt19937& r) { return noisy(r, 100, 1.8); },
               {{20, StabilityState::Settling}}},
    SeriesCase{"WarmUpCurve", "display-warm-up", 1, 600,
               [](double s, std::mt19937&) { return warmUp(s); },
               {{300, StabilityState::Settling}, {389, StabilityState::Settling}, {392, StabilityState::Stable}},
               330.8, 2.0},  // readings once a second, spread of a mean just below 100
    SeriesCase{"SlowDriftAfterStable", "display-warm-up", 1, 300,
               [](double s, std::mt19937&) { return s < 100 ? 100.0 : 100.0 * (1 + (s - 100) / 100 / 60); },
               {{99, StabilityState::Stable}, {300, StabilityState::Drifting}}, 0.0, 0.01, 0.99},
    SeriesCase{"AnotherKindEndsTheWindow", "spot", 0.25, 4,
               [](double s, std::mt19937&) -> std::optional<double> {
                   if (s >= 2 && s < 2.5) return std::nullopt;  // a Δ screen: no luminance
                   return 100.0;
               },
               {{1.5, StabilityState::Stable}, {2.25, StabilityState::NoReading},
                {3.25, StabilityState::Settling}, {3.5, StabilityState::Stable}}, 0.0}),
    [](const testing::TestParamInfo<SeriesCase>& i) { return i.param.name; });

TEST(StabilityPresets, ReadFromTheCommandLinesWords) {
    struct Case {
        const char* text;
        std::optional<double> window;
        double tolerance;
    };
    for (const Case& c : {Case{"spot", 1.0, 0.5}, Case{"display-warm-up", 60.0, 0.5}, Case{"custom:30,0.2", 30.0, 0.2},
                          Case{"custom:30", std::nullopt, 0}, Case{"custom:0,1", std::nullopt, 0},
                          Case{"custom:30,0.2x", std::nullopt, 0}, Case{"Spot", std::nullopt, 0}}) {
        const auto s = stabilityFromText(c.text);
        EXPECT_EQ(s.has_value(), c.window.has_value()) << c.text;
        if (s && c.window) {
            EXPECT_EQ(s->windowSeconds, *c.window) << c.text;
            EXPECT_EQ(s->tolerancePercent, c.tolerance) << c.text;
        }
    }
}

}  // namespace
}  // namespace photara
