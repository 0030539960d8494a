#pragma once

#include <optional>

#include "ui/base/timer_pause.h"
#include "core/link/hid_backend.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/guards.h"
#include "core/meter/poll_tick.h"

class QTimer;

namespace photara {

// The meter as the windows share it: the link, the display state and model the poll keeps,
// the poll, and the panel's two timers (Timer1 polls, Timer2 samples the recording status).
// Windows run the meter operations on link() inside a pause(), ask the guards here, and
// never hold a timer themselves.
class MeterSession {
  public:
    explicit MeterSession(HidBackend& backend, MeterId id = {});
    MeterSession(const MeterSession&) = delete;
    MeterSession& operator=(const MeterSession&) = delete;

    MeterLink& link() { return link_; }
    const DisplayState& display() const { return state_; }
    DisplayModel& model() { return model_; }

    // One poll tick; remembers whether the meter answered it.
    MeterOutcome<void> poll();
    // Whether the last poll brought the display (false before the first).
    bool lastPollAnswered() const { return lastPollAnswered_; }
    // Called by a poll that got no display (the program closes the logger window there).
    void setOnDisconnected(std::function<void()> handler);

    // The timers a pause stops; the panel owns them and outlives the session's users.
    void attachTimers(QTimer& poll, QTimer& status);

    enum class Pausing { PollOnly, PollAndStatus };
    // Stops the timers until the returned guard ends, then starts them again on every path.
    [[nodiscard]] TimerPause pause(Pausing which = Pausing::PollAndStatus);

    // The commands' guards over this meter (see meter/guards.h).
    std::optional<Refusal> refuseSettings() const;
    std::optional<Refusal> refuseMemory() const;
    std::optional<Refusal> refuseDownload() const;

    // Lights elements as a display report would, for tests of the guards' callers.
    DisplayState& stageDisplay() { return state_; }

  private:
    MeterLink link_;
    DisplayState state_;
    DisplayModel model_;
    PollTick poll_;
    QTimer* pollTimer_ = nullptr;
    QTimer* statusTimer_ = nullptr;
    bool lastPollAnswered_ = false;
};

}  // namespace photara
