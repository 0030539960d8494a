#include "support/scripted_hid_backend.h"

#include <algorithm>
#include <cassert>

#include "core/protocol/commands.h"

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
        if (report.size() > kCommandByte) lastCommand_ = report[kCommandByte];
        return backend_.present_;
    }

    ReadStatus read(Report& report, std::chrono::milliseconds) override {
        ++backend_.readCount_;
        if (!backend_.present_) return ReadStatus::Failed;
        if (backend_.silent_) return ReadStatus::TimedOut;
        if (!backend_.reads_.empty()) {
            const ScriptedRead next = backend_.reads_.front();
            backend_.reads_.pop_front();
            report = next.bytes;
            return next.status;
        }
        const auto standing = lastCommand_ ? backend_.standing_.find(*lastCommand_) : backend_.standing_.end();
        if (standing == backend_.standing_.end()) return ReadStatus::TimedOut;
        report = standing->second;
        report[0] = 0;  // the report id, as hidraw hands it over
        return ReadStatus::Ok;
    }

  private:
    ScriptedHidBackend& backend_;
    std::optional<std::uint8_t> lastCommand_;
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

void ScriptedHidBackend::answerCommand(std::uint8_t command, std::optional<Report> report) {
    if (report) standing_[command] = *report;
    else standing_.erase(command);
}

std::vector<std::uint8_t> ScriptedHidBackend::writtenCommands() const {
    std::vector<std::uint8_t> commands;
    for (const auto& r : written_) commands.push_back(r.size() > kCommandByte ? r[kCommandByte] : 0);
    return commands;
}

std::vector<HidDeviceInfo> ScriptedHidBackend::enumerate(std::uint16_t, std::uint16_t) {
    ++enumerations_;
    std::vector<HidDeviceInfo> found;
    if (!present_) return found;
    for (const Device& d : devices_) found.push_back({d.path, d.vendorId, d.productId});
    return found;
}

std::unique_ptr<HidDevice> ScriptedHidBackend::open(const std::string& path) {
    openAttempts_.push_back(path);
    refusal_.clear();
    if (!present_) return nullptr;
    const auto it = std::find_if(devices_.begin(), devices_.end(),
                                 [&](const Device& d) { return d.path == path; });
    if (it != devices_.end() && it->held) refusal_ = "held " + path;
    if (it == devices_.end() || !it->opens || it->held) return nullptr;
    return std::make_unique<ScriptedDevice>(*this);
}

}  // namespace photara::test
