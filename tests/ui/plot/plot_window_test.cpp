#include "ui/plot/plot_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <cmath>

#include "../datalist/views_rig.h"
#include "ui/plot/range_panel.h"
#include "support/layout_checks.h"

namespace photara::test {
namespace {

// Samples with flat curves: the first series at first, the second at second.
Samples flatSamples(std::size_t n, double first, double second) {
    Samples s;
    for (std::size_t i = 0; i < n; ++i) {
        s.timeTexts.push_back("2026/12/08 10:00:" + std::to_string(10 + i % 50));
        s.first.push_back(first);
        s.second.push_back(second);
    }
    s.firstMaximum = 1250;
    s.secondMaximum = 400;
    return s;
}

// Sizes the window so that the drawing above the statistics strip is width × height.
void resizeGraph(PlotWindow* plot, int width, int height) {
    plot->resize(width, height + plot->plotView()->stripHeight());
    QCoreApplication::processEvents();
}

PlotWindow* openPlot(ViewsRig& rig, Samples samples) {
    rig.workspace.samples = std::move(samples);
    rig.views.showPlot();
    auto* plot = static_cast<PlotWindow*>(rig.views.plot());
    resizeGraph(plot, 700, 500);
    return plot;
}

QImage render(const PlotWindow& plot) {
    QImage image(plot.plotView()->contentRect().size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    plot.renderGraph(painter);
    return image;
}

int pixelsOf(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++count;
    return count;
}

void clickToolbar(PlotWindow* plot, const QString& key) {
    for (QAction* action : plot->toolbar()->actions())
        if (action->objectName() == key) return action->trigger();
    FAIL() << "no toolbar button " << key.toStdString();
}

QLineEdit* box(PlotWindow* plot, const char* name) {
    return plot->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// A data list loading another set replaces the shared samples while the plot stays open:
// its next redraw still draws the readings it was opened on.
TEST(PlotWindowTest, RedrawsTheSamplesItWasOpenedOnAfterTheSharedOnesAreReplaced) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 625, 200));
    const std::vector<PlotPoint> curve = plot->drawing().firstCurve;
    ASSERT_FALSE(curve.empty());
    rig.workspace.samples = flatSamples(40, 1200, 50);
    rig.workspace.samples.firstMaximum = 99;

    resizeGraph(plot, 701, 500);
    resizeGraph(plot, 700, 500);
    ASSERT_EQ(plot->drawing().firstCurve.size(), curve.size());
    for (std::size_t i = 0; i < curve.size(); ++i) {
        EXPECT_DOUBLE_EQ(plot->drawing().firstCurve[i].x, curve[i].x);
        EXPECT_DOUBLE_EQ(plot->drawing().firstCurve[i].y, curve[i].y);
    }
    // The range check still holds to the opened set's maximum (1250), not the new one's.
    clickToolbar(plot, QStringLiteral("Range"));
    box(plot, "TxtcdMx")->setText(QStringLiteral("1000"));
    QTest::keyClick(box(plot, "TxtcdMx"), Qt::Key_Return);
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 1000);
}

TEST(PlotWindowTest, OpensWhiteBesideThePanelWithItsSettings) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 625, 200));
    EXPECT_EQ(plot->objectName(), "Plot");
    EXPECT_EQ(plot->windowTitle(), "Plot");
    EXPECT_EQ(plot->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(plot->rangePanel()->isVisible());
    EXPECT_DOUBLE_EQ(plot->labelStep(), 1);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 1250);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.shownLast, 10);
    // Every command of the table is a toolbar button of its name, in the table's order.
    QStringList keys, names, tips;
    for (QAction* action : plot->toolbar()->actions()) {
        keys << action->objectName();
        tips << action->toolTip().section(QLatin1Char('\n'), 0, 0);
    }
    for (const PlotCommand command : kPlotCommands)
        names << QString::fromLatin1(plotCommandName(command));
    EXPECT_EQ(keys, names);
    EXPECT_EQ(tips, (QStringList{"Graphic Unit (Ctrl+U)", "Graphic Range (Ctrl+R)", "Print (Ctrl+P)",
                                 "Export Picture (Ctrl+E)", "Copy Picture (Ctrl+C)"}));
}

