#include "ui/measure/pattern_field.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace photara {
namespace {

// The patch levels, as 8-bit code values the display is sent. "grey50" is code 128: a 50 %
// signal is the middle of the 0–255 range, which is what a display's "50 % grey" means; through
// the display's own tone curve it gives roughly a fifth of white's luminance. The contrast
// deviation compares each cell's grey over white with the centre's, so what matters is that
// every cell gets the same code, not which fraction of white it makes.
std::optional<int> patchLevel(const std::string& id) {
    if (id == "white") return 255;
    if (id == "grey50") return 128;
    if (id == "black") return 0;
    return std::nullopt;
}

constexpr int kCheckerSide = 4;

// The checkerboard: 4 × 4 cells, white at the top left.
void paintChecker(QPainter& p, const QRectF& area) {
    p.fillRect(area, Qt::black);
    const double w = area.width() / kCheckerSide;
    const double h = area.height() / kCheckerSide;
    for (int row = 0; row < kCheckerSide; ++row)
        for (int col = 0; col < kCheckerSide; ++col)
            if ((row + col) % 2 == 0)
                p.fillRect(QRectF(area.left() + col * w, area.top() + row * h, w, h), Qt::white);
}

// Cells per side of an expanded grid (its points are the cells), 0 when they are no square.
int gridSide(const Recipe& recipe) {
    const auto n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(recipe.points.size()))));
    return n > 0 && static_cast<std::size_t>(n * n) == recipe.points.size() ? n : 0;
}

// The cells' borders, faint: a quarter of the way from the field's level towards its opposite,
// enough to see which cell is which from the meter, too little to light a cell's neighbour.
void paintGridLines(QPainter& p, const QRectF& area, int side, int level) {
    if (side < 2) return;
    const int line = level + (level >= 128 ? -1 : 1) * 64;
    p.setPen(QPen(QColor(line, line, line), 1));
    for (int i = 1; i < side; ++i) {
        const double x = area.left() + area.width() * i / side;
        const double y = area.top() + area.height() * i / side;
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

// Rings and a crosshair around where the meter goes. The middle stays the field's own level:
// the meter's spot sits there, and a drawn mark under it would be measured.
void paintTarget(QPainter& p, const QRectF& area, double x, double y) {
    const QPointF c(area.left() + x * area.width(), area.top() + y * area.height());
    const double spot = std::max(6.0, std::min(area.width(), area.height()) * 0.04);
    const double width = std::max(2.0, spot / 6);
    QPainterPath path;
    path.addEllipse(c, spot, spot);
    path.addEllipse(c, spot * 1.8, spot * 1.8);
    for (const QPointF d : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
        path.moveTo(c + d * spot);
        path.lineTo(c + d * spot * 2.6);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, width * 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(path);
    p.setPen(QPen(kPatternTargetColour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(path);
    p.restore();
}

// A patch Photara cannot draw: a dark neutral field with what the recipe says it shows.
void paintUnknown(QPainter& p, const QRectF& area, const Recipe& recipe, const std::string& id) {
    p.fillRect(area, QColor(64, 64, 64));
    const Patch* patch = recipe.patch(id);
    const QString text = patch && !patch->shows.empty()
                             ? QString::fromStdString(patch->shows)
                             : QStringLiteral("No field for \"%1\"").arg(QString::fromStdString(id));
    QFont font = p.font();
    font.setPixelSize(std::max(12, static_cast<int>(area.height() / 20)));
    p.setFont(font);
    p.setPen(QColor(230, 230, 230));
    p.drawText(area.adjusted(area.width() / 10, 0, -area.width() / 10, 0),
               Qt::AlignCenter | Qt::TextWordWrap, text);
}

}  // namespace

bool isDisplayProcedure(const Recipe& recipe) {
    return recipe.layout == "grid" || recipe.layout == "patches" || recipe.layout == "warm-up";
}

void paintPatternField(QPainter& painter, const QRect& rect, const Recipe& recipe, const Step& step) {
    const QRectF area(rect);
    const Point* point = recipe.point(step.point);
    painter.save();
    if (step.patch == "checker") {
        paintChecker(painter, area);
        if (point) paintTarget(painter, area, point->x, point->y);
    } else if (const auto level = patchLevel(step.patch)) {
        painter.fillRect(area, QColor(*level, *level, *level));
        if (recipe.grid) {
            paintGridLines(painter, area, gridSide(recipe), *level);
            if (point) paintTarget(painter, area, point->x, point->y);
        }
    } else {
        paintUnknown(painter, area, recipe, step.patch);
    }
    painter.restore();
}

}  // namespace photara
