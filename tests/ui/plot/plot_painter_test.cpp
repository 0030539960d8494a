#include "ui/plot/plot_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace photara {
namespace {

int pixelsNear(const QImage& image, PlotPoint at, QColor colour) {
    int count = 0;
    for (int y = static_cast<int>(at.y) - 5; y <= static_cast<int>(at.y) + 5; ++y)
        for (int x = static_cast<int>(at.x) - 5; x <= static_cast<int>(at.x) + 5; ++x)
            if (image.pixelColor(x, y) == colour) ++count;
    return count;
}

// A set of one reading: each curve is a single point, which must show as a dot.
TEST(PlotPainterTest, LoneReadingShowsAsADotOfItsCurvesColour) {
    PlotDrawing drawing;
    drawing.firstCurve = {{50, 40}};
    drawing.secondCurve = {{120, 60}};
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPlot(painter, drawing);
    painter.end();
    EXPECT_GE(pixelsNear(image, drawing.firstCurve[0], Qt::blue), 9);
    EXPECT_GE(pixelsNear(image, drawing.secondCurve[0], Qt::black), 9);
}

}  // namespace
}  // namespace photara
