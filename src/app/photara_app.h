#pragma once

#include "base/app_context.h"
#include "base/prompts.h"
#include "commands/logger_commands.h"
#include "common/local_time.h"
#include "common/workspace.h"
#include "datalist/data_views.h"
#include "link/meter_identity.h"
#include "link/meter_link.h"
#include "live/display_model.h"
#include "live/display_state.h"
#include "meter/poll_tick.h"
#include "logger/memory_window.h"
#include "meter_wiring.h"
#include "panel/panel.h"

namespace photara {

// The whole program, wired: the meter (USB or virtual) behind the link, the display state
// and model the poll fills, the panel showing them, and the shared data and seams the
// commands use. Everything lives as long as this object; destruction runs in reverse order.
class PhotaraApp {
  public:
    // With virtualMeter false the USB meter with the ids usbMeter is used: check
    // usbAvailable() first. The virtual meter always carries the built ids.
    explicit PhotaraApp(bool virtualMeter, MeterId usbMeter = {});
    PhotaraApp(const PhotaraApp&) = delete;
    PhotaraApp& operator=(const PhotaraApp&) = delete;

    // Shows the panel and runs its load steps, which start the poll.
    void start();

    Panel& panel() { return panel_; }
    MeterLink& link() { return link_; }
    AppContext& context() { return context_; }
    sim::VirtualMeter* virtualMeter() { return meter_.virtualMeter.get(); }
    DataViews& views() { return views_; }
    LoggerCommands& logger() { return logger_; }

  private:
    void wireCommands();

    SystemClock clock_;
    MeterBackend meter_;
    MeterLink link_;
    DisplayState state_;
    DisplayModel model_;
    PollTick pollTick_;
    Workspace workspace_;
    QtPrompts prompts_;
    Panel panel_;
    AppContext context_;
    DataViews views_;        // toolbar Open, List, Graph
    LoggerCommands logger_;  // toolbar Intv, RTC, RecSetup, Memory, Erase
};

}  // namespace photara
