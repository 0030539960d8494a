#include "ui/base/accessible_tree.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace photara {
namespace {

constexpr char kOutOfTree[] = "photaraOutOfAccessibleTree";

// Whether a user can meet the child at all: shown, inside its parent, and saying something.
bool meetable(const QWidget& parent, const QWidget& child) {
    if (child.isWindow() || child.isHidden() || child.property(kOutOfTree).toBool()) return false;
    if (!QRect(QPoint(0, 0), parent.size()).intersects(child.geometry())) return false;
    if (const auto* label = qobject_cast<const QLabel*>(&child))
        if (label->text().isEmpty() && label->accessibleName().isEmpty() && !label->pixmap())
            return false;
    return true;
}

class ShownChildren final : public QAccessibleWidget {
  public:
    ShownChildren(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = children();
        if (index < 0 || index >= shown.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(shown[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

  private:
    QList<QWidget*> children() const {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children())
            if (auto* child = qobject_cast<QWidget*>(object); child && meetable(*widget(), *child))
                shown << child;
        return shown;
    }
};

QAccessibleInterface* plainContainers(const QString& className, QObject* object) {
    // Only containers that Qt lists with all their children, hidden ones too (a toolbar's
    // folded extension button, a status bar's idle labels); every other widget keeps its own
    // role and children.
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("QToolBar"))
        return new ShownChildren(widget, QAccessible::ToolBar);
    if (className == QLatin1String("QStatusBar"))
        return new ShownChildren(widget, QAccessible::StatusBar);
    if (className == QLatin1String("QWidget"))
        return new ShownChildren(widget, widget->isWindow() ? QAccessible::Window
                                                           : QAccessible::Client);
    return nullptr;
}

}  // namespace

void installAccessibleTree() {
    static const bool installed = [] {
        QAccessible::installFactory(plainContainers);
        return true;
    }();
    (void)installed;
}

void keepOutOfAccessibleTree(QWidget& widget) {
    widget.setProperty(kOutOfTree, true);
}

}  // namespace photara
