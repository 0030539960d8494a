#include "ui/panel/panel_toolbar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QToolBar>

#include "ui/base/command_keys.h"
#include "ui/panel/toolbar_icons.h"

namespace photara {
namespace {

struct ToolbarButton {
    const char* key;
    const char* name;  // the command's one name: its tool tip, in the README and in messages
    const char* does;  // what it does, below the name in the tool tip
    QKeySequence shortcut;
};

const ToolbarButton kButtons[] = {
    {"Save", "Save As", "Save the current data to a data file (.pxd)", Qt::CTRL | Qt::Key_S},
    {"Open", "Open File to Read", "Open a saved data file (.pxd) and plot it",
     Qt::CTRL | Qt::Key_O},
    {"Intv", "Sampling Rate", "Set how often the meter's logger takes a reading",
     Qt::CTRL | Qt::Key_I},
    {"List", "List Display", "Show the current data as a table", Qt::CTRL | Qt::Key_T},
    {"Graph", "Graphic Display", "Plot the current data", Qt::CTRL | Qt::Key_G},
    {"RTC", "Real Time Clock", "Show the meter's clock beside the PC's; set it from the PC",
     Qt::CTRL | Qt::Key_K},
    {"RecSetup", "Recording Setup", "Set the logger's recording period in seconds",
     Qt::CTRL | Qt::SHIFT | Qt::Key_R},
    {"Memory", "Data Logger", "List the sets recorded in the meter and download one",
     Qt::CTRL | Qt::Key_M},
    {"Erase", "Erase Data Logger", "Erase one recorded set, or all of them",
     Qt::CTRL | Qt::SHIFT | Qt::Key_E},
    {"Measure", "Measure", "Measure a screen, display or sign against a published standard, point by point",
     Qt::CTRL | Qt::SHIFT | Qt::Key_M},
    {"Results", "Results", "The kept reports of guided measurements, by site and asset, and a point's history",
     Qt::CTRL | Qt::SHIFT | Qt::Key_H},
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
        const QString name = QString::fromLatin1(button.name);
        auto* action = new QAction(toolbarIcon(key), name, &window);
        action->setObjectName(key);
        action->setToolTip(name + QLatin1Char('\n') + QString::fromLatin1(button.does));
        action->setStatusTip(name);
        giveCommandKey(*action, button.shortcut);
        // Nothing to save before a download or Open filled the data text.
        if (key == QLatin1String("Save")) action->setEnabled(false);
        toolbar->addAction(action);
    }
    letTabReachButtons(*toolbar);
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}

}  // namespace photara
