#pragma once

#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace photara {

// "Recent files" on the button of the Open action: the arrow beside it opens a menu of the
// data files opened last (latest first, rebuilt each time it opens, "No recent files" when
// there are none, and "Clear Recent Files"); choosing one calls open with its path.
// Returns the menu, owned by the button.
QMenu* addRecentFilesMenu(QAction& openAction, std::function<void(const QString&)> open);

}  // namespace photara
