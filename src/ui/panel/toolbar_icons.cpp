#include "ui/panel/toolbar_icons.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace photara {
namespace {

const QColor kStroke{0x2b, 0x33, 0x3b};
const QColor kAccent{0x2f, 0x7d, 0xc9};
const QColor kWarm{0xd8, 0x4a, 0x3a};

}  // namespace

// Each drawing works in a 24 x 24 box; its paper is the painter's background colour.
void drawSaveIcon(QPainter& p) {
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(p.background());
    p.drawRect(QRectF(7, 3, 10, 6));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void drawOpenIcon(QPainter& p) {
    p.setBrush(QColor(0xf0, 0xc0, 0x50));
    QPainterPath folder;
    folder.moveTo(2, 6);
    folder.lineTo(9, 6);
    folder.lineTo(11, 8);
    folder.lineTo(22, 8);
    folder.lineTo(22, 20);
    folder.lineTo(2, 20);
    folder.closeSubpath();
    p.drawPath(folder);
    p.drawLine(QPointF(2, 11), QPointF(22, 11));
}

void drawStopwatchIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawEllipse(QRectF(4, 5, 16, 16));
    p.drawLine(QPointF(12, 5), QPointF(12, 2));
    p.drawLine(QPointF(9, 2), QPointF(15, 2));
    p.setPen(QPen(kWarm, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 13), QPointF(16, 9));
}

void drawListIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawRect(QRectF(3, 3, 18, 18));
    for (int row = 0; row < 4; ++row) {
        const double y = 7 + row * 4;
        p.drawLine(QPointF(6, y), QPointF(8, y));
        p.drawLine(QPointF(10, y), QPointF(18, y));
    }
}

void drawGraphIcon(QPainter& p) {
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF curve[] = {{4, 17}, {8, 11}, {12, 14}, {16, 6}, {21, 9}};
    p.drawPolyline(curve, 5);
}

void drawClockIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
}

// The recording period: a span between two ticks on a time line (the red dot is Record's).
void drawPeriodIcon(QPainter& p) {
    p.drawLine(QPointF(3, 16), QPointF(21, 16));
    p.drawLine(QPointF(6, 12), QPointF(6, 20));
    p.drawLine(QPointF(18, 12), QPointF(18, 20));
    p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(7, 7), QPointF(17, 7));
    const QPointF left[] = {{9.5, 4.5}, {7, 7}, {9.5, 9.5}};
    const QPointF right[] = {{14.5, 4.5}, {17, 7}, {14.5, 9.5}};
    p.drawPolyline(left, 3);
    p.drawPolyline(right, 3);
}

void drawMemoryIcon(QPainter& p) {
    for (int pin = 0; pin < 4; ++pin) {
        const double x = 7 + pin * 3.3;
        p.drawLine(QPointF(x, 2), QPointF(x, 5));
        p.drawLine(QPointF(x, 19), QPointF(x, 22));
    }
    p.setBrush(QColor(0x3c, 0x8d, 0x5a));
    p.drawRoundedRect(QRectF(4, 5, 16, 14), 2, 2);
}

void drawEraseIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawRect(QRectF(6, 7, 12, 14));
    p.drawLine(QPointF(4, 7), QPointF(20, 7));
    p.drawRect(QRectF(10, 3, 4, 4));
    p.setPen(QPen(kWarm, 1.6));
    p.drawLine(QPointF(10, 10), QPointF(10, 18));
    p.drawLine(QPointF(14, 10), QPointF(14, 18));
}

// The live readings: a small trend line, and the red dot of the live recording it can make.
void drawLiveIcon(QPainter& p) {
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF points[] = {{4, 16}, {8, 12}, {11, 14}, {15, 7}, {18, 9}, {21, 5}};
    p.drawPolyline(points, 6);
    p.setBrush(kWarm);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(17, 17), 3, 3);
}

// A guided measurement: the meter's aim, a target's rings and cross.
void drawMeasureIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawEllipse(QRectF(4, 4, 16, 16));
    p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QRectF(9, 9, 6, 6));
    for (const auto& [a, b] : {std::pair{QPointF(12, 1), QPointF(12, 6)}, {QPointF(12, 18), QPointF(12, 23)},
                               {QPointF(1, 12), QPointF(6, 12)}, {QPointF(18, 12), QPointF(23, 12)}})
        p.drawLine(a, b);
}

// The kept reports: a page with a tick.
void drawResultsIcon(QPainter& p) {
    p.setBrush(p.background());
    p.drawRect(QRectF(5, 3, 14, 18));
    p.drawLine(QPointF(8, 7), QPointF(16, 7));
    p.drawLine(QPointF(8, 10), QPointF(16, 10));
    p.setPen(QPen(QColor(0x3c, 0x8d, 0x5a), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{8, 15}, {11, 18}, {17, 12}};
    p.drawPolyline(tick, 3);
}


QIcon drawnToolbarIcon(const ToolbarRow& row) {
    QIcon icon;
    if (!row.drawIcon) return icon;
    // Outlines in the toolbar's own text colour, so that they show on a dark toolbar too.
    const QColor text = QGuiApplication::palette().color(QPalette::ButtonText);
    const bool dark = text.lightness() > 128;
    const QColor stroke = dark ? text : kStroke;
    const QColor paper = dark ? QGuiApplication::palette().color(QPalette::Base) : Qt::white;
    for (int size : {24, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        p.setPen(QPen(stroke, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBackground(paper);
        row.drawIcon(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon toolbarIcon(const ToolbarRow& row) {
    if (row.themeIcon && QIcon::hasThemeIcon(QLatin1String(row.themeIcon)))
        return QIcon::fromTheme(QLatin1String(row.themeIcon));
    return drawnToolbarIcon(row);
}

}  // namespace photara
