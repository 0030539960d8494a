#include "ui/panel/lcd_cell.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "ui/panel/meter_look.h"
#include "ui/panel/segment_font.h"

namespace photara {
namespace {

// How thick a segment of a cell of this width is drawn.
qreal strokeFor(qreal cellWidth) {
    return std::max<qreal>(2.5, cellWidth * 0.17);
}

// A segment from one end to the other, pointed at both ends, thickness t.
QPolygonF bar(QPointF from, QPointF to, qreal t) {
    const qreal h = t / 2;
    const qreal gap = std::max<qreal>(0.6, t * 0.12);
    if (from.y() == to.y()) {  // horizontal
        const qreal x0 = from.x() + gap, x1 = to.x() - gap, y = from.y();
        return QPolygonF({{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h},
                          {x0 + h, y + h}});
    }
    const qreal y0 = from.y() + gap, y1 = to.y() - gap, x = from.x();
    return QPolygonF(
        {{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}});
}

void paintSegments(QPainter& p, const QRectF& box, std::uint8_t lit) {
    const qreal t = strokeFor(box.width());
    const qreal l = box.left() + t / 2, r = box.right() - t / 2;
    const qreal top = box.top() + t / 2, bottom = box.bottom() - t / 2;
    const qreal mid = (top + bottom) / 2;
    const QPolygonF segments[7] = {
        bar({l, top}, {r, top}, t),        bar({r, top}, {r, mid}, t),
        bar({r, mid}, {r, bottom}, t),     bar({l, bottom}, {r, bottom}, t),
        bar({l, mid}, {l, bottom}, t),     bar({l, top}, {l, mid}, t),
        bar({l, mid}, {r, mid}, t),
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush(lit & (1 << i) ? look::kInk : look::kUnlitInk);
        p.drawPolygon(segments[i]);
    }
}

void paintLettered(QPainter& p, const QRectF& box, const QString& text, QFont font) {
    font.setPixelSize(std::max(6, static_cast<int>(box.height() * 0.8)));
    p.setFont(font);
    p.setPen(look::kInk);
    p.drawText(box, Qt::AlignCenter, text);
}

void paintDot(QPainter& p, QPointF centre, qreal size) {
    p.drawRect(QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size));
}

}  // namespace

LcdCell::LcdCell(QWidget* parent) : QLabel(parent) {}

void LcdCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QString caption = text();
    const std::optional<std::uint8_t> lit =
        caption.size() <= 1 ? segmentsOf(caption.isEmpty() ? QChar(u' ') : caption.front())
                            : std::nullopt;
    paintSegments(p, box, lit.value_or(0));
    if (!lit) paintLettered(p, box, caption, font());
}

LcdMark::LcdMark(QWidget* parent) : QLabel(parent) {}

void LcdMark::paintEvent(QPaintEvent*) {
    const QString caption = text();
    if (caption.isEmpty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(look::kInk);
    const QRectF box(rect());
    // Dots as thick as a segment of the neighbouring cells.
    const qreal dot = std::min(box.width() * 0.6, strokeFor(box.height() * 0.6));
    const qreal x = box.center().x();
    if (caption == QLatin1String(".")) {
        paintDot(p, {x, box.bottom() - dot / 2}, dot);
    } else if (caption == QLatin1String(":")) {
        paintDot(p, {x, box.top() + box.height() * 0.3}, dot);
        paintDot(p, {x, box.top() + box.height() * 0.7}, dot);
    } else if (caption == QLatin1String("/")) {
        p.setPen(QPen(look::kInk, dot * 0.7, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(box.left() + 1, box.bottom() - 1), QPointF(box.right() - 1, box.top() + 1));
    } else {
        paintLettered(p, box, caption, font());
    }
}

}  // namespace photara
