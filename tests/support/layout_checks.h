#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace photara::test {

// What is wrong with how a window's widgets lie, as a user would see it: two visible siblings
// that overlap, a visible widget that reaches out of its parent (off the window, or off the
// screen for a window), a label or button whose text does not fit it. Compound widgets Qt
// lays out itself (tables, combo boxes, spin boxes, toolbars, the status line) are looked at
// as a whole, not inside. Empty when nothing is wrong; each fault names the widgets.
// Widgets for which skip says true are left out, with what they hold (e.g. a drawn picture
// made of widgets that overlap on purpose).
std::vector<std::string> layoutFaults(const QWidget& window,
                                      const std::function<bool(const QWidget&)>& skip = {});

}  // namespace photara::test
