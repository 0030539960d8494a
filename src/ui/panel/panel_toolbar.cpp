#include "ui/panel/panel_toolbar.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

#include "ui/base/command_keys.h"
#include "ui/panel/toolbar_icons.h"

namespace photara {
QToolBar* buildPanelToolbar(QMainWindow& window) {
    auto* toolbar = new QToolBar(&window);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setEnabled(false);  // the toolbar cannot be hidden
    for (const ToolbarRow& row : toolbarRows()) {
        const QString name = QString::fromLatin1(row.name);
        auto* action = new QAction(toolbarIcon(row), name, &window);
        action->setObjectName(QString::fromLatin1(row.key));
        action->setData(static_cast<int>(row.command));
        action->setToolTip(name + QLatin1Char('\n') + QString::fromLatin1(row.does));
        action->setStatusTip(name);
        giveCommandKey(*action, row.shortcut);
        // Nothing to save before a download or Open filled the data text.
        if (row.command == ToolbarCommand::Save) action->setEnabled(false);
        toolbar->addAction(action);
    }
    letTabReachButtons(*toolbar);
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}

}  // namespace photara
