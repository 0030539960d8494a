#include "core/series/series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace photara {
namespace {

// A random walk with irregular steps in time and gaps; gapAt[i]: a gap before reading i.
Series randomSeries(std::mt19937& rng, std::size_t n, std::vector<bool>* gapAt = nullptr) {
    std::uniform_real_distribution<double> step(0.0, 0.5);
    std::normal_distribution<double> noise(0.0, 3.0);
    std::bernoulli_distribution gap(0.002);
    Series s;
    double t = 0;
    double v = 100;
    for (std::size_t i = 0; i < n; ++i) {
        const bool away = gap(rng);
        if (gapAt) gapAt->push_back(away);
        if (away) {
            s.markGap();
            t += 30;
        }
        t += step(rng);
        v += noise(rng);
        s.append(t, v);
    }
    return s;
}

class SeriesProperty : public testing::TestWithParam<unsigned> {};

TEST_P(SeriesProperty, EnvelopeShowsTheSameExtremesAsTheReadings) {
    std::mt19937 rng(GetParam());
    std::vector<bool> gapAt;
    const Series s = randomSeries(rng, 5000 + GetParam() * 1777, &gapAt);
    const double end = s.time(s.size() - 1);
    std::uniform_real_distribution<double> at(-10.0, end + 10.0);
    for (int view = 0; view < 20; ++view) {
        double t0 = at(rng);
        double t1 = at(rng);
        if (t1 < t0) std::swap(t0, t1);
        const int columns = 1 + static_cast<int>(rng() % 700);
        const auto env = s.envelope(t0, t1, columns);
        const double width = (t1 - t0) / columns;
        std::vector<double> edges{t0};
        for (int c = 1; c < columns; ++c) edges.push_back(t0 + width * c);
        edges.push_back(t1);
        // The readings of each column, by one pass over all of them.
        std::vector<double> lows(columns, INFINITY), highs(columns, -INFINITY);
        std::vector<std::size_t> firsts(columns, s.size()), lasts(columns, 0);
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = s.time(i);
            if (t < t0 || t >= t1) continue;
            const auto c = static_cast<std::size_t>(
                std::upper_bound(edges.begin(), edges.end(), t) - edges.begin() - 1);
            lows[c] = std::min(lows[c], s.value(i));
            highs[c] = std::max(highs[c], s.value(i));
            firsts[c] = std::min(firsts[c], i);
            lasts[c] = i;
        }
        std::size_t previousLast = 0;
        bool any = false;
        for (int c = 0; c < columns; ++c) {
            const double lo = lows[c], hi = highs[c];
            const std::size_t first = firsts[c], last = lasts[c];
            const auto& col = env[static_cast<std::size_t>(c)];
            ASSERT_EQ(col.empty, first == s.size()) << "column " << c;
            if (col.empty) continue;
            ASSERT_EQ(col.min, lo) << "column " << c;
            ASSERT_EQ(col.max, hi) << "column " << c;
            ASSERT_EQ(col.first, first);
            ASSERT_EQ(col.last, last);
            bool gap = false;
            if (any || first > 0) {
                const std::size_t from = any ? previousLast : first - 1;
                for (std::size_t i = from + 1; i <= first; ++i) gap = gap || gapAt[i];
            }
            ASSERT_EQ(col.gapBefore, gap) << "column " << c;
            previousLast = last;
            any = true;
        }
    }
}

TEST_P(SeriesProperty, StatisticsOfASpanMatchADirectComputation) {
    std::mt19937 rng(GetParam());
    const Series s = randomSeries(rng, 3000 + GetParam() * 991);
    std::uniform_int_distribution<std::size_t> index(0, s.size());
    for (int span = 0; span < 20; ++span) {
        std::size_t from = index(rng), to = index(rng);
        if (to < from) std::swap(from, to);
        const Statistics got = s.moments(from, to).statistics();
        const double n = static_cast<double>(to - from);
        ASSERT_EQ(got.n, to - from);
        if (to - from < 2) continue;
        double sumT = 0, sumV = 0, lo = INFINITY, hi = -INFINITY;
        for (std::size_t i = from; i < to; ++i) {
            sumT += s.time(i);
            sumV += s.value(i);
            lo = std::min(lo, s.value(i));
            hi = std::max(hi, s.value(i));
        }
        const double mt = sumT / n, mv = sumV / n;
        double stt = 0, svv = 0, stv = 0;
        for (std::size_t i = from; i < to; ++i) {
            stt += (s.time(i) - mt) * (s.time(i) - mt);
            svv += (s.value(i) - mv) * (s.value(i) - mv);
            stv += (s.time(i) - mt) * (s.value(i) - mv);
        }
        EXPECT_EQ(got.min, lo);
        EXPECT_EQ(got.max, hi);
        EXPECT_NEAR(got.mean, mv, 1e-9 * std::fabs(mv) + 1e-9);
        EXPECT_NEAR(got.sd, std::sqrt(svv / (n - 1)), 1e-7 * std::sqrt(svv / (n - 1)) + 1e-9);
        if (stt > 0) {
            const double drift = stv / stt * 60;
            EXPECT_NEAR(got.driftPerMinute, drift, 1e-6 * std::fabs(drift) + 1e-9);
        }
    }
    const Statistics whole = s.moments(0, s.size()).statistics();
    EXPECT_NEAR(s.total().mean, whole.mean, 1e-9 * std::fabs(whole.mean));
    EXPECT_EQ(s.total().n, s.size());
}

