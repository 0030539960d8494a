#include "ui/panel/meter_face.h"

#include <QLinearGradient>
#include <QPainter>

#include "ui/panel/meter_look.h"
#include "ui/panel/twips.h"

namespace photara {

MeterFace::MeterFace(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MeterFace"));
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setFocusPolicy(Qt::ClickFocus);
}

QRect MeterFace::glassRect() {
    // Encloses every display element (left 240 .. 7335, top 720 .. 4815 twips) with a margin.
    return QRect(QPoint(10, 40), QPoint(495, 328));
}

void MeterFace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient casing(0, 0, 0, height());
    casing.setColorAt(0, look::kCasingTop);
    casing.setColorAt(1, look::kCasingBottom);
    p.fillRect(rect(), casing);

    const QRectF glass = glassRect();
    p.setPen(Qt::NoPen);
    p.setBrush(look::kBezel);
    p.drawRoundedRect(glass.adjusted(-5, -5, 5, 5), 9, 9);

    QLinearGradient lcd(0, glass.top(), 0, glass.bottom());
    lcd.setColorAt(0, look::kGlassTop);
    lcd.setColorAt(1, look::kGlassBottom);
    p.setBrush(lcd);
    p.drawRoundedRect(glass, 5, 5);

    // A faint shade along the top edge gives the glass some depth.
    QLinearGradient shade(0, glass.top(), 0, glass.top() + 10);
    shade.setColorAt(0, QColor(0, 0, 0, 50));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(glass.left(), glass.top(), glass.width(), 10), 5, 5);
}

}  // namespace photara
