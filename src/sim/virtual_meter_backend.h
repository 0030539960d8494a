#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/protocol/report.h"
#include "sim/virtual_meter.h"

namespace photara::sim {

// The virtual meter as a HID backend in the same process, with faults to inject. Nothing
// here sleeps: a read that would wait for the time-out returns TimedOut at once.
//
// Each open starts a new session: answers the meter queued for an earlier session are
// dropped, and a device handle from an earlier session fails its reads. So a reconnect
// never delivers an answer meant for a request made before the disconnect.
class VirtualMeterBackend final : public HidBackend {
  public:
    static constexpr const char* kPath = "virtual-meter";

    explicit VirtualMeterBackend(VirtualMeter& meter);
    ~VirtualMeterBackend() override;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

    // Fault injection.
    void unplug();  // enumerate finds nothing, open fails, reads of an open device fail
    void replug();
    bool plugged() const { return plugged_; }
    void setSilent(bool silent);  // reads return TimedOut at once; writes still arrive
    bool silent() const { return silent_; }
    void failAfterReads(int n);     // the (n+1)-th read from now fails and unplugs
    void silenceAfterReads(int n);  // the (n+1)-th read from now times out and stays silent
    // Served instead of the meter's own answers to display requests, in order, then live.
    void scriptDisplayReports(std::vector<Report> reports);

    // Traffic log: every output report that reached the meter, in order.
    const std::vector<Report>& written() const { return written_; }
    int readCount() const { return readCount_; }
    void clearLog();

  private:
    class Device;
    friend class Device;

    void deliver(std::span<const std::uint8_t> report);
    ReadStatus serveRead(Report& report);

    VirtualMeter& meter_;
    bool plugged_ = true;
    bool silent_ = false;
    int session_ = 0;
    int readsBeforeFailure_ = -1;  // -1: no failure pending
    int readsBeforeSilence_ = -1;
    std::deque<Report> scripted_;
    std::optional<Report> scriptedAnswer_;  // replaces the meter's answer to the last request
    std::vector<Report> written_;
    int readCount_ = 0;
};

}  // namespace photara::sim
