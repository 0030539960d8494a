// Exploring the set plot: zoom, pan, rubber band and Home over the window's drawing, the
// zoomed drawing's placements, the statistics of the visible span and the cursor readout.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>
#include <cmath>

#include "../datalist/views_rig.h"
#include "core/plot/plot_setup.h"
#include "core/reading/units.h"
#include "ui/plot/plot_window.h"
#include "ui/plotview/plot_view.h"
#include "ui/plotview/readout_box.h"
#include "ui/plotview/value_text.h"

namespace photara::test {
namespace {

// n readings that rise and fall, so every zoom shows a different curve.
Samples wavySamples(std::size_t n) {
    Samples s;
    for (std::size_t i = 0; i < n; ++i) {
        const int second = static_cast<int>(i);
        char text[32];
        std::snprintf(text, sizeof text, "2026/12/08 %02d:%02d:%02d", 9 + second / 3600,
                      second / 60 % 60, second % 60);
        s.timeTexts.push_back(text);
        s.first.push_back(600 + 400 * std::sin(static_cast<double>(i) / 17.0) + static_cast<double>(i % 7));
        s.second.push_back(200 + 150 * std::cos(static_cast<double>(i) / 23.0));
    }
    s.firstMaximum = 1250;
    s.secondMaximum = 400;
    return s;
}

PlotWindow* openPlot(ViewsRig& rig, Samples samples) {
    rig.workspace.samples = std::move(samples);
    rig.views.showPlot();
    auto* plot = static_cast<PlotWindow*>(rig.views.plot());
    plot->resize(700, 500 + plot->plotView()->stripHeight());
    QCoreApplication::processEvents();
    return plot;
}

QImage render(const PlotWindow& plot) {
    QImage image(plot.plotView()->contentRect().size().toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    plot.renderGraph(painter);
    return image;
}

void wheel(PlotView* view, QPointF at, int notches, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &event);
}

void clickToolbar(PlotWindow* plot, const QString& key) {
    for (QAction* action : plot->toolbar()->actions())
        if (action->objectName() == key) return action->trigger();
    FAIL() << "no toolbar button " << key.toStdString();
}

// Wheel (time, then Shift for the values), a drag, a rubber band: each shows another part;
// Home draws exactly what the window drew at first, and the settings never changed.
TEST(SetPlotExploreTest, ZoomPanAndBandThenHomeDrawExactlyTheInitialDrawing) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, wavySamples(600));
    PlotView* view = plot->plotView();
    const PlotSettings settings = rig.workspace.plot;
    const QImage initial = render(*plot);
    const PlotDrawing drawn = plot->drawing();
    const QPointF middle = view->plotRect().center();

    wheel(view, middle, 3);
    const QImage zoomed = render(*plot);
    EXPECT_NE(zoomed, initial);
    wheel(view, middle, 2, Qt::ShiftModifier);
    QTest::mousePress(view, Qt::LeftButton, {}, middle.toPoint());
    QTest::mouseMove(view, (middle + QPointF(80, 30)).toPoint());
    QTest::mouseRelease(view, Qt::LeftButton, {}, (middle + QPointF(80, 30)).toPoint());
    QTest::mousePress(view, Qt::RightButton, {}, (middle - QPointF(100, 60)).toPoint());
    QTest::mouseMove(view, (middle + QPointF(40, 50)).toPoint());
    QTest::mouseRelease(view, Qt::RightButton, {}, (middle + QPointF(40, 50)).toPoint());
    EXPECT_NE(render(*plot), zoomed);
    EXPECT_FALSE(view->viewport().atHome());
    EXPECT_TRUE(rig.workspace.plot == settings) << "zooming never changes the settings";

    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(render(*plot), initial);
    const PlotDrawing& home = plot->drawing();
    EXPECT_EQ(home.firstCurve, drawn.firstCurve);
    EXPECT_EQ(home.secondCurve, drawn.secondCurve);
    ASSERT_EQ(home.timeLabels.size(), drawn.timeLabels.size());
    for (std::size_t i = 0; i < home.timeLabels.size(); ++i) {
        EXPECT_EQ(home.timeLabels[i].text, drawn.timeLabels[i].text);
        EXPECT_EQ(home.timeLabels[i].topLeft, drawn.timeLabels[i].topLeft);
    }
}

