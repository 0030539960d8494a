#include "ui/live/live_window_button.h"

#include <QAction>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

#include "ui/base/window_placement.h"
#include "ui/live/live_window.h"

namespace photara {
namespace {

// A small trend line, drawn, so the button looks the same on every desktop.
QIcon trendIcon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(3, 3, 3, 21);
    p.drawLine(3, 21, 21, 21);
    p.setPen(QPen(QColor(20, 90, 200), 2));
    const QPointF points[] = {{4, 16}, {8, 12}, {11, 14}, {15, 7}, {18, 9}, {21, 5}};
    p.drawPolyline(points, 6);
    p.setBrush(QColor(200, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(17, 17), 3, 3);
    return QIcon(pixmap);
}

}  // namespace

void addLiveWindowButton(QMainWindow& panel, LiveWindow& live) {
    auto* toolbar = panel.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    if (!toolbar) return;
    const QString tip = QStringLiteral("Live Readings");
    auto* action = new QAction(trendIcon(), tip, &panel);
    action->setObjectName(QStringLiteral("Live"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    action->setToolTip(tip + QStringLiteral(" (Ctrl+L)"));
    action->setStatusTip(tip);
    toolbar->addSeparator();
    toolbar->addAction(action);
    QObject::connect(action, &QAction::triggered, &live, [&live, &panel] {
        // Beside the panel, as the other windows open, or where the user last left it.
        if (!live.isVisible()) setUpSecondaryWindow(live, &panel);
        live.show();
        live.raise();
        live.activateWindow();
    });
}

}  // namespace photara
