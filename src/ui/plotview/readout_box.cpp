#include "ui/plotview/readout_box.h"

namespace photara {
namespace {

constexpr double kGap = 6;  // between the cursor line and the box, and below the area's top

}  // namespace

QRectF readoutBox(QSizeF size, double x, const QRectF& area) {
    QRectF box(QPointF(x + kGap, area.top() + kGap), size);
    if (box.right() > area.right()) box.moveRight(x - kGap);
    if (box.left() < area.left()) box.moveLeft(area.left());
    return box;
}

}  // namespace photara