TEST(PlotWindowTest, DrawsBothCurvesAtTheirLevelsInsideThePlotArea) {
    ViewsRig rig;
    // Half of 0 … 1250 and three quarters of 0 … 400.
    PlotWindow* plot = openPlot(rig, flatSamples(20, 625, 300));
    const PlotLayout& l = plot->drawing().layout;
    ASSERT_DOUBLE_EQ(l.y0, 473);
    ASSERT_DOUBLE_EQ(l.height, 400);
    const QImage image = render(*plot);
    const int left = static_cast<int>(l.x0) + 20;
    const int right = static_cast<int>(l.x0 + l.width) - 20;
    const int blueRow = 473 - 200;
    const int blackRow = 473 - 300;
    EXPECT_GT(pixelsOf(image, QRect(QPoint(left, blueRow), QPoint(right, blueRow)), Qt::blue),
              (right - left) * 9 / 10);
    EXPECT_GT(pixelsOf(image, QRect(QPoint(left, blackRow), QPoint(right, blackRow)), Qt::black),
              (right - left) * 9 / 10);
    // No curve strays above the plot area or into the scales.
    EXPECT_EQ(pixelsOf(image, QRect(0, 0, 700, 45), Qt::blue), 0);
    EXPECT_EQ(pixelsOf(image, QRect(0, 0, 700, 500), Qt::red), 0);
}

// Texts are placed by their top-left corner: a blue scale label's glyphs lie in the text box
// below that corner, not above it (as they would if the corner were taken for the baseline).
TEST(PlotWindowTest, ScaleLabelsAreDrawnBelowTheirTopLeftCorner) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(20, 625, 300));
    const PlotDrawing& d = plot->drawing();
    const QImage image = render(*plot);
    auto bluish = [&image](QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.blue() > 180 && c.red() < 160 && c.green() < 160) ++count;
            }
        return count;
    };
    std::vector<PlotText> labels;
    for (const PlotText& t : d.scaleTexts)
        if (t.colour == plot_colours::kBlue && t.topLeft.x < d.layout.x0 && t.text != "cd")
            labels.push_back(t);
    ASSERT_GE(labels.size(), 3u);
    const PlotText& middle = labels[labels.size() / 2];
    const int x = static_cast<int>(middle.topLeft.x);
    const int y = static_cast<int>(middle.topLeft.y);
    const int th = static_cast<int>(d.layout.labelHeight);
    EXPECT_GT(bluish(QRect(x, y, 40, th)), 10) << middle.text;
    EXPECT_EQ(bluish(QRect(x, y - th, 40, th - 1)), 0) << middle.text;
}

TEST(PlotWindowTest, EqualRangeLimitsDrawWithoutFailing) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(5, 10, 10));
    rig.workspace.plot.first = {10, 10};
    rig.workspace.plot.second = {0, 0};
    resizeGraph(plot, 701, 500);
    for (const PlotPoint& p : plot->drawing().firstCurve) {
        EXPECT_TRUE(std::isfinite(p.y));
        EXPECT_DOUBLE_EQ(p.y, 473);
    }
    for (const PlotPoint& p : plot->drawing().secondCurve) EXPECT_DOUBLE_EQ(p.y, 73);
    EXPECT_EQ(plot->drawing().firstCurve.size(), 5u);
    render(*plot);
}

