#include "support/layout_checks.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QScreen>
#include <QTextDocument>
#include <QWidget>

namespace photara::test {
namespace {

std::string nameOf(const QWidget& widget) {
    const QString name = widget.objectName();
    return (name.isEmpty() ? QString::fromLatin1(widget.metaObject()->className()) : name)
        .toStdString();
}

// Widgets whose insides Qt arranges (and may stack on purpose, e.g. a scroll area's corner).
bool laidOutByQt(const QWidget& widget) {
    return qobject_cast<const QAbstractScrollArea*>(&widget) ||
           widget.inherits("QComboBox") || widget.inherits("QAbstractSpinBox") ||
           widget.inherits("QToolBar") || widget.inherits("QStatusBar") ||
           widget.inherits("QAbstractButton") || widget.inherits("QDialogButtonBox");
}

// The room a label or a button leaves for its text, against the text's size in its font.
void checkText(const QWidget& widget, std::vector<std::string>& faults) {
    QString text;
    QRect room;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())))
            return;
        text = label->text();
        room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                              -label->margin());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        text = button->text();
        room = button->rect();
        if (!button->icon().isNull()) room.setLeft(room.left() + button->iconSize().width());
    } else {
        return;
    }
    text.remove(QLatin1Char('&'));
    if (text.isEmpty()) return;
    const QSize needed = widget.fontMetrics().size(Qt::TextSingleLine, text);
    if (needed.width() > room.width() || needed.height() > room.height())
        faults.push_back(nameOf(widget) + ": \"" + text.toStdString() + "\" needs " +
                         std::to_string(needed.width()) + "x" + std::to_string(needed.height()) +
                         " but has " + std::to_string(room.width()) + "x" +
                         std::to_string(room.height()));
}

void checkChildren(const QWidget& parent, const std::function<bool(const QWidget&)>& skip,
                   std::vector<std::string>& faults) {
    std::vector<const QWidget*> shown;
    for (const QObject* object : parent.children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || child->isWindow() || !child->isVisibleTo(&parent) || (skip && skip(*child)))
            continue;
        shown.push_back(child);
        if (!parent.rect().contains(child->geometry()))
            faults.push_back(nameOf(*child) + " reaches out of " + nameOf(parent));
        checkText(*child, faults);
        if (!laidOutByQt(*child)) checkChildren(*child, skip, faults);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                faults.push_back(nameOf(*shown[i]) + " overlaps " + nameOf(*shown[j]));
}

}  // namespace

std::vector<std::string> layoutFaults(const QWidget& window,
                                      const std::function<bool(const QWidget&)>& skip) {
    std::vector<std::string> faults;
    if (const QScreen* screen = window.screen();
        screen && window.isVisible() && !screen->availableGeometry().contains(window.frameGeometry()))
        faults.push_back(nameOf(window) + " reaches off the screen");
    checkChildren(window, skip, faults);
    return faults;
}

}  // namespace photara::test
