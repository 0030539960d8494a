#include "ui/measure/procedure_diagram.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace photara {

namespace {

// Displays and screens are drawn 16:9, a sign 2:1, a checkerboard or a grid on a display.
double aspectOf(const Recipe& recipe) { return recipe.layout == "sign" ? 2.0 : 16.0 / 9.0; }

bool drawn(const Point& p, const DiagramMarks& marks) { return marks.moments || p.capture == PointCapture::Spot; }

double markRadius(const QRectF& frame, const Recipe& recipe) {
    const std::size_t n = recipe.points.size();
    const double scale = std::min(frame.width(), frame.height());
    return std::clamp(scale * (n > 40 ? 0.022 : n > 12 ? 0.032 : 0.045), 4.0, 22.0);
}

QPointF placeOf(const QRectF& frame, const Point& p) {
    return {frame.left() + p.x * frame.width(), frame.top() + p.y * frame.height()};
}

// The cells of a grid recipe, from its points' ids r<row>c<col>.
int gridCells(const Recipe& recipe) {
    int cells = 0;
    for (const Point& p : recipe.points) {
        int row = 0, col = 0;
        if (std::sscanf(p.id.c_str(), "r%dc%d", &row, &col) == 2) cells = std::max({cells, row, col});
    }
    return cells;
}

void paintFrame(QPainter& painter, const QRectF& frame, const Recipe& recipe) {
    const bool sign = recipe.layout == "sign";
    painter.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
    painter.setBrush(sign ? QColor(0xd8, 0xf0, 0xdc) : QColor(0xfa, 0xfa, 0xfa));
    painter.drawRect(frame);
    const int cells = recipe.layout == "patches" || recipe.grid ? gridCells(recipe) : 0;
    if (cells < 2) return;
    const bool checker = recipe.layout == "patches";
    painter.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), 1));
    for (int row = 0; row < cells; ++row) {
        for (int col = 0; col < cells; ++col) {
            const QRectF cell(frame.left() + col * frame.width() / cells, frame.top() + row * frame.height() / cells,
                              frame.width() / cells, frame.height() / cells);
            // The checkerboard's white squares start at the top left.
            painter.setBrush(checker && (row + col) % 2 == 1 ? QBrush(QColor(0x55, 0x55, 0x55)) : QBrush(Qt::NoBrush));
            painter.drawRect(cell);
        }
    }
}

}  // namespace

QColor verdictColour(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return {0x4c, 0xaf, 0x50};
        case Verdict::PassWithNote: return {0xe0, 0xa8, 0x00};
        case Verdict::Fail: return {0xd3, 0x2f, 0x2f};
        case Verdict::NotJudged: return {0x9e, 0x9e, 0x9e};
    }
    return {0x9e, 0x9e, 0x9e};
}

QRectF diagramFrame(const QRectF& bounds, const Recipe& recipe) {
    // Room for the marks and their values beyond the frame's edges.
    const QRectF inner = bounds.adjusted(24, 24, -24, -24);
    if (inner.width() <= 0 || inner.height() <= 0) return {bounds.center(), QSizeF(0, 0)};
    const double aspect = aspectOf(recipe);
    QSizeF size(inner.width(), inner.width() / aspect);
    if (size.height() > inner.height()) size = QSizeF(inner.height() * aspect, inner.height());
    QRectF frame(QPointF(0, 0), size);
    frame.moveCenter(inner.center());
    return frame;
}

void paintProcedureDiagram(QPainter& painter, const QRectF& bounds, const Recipe& recipe, const DiagramMarks& marks) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = diagramFrame(bounds, recipe);
    paintFrame(painter, frame, recipe);
    const double r = markRadius(frame, recipe);
    // Values go under their points only where they fit between them; the table has them all.
    const int cells = gridCells(recipe);
    const double room = cells > 1 ? frame.width() / cells * 0.95 : bounds.width();
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(std::clamp(r * 0.9, 8.0, 16.0)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    // The current point last, so that its ring is on top where marks share a place.
    std::vector<const Point*> order;
    for (const Point& p : recipe.points)
        if (drawn(p, marks) && p.id != marks.current) order.push_back(&p);
    if (const Point* current = recipe.point(marks.current); current && drawn(*current, marks)) order.push_back(current);
    for (const Point* p : order) {
        const QPointF at = placeOf(frame, *p);
        const auto verdict = marks.verdicts.find(p->id);
        const auto value = marks.values.find(p->id);
        const bool taken = value != marks.values.end();
        QColor fill = Qt::white;
        if (verdict != marks.verdicts.end()) fill = verdictColour(verdict->second);
        else if (taken) fill = QColor(0xcf, 0xd8, 0xdc);
        painter.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
        painter.setBrush(fill);
        painter.drawEllipse(at, r, r);
        if (p->id == marks.current) {
            painter.setPen(QPen(QColor(0x15, 0x65, 0xc0), std::max(3.0, r * 0.3)));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, r * 1.6, r * 1.6);
        }
        if (!taken) continue;
        const QString text = QString::fromStdString(value->second);
        // Under the mark, or over it at the bottom edge.
        const double below = at.y() + r + metrics.ascent() + 1;
        const double y = below + metrics.descent() > bounds.bottom() ? at.y() - r - metrics.descent() - 1 : below;
        const double w = metrics.horizontalAdvance(text);
        if (w > room) continue;
        const double x = std::clamp(at.x() - w / 2, bounds.left(), std::max(bounds.left(), bounds.right() - w));
        painter.setPen(QColor(0x11, 0x11, 0x11));
        painter.drawText(QPointF(x, y), text);
    }
    painter.restore();
}

std::optional<std::string> diagramPointAt(const QRectF& bounds, const Recipe& recipe, const DiagramMarks& marks,
                                          QPointF pos) {
    const QRectF frame = diagramFrame(bounds, recipe);
    const double r = markRadius(frame, recipe) * 1.3;  // a little beyond the mark: a finger's slack
    std::optional<std::string> hit;
    double best = r * r;
    for (const Point& p : recipe.points) {
        if (!drawn(p, marks)) continue;
        const QPointF d = placeOf(frame, p) - pos;
        const double dist = d.x() * d.x() + d.y() * d.y();
        const bool preferred = p.id == marks.current && dist <= r * r;
        // At a shared place the last drawn, the one on top, answers.
        if (dist <= best || preferred) {
            best = preferred ? -1 : dist;
            hit = p.id;
        }
    }
    return hit;
}

}  // namespace photara
