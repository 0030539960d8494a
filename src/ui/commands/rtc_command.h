#pragma once

#include <functional>

namespace photara {

struct AppContext;
class SetupWindow;

// Shows the clock window modally; the real one calls exec(), tests drive the window and
// close it instead.
using ModalRunner = std::function<void(SetupWindow&)>;
void execModal(SetupWindow& window);

// Toolbar "RTC": opens the clock window with both panel timers paused; they run again
// however the window is closed.
void runRtcCommand(AppContext& context, const ModalRunner& run = execModal);

}  // namespace photara
