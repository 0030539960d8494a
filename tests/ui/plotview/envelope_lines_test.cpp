#include "ui/plotview/envelope_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/series/series.h"

namespace photara {
namespace {

// Readings once a second up to t = 97, the meter away, then from t = 100.3 on.
constexpr double kBefore = 97;
constexpr double kAfter = 100.3;

Series seriesWithAGap() {
    Series s;
    for (int t = 0; t <= 97; ++t) s.append(t, 1 + t % 3);
    s.markGap();
    s.append(kAfter, 5);
    for (int t = 101; t <= 120; ++t) s.append(t, 5 + t % 2);
    return s;
}

struct GapView {
    const char* name;
    double t0;
    double t1;
    double width;  // of the plot area, in pixels
};

void PrintTo(const GapView& v, std::ostream* os) { *os << v.name; }

class EnvelopeLinesAtAGap : public testing::TestWithParam<GapView> {};

// No segment may pass over the stretch of x where the meter was away: between a pixel right of
// the last reading before the gap and a pixel left of the first after it.
TEST_P(EnvelopeLinesAtAGap, NeverDrawsALineAcrossIt) {
    const GapView& v = GetParam();
    const Series s = seriesWithAGap();
    const QRectF area(0, 0, v.width, 100);
    const ViewRange view{v.t0, v.t1, 0, 10};
    auto x = [&](double t) { return (t - v.t0) / (v.t1 - v.t0) * v.width; };
    const double lo = std::max(x(kBefore) + 1, area.left());
    const double hi = std::min(x(kAfter) - 1, area.right());
    ASSERT_LT(lo, hi);
    const auto lines = envelopeLines(s, view, area, [](double value) { return 100 - value * 10; });
    for (const QLineF& l : lines) {
        const double a = std::min(l.x1(), l.x2());
        const double b = std::max(l.x1(), l.x2());
        EXPECT_FALSE(b > lo && a < hi) << "segment " << a << " to " << b << " crosses the gap "
                                       << lo << " to " << hi;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, EnvelopeLinesAtAGap,
    testing::Values(
        // 100 whole columns end at t = 100.249: the first reading after the gap lies beyond them.
        GapView{"FractionalWidthGapAtTheRightEdge", 50, 100.5, 100.5},
        GapView{"GapInTheMiddle", 50, 110, 120},
        GapView{"GapLeftOfTheView", 99, 110, 110},
        GapView{"GapRightOfTheView", 60, 98.5, 77},
        GapView{"OnlyTheGapInView", 97.5, 100, 50.5}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