INSTANTIATE_TEST_SUITE_P(Seeds, SeriesProperty, testing::Values(1u, 2u, 3u, 4u));

// Spans that start, end or straddle reading 65,536, where the store opens its second chunk and
// the summary its seventeenth level; [from, to) as indices.
constexpr std::size_t kBoundary = std::size_t{1} << 16;

struct BoundarySpan {
    std::size_t from;
    std::size_t to;
};

class SeriesPastTheFirstChunk : public testing::TestWithParam<BoundarySpan> {
  protected:
    static const Series& series() {
        // A sawtooth whose extremes sit right at the boundary: 65,535 is the highest reading,
        // 65,536 the lowest, so a block summarised across the boundary shows at once.
        static const Series s = [] {
            Series out;
            for (std::size_t i = 0; i < kBoundary + 3000; ++i) {
                const double v = i == kBoundary - 1 ? 900.0 : i == kBoundary ? -900.0 : double(i % 251);
                out.append(static_cast<double>(i) * 0.25, v);
            }
            return out;
        }();
        return s;
    }
};

TEST_P(SeriesPastTheFirstChunk, SpansAcrossTheBoundaryMatchADirectComputation) {
    const Series& s = series();
    const auto [from, to] = GetParam();
    double lo = INFINITY, hi = -INFINITY, sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        lo = std::min(lo, s.value(i));
        hi = std::max(hi, s.value(i));
        sum += s.value(i);
        ASSERT_EQ(s.time(i), static_cast<double>(i) * 0.25) << "reading " << i;
    }
    const Statistics got = s.moments(from, to).statistics();
    EXPECT_EQ(got.n, to - from);
    EXPECT_EQ(got.min, lo);
    EXPECT_EQ(got.max, hi);
    EXPECT_NEAR(got.mean, sum / static_cast<double>(to - from), 1e-9);
    // The same span by time, and drawn: one column holds the whole span's extremes.
    const double t0 = s.time(from);
    const double t1 = s.time(to - 1);
    EXPECT_EQ(s.statistics(t0, t1).n, to - from);
    const auto env = s.envelope(t0, std::nextafter(t1, HUGE_VAL), 1);
    ASSERT_FALSE(env[0].empty);
    EXPECT_EQ(env[0].min, lo);
    EXPECT_EQ(env[0].max, hi);
    EXPECT_EQ(env[0].first, from);
    EXPECT_EQ(env[0].last, to - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, SeriesPastTheFirstChunk,
    testing::Values(BoundarySpan{kBoundary - 1, kBoundary + 1},     // the two readings at it
                    BoundarySpan{kBoundary, kBoundary + 2048},      // starting at it
                    BoundarySpan{kBoundary - 64, kBoundary},        // ending at it
                    BoundarySpan{0, kBoundary},                     // the whole first chunk
                    BoundarySpan{0, kBoundary + 3000},              // everything
                    BoundarySpan{1, kBoundary + 2999},              // unaligned both ends
                    BoundarySpan{kBoundary - 4096, kBoundary + 4096 - 1096},
                    BoundarySpan{kBoundary + 64, kBoundary + 2944}));  // after it only

TEST(SeriesTime, AClockSetBackDoesNotReorderReadings) {
    Series s;
    s.append(10, 1);
    s.append(5, 2);
    EXPECT_EQ(s.time(1), 10);
    EXPECT_EQ(s.lowerBound(10), 0u);
    EXPECT_EQ(s.statistics(0, 10).n, 2u);  // the end of a span is in it
}

}  // namespace
}  // namespace photara
