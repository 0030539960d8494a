#include "ui/panel/lcd_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/panel/meter_look.h"

namespace photara {
namespace {

// Artwork in a 32 x 32 box.
void drawClock(QPainter& p) {
    p.setPen(QPen(look::kInk, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.setPen(QPen(look::kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 8));
    p.drawLine(QPointF(16, 16), QPointF(22, 19));
}

void drawTriangle(QPainter& p, bool up, bool filled) {
    QPainterPath path;
    if (up) {
        path.moveTo(16, 5);
        path.lineTo(28, 26);
        path.lineTo(4, 26);
    } else {
        path.moveTo(4, 6);
        path.lineTo(28, 6);
        path.lineTo(16, 27);
    }
    path.closeSubpath();
    if (filled) {
        p.fillPath(path, look::kInk);
    } else {
        p.setPen(QPen(look::kInk, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

// The battery lies on its side with the terminal on the left; its five bars fill the body
// from the right, ImaS6 the rightmost.
void drawBatteryOutline(QPainter& p) {
    p.setPen(QPen(look::kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 9, 24, 14));
    p.fillRect(QRectF(2, 13, 4, 6), look::kInk);
}

void drawBatteryBar(QPainter& p, int bar) {  // bar 0 = ImaS2 (leftmost) .. 4 = ImaS6
    p.fillRect(QRectF(8.5 + bar * 4.2, 11.5, 3.2, 9), look::kInk);
}

}  // namespace

LcdIcon::LcdIcon(Element element, QWidget* parent) : QWidget(parent), element_(element) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LcdIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / 32.0, height() / 32.0);
    switch (element_) {
        case Element::ImaAPO:
            drawClock(p);
            break;
        case Element::ImgUp:
            drawTriangle(p, true, true);
            break;
        case Element::ImgDown:
            drawTriangle(p, false, true);
            break;
        case Element::ImaDelta:
            drawTriangle(p, true, false);
            break;
        case Element::ImaS1:
            drawBatteryOutline(p);
            break;
        case Element::ImaS2:
            drawBatteryBar(p, 0);
            break;
        case Element::ImaS3:
            drawBatteryBar(p, 1);
            break;
        case Element::ImaS4:
            drawBatteryBar(p, 2);
            break;
        case Element::ImaS5:
            drawBatteryBar(p, 3);
            break;
        case Element::ImaS6:
            drawBatteryBar(p, 4);
            break;
        default:
            break;
    }
}

}  // namespace photara
