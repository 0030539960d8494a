#include "ui/plotview/envelope_lines.h"

#include <algorithm>
#include <optional>

#include "core/series/series.h"

namespace photara {

std::optional<QLineF> clippedLine(const QLineF& line, const QRectF& rect) {
    // Liang–Barsky: the line as p1 + s·d, 0 ≤ s ≤ 1, narrowed by each of the four edges.
    const double dx = line.dx();
    const double dy = line.dy();
    double s0 = 0;
    double s1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - rect.left(), rect.right() - line.x1(),
                         line.y1() - rect.top(), rect.bottom() - line.y1()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double s = q[k] / p[k];
        if (p[k] < 0) {
            if (s > s1) return std::nullopt;
            s0 = std::max(s0, s);
        } else {
            if (s < s0) return std::nullopt;
            s1 = std::min(s1, s);
        }
    }
    if (s0 == 0 && s1 == 1) return line;
    return QLineF(line.pointAt(s0), line.pointAt(s1));
}

QVector<QLineF> envelopeLines(const Series& series, const ViewRange& view, const QRectF& area,
                              const std::function<double(double)>& y) {
    QVector<QLineF> lines;
    const int columns = static_cast<int>(area.width());
    if (columns < 1 || series.empty()) return lines;
    const double tSpan = view.t1 - view.t0;
    const ViewMapping mapping(view, area.left(), area.top(), area.width(), area.height());
    auto x = [&](double t) { return mapping.x(t); };
    auto add = [&](const QLineF& line) {
        if (const std::optional<QLineF> inside = clippedLine(line, area)) lines.append(*inside);
    };

    const auto env = series.envelope(view.t0, view.t0 + tSpan * columns / area.width(), columns);
    lines.reserve(columns * 2);
    std::optional<QPointF> previous;
    std::size_t previousIndex = 0;  // the reading previous stands for
    for (int c = 0; c < columns; ++c) {
        const EnvelopeColumn& col = env[static_cast<std::size_t>(c)];
        if (col.empty) continue;
        const double cx = area.left() + c + 0.5;
        const QPointF first(cx, y(series.value(col.first)));
        if (previous && !col.gapBefore) add(QLineF(*previous, first));
        if (!previous && !col.gapBefore && col.first > 0) {
            // The line comes in from a reading left of the view.
            const std::size_t i = col.first - 1;
            add(QLineF(QPointF(x(series.time(i)), y(series.value(i))), first));
        }
        add(QLineF(QPointF(cx, y(col.min)), QPointF(cx, y(col.max) - 0.01)));
        previous = QPointF(cx, y(series.value(col.last)));
        previousIndex = col.last;
    }
    // And goes on to the reading right of the view. The columns may end short of view.t1 (a
    // width that is no whole number of pixels): a gap among the readings after the last
    // column still cuts the line.
    const std::size_t after = series.lowerBound(view.t1);
    if (after < series.size() && after > 0 && !series.gapBetween(after - 1, after)) {
        const QPointF next(x(series.time(after)), y(series.value(after)));
        if (previous) {
            if (!series.gapBetween(previousIndex, after)) add(QLineF(*previous, next));
        } else {
            // No reading in view at all: the line between the two readings either side of it.
            const std::size_t i = after - 1;
            add(QLineF(QPointF(x(series.time(i)), y(series.value(i))), next));
        }
    }
    return lines;
}

}  // namespace photara
