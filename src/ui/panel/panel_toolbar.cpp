#include "panel/panel_toolbar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QToolBar>

#include "panel/toolbar_icons.h"

namespace photara {
namespace {

struct ToolbarButton {
    const char* key;
    const char* toolTip;
};

constexpr ToolbarButton kButtons[] = {
    {"Save", "Save As"},
    {"Open", "Open File to Read"},
    {"Intv", "Sampling Rate"},
    {"List", "List Display"},
    {"Graph", "Graphic Display"},
    {"RTC", "Real Time Clock"},
    {"RecSetup", "Recording Setup"},
    {"Memory", "Data Logger"},
    {"Erase", "Erase Data Logger"},
};

}  // namespace

QToolBar* buildPanelToolbar(QMainWindow& window) {
    auto* toolbar = new QToolBar(&window);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setEnabled(false);  // the toolbar cannot be hidden
    for (const ToolbarButton& button : kButtons) {
        const QString key = QString::fromLatin1(button.key);
        const QString toolTip = QString::fromLatin1(button.toolTip);
        auto* action = new QAction(toolbarIcon(key), toolTip, &window);
        action->setObjectName(key);
        action->setToolTip(toolTip);
        action->setStatusTip(toolTip);
        if (key == QLatin1String("Open")) action->setShortcut(QKeySequence::Open);
        toolbar->addAction(action);
    }
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}

}  // namespace photara
