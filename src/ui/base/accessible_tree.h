#pragma once

class QWidget;

namespace photara {

// What a screen reader meets: plain containers (windows made of QWidget, the meter's face,
// the data list and plot) list only the children a user can see. Hidden design-only controls,
// controls parked outside their window (the meter program's legacy keys and result list),
// empty labels and the LCD's single cells stay out of the tree; the LCD reads as one piece
// (see LcdDisplay). Installed once, before the first window is shown.
void installAccessibleTree();

// Marks a widget as drawn detail of a whole that speaks for it (an LCD cell or legend): it
// stays out of the accessibility tree.
void keepOutOfAccessibleTree(QWidget& widget);

}  // namespace photara