// Range OK while zoomed: the new ranges are drawn whole, exactly as drawPlot draws them.
TEST(SetPlotExploreTest, RangeOkWhileZoomedShowsTheNewRangesDrawing) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, wavySamples(300));
    PlotView* view = plot->plotView();
    wheel(view, view->plotRect().center(), 4);
    clickToolbar(plot, "Range");
    plot->findChild<QLineEdit*>("TxtcdMx")->setText("900");
    plot->findChild<QLineEdit*>("TxtMn")->setText("50");
    QTest::mouseClick(plot->findChild<QPushButton*>("CmdRangeOK"), Qt::LeftButton);
    ASSERT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 900);
    EXPECT_TRUE(view->viewport().atHome());
    const QSizeF size = view->contentRect().size();
    const PlotDrawing expected =
        drawPlot(size.width(), size.height(), rig.workspace.samples, rig.workspace.plot,
                 FontTextMetrics(plotFont(plot->font())));
    EXPECT_EQ(plot->drawing().firstCurve, expected.firstCurve);
    EXPECT_EQ(plot->drawing().secondCurve, expected.secondCurve);
    EXPECT_EQ(plot->drawing().scaleTexts[16].text, "900");
}

// A view of the set: sample positions t0 … t1 across, fractions v0 … v1 of the scales up.
struct ViewCase {
    const char* name;
    ViewRange view;
    bool cdOnly;  // Unit: the luminance in cd/m² alone
};

class SetPlotViewTest : public ::testing::TestWithParam<ViewCase> {
  protected:
    SetPlotViewTest() : samples_(wavySamples(500)), settings_(plotSettingsFor(samples_)), content_(samples_, settings_) {
        content_.setFont(plotFont(QFont()));
        content_.setCdOnly(GetParam().cdOnly);
    }
    Samples samples_;
    PlotSettings settings_;
    SetPlotContent content_;
};

// The statistics of the visible span are those of the samples whose position lies in it
// (as the series store keeps them: a float holds the display's digits).
TEST_P(SetPlotViewTest, StatisticsOfTheVisibleSpanMatchADirectComputation) {
    const ViewRange& v = GetParam().view;
    const std::array<Statistics, 2> got = content_.visibleStatistics(v);
    if (GetParam().cdOnly) {
        EXPECT_EQ(got[1].n, 0u) << "the second curve is not shown";
    }
    for (int k = 0; k < (GetParam().cdOnly ? 1 : 2); ++k) {
        const std::vector<double>& values = k == 0 ? samples_.first : samples_.second;
        std::vector<double> in;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (static_cast<double>(i) >= v.t0 && static_cast<double>(i) <= v.t1)
                in.push_back(static_cast<double>(static_cast<float>(values[i])));
        ASSERT_EQ(got[k].n, in.size());
        if (in.empty()) continue;
        double sum = 0;
        for (const double x : in) sum += x;
        const double mean = sum / static_cast<double>(in.size());
        double squares = 0;
        for (const double x : in) squares += (x - mean) * (x - mean);
        const double sd = in.size() > 1 ? std::sqrt(squares / static_cast<double>(in.size() - 1)) : 0;
        EXPECT_DOUBLE_EQ(got[k].min, *std::min_element(in.begin(), in.end()));
        EXPECT_DOUBLE_EQ(got[k].max, *std::max_element(in.begin(), in.end()));
        EXPECT_NEAR(got[k].mean, mean, 1e-9 * std::fabs(mean));
        EXPECT_NEAR(got[k].sd, sd, 1e-9 * sd + 1e-12);
    }
    const QString text = content_.statisticsText(v);
    EXPECT_TRUE(got[0].n == 0 ? text.contains("no readings") : text.contains(QStringLiteral("n %1").arg(got[0].n)))
        << text.toStdString();
}

