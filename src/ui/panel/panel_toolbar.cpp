#include "ui/panel/panel_toolbar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QToolBar>

#include "ui/panel/toolbar_icons.h"

namespace photara {
namespace {

struct ToolbarButton {
    const char* key;
    const char* toolTip;  // the button's name
    const char* does;     // what it does, below the name in the tool tip
};

constexpr ToolbarButton kButtons[] = {
    {"Save", "Save As", "Save the current data to a data file (.pxd)"},
    {"Open", "Open File to Read", "Open a saved data file (.pxd) and plot it (Ctrl+O)"},
    {"Intv", "Sampling Rate", "Set how often the meter's logger takes a reading"},
    {"List", "List Display", "Show the current data as a table"},
    {"Graph", "Graphic Display", "Plot the current data"},
    {"RTC", "Real Time Clock", "Show the meter's clock beside the PC's; set it from the PC"},
    {"RecSetup", "Recording Setup", "Set the logger's recording period in seconds"},
    {"Memory", "Data Logger", "List the sets recorded in the meter and download one"},
    {"Erase", "Erase Data Logger", "Erase one recorded set, or all of them"},
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
        action->setToolTip(toolTip + QLatin1Char('\n') + QString::fromLatin1(button.does));
        action->setStatusTip(toolTip);
        // Nothing to save before a download or Open filled the data text.
        if (key == QLatin1String("Save")) action->setEnabled(false);
        if (key == QLatin1String("Open")) action->setShortcut(QKeySequence::Open);
        toolbar->addAction(action);
    }
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}

}  // namespace photara
