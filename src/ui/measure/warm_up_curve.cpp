#include "ui/measure/warm_up_curve.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/procedure/verdict.h"

namespace photara {

void paintWarmUpCurve(QPainter& painter, const QRectF& bounds, const Capture& c) {
    double t1 = 0, lo = INFINITY, hi = -INFINITY;
    int values = 0;
    for (const TimedValue& tv : c.readings) {
        t1 = std::max(t1, tv.t);
        if (!tv.value) continue;
        lo = std::min(lo, *tv.value);
        hi = std::max(hi, *tv.value);
        ++values;
    }
    if (values < 2 || t1 <= 0) return;
    if (!(hi > lo)) hi = lo + 1;  // a flat curve is drawn across the middle
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(std::clamp(static_cast<int>(bounds.height() / 14), 6, 11));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double left = metrics.horizontalAdvance(QString::fromStdString(formatNumber(hi))) + 6;
    const QRectF plot = bounds.adjusted(left, metrics.height(), -metrics.height(), -metrics.height() - 4);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
    painter.setBrush(QColor(0xfa, 0xfa, 0xfa));
    painter.drawRect(plot);
    auto at = [&](double t, double v) {
        return QPointF(plot.left() + t / t1 * plot.width(), plot.bottom() - (v - lo) / (hi - lo) * plot.height());
    };
    QPainterPath path;
    for (const TimedValue& tv : c.readings) {
        if (!tv.value) continue;
        if (path.elementCount() == 0) path.moveTo(at(tv.t, *tv.value));
        else path.lineTo(at(tv.t, *tv.value));
    }
    painter.setPen(QPen(QColor(0x15, 0x65, 0xc0), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::black);
    const double base = plot.bottom() + metrics.ascent() + 2;
    painter.drawText(QPointF(plot.left(), base), QStringLiteral("0 s"));
    const QString end = QString::fromStdString(formatNumber(t1)) + QStringLiteral(" s");
    painter.drawText(QPointF(plot.right() - metrics.horizontalAdvance(end), base), end);
    painter.drawText(QPointF(bounds.left(), plot.top() + metrics.ascent()), QString::fromStdString(formatNumber(hi)));
    painter.drawText(QPointF(bounds.left(), plot.bottom()), QString::fromStdString(formatNumber(lo)));
    if (c.timeToStable) {
        const double x = plot.left() + std::clamp(*c.timeToStable / t1, 0.0, 1.0) * plot.width();
        painter.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.drawText(QPointF(x + 3, plot.top() + metrics.ascent() + 2),
                         QStringLiteral("stable from %1 s").arg(QString::fromStdString(formatNumber(*c.timeToStable))));
    }
    painter.restore();
}

}  // namespace photara
