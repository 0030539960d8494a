#pragma once

#include <QRectF>
#include <QSizeF>

namespace photara {

// Where the cursor's readout of `size` goes for a cursor line at x: right of the line near
// the top of the plot area, left of it where it would pass the area's right edge, and never
// out over the scale labels beside the area (against its left edge when neither side holds it).
QRectF readoutBox(QSizeF size, double x, const QRectF& area);

}  // namespace photara
