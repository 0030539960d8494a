#pragma once

class QTimer;
class QWidget;

namespace photara {

class Clock;
class DisplayState;
class MeterLink;
class Prompts;
struct Workspace;

// What the panel's commands and secondary windows share: the link to the meter, the display
// state the poll keeps (for the busy guards), the panel's two timers, the shared data and
// the injected dialogs and clock. Owned by the application; everything lives for the run.
struct AppContext {
    MeterLink& link;
    const DisplayState& display;
    QTimer& pollTimer;    // Timer1, 250 ms
    QTimer& statusTimer;  // Timer2, 1000 ms
    Workspace& workspace;
    Prompts& prompts;
    const Clock& clock;
    QWidget* panel = nullptr;  // the main window, for placing the other windows beside it
};

}  // namespace photara
