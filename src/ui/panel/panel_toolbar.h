#pragma once

#include <QString>

class QMainWindow;
class QToolBar;

namespace photara {

// Toolbar1 with a button for each row of toolbarRows(), in order. Each QAction's objectName
// is the row's key and its data the command; its text and the first line of its tip are the
// command's name, then its shortcut. Tab reaches each button. Nothing is connected here: the
// application wires the commands.
QToolBar* buildPanelToolbar(QMainWindow& window);

}  // namespace photara
