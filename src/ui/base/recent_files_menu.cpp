#include "ui/base/recent_files_menu.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolButton>

#include "ui/base/file_history.h"

namespace photara {
namespace {

void fill(QMenu& menu, const std::function<void(const QString&)>& open) {
    menu.clear();
    const QStringList files = file_history::recentFiles();
    int number = 0;
    for (const QString& file : files) {
        // "&1 name.pxd" with the whole path as the tip: names alone may repeat.
        QAction* action =
            menu.addAction(QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(file).fileName()));
        action->setToolTip(QDir::toNativeSeparators(file));
        action->setStatusTip(action->toolTip());
        QObject::connect(action, &QAction::triggered, &menu, [open, file] { open(file); });
    }
    if (files.isEmpty()) menu.addAction(QStringLiteral("No recent files"))->setEnabled(false);
    menu.addSeparator();
    QAction* clear = menu.addAction(QStringLiteral("Clear Recent Files"));
    clear->setObjectName(QStringLiteral("ClearRecentFiles"));
    clear->setEnabled(!files.isEmpty());
    QObject::connect(clear, &QAction::triggered, &menu, [] {
        for (const QString& file : file_history::recentFiles())
            file_history::removeRecentFile(file);
    });
}

}  // namespace

QMenu* addRecentFilesMenu(QAction& openAction, std::function<void(const QString&)> open) {
    for (QObject* object : openAction.associatedObjects()) {
        auto* button = qobject_cast<QToolButton*>(object);
        if (!button) continue;
        auto* menu = new QMenu(QStringLiteral("Recent Files"), button);
        menu->setObjectName(QStringLiteral("RecentFiles"));
        menu->setToolTipsVisible(true);
        QObject::connect(menu, &QMenu::aboutToShow, menu,
                         [menu, open = std::move(open)] { fill(*menu, open); });
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        return menu;
    }
    return nullptr;
}

}  // namespace photara
