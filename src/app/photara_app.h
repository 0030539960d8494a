#pragma once

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/status_line.h"
#include "ui/commands/logger_commands.h"
#include "ui/panel/toolbar_commands.h"
#include "core/common/local_time.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_views.h"
#include "core/link/meter_identity.h"
#include "ui/base/gui_meter_session.h"
#include "core/link/meter_link.h"
#include "ui/live/live_window.h"
#include "ui/logger/memory_window.h"
#include "app/measure_command.h"
#include "app/meter_wiring.h"
#include "ui/panel/panel.h"
#include "core/series/live_feed.h"

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
    GuiMeterSession& meter() { return session_; }
    AppContext& context() { return context_; }
    sim::VirtualMeter* virtualMeter() { return meter_.virtualMeter.get(); }
    sim::VirtualMeterBackend* virtualMeterBackend() { return meter_.virtualBackend; }
    DataViews& views() { return views_; }
    LoggerCommands& logger() { return logger_; }
    LiveWindow& liveWindow() { return live_; }
    LiveFeed& liveFeed() { return liveFeed_; }
    StatusLine& statusLine() { return statusLine_; }
    MeasureCommand& measure() { return measure_; }

  private:
    void wireCommands();
    void run(ToolbarCommand command);

    SystemClock clock_;
    MeterBackend meter_;
    GuiMeterSession session_;
    Workspace workspace_;
    QtPrompts prompts_;
    Panel panel_;
    StatusLine statusLine_;  // on the panel: what commands did, or why they did nothing
    AppContext context_;
    DataViews views_;        // toolbar Open, List, Graph
    LoggerCommands logger_;  // toolbar Intv, RTC, RecSetup, Memory, Erase
    LiveFeed liveFeed_;      // every reading of the poll: trend and recording
    LiveWindow live_;        // toolbar Live
    MeasureCommand measure_; // toolbar Measure, Results
};

}  // namespace photara
