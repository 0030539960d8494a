#include "core/plot/plot_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fixed_metrics.h"
#include "core/plot/plot_setup.h"

namespace photara {
namespace {

using test::FixedMetrics;

// n samples whose time texts are 15 characters (150 units) wide.
Samples samplesOf(const std::vector<double>& first, const std::vector<double>& second = {}) {
    Samples s;
    for (std::size_t i = 0; i < first.size(); ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "t%014zu", i);
        s.timeTexts.push_back(text);
        s.first.push_back(first[i]);
        s.second.push_back(i < second.size() ? second[i] : 0);
    }
    return s;
}

Samples rampOf(std::size_t n) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<double>(i);
    return samplesOf(v, v);
}

struct LayoutCase {
    double width, height, labelWidth;
    double x0, y0, w, h;
    int budget;
};

class PlotLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PlotLayoutTest, PlacesThePlotAreaFromClientAndLabelSize) {
    const LayoutCase& c = GetParam();
    const std::string label(static_cast<std::size_t>(c.labelWidth / 10), 'x');
    const PlotLayout l = plotLayout(c.width, c.height, FixedMetrics(), label);
    EXPECT_DOUBLE_EQ(l.x0, c.x0);
    EXPECT_DOUBLE_EQ(l.y0, c.y0);
    EXPECT_DOUBLE_EQ(l.width, c.w);
    EXPECT_DOUBLE_EQ(l.height, c.h);
    EXPECT_DOUBLE_EQ(l.labelWidth, c.labelWidth);
    EXPECT_EQ(l.labelBudget, c.budget);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlotLayoutTest,
                         ::testing::Values(LayoutCase{700, 500, 150, 140, 473, 485, 400, 2},
                                           LayoutCase{1215, 500, 150, 140, 473, 1000, 400, 5},
                                           LayoutCase{1280, 800, 190, 140, 773, 1045, 700, 4},
                                           // No room for any label between first and last.
                                           LayoutCase{400, 300, 150, 140, 273, 185, 200, 0},
                                           LayoutCase{50, 40, 150, 140, 13, -165, -60, 0}));

struct FractionCase {
    double a, b, expected;
};

class ScaledFractionTest : public ::testing::TestWithParam<FractionCase> {};

