#pragma once

#include <functional>

#include "core/link/meter_link.h"
#include "core/live/blink_step.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"

namespace photara {

// One tick of the poll: asks the meter for its display, decodes the answer into the display
// state and the panel's model, and, while SET is lit, asks which elements blink.
//
// A tick whose display request brings no answer changes nothing on the panel and never resets
// the display state, so the panel shows the last known display while the meter is away.
class PollTick {
  public:
    static constexpr const char* kProductTitle = "Photara";

    PollTick(MeterLink& link, DisplayState& state, DisplayModel& model);

    // Called by a tick whose display request brought no answer (the app closes the logger
    // window there).
    void setOnDisconnected(std::function<void()> handler) { onDisconnected_ = std::move(handler); }

    // The display request's outcome: a failed blink request only leaves the blinking alone.
    MeterOutcome<void> run();

  private:
    void blink();

    MeterLink& link_;
    DisplayState& state_;
    DisplayModel& model_;
    BlinkStep blink_;
    std::function<void()> onDisconnected_;
};

}  // namespace photara
