#include "ui/panel/erase_list.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace photara {

EraseList::EraseList(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("ComboErase"));
    setAccessibleName(QStringLiteral("Erase list"));
    setEditable(false);
    setGeometry(4, 4, 230, 26);
    setMaxVisibleItems(12);
    hide();
}

void EraseList::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void EraseList::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

void EraseList::wheelEvent(QWheelEvent* event) {
    event->accept();
}

}  // namespace photara