// A zoomed drawing: both scales show the visible part of their range, every time label is
// the time text of the sample under its centre, and no curve leaves the plot area.
TEST_P(SetPlotViewTest, ZoomedDrawingPlacesLabelsAtTheirSamplesAndKeepsCurvesInside) {
    const ViewRange& v = GetParam().view;
    QImage image(700, 500, QImage::Format_RGB32);
    QPainter painter(&image);
    content_.paint(painter, QRectF(0, 0, 700, 500), v);
    painter.end();
    const PlotDrawing& d = content_.drawing(QSizeF(700, 500), v);
    const PlotLayout& l = d.layout;

    // Labels by level: the first scale's and the second's at the bottom, then at the top.
    // With cd/m² alone only the first scale is left: nine labels, then its title.
    const std::size_t scales = GetParam().cdOnly ? 1 : 2;
    const std::pair<ValueRange, std::size_t> ranges[] = {{settings_.first, 0}, {settings_.second, 1}};
    for (std::size_t at = 0; at < scales; ++at) {
        const ValueRange& range = ranges[at].first;
        const double span = range.maximum - range.minimum;
        EXPECT_NEAR(std::stod(d.scaleTexts[at].text), range.minimum + span * v.v0, 0.01);
        EXPECT_NEAR(std::stod(d.scaleTexts[8 * scales + at].text), range.minimum + span * v.v1,
                    0.01);
    }
    EXPECT_EQ(d.scaleTexts.back().text, GetParam().cdOnly ? "cd" : "Fl");

    for (const PlotText& label : d.timeLabels) {
        const double centre = label.topLeft.x + l.labelWidth / 2;
        const double t = v.t0 + (centre - l.x0) / l.width * (v.t1 - v.t0);
        const auto i = static_cast<std::size_t>(std::lround(t));
        EXPECT_NEAR(t, static_cast<double>(i), 1e-6);
        ASSERT_LT(i, samples_.timeTexts.size());
        EXPECT_EQ(label.text, samples_.timeTexts[i]);
        EXPECT_GE(centre, l.x0 - 1e-9);
        EXPECT_LE(centre, l.x0 + l.width + 1e-9);
    }
    // Curve pixels (pure blue) only inside the plot area; at least some in it.
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0, 0, 255) && x > l.x0 - 1) {
                const bool in = x <= l.x0 + l.width + 1 && y >= l.y0 - l.height - 1 && y <= l.y0 + 1;
                EXPECT_TRUE(in) << x << "," << y;
                if (!in) return;
                ++inside;
            }
    EXPECT_GT(inside, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Views, SetPlotViewTest,
    ::testing::Values(ViewCase{"TimeZoom", {100.25, 160.75, 0, 1}, false},
                      ViewCase{"ValueZoom", {0, 499, 0.3, 0.55}, true},
                      ViewCase{"BothZoomed", {220, 236, 0.4, 0.9}, false},
                      ViewCase{"PannedPastTheEnd", {450, 560, -0.2, 0.8}, true},
                      ViewCase{"BetweenTwoSamples", {40.2, 40.7, 0.1, 0.9}, false},
                      ViewCase{"DeepValueZoom", {10, 90, 0.5, 0.5000001}, false}),
    [](const ::testing::TestParamInfo<ViewCase>& p) { return std::string(p.param.name); });

TEST(SetPlotExploreTest, CursorShowsTheNearestSampleTimeAndBothValues) {
    const Samples samples = wavySamples(100);
    const PlotSettings settings = plotSettingsFor(samples);
    SetPlotContent content(samples, settings);
    content.setFont(plotFont(QFont()));
    const QString text = content.cursorText(41.6);
    EXPECT_TRUE(text.startsWith("2026/12/08 09:00:42")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("cd ") + valueText(samples.first[42])));
    EXPECT_TRUE(text.contains(QStringLiteral("Fl ") + valueText(samples.second[42])));
    EXPECT_TRUE(content.cursorText(-50).startsWith("2026/12/08 09:00:00"));
}

struct ReadoutCase {
    double x;      // the cursor line
    double width;  // the readout's
    double left;   // where its box starts
};

class ReadoutBoxTest : public testing::TestWithParam<ReadoutCase> {};

// The readout stays in the plot area (left 100, right 500), clear of the scales either side.
TEST_P(ReadoutBoxTest, StaysInsideThePlotArea) {
    const ReadoutCase c = GetParam();
    const QRectF area(100, 20, 400, 300);
    const QRectF box = readoutBox(QSizeF(c.width, 20), c.x, area);
    EXPECT_DOUBLE_EQ(box.left(), c.left);
    EXPECT_DOUBLE_EQ(box.width(), c.width);
    EXPECT_GT(box.top(), area.top());
    if (c.width <= area.width()) {
        EXPECT_LE(box.right(), area.right());
    }
}

INSTANTIATE_TEST_SUITE_P(Places, ReadoutBoxTest,
                         testing::Values(ReadoutCase{200, 120, 206},    // right of the line
                                         ReadoutCase{374, 120, 380},    // just fits on the right
                                         ReadoutCase{450, 120, 324},    // flipped left of it
                                         ReadoutCase{300, 300, 100},    // fits neither side
                                         ReadoutCase{499, 400, 100}));  // as wide as the area

}  // namespace
}  // namespace photara::test
