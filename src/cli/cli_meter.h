#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/fault_script.h"
#include "core/common/instance_lock.h"
#include "core/common/local_time.h"
#include "core/link/hid_backend.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/guards.h"
#include "core/meter/meter_session.h"

namespace photara::sim {
class VirtualMeter;
class VirtualMeterBackend;
}  // namespace photara::sim

namespace photara::cli {

// The meter a command works on: the lock that keeps other programs off it, the backend
// (USB or the virtual meter) and the meter session over it, whose operations a command waits
// for; the last poll's display for the guards.
class CliMeter {
  public:
    // Takes the lock (CliError kNoMeter naming its holder when another program has it) and
    // opens the backend (the virtual meter, or USB looking for common.meterId); does not talk
    // to the meter yet. virtualClock, when given, is the virtual meter's time and clock()'s
    // (a scene run with --fast); it must outlive the meter.
    explicit CliMeter(const Common& common, const Clock* virtualClock = nullptr);
    ~CliMeter();
    CliMeter(const CliMeter&) = delete;
    CliMeter& operator=(const CliMeter&) = delete;

    MeterSession& session() { return *session_; }
    const DisplayState& display() const { return last_.display; }
    const DisplayModel& model() const { return last_.model; }
    HidBackend& backend();
    const Clock& clock() const { return virtualClock_ ? *virtualClock_ : clock_; }
    // The virtual meter, null for a USB meter. Touch it only between exchanges:
    // session().between([&] { … }).get().
    sim::VirtualMeter* virtualMeter() { return virtualMeter_.get(); }
    // The identifiers the search looks for.
    MeterId meterId() const { return meterId_; }

    // One poll of the display (and the blink report in the setting mode), counting polls for
    // the fault script.
    MeterOutcome<void> poll();

    // Polls once and throws CliError when there is no meter or the guard refuses:
    // kNoMeter / kNoAnswer, or kRefused with the guard's reason.
    enum class Guard { None, Settings, Memory };
    void requireMeter(Guard guard, const std::string& what);

    // Whether the guard refuses now, by the connection and display of the last poll.
    std::optional<Refusal> refusal(Guard guard) const;

    // kNoMeter for what, naming the identifiers searched for, or the node another program
    // holds when the last poll found the meter held.
    CliError notFound(const std::string& what) const;

  private:
    void injectFaults();

    SystemClock clock_;
    const Clock* virtualClock_ = nullptr;
    MeterId meterId_;
    InstanceLock lock_;
    std::unique_ptr<sim::VirtualMeter> virtualMeter_;
    std::unique_ptr<sim::VirtualMeterBackend> simBackend_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<MeterSession> session_;
    PollResult last_;
    FaultScript faults_;
    long polls_ = 0;
};

}  // namespace photara::cli
