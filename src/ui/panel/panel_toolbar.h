#pragma once

#include <QString>

class QMainWindow;
class QToolBar;

namespace photara {

// Toolbar1 with its nine buttons, left to right: Save, Open, Intv, List, Graph, RTC,
// RecSetup, Memory, Erase. Each QAction's objectName is its key; its text and the first line
// of its tip are the command's name, then its key. Tab reaches each button. Nothing is
// connected here: the application wires the commands.
QToolBar* buildPanelToolbar(QMainWindow& window);

}  // namespace photara