TEST_P(ScaledFractionTest, QuantisesToFourDecimalsWithinTheAxis) {
    EXPECT_DOUBLE_EQ(scaledFraction(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Quotients, ScaledFractionTest,
    ::testing::Values(FractionCase{1, 3, 0.3333}, FractionCase{2, 3, 0.6667},
                      FractionCase{1, 8, 0.125}, FractionCase{1, 20001, 0},
                      FractionCase{1, 19999, 0.0001}, FractionCase{5, 4, 1},
                      FractionCase{1e308, 1e-308, 1},
                      // A range whose maximum equals its minimum.
                      FractionCase{0, 0, 0}, FractionCase{5, 0, 1}, FractionCase{-5, 0, 0},
                      // Nothing below the axis: reversed ranges and not-a-number.
                      FractionCase{5, -10, 0}, FractionCase{NAN, 3, 0}, FractionCase{1, NAN, 0}));

PlotSettings settingsFor(const Samples& s, ValueRange first, ValueRange second) {
    PlotSettings p = plotSettingsFor(s);
    p.first = first;
    p.second = second;
    return p;
}

TEST(PlotScaleTest, LabelsTruncateTheLevelValueToTwoDecimals) {
    const Samples s = rampOf(3);
    const PlotDrawing d =
        drawPlot(700, 500, s, settingsFor(s, {0, 1234.5}, {0, 50.29 * 8}), FixedMetrics());
    // Nine levels per scale, first series then second series, then the two titles.
    ASSERT_EQ(d.scaleTexts.size(), 20u);
    const PlotText& cd1 = d.scaleTexts[2];
    EXPECT_EQ(cd1.text, "154.31");
    EXPECT_EQ(cd1.colour, plot_colours::kBlue);
    // The widest cd label, 1079.43 (70 wide), would reach into 402.32's right three
    // quarters (45 wide) 60 apart: the cd scale moves 2.5 right, and the plot with it.
    EXPECT_DOUBLE_EQ(d.layout.x0, 140 + 2.5 + 4.5);  // the tick clearance of a 70-wide label
    EXPECT_DOUBLE_EQ(cd1.topLeft.x, 20 + 62.5 - 60.0 / 4);
    EXPECT_DOUBLE_EQ(cd1.topLeft.y, 473 - 400.0 / 8 - 10);
    EXPECT_EQ(d.scaleTexts[16].text, "1234.5");
    EXPECT_DOUBLE_EQ(d.scaleTexts[16].topLeft.y, 473 - 400 - 10);
    EXPECT_EQ(d.scaleTexts[0].text, "0");
    // 50.29 is stored as 50.2899999…; the label reads the decimal value.
    const PlotText& fl1 = d.scaleTexts[3];
    EXPECT_EQ(fl1.text, "50.29");
    EXPECT_EQ(fl1.colour, plot_colours::kBlack);
    EXPECT_DOUBLE_EQ(fl1.topLeft.x, 140 - 120 - 50.0 / 4);
    EXPECT_EQ(d.scaleTexts[18].text, "cd");
    // Above the top label, which reaches 10 above the plot: 1.5 × 20 over its top.
    EXPECT_DOUBLE_EQ(d.scaleTexts[18].topLeft.y, 473 - 400 - 30);
    EXPECT_EQ(d.scaleTexts[19].text, "Fl");
    EXPECT_DOUBLE_EQ(d.scaleTexts[19].topLeft.x, 20);
}

TEST(PlotFrameTest, DrawsAxesTicksAndEveryOtherGridLine) {
    const Samples s = rampOf(3);
    const PlotDrawing d = drawPlot(700, 500, s, plotSettingsFor(s), FixedMetrics());
    // Two axes, 17 short ticks, 9 long ticks with 9 grid lines.
    ASSERT_EQ(d.frame.size(), 2u + 17 + 9 + 9);
    EXPECT_EQ(d.frame[0].from, (PlotPoint{138, 478}));
    EXPECT_EQ(d.frame[0].to, (PlotPoint{138, 68}));
    EXPECT_EQ(d.frame[0].width, 2);
    EXPECT_EQ(d.frame[1].to, (PlotPoint{627, 479}));
    int grid = 0;
    for (const PlotLine& line : d.frame) {
        if (!line.dotted) continue;
        ++grid;
        EXPECT_EQ(line.colour, plot_colours::kGrid);
        EXPECT_DOUBLE_EQ(line.from.x, 140);
        EXPECT_DOUBLE_EQ(line.to.x, 625);
    }
    EXPECT_EQ(grid, 9);
}

TEST(PlotTimeAxisTest, LoneReadingIsOnePointWithOneLabelInTheMiddle) {
    const Samples s = samplesOf({25}, {300});
    const PlotDrawing d = drawPlot(700, 500, s, settingsFor(s, {0, 100}, {0, 400}), FixedMetrics());
    const double middle = 140 + 485 / 2.0;
    ASSERT_EQ(d.timeLabels.size(), 1u);
    EXPECT_EQ(d.timeLabels[0].text, s.timeTexts[0]);
    EXPECT_EQ(d.timeLabels[0].topLeft, (PlotPoint{middle - 75, 473 + 20 - 2}));
    ASSERT_EQ(d.timeMarks.size(), 2u);
    EXPECT_EQ(d.timeMarks[0].from, (PlotPoint{middle, 478}));
    EXPECT_EQ(d.firstCurve, (std::vector<PlotPoint>{{middle, 473 - 100}}));
    EXPECT_EQ(d.secondCurve, (std::vector<PlotPoint>{{middle, 473 - 300}}));
    EXPECT_EQ(d.scaleTexts.size(), 20u);
    EXPECT_EQ(d.frame.size(), 37u);
}

TEST(PlotTimeAxisTest, LastTwoLabelsTheStartAndMarksTheEnd) {
    const Samples s = samplesOf({10, 90}, {100, 300});
    const PlotDrawing d = drawPlot(700, 500, s, settingsFor(s, {0, 100}, {0, 400}), FixedMetrics());
    ASSERT_EQ(d.timeLabels.size(), 1u);
    EXPECT_EQ(d.timeLabels[0].text, s.timeTexts[0]);
    EXPECT_EQ(d.timeLabels[0].topLeft, (PlotPoint{140 - 75, 473 + 20 - 2}));
    ASSERT_EQ(d.timeMarks.size(), 2u);
    EXPECT_EQ(d.timeMarks[0].from, (PlotPoint{625, 478}));
    EXPECT_EQ(d.timeMarks[0].to, (PlotPoint{625, 485}));
    EXPECT_EQ(d.timeMarks[1].from, (PlotPoint{625, 473}));
    EXPECT_EQ(d.timeMarks[1].to, (PlotPoint{625, 73}));
    EXPECT_TRUE(d.timeMarks[1].dotted);
    ASSERT_EQ(d.firstCurve.size(), 2u);
    EXPECT_EQ(d.firstCurve[0], (PlotPoint{140, 473 - 40}));
    EXPECT_EQ(d.firstCurve[1], (PlotPoint{625, 473 - 360}));
    EXPECT_EQ(d.secondCurve[0], (PlotPoint{140, 473 - 100}));
    EXPECT_EQ(d.secondCurve[1], (PlotPoint{625, 473 - 300}));
}

TEST(PlotTimeAxisTest, LabelsKeepTheirGapAndTheBudget) {
    // W = 1000 and TW = 150: at most five labels between the first and the last.
    const Samples s = rampOf(101);
    const PlotDrawing d = drawPlot(1215, 500, s, plotSettingsFor(s), FixedMetrics());
    ASSERT_EQ(d.layout.labelBudget, 5);
    ASSERT_GE(d.timeLabels.size(), 3u);
    EXPECT_LE(d.timeLabels.size(), 7u);
    EXPECT_EQ(d.timeLabels.front().text, s.timeTexts[0]);
    EXPECT_EQ(d.timeLabels.back().text, s.timeTexts[100]);
    EXPECT_DOUBLE_EQ(d.timeLabels.back().topLeft.x, 140 + 1000 - 75 - 5);
    // Between the first and the last, each label starts more than 10 units right of the
    // previous one's right edge, and is centred on its sample.
    for (std::size_t k = 1; k + 1 < d.timeLabels.size(); ++k) {
        EXPECT_GT(d.timeLabels[k].topLeft.x, d.timeLabels[k - 1].topLeft.x + 150 + 10) << k;
        const std::size_t i = std::stoul(d.timeLabels[k].text.substr(1));
        EXPECT_DOUBLE_EQ(d.timeLabels[k].topLeft.x + 75,
                         140 + 1000 * (static_cast<double>(i) / 100.0))
            << k;
    }
    // One tick and one grid line per label.
    EXPECT_EQ(d.timeMarks.size(), 2 * d.timeLabels.size());
}

TEST(PlotCurveTest, ClampsValuesToTheRangeEdges) {
    const Samples s = samplesOf({0, 150, 55, 10}, {0, 0, 0, 0});
    const PlotDrawing d = drawPlot(700, 500, s, settingsFor(s, {10, 100}, {0, 10}), FixedMetrics());
    ASSERT_EQ(d.firstCurve.size(), 4u);
    EXPECT_DOUBLE_EQ(d.firstCurve[0].y, 473);        // below the minimum: bottom edge
    EXPECT_DOUBLE_EQ(d.firstCurve[1].y, 73);         // above the maximum: top edge
    EXPECT_DOUBLE_EQ(d.firstCurve[2].y, 473 - 200);  // half way
    EXPECT_DOUBLE_EQ(d.firstCurve[3].y, 473);
    EXPECT_DOUBLE_EQ(d.firstCurve[0].x, 140);
    EXPECT_DOUBLE_EQ(d.firstCurve[1].x, 140 + 485 * 0.3333);
    EXPECT_DOUBLE_EQ(d.firstCurve[3].x, 625);
}

struct DegenerateCase {
    ValueRange first, second;
    double shownFirst, shownLast;
    std::size_t samples;
};

class DegeneratePlotTest : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegeneratePlotTest, DrawsFiniteGeometryOnly) {
    const DegenerateCase& c = GetParam();
    const Samples s = rampOf(c.samples);
    PlotSettings p = settingsFor(s, c.first, c.second);
    p.shownFirst = c.shownFirst;
    p.shownLast = c.shownLast;
    const PlotDrawing d = drawPlot(700, 500, s, p, FixedMetrics());
    auto finite = [](PlotPoint pt) { return std::isfinite(pt.x) && std::isfinite(pt.y); };
    for (const auto& l : d.frame) EXPECT_TRUE(finite(l.from) && finite(l.to));
    for (const auto& l : d.timeMarks) EXPECT_TRUE(finite(l.from) && finite(l.to));
    for (const auto& pt : d.firstCurve) EXPECT_TRUE(finite(pt));
    for (const auto& pt : d.secondCurve) EXPECT_TRUE(finite(pt));
    for (const auto& pt : d.firstCurve) EXPECT_TRUE(pt.y >= 73 && pt.y <= 473);
    EXPECT_LE(d.firstCurve.size(), c.samples);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DegeneratePlotTest,
    ::testing::Values(DegenerateCase{{5, 5}, {0, 0}, 1, 10, 10},       // max = min
                      DegenerateCase{{100, 10}, {20, 10}, 1, 10, 10},  // reversed
                      DegenerateCase{{0, 10}, {0, 10}, 1, 0, 0},       // no samples
                      DegenerateCase{{0, 10}, {0, 10}, 0, 10, 10},     // first = 0
                      DegenerateCase{{0, 10}, {0, 10}, 1, 1e300, 10},  // last past the data
                      DegenerateCase{{0, 10}, {0, 10}, NAN, NAN, 10},
                      DegenerateCase{{0, INFINITY}, {NAN, 10}, 1, 10, 10}));

}  // namespace
}  // namespace photara
