#include "ui/logger/input_lock.h"

#include <QMainWindow>
#include <QToolBar>

namespace photara {

InputLock::InputLock(QWidget* panel) {
    auto* window = qobject_cast<QMainWindow*>(panel);
    if (!window) return;
    lock(window->centralWidget());
    for (QToolBar* toolbar : window->findChildren<QToolBar*>()) lock(toolbar);
}

InputLock::~InputLock() {
    for (const QPointer<QWidget>& widget : locked_) {
        if (widget) widget->setEnabled(true);
    }
}

void InputLock::lock(QWidget* widget) {
    if (!widget || !widget->isEnabled()) return;
    widget->setEnabled(false);
    locked_.emplace_back(widget);
}

}  // namespace photara
