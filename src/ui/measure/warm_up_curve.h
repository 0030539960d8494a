#pragma once

#include <QRectF>

#include "core/procedure/measurement.h"

class QPainter;

namespace photara {

// A warm-up's readings as a curve in bounds: seconds from switch-on across, cd/m² up, with
// the moment it became stable marked. Nothing is drawn for fewer than two values.
void paintWarmUpCurve(QPainter& painter, const QRectF& bounds, const Capture& warmUp);

}  // namespace photara
