#include "ui/measure/pattern_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "ui/measure/pattern_field.h"

namespace photara {

PatternWindow::PatternWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("patternWindow"));
    setWindowTitle(QStringLiteral("Photara — measured field"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMouseTracking(true);
    pointerStill_.setSingleShot(true);
    pointerStill_.setInterval(2000);
    connect(&pointerStill_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
}

void PatternWindow::showOn(QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!windowHandle()) create();
    windowHandle()->setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    pointerMoved();
}

void PatternWindow::showStep(const Recipe& recipe, const Step& step) {
    recipe_ = recipe;
    step_ = step;
    update();
}

void PatternWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!recipe_) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    paintPatternField(painter, rect(), *recipe_, step_);
}

void PatternWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            emit left();
            close();
            return;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit keyForGuide(event->key());
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PatternWindow::mouseMoveEvent(QMouseEvent* event) {
    pointerMoved();
    QWidget::mouseMoveEvent(event);
}

void PatternWindow::pointerMoved() {
    unsetCursor();
    pointerStill_.start();
}

void PatternWindow::closeEvent(QCloseEvent* event) {
    pointerStill_.stop();
    QWidget::closeEvent(event);
    // The user closed it from the desktop (the guide closing it is no news to the guide).
    if (event->spontaneous()) emit left();
}

}  // namespace photara
