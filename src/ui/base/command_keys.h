#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QToolBar;

namespace photara {

// Gives a command its key and names the key at the end of the tip's first line ("Open File to
// Read (Ctrl+O)"). The key is spelt out, never one of QKeySequence's standard keys: those come
// from the platform theme, and a theme may bind none (Ctrl+Q then quit nothing).
void giveCommandKey(QAction& action, const QKeySequence& key);

// Lets Tab and Shift+Tab reach each button of the toolbar (a toolbar's buttons take no focus
// of their own), so that every command is one Tab walk and a Space away.
void letTabReachButtons(QToolBar& toolbar);

}  // namespace photara
