#include "ui/base/dialog_owner.h"

#include <QApplication>
#include <QEvent>

namespace photara {

DialogOwner::DialogOwner(QWidget* fallback) : fallback_(fallback) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

QWidget* DialogOwner::window() const {
    if (lastUsed_ && lastUsed_->isVisible()) return lastUsed_;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return fallback_;
}

bool DialogOwner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Shortcut:
            if (auto* widget = qobject_cast<QWidget*>(watched)) lastUsed_ = widget->window();
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

FocusReturn::FocusReturn() : focus_(QApplication::focusWidget()) {}

FocusReturn::~FocusReturn() {
    if (!focus_ || !focus_->isVisible()) return;
    focus_->window()->activateWindow();
    focus_->setFocus(Qt::OtherFocusReason);
}

}  // namespace photara
