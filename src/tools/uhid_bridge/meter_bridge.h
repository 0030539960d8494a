#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/protocol/report.h"
#include "sim/virtual_meter.h"
#include "tools/uhid_bridge/uhid_device.h"

namespace photara::tools {

// The virtual meter behind a uhid device. Output reports from the host go to the meter; its
// answers go back as input reports, at most one per `pace` (a full-speed interrupt endpoint
// delivers one report per millisecond), so a long stream arrives as a real meter sends it.
// Over USB a meter sends a report only when it has one: the in-process meter's idle display
// report for a read with nothing queued is switched off, and such a read times out.
// Text commands let a test unplug, replug and silence the meter.
class MeterBridge {
  public:
    using Clock = std::chrono::steady_clock;
    using MeterFactory = std::function<std::unique_ptr<sim::VirtualMeter>()>;

    MeterBridge(UhidDevice& device, MeterFactory makeMeter, std::chrono::microseconds pace);
    ~MeterBridge();

    // One output event as uhid delivers it. hidraw hands the device exactly what the host
    // wrote: a correct host writes 65 bytes, report id 0 first. Anything else is refused
    // and counted, and the meter does not answer it.
    void onOutput(std::span<const std::uint8_t> bytes);

    // One control line ("unplug [ms]", "replug [ms]", "silent 0|1", "truncate-next <n>",
    // "reset", "stats", ...); returns the reply line ("ok ..." or "error ...").
    std::string command(const std::string& line);

    // Does what is due now (scheduled plug changes, the next paced input report) and says
    // when something is due next.
    std::optional<Clock::time_point> runDue(Clock::time_point now);

    bool quitRequested() const { return quit_; }

  private:
    void unplug();
    void freshMeter();

    UhidDevice& device_;
    MeterFactory makeMeter_;
    std::unique_ptr<sim::VirtualMeter> meter_;
    std::chrono::microseconds pace_;
    Clock::time_point nextSend_{};
    std::optional<Clock::time_point> unplugAt_;
    std::optional<Clock::time_point> replugAt_;
    bool silent_ = false;
    std::optional<std::size_t> truncateNext_;
    long outputs_ = 0;
    long refused_ = 0;
    long inputs_ = 0;
    bool quit_ = false;
};

}  // namespace photara::tools
