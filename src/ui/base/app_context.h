#pragma once

class QWidget;

namespace photara {

class Clock;
class GuiMeterSession;
class Prompts;
class StatusLine;
struct Workspace;

// What the panel's commands and secondary windows share: the meter (link, display state,
// guards, and the pause of the panel's timers), the shared data and the injected dialogs and
// clock. Owned by the application; everything lives for the run.
struct AppContext {
    GuiMeterSession& meter;
    Workspace& workspace;
    Prompts& prompts;
    const Clock& clock;
    QWidget* panel = nullptr;      // the main window, for placing the other windows beside it
    StatusLine* status = nullptr;  // the panel's status line; none in some tests
};

}  // namespace photara