// The toolbar and the range panel lie over the drawing, which fills the window: neither
// overlaps the other, reaches out of the window or off the screen, or cuts a caption short.
TEST(PlotWindowTest, LaysOutTidilyWithItsRangePanel) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    const auto drawing = [](const QWidget& widget) { return widget.inherits("photara::PlotView"); };
    // The test sized the window itself after it was placed: back to the screen's corner.
    plot->move(plot->screen()->availableGeometry().topLeft());
    EXPECT_EQ(layoutFaults(*plot, drawing), std::vector<std::string>{});
    clickToolbar(plot, "Range");
    ASSERT_TRUE(plot->rangePanel()->isVisible());
    EXPECT_EQ(layoutFaults(*plot, drawing), std::vector<std::string>{});
}

TEST(PlotRangeTest, RangeShowsTheSettingsAndTogglesWithoutApplying) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    rig.workspace.plot.second = {10, 20};
    clickToolbar(plot, "Range");
    ASSERT_TRUE(plot->rangePanel()->isVisible());
    EXPECT_EQ(plot->findChild<QGroupBox*>("FrmLxFc")->title(), "Fl");
    EXPECT_EQ(plot->findChild<QGroupBox*>("Frmcd")->title(), "cd");
    EXPECT_EQ(box(plot, "TxtcdMn")->text(), "0");
    EXPECT_EQ(box(plot, "TxtcdMx")->text(), "1250");
    EXPECT_EQ(box(plot, "TxtMn")->text(), "10");
    EXPECT_EQ(box(plot, "TxtMx")->text(), "20");
    // Label step 1: Counts shows the plot width, rounded.
    EXPECT_EQ(box(plot, "TxtCounts")->text(),
              QString::number(std::nearbyint(plot->drawing().layout.width)));
    box(plot, "TxtcdMx")->setText("5");
    clickToolbar(plot, "Range");
    EXPECT_FALSE(plot->rangePanel()->isVisible());
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 1250);
    clickToolbar(plot, "Range");
    clickToolbar(plot, "Unit");
    EXPECT_FALSE(plot->rangePanel()->isVisible());
}

TEST(PlotRangeTest, OkAppliesTheRangesAndRedraws) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    clickToolbar(plot, "Range");
    box(plot, "TxtcdMn")->setText("100");
    box(plot, "TxtcdMx")->setText("900");
    box(plot, "TxtMn")->setText("10");
    box(plot, "TxtMx")->setText("20");
    box(plot, "TxtCounts")->setText("5");
    const double width = plot->drawing().layout.width;
    QTest::mouseClick(plot->findChild<QPushButton*>("CmdRangeOK"), Qt::LeftButton);
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_FALSE(plot->rangePanel()->isVisible());
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.minimum, 100);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 900);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.alternateSecond.minimum, 107.6);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.alternateSecond.maximum, 215.2);
    EXPECT_DOUBLE_EQ(plot->labelStep(), width / 5);
    // The redraw uses the new range: the top label of the cd scale reads 900.
    EXPECT_EQ(plot->drawing().scaleTexts[16].text, "900");
    // Opening the panel again shows Counts as typed.
    clickToolbar(plot, "Range");
    EXPECT_EQ(box(plot, "TxtCounts")->text(), "5");
}

TEST(PlotRangeTest, OutOfRangeLimitIsRefusedAndChangesNothing) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    const PlotSettings before = rig.workspace.plot;
    clickToolbar(plot, "Range");
    box(plot, "TxtcdMx")->setText("1300");
    QTest::mouseClick(plot->findChild<QPushButton*>("CmdRangeOK"), Qt::LeftButton);
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, "0 <= cd <= 1250, try again!");
    EXPECT_EQ(rig.prompts.messages()[0].icon, Prompts::Icon::Critical);
    EXPECT_TRUE(rig.prompts.messages()[0].title.isEmpty());
    EXPECT_TRUE(plot->rangePanel()->isVisible());
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, before.first.maximum);
    box(plot, "TxtcdMx")->setText("1250");
    QTest::mouseClick(plot->findChild<QPushButton*>("CmdRangeOK"), Qt::LeftButton);
    EXPECT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_FALSE(plot->rangePanel()->isVisible());
}

