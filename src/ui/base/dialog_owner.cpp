#include "ui/base/dialog_owner.h"

#include <QApplication>
#include <QEvent>

namespace photara {
namespace {
constexpr qsizetype kRemembered = 8;  // windows; a chain of dialogs is never deeper
}  // namespace

DialogOwner::DialogOwner(QWidget* fallback) : fallback_(fallback) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

QWidget* DialogOwner::window() const {
    for (auto it = used_.rbegin(); it != used_.rend(); ++it)
        if (*it && (*it)->isVisible()) return *it;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return fallback_;
}

bool DialogOwner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Shortcut:
            if (auto* widget = qobject_cast<QWidget*>(watched)) {
                QWidget* window = widget->window();
                if (!used_.isEmpty() && used_.back() == window) break;
                used_.removeAll(window);
                used_.removeAll(nullptr);
                used_.append(window);
                if (used_.size() > kRemembered) used_.removeFirst();
            }
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
