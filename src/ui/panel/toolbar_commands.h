#pragma once

#include <QKeyCombination>
#include <span>

class QPainter;

namespace photara {

// The panel toolbar's commands, left to right. Adding one takes an enum value, a row in
// kToolbarRows (toolbar_commands.cpp), a drawing (toolbar_icons) and a case in the
// application's dispatch; the toolbar, its tips and keys and the lookups all follow the row.
enum class ToolbarCommand { Save, Open, Intv, List, Graph, Rtc, RecSetup, Memory, Erase, Live, Measure, Results };

struct ToolbarRow {
    ToolbarCommand command;
    const char* key;   // the action's objectName
    const char* name;  // the command's one name: its text, its tip, the README and messages
    const char* does;  // what it does, below the name in the tool tip
    QKeyCombination shortcut;
    const char* themeIcon;          // a freedesktop icon name that fits, or nullptr
    void (*drawIcon)(QPainter& p);  // the drawn icon where the theme has none (24 x 24)
};

// Every row, in the toolbar's order.
std::span<const ToolbarRow> toolbarRows();
const ToolbarRow& toolbarRow(ToolbarCommand command);

}  // namespace photara
