#include "ui/results/history_chart.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/measure/procedure_diagram.h"

namespace photara {

namespace {

// Seconds since the epoch of an ISO 8601 time; none when it does not read.
std::optional<double> secondsOf(const std::string& iso) {
    const QDateTime t = QDateTime::fromString(QString::fromStdString(iso), Qt::ISODateWithMs);
    const QDateTime plain = t.isValid() ? t : QDateTime::fromString(QString::fromStdString(iso), Qt::ISODate);
    if (!plain.isValid()) return std::nullopt;
    return static_cast<double>(plain.toSecsSinceEpoch());
}

QColor bandColour(Verdict v) {
    QColor c = verdictColour(v);
    c.setAlpha(v == Verdict::Pass ? 70 : 60);
    return c;
}

}  // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(280, 180);
    setAccessibleName(QStringLiteral("Values over time"));
}

void HistoryChart::setHistory(std::vector<HistoryEntry> entries, std::vector<HistoryBand> bands) {
    entries_ = std::move(entries);
    bands_ = std::move(bands);
    update();
}

void HistoryChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetricsF m(font());
    painter.setPen(palette().text().color());
    if (entries_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No values of this point in the kept reports."));
        return;
    }
    // The value range: the values and the bands' finite ends, with a margin.
    double lo = INFINITY, hi = -INFINITY;
    for (const auto& e : entries_)
        if (e.value) lo = std::min(lo, *e.value), hi = std::max(hi, *e.value);
    for (const auto& b : bands_) {
        for (const auto& end : {b.limits.min, b.limits.max})
            if (end) lo = std::min(lo, *end), hi = std::max(hi, *end);
    }
    if (!std::isfinite(lo)) lo = 0, hi = 1;
    if (hi - lo < 1e-9) lo -= 1, hi += 1;
    const double margin = (hi - lo) * 0.08;
    lo = std::max(0.0, lo - margin);
    hi += margin;

    const double left = m.horizontalAdvance(QString::number(hi, 'f', 1)) + 10;
    const QRectF plot = QRectF(rect()).adjusted(left, m.height(), -m.height(), -2 * m.height() - 4);
    if (plot.width() <= 10 || plot.height() <= 10) return;
    auto yOf = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };

    for (const auto& b : bands_) {
        const double top = b.limits.max ? yOf(*b.limits.max) : plot.top();
        const double bottom = b.limits.min ? yOf(*b.limits.min) : plot.bottom();
        painter.fillRect(QRectF(plot.left(), top, plot.width(), bottom - top).intersected(plot), bandColour(b.verdict));
    }
    painter.setPen(palette().mid().color());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // Dates across: by time when every date reads, else evenly in order.
    std::vector<std::optional<double>> times;
    for (const auto& e : entries_) times.push_back(secondsOf(e.finished));
    const bool timed = std::all_of(times.begin(), times.end(), [](const auto& t) { return t.has_value(); });
    const double t0 = timed ? *times.front() : 0, t1 = timed ? *times.back() : 0;
    auto xOf = [&](std::size_t i) {
        const double inner = plot.width() - 24;
        if (entries_.size() == 1) return plot.center().x();
        const double share = timed && t1 > t0 ? (*times[i] - t0) / (t1 - t0)
                                              : static_cast<double>(i) / static_cast<double>(entries_.size() - 1);
        return plot.left() + 12 + share * inner;
    };
    painter.setPen(palette().text().color());
    painter.drawText(QPointF(2, plot.top() + m.ascent()), QString::number(hi, 'f', 1));
    painter.drawText(QPointF(2, plot.bottom()), QString::number(lo, 'f', 1));
    painter.drawText(QPointF(2, plot.bottom() + m.height() * 2 + 2), QStringLiteral("cd/m²"));
    double lastLabelEnd = -1e9;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const QString date = QString::fromStdString(entries_[i].finished.substr(0, 10));
        const double w = m.horizontalAdvance(date);
        const double x = std::clamp(xOf(i) - w / 2, plot.left(), plot.right() - w);
        if (x < lastLabelEnd + 6) continue;  // dates that would overlap: the first one shown
        painter.drawText(QPointF(x, plot.bottom() + m.ascent() + 3), date);
        lastLabelEnd = x + w;
    }
    const double r = std::max(4.0, m.height() * 0.35);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const HistoryEntry& e = entries_[i];
        // OL or below range: a ring at the top or the bottom edge.
        const bool over = !e.value && e.valueText == "OL";
        const double y = e.value ? yOf(*e.value) : over ? plot.top() + r : plot.bottom() - r;
        painter.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
        painter.setBrush(e.value ? QBrush(verdictColour(e.verdict)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(QPointF(xOf(i), y), r, r);
    }
}

}  // namespace photara
