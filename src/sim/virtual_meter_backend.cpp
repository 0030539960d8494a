#include "sim/virtual_meter_backend.h"

#include <algorithm>

#include "core/link/meter_identity.h"
#include "core/protocol/commands.h"

namespace photara::sim {

// One open handle on the virtual meter; belongs to the session it was opened in.
class VirtualMeterBackend::Device final : public HidDevice {
  public:
    Device(VirtualMeterBackend& backend, int session) : backend_(backend), session_(session) {}

    std::size_t inputReportLength() const override { return kReportSize; }
    std::size_t outputReportLength() const override { return kReportSize; }

    bool write(std::span<const std::uint8_t> report) override {
        if (!current()) return false;
        backend_.deliver(report);
        return true;
    }

    ReadStatus read(Report& report, std::chrono::milliseconds) override {
        ++backend_.readCount_;
        if (!current()) return ReadStatus::Failed;
        return backend_.serveRead(report);
    }

  private:
    bool current() const { return backend_.plugged_ && backend_.session_ == session_; }

    VirtualMeterBackend& backend_;
    int session_;
};

VirtualMeterBackend::VirtualMeterBackend(VirtualMeter& meter) : meter_(meter) {}

VirtualMeterBackend::~VirtualMeterBackend() = default;

std::vector<HidDeviceInfo> VirtualMeterBackend::enumerate(std::uint16_t vendorId,
                                                          std::uint16_t productId) {
    if (!plugged_ || vendorId != kMeterVendorId || productId != kMeterProductId) return {};
    return {HidDeviceInfo{kPath, kMeterVendorId, kMeterProductId}};
}

std::unique_ptr<HidDevice> VirtualMeterBackend::open(const std::string& path) {
    if (!plugged_ || path != kPath) return nullptr;
    ++session_;
    meter_.discardQueuedAnswers();
    scriptedAnswer_.reset();
    return std::make_unique<Device>(*this, session_);
}

void VirtualMeterBackend::unplug() {
    plugged_ = false;
    ++session_;  // every open handle is now stale
    meter_.discardQueuedAnswers();
    scriptedAnswer_.reset();
}

void VirtualMeterBackend::replug() {
    plugged_ = true;
}

void VirtualMeterBackend::setSilent(bool silent) {
    silent_ = silent;
}

void VirtualMeterBackend::failAfterReads(int n) {
    readsBeforeFailure_ = std::max(n, 0);
}

void VirtualMeterBackend::silenceAfterReads(int n) {
    readsBeforeSilence_ = std::max(n, 0);
}

void VirtualMeterBackend::scriptDisplayReports(std::vector<Report> reports) {
    scripted_.assign(reports.begin(), reports.end());
}

void VirtualMeterBackend::clearLog() {
    written_.clear();
    readCount_ = 0;
}

void VirtualMeterBackend::deliver(std::span<const std::uint8_t> report) {
    Report copy{};
    std::copy_n(report.begin(), std::min(report.size(), copy.size()), copy.begin());
    written_.push_back(copy);
    meter_.receive(report);
    if (copy[kCommandByte] == static_cast<std::uint8_t>(Command::Display) && !scripted_.empty()) {
        scriptedAnswer_ = scripted_.front();
        scripted_.pop_front();
    } else if (meter_.hasQueuedAnswer()) {
        scriptedAnswer_.reset();  // a newer request's answer replaces a scripted one
    }
}

ReadStatus VirtualMeterBackend::serveRead(Report& report) {
    if (readsBeforeFailure_ == 0) {
        readsBeforeFailure_ = -1;
        unplug();
        return ReadStatus::Failed;
    }
    if (readsBeforeFailure_ > 0) --readsBeforeFailure_;
    if (readsBeforeSilence_ == 0) {
        readsBeforeSilence_ = -1;
        silent_ = true;
    }
    if (readsBeforeSilence_ > 0) --readsBeforeSilence_;
    if (silent_) return ReadStatus::TimedOut;

    std::optional<Report> answer = meter_.takeInputReport();
    if (scriptedAnswer_) {
        answer = scriptedAnswer_;
        scriptedAnswer_.reset();
    }
    if (!answer) return ReadStatus::TimedOut;
    report = *answer;
    report[0] = 0;
    return ReadStatus::Ok;
}

}  // namespace photara::sim
