#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/protocol/commands.h"

namespace photara::test {

// A meter that answers the display request and the blink request with reports the test
// sets, and that can be unplugged or fall silent. It records every report written to it.
class ScriptedBackend final : public HidBackend {
  public:
    void setDisplayReport(const Report& r) { display_ = r; }
    void setBlinkReport(const Report& r) { blink_ = r; }
    void setPresent(bool present) { present_ = present; }
    void setSilent(bool silent) { silent_ = silent; }            // every read times out
    void setBlinkSilent(bool silent) { blinkSilent_ = silent; }  // blink reads time out

    const std::vector<Report>& written() const { return written_; }
    std::vector<std::uint8_t> writtenCommands() const {
        std::vector<std::uint8_t> commands;
        for (const Report& r : written_) commands.push_back(r[kCommandByte]);
        return commands;
    }

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override {
        if (!present_) return {};
        return {{"scripted", vendorId, productId}};
    }

    std::unique_ptr<HidDevice> open(const std::string&) override {
        if (!present_) return nullptr;
        return std::make_unique<Device>(*this);
    }

  private:
    class Device final : public HidDevice {
      public:
        explicit Device(ScriptedBackend& meter) : meter_(meter) {}
        std::size_t inputReportLength() const override { return kReportSize; }
        std::size_t outputReportLength() const override { return kReportSize; }
        bool write(std::span<const std::uint8_t> report) override {
            Report r{};
            std::copy_n(report.begin(), std::min(report.size(), r.size()), r.begin());
            meter_.written_.push_back(r);
            lastCommand_ = r[kCommandByte];
            return meter_.present_;
        }
        ReadStatus read(Report& report, std::chrono::milliseconds) override {
            if (!meter_.present_) return ReadStatus::Failed;
            if (meter_.silent_) return ReadStatus::TimedOut;
            if (lastCommand_ == static_cast<std::uint8_t>(Command::Display)) {
                report = meter_.display_;
            } else if (lastCommand_ == static_cast<std::uint8_t>(Command::Blink) &&
                       !meter_.blinkSilent_) {
                report = meter_.blink_;
            } else {
                return ReadStatus::TimedOut;
            }
            report[0] = 0;
            return ReadStatus::Ok;
        }

      private:
        ScriptedBackend& meter_;
        std::uint8_t lastCommand_ = 0xFF;
    };

    Report display_{};
    Report blink_{};
    bool present_ = true;
    bool silent_ = false;
    bool blinkSilent_ = false;
    std::vector<Report> written_;
};

}  // namespace photara::test