// A key typed into a box of the range panel: whether the box takes it, and whether it
// applies the panel (every box holds a valid value, so applying closes the panel).
struct KeyCase {
    const char* box;
    Qt::Key key;
    QString text;
    bool inserted;
    bool applies;
};

class RangeKeyFilterTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(RangeKeyFilterTest, TakesNumberKeysAndAppliesOnAnyOther) {
    const KeyCase& c = GetParam();
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    clickToolbar(plot, "Range");
    QLineEdit* target = box(plot, c.box);
    target->setText("12");
    target->setCursorPosition(2);
    QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
    QCoreApplication::sendEvent(target, &press);
    const QString expected = c.key == Qt::Key_Backspace ? "1" : c.inserted ? "12" + c.text : "12";
    EXPECT_EQ(target->text(), expected);
    EXPECT_EQ(plot->rangePanel()->isVisible(), !c.applies);
    EXPECT_TRUE(rig.prompts.messages().empty());
    if (c.applies && std::string(c.box) == "TxtcdMx") {
        EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, 12);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, RangeKeyFilterTest,
                         ::testing::Values(KeyCase{"TxtcdMn", Qt::Key_7, "7", true, false},
                                           KeyCase{"TxtMx", Qt::Key_Period, ".", true, false},
                                           KeyCase{"TxtMn", Qt::Key_Backspace, "\b", false, false},
                                           KeyCase{"TxtCounts", Qt::Key_0, "0", true, false},
                                           KeyCase{"TxtCounts", Qt::Key_Period, ".", false, true},
                                           KeyCase{"TxtcdMx", Qt::Key_A, "a", false, true},
                                           KeyCase{"TxtcdMn", Qt::Key_Minus, "-", false, true},
                                           KeyCase{"TxtcdMn", Qt::Key_Escape, "\x1b", false, true},
                                           KeyCase{"TxtMx", Qt::Key_Return, "\r", false, true},
                                           KeyCase{"TxtMn", Qt::Key_Space, " ", false, true},
                                           KeyCase{"TxtMn", Qt::Key_Left, "", false, false},
                                           KeyCase{"TxtMn", Qt::Key_Delete, "\x7f", false, false}));

TEST(PlotRangeTest, LetterInAnOutOfRangeBoxShowsTheMessageAtOnce) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
    clickToolbar(plot, "Range");
    QLineEdit* maximum = box(plot, "TxtcdMx");
    maximum->setText("1300");
    maximum->setCursorPosition(4);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(maximum, &press);
    EXPECT_EQ(maximum->text(), "1300");
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, "0 <= cd <= 1250, try again!");
    EXPECT_TRUE(plot->rangePanel()->isVisible());
}

TEST(PlotRangeTest, CountsZeroOrEmptyKeepsTheLabelStep) {
    for (const QString& counts : {QString("0"), QString(), QString("00")}) {
        ViewsRig rig;
        PlotWindow* plot = openPlot(rig, flatSamples(10, 100, 100));
        clickToolbar(plot, "Range");
        box(plot, "TxtCounts")->setText(counts);
        QTest::mouseClick(plot->findChild<QPushButton*>("CmdRangeOK"), Qt::LeftButton);
        EXPECT_DOUBLE_EQ(plot->labelStep(), 1);
        clickToolbar(plot, "Range");
        EXPECT_EQ(box(plot, "TxtCounts")->text(),
                  QString::number(std::nearbyint(plot->drawing().layout.width)));
    }
}

