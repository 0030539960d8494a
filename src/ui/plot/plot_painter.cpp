#include "ui/plot/plot_painter.h"

#include <QFontInfo>
#include <QPainter>
#include <QPolygonF>
#include <vector>

#include "ui/base/latin1.h"
namespace photara {
namespace {

QColor qColour(PlotColour c) {
    return QColor(c.r, c.g, c.b);
}

QPointF qPoint(PlotPoint p) {
    return {p.x, p.y};
}

void paintLines(QPainter& painter, const std::vector<PlotLine>& lines) {
    for (const PlotLine& line : lines) {
        QPen pen(qColour(line.colour), line.width, line.dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(qPoint(line.from), qPoint(line.to));
    }
}

void paintTexts(QPainter& painter, const std::vector<PlotText>& texts) {
    const qreal ascent = painter.fontMetrics().ascent();
    for (const PlotText& text : texts) {
        painter.setPen(qColour(text.colour));
        painter.drawText(QPointF(text.topLeft.x, text.topLeft.y + ascent), latin1(text.text));
    }
}

void paintCurve(QPainter& painter, const std::vector<PlotPoint>& points, PlotColour colour) {
    if (points.empty()) return;
    if (points.size() == 1) {
        // A lone reading: a dot large enough to see.
        constexpr qreal kDotRadius = 3;
        painter.setPen(Qt::NoPen);
        painter.setBrush(qColour(colour));
        painter.drawEllipse(qPoint(points.front()), kDotRadius, kDotRadius);
        painter.setBrush(Qt::NoBrush);
        return;
    }
    // Separate segments, not one polyline: scaled up (a picture at twice the window's size,
    // a printer page) a polyline's line is stroked with joins as one huge path, hundreds of
    // times slower than rasterising each segment of the same width.
    std::vector<QLineF> segments;
    segments.reserve(points.size() - 1);
    for (std::size_t i = 1; i < points.size(); ++i)
        segments.emplace_back(qPoint(points[i - 1]), qPoint(points[i]));
    painter.setPen(QPen(qColour(colour), 1));
    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
}

}  // namespace

double FontTextMetrics::width(std::string_view text) const {
    return metrics_.horizontalAdvance(latin1(text));
}

double FontTextMetrics::height(std::string_view) const {
    return metrics_.height();
}

QFont plotFont(const QFont& widgetFont) {
    QFont font(widgetFont);
    font.setPixelSize(QFontInfo(widgetFont).pixelSize());
    return font;
}

void paintPlot(QPainter& painter, const PlotDrawing& drawing) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintLines(painter, drawing.frame);
    paintTexts(painter, drawing.scaleTexts);
    paintLines(painter, drawing.timeMarks);
    paintCurve(painter, drawing.firstCurve, plot_colours::kBlue);
    paintCurve(painter, drawing.secondCurve, plot_colours::kBlack);
    paintTexts(painter, drawing.timeLabels);
    painter.setPen(Qt::black);
}

}  // namespace photara
