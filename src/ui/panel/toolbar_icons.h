#pragma once

#include <QIcon>
#include <QString>

namespace photara {

// The icon of a toolbar key: the desktop theme's icon where there is one, else a drawing.
QIcon toolbarIcon(const QString& key);

// The drawn icon alone (used where the theme has none).
QIcon drawnToolbarIcon(const QString& key);

}  // namespace photara
