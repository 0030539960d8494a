// The set plot's two value scales with the font the desktop gives: however large, their
// labels keep clear of each other, of the plot and its ticks, and of the widget's edges.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QRectF>
#include <optional>
#include <string>

#include "core/plot/plot_setup.h"
#include "ui/plot/plot_painter.h"
#include "ui/plot/set_plot_content.h"

namespace photara::test {
namespace {

Samples rampSamples(std::size_t n) {
    Samples s;
    for (std::size_t i = 0; i < n; ++i) {
        s.timeTexts.push_back("2026/12/08 09:00:" + std::to_string(10 + i % 50));
        s.first.push_back(12345.6 * static_cast<double>(i) / static_cast<double>(n));
        s.second.push_back(3604.2 * static_cast<double>(i) / static_cast<double>(n));
    }
    s.firstMaximum = 12345.6;
    s.secondMaximum = 3604.2;
    return s;
}

struct FontCase {
    int points;
    std::optional<ViewRange> view;  // none: the full range
};

class ScaleLabels : public ::testing::TestWithParam<FontCase> {};

TEST_P(ScaleLabels, KeepClearOfEachOtherThePlotAndTheEdges) {
    const Samples samples = rampSamples(120);
    const PlotSettings settings = plotSettingsFor(samples);
    SetPlotContent content(samples, settings);
    QFont font = QApplication::font();
    font.setPointSize(GetParam().points);
    content.setFont(plotFont(font));
    const QFontMetricsF metrics(plotFont(font));

    const QSizeF size(700, 500);
    const ViewRange view = GetParam().view.value_or(content.fullRange());
    const PlotDrawing& d = content.drawing(size, view);
    const PlotLayout& l = d.layout;
    // The plot with the scale's ticks left of it.
    const QRectF plot(l.x0 - 10, l.y0 - l.height, l.width + 10, l.height);
    EXPECT_EQ(content.plotArea(QRectF(QPointF(0, 0), size)),
              QRectF(l.x0, l.y0 - l.height, l.width, l.height));

    QList<QRectF> blue, black;
    for (const PlotText& t : d.scaleTexts) {
        const QString text = QString::fromLatin1(t.text);
        const QRectF box(t.topLeft.x, t.topLeft.y, metrics.horizontalAdvance(text),
                         metrics.height());
        SCOPED_TRACE(t.text);
        EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(box));
        EXPECT_FALSE(box.intersects(plot));
        (t.colour == plot_colours::kBlue ? blue : black) << box;
    }
    ASSERT_EQ(blue.size(), 10);
    ASSERT_EQ(black.size(), 10);
    for (const QRectF& b : blue)
        for (const QRectF& k : black) EXPECT_FALSE(b.intersects(k)) << b.x() << " " << k.x();
}

INSTANTIATE_TEST_SUITE_P(FontSizes, ScaleLabels,
                         ::testing::Values(FontCase{8, std::nullopt}, FontCase{10, std::nullopt},
                                           FontCase{13, std::nullopt}, FontCase{16, std::nullopt},
                                           // Zoomed in: more decimals, so wider labels.
                                           FontCase{13, ViewRange{10, 30, 0.41, 0.4101}},
                                           FontCase{16, ViewRange{10, 30, 0.41, 0.4101}}));

}  // namespace
}  // namespace photara::test
