#include "ui/base/command_keys.h"

#include <QAction>
#include <QToolBar>
#include <QWidget>

namespace photara {

void giveCommandKey(QAction& action, const QKeySequence& key) {
    action.setShortcut(key);
    const QString keyText = key.toString(QKeySequence::NativeText);
    QString tip = action.toolTip();
    const qsizetype lineEnd = tip.indexOf(QLatin1Char('\n'));
    tip.insert(lineEnd < 0 ? tip.size() : lineEnd, QStringLiteral(" (%1)").arg(keyText));
    action.setToolTip(tip);
}

void letTabReachButtons(QToolBar& toolbar) {
    for (QAction* action : toolbar.actions())
        if (QWidget* button = toolbar.widgetForAction(action)) button->setFocusPolicy(Qt::TabFocus);
}

}  // namespace photara
