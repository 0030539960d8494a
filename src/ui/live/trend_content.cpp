#include "ui/live/trend_content.h"

#include <QDateTime>
#include <QPainter>
#include <QVector>
#include <cmath>

#include "ui/plotview/axis_ticks.h"
#include "ui/plotview/envelope_lines.h"
#include "core/series/trend_series.h"

namespace photara {
namespace {

constexpr double kLeft = 70;
constexpr double kBottom = 24;
constexpr double kTop = 10;
constexpr double kRight = 14;

const QColor kTrace(20, 90, 200);
const QColor kGrid(225, 225, 225);
const QColor kChange(200, 110, 20);

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

const Series& TrendContent::series() const { return trend_->current(); }

QString TrendContent::unitText() const {
    return utf8(photara::unitSymbol(convertedUnit(trend_->currentQuantity().unit, unit_)));
}

double TrendContent::factor() const {
    return convertLuminance(1.0, trend_->currentQuantity().unit, unit_);
}

QString TrendContent::quantityText() const {
    const QString label = utf8(quantityLabel(trend_->currentQuantity()));
    const QString unit = unitText();
    return unit.isEmpty() ? label : QStringLiteral("%1 (%2)").arg(label, unit);
}

QString TrendContent::timeText(double t, double span) const {
    const QDateTime at =
        QDateTime::fromMSecsSinceEpoch(originMs_ + static_cast<std::int64_t>(std::llround(t * 1000)));
    if (span > 2 * 86400) return at.toString(QStringLiteral("dd.MM. HH:mm"));
    if (span < 10) return at.toString(QStringLiteral("HH:mm:ss.zzz"));
    return at.toString(QStringLiteral("HH:mm:ss"));
}

ViewRange TrendContent::fullRange() const {
    const Series& series = this->series();
    if (series.empty()) return {0, 60, 0, 1};
    const Statistics s = series.total().scaled(factor());
    double t0 = series.time(0);
    double t1 = series.time(series.size() - 1);
    if (t1 - t0 < 10) t1 = t0 + 10;  // the first readings spread over a useful span
    return {t0, t1, s.min, s.max};
}

std::optional<std::pair<double, double>> TrendContent::valueExtent(double t0, double t1) const {
    // The reading just outside each edge too: a line leaving the view stays in it.
    const Series& series = this->series();
    const std::size_t from = series.lowerBound(t0);
    const std::size_t to = series.lowerBound(t1);
    const Moments m = series.moments(from > 0 ? from - 1 : 0, std::min(to + 1, series.size()));
    if (m.count() == 0) return std::nullopt;
    const double f = factor();
    return std::make_pair(m.min() * f, m.max() * f);
}

QRectF TrendContent::plotArea(const QRectF& rect) const {
    return rect.adjusted(kLeft, kTop, -kRight, -kBottom);
}

void TrendContent::paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const {
    const QRectF area = plotArea(rect);
    if (area.width() < 2 || area.height() < 2) return;
    painter.fillRect(rect, Qt::white);
    const double tSpan = view.t1 - view.t0;
    const double vSpan = view.v1 - view.v0;
    auto x = [&](double t) { return area.left() + (t - view.t0) / tSpan * area.width(); };
    auto y = [&](double v) { return area.bottom() - (v - view.v0) / vSpan * area.height(); };

    // Grid and labels.
    const QFontMetricsF fm(painter.font());
    painter.setPen(kGrid);
    const auto vTicks = valueTicks(view.v0, view.v1, std::max(2, static_cast<int>(area.height() / 40)));
    const auto tTicks = timeTicks(view.t0, view.t1, std::max(2, static_cast<int>(area.width() / 110)),
                                  static_cast<double>(originMs_) / 1000.0);
    for (const double v : vTicks) painter.drawLine(QPointF(area.left(), y(v)), QPointF(area.right(), y(v)));
    for (const double t : tTicks) painter.drawLine(QPointF(x(t), area.top()), QPointF(x(t), area.bottom()));
    painter.setPen(Qt::black);
    painter.drawRect(area);
    for (const double v : vTicks) {
        const QString text = valueText(std::fabs(v) < vSpan * 1e-9 ? 0 : v);
        painter.drawText(QRectF(rect.left(), y(v) - fm.height() / 2, kLeft - 6, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
    for (const double t : tTicks) {
        const QString text = timeText(t, tSpan);
        const double w = fm.horizontalAdvance(text);
        painter.drawText(QPointF(x(t) - w / 2, area.bottom() + fm.ascent() + 4), text);
    }
    painter.save();
    painter.translate(rect.left() + fm.height() * 0.2, area.center().y());
    painter.rotate(-90);
    // The axis says what it shows: "luminance (cd/m²)", "Δ (fL)", "A/B".
    const QString axis = quantityText();
    painter.drawText(QPointF(-fm.horizontalAdvance(axis) / 2, fm.ascent()), axis);
    painter.restore();

    const double f = factor();
    const QVector<QLineF> lines = envelopeLines(series(), view, area, [&](double v) { return y(v * f); });
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(kTrace, 1));
    painter.drawLines(lines);
    paintChanges(painter, area, view);
    painter.restore();
}

// A dashed line at each mark: where the quantity changed, labelled with what comes from there
// on, or where the user marked a moment.
void TrendContent::paintChanges(QPainter& painter, const QRectF& area, const ViewRange& view) const {
    const QFontMetricsF fm(painter.font());
    painter.setPen(QPen(kChange, 1, Qt::DashLine));
    for (const QuantityChange& c : trend_->changes()) {
        if (c.t < view.t0 || c.t > view.t1) continue;
        const double cx = area.left() + (c.t - view.t0) / (view.t1 - view.t0) * area.width();
        painter.drawLine(QPointF(cx, area.top()), QPointF(cx, area.bottom()));
        painter.drawText(QPointF(cx + 3, area.top() + fm.ascent() + 2),
                         QString::fromStdString(markLabel(c)));
    }
}

QString TrendContent::cursorText(double t) const {
    const Series& series = this->series();
    if (series.empty()) return timeText(t, 60);
    std::size_t i = series.lowerBound(t);
    if (i == series.size() || (i > 0 && t - series.time(i - 1) < series.time(i) - t)) {
        i = i > 0 ? i - 1 : 0;
    }
    return QStringLiteral("%1   %2 %3")
        .arg(timeText(series.time(i), 1), valueText(series.value(i) * factor()), unitText());
}

QString TrendContent::statisticsText(const ViewRange& view) const {
    return QStringLiteral("Visible %1: ").arg(quantityText()) +
           statisticsLine(series().statistics(view.t0, view.t1).scaled(factor()), unitText());
}

}  // namespace photara
