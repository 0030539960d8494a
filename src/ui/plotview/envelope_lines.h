#pragma once

#include <QLineF>
#include <QRectF>
#include <QVector>
#include <functional>
#include <optional>

#include "ui/plotview/viewport.h"

namespace photara {

class Series;

// A series between view.t0 and view.t1 as the line segments that draw it in area: per pixel
// column a vertical stroke from its lowest to its highest reading, joined to the next column
// and to the readings just outside the view, unless the meter was away between them. y maps
// a value to its row. However many readings there are, a frame draws about two segments per
// column; segments are cut at area's edges, so a deep zoom never hands the painter
// coordinates far outside the widget.
QVector<QLineF> envelopeLines(const Series& series, const ViewRange& view, const QRectF& area,
                              const std::function<double(double)>& y);

// The part of line inside rect (edges included); nothing when it misses rect.
std::optional<QLineF> clippedLine(const QLineF& line, const QRectF& rect);

}  // namespace photara
