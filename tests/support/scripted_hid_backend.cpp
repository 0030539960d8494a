#include "support/scripted_hid_backend.h"

#include <algorithm>
#include <cassert>

namespace photara::test {

class ScriptedHidBackend::ScriptedDevice final : public HidDevice {
  public:
    explicit ScriptedDevice(ScriptedHidBackend& backend) : backend_(backend) {
        ++backend_.openDevices_;
    }
    ~ScriptedDevice() override { --backend_.openDevices_; }

    std::size_t inputReportLength() const override { return backend_.inputLength_; }
    std::size_t outputReportLength() const override { return backend_.outputLength_; }

    bool write(std::span<const std::uint8_t> report) override {
        if (backend_.refuseWrites_) return false;
        backend_.written_.emplace_back(report.begin(), report.end());
        return true;
    }

    ReadStatus read(Report& report, std::chrono::milliseconds) override {
        ++backend_.readCount_;
        if (backend_.reads_.empty()) return ReadStatus::TimedOut;
        const ScriptedRead next = backend_.reads_.front();
        backend_.reads_.pop_front();
        report = next.bytes;
        return next.status;
    }

  private:
    ScriptedHidBackend& backend_;
};

ScriptedHidBackend::~ScriptedHidBackend() {
    // A device must not outlive the backend that counts it.
    assert(openDevices_ == 0);
}

void ScriptedHidBackend::setReportLengths(std::size_t input, std::size_t output) {
    inputLength_ = input;
    outputLength_ = output;
}

void ScriptedHidBackend::queueRead(ReadStatus status, const Report& scribble) {
    reads_.push_back({status, scribble});
}

std::vector<HidDeviceInfo> ScriptedHidBackend::enumerate(std::uint16_t, std::uint16_t) {
    ++enumerations_;
    std::vector<HidDeviceInfo> found;
    for (const Device& d : devices_) found.push_back({d.path, d.vendorId, d.productId});
    return found;
}

std::unique_ptr<HidDevice> ScriptedHidBackend::open(const std::string& path) {
    openAttempts_.push_back(path);
    refusal_.clear();
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [&](const Device& d) { return d.path == path; });
    if (it != devices_.end() && it->held) refusal_ = "held " + path;
    if (it == devices_.end() || !it->opens || it->held) return nullptr;
    return std::make_unique<ScriptedDevice>(*this);
}

}  // namespace photara::test