TEST(PlotPrintTest, PrintsTheGraphToPdfWithoutTheToolbar) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(50, 600, 250));
    const QString pdf = rig.path("plot.pdf");
    rig.prompts.answerPrintToPdf(pdf);
    clickToolbar(plot, "Range");
    bool toolbarShownWhilePrinting = true;
    bool rangeShownWhilePrinting = true;
    rig.prompts.onPrintDialog([&] {
        toolbarShownWhilePrinting = plot->toolbar()->isVisible();
        rangeShownWhilePrinting = plot->rangePanel()->isVisible();
    });
    clickToolbar(plot, "Print");
    const std::string bytes = readBytes(pdf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_TRUE(plot->toolbar()->isVisible());
    EXPECT_FALSE(plot->rangePanel()->isVisible());
    EXPECT_EQ(rig.prompts.printDialogs(), 1);
    EXPECT_FALSE(toolbarShownWhilePrinting);
    EXPECT_FALSE(rangeShownWhilePrinting);
}

TEST(PlotPrintTest, CancelPrintsNothingAndRestoresTheToolbar) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(5, 600, 250));
    rig.prompts.answerPrintCancel();
    clickToolbar(plot, "Print");
    EXPECT_EQ(rig.prompts.printDialogs(), 1);
    EXPECT_TRUE(plot->toolbar()->isVisible());
    EXPECT_TRUE(QDir(rig.dir.path()).isEmpty());
}

TEST(PlotPrintTest, CtrlPPrints) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(5, 600, 250));
    plot->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot));
    rig.prompts.answerPrintToPdf(rig.path("keys.pdf"));
    QTest::keyClick(plot, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(rig.prompts.printDialogs(), 1);
    EXPECT_EQ(readBytes(rig.path("keys.pdf")).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace photara::test

namespace photara::test {
namespace {

// The scale texts that read as numbers or titles of the second scale, left to right.
std::vector<std::string> scaleTexts(const PlotWindow* plot) {
    std::vector<std::string> texts;
    for (const PlotText& text : plot->drawing().scaleTexts) texts.push_back(text.text);
    return texts;
}

// The second curve is the same readings in fL: with Unit showing cd/m², each reading is drawn
// once, on the cd scale, and counted once in the statistics.
TEST(PlotUnitTest, UnitShowsTheLuminanceOnceInCdPerSquareMetreAndBack) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 625, 200));
    const std::vector<std::string> both = scaleTexts(plot);
    const auto has = [](const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    ASSERT_TRUE(has(both, "Fl"));
    ASSERT_TRUE(has(both, "400"));  // the top of the Fl scale
    ASSERT_FALSE(plot->drawing().secondCurve.empty());
    clickToolbar(plot, "Unit");
    const std::vector<std::string> cd = scaleTexts(plot);
    EXPECT_FALSE(has(cd, "Fl"));
    EXPECT_FALSE(has(cd, "400"));
    EXPECT_TRUE(has(cd, "1250")) << "the cd scale stays";
    EXPECT_TRUE(has(cd, "cd"));
    EXPECT_TRUE(plot->drawing().secondCurve.empty());
    EXPECT_FALSE(plot->drawing().firstCurve.empty());
    const QString strip =
        plot->plotView()->findChild<QLabel*>(QStringLiteral("statisticsStrip"))->text();
    EXPECT_FALSE(strip.contains(QStringLiteral("Fl"))) << strip.toStdString();
    EXPECT_DOUBLE_EQ(rig.workspace.plot.second.maximum, 400) << "ranges stay as they were";
    clickToolbar(plot, "Unit");
    EXPECT_EQ(scaleTexts(plot), both);
}

TEST(PlotSizeTest, AtItsMinimumSizeTheFirstAndLastTimeLabelsStayApart) {
    ViewsRig rig;
    PlotWindow* plot = openPlot(rig, flatSamples(10, 625, 200));
    plot->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(plot->size(), plot->minimumSize());
    const std::vector<PlotText>& labels = plot->drawing().timeLabels;
    ASSERT_GE(labels.size(), 2u);
    EXPECT_GT(labels.back().topLeft.x - labels.front().topLeft.x,
              plot->drawing().layout.labelWidth);
}

}  // namespace
}  // namespace photara::test
