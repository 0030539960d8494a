#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"

namespace photara::test {

// A HID backend whose devices and answers a test scripts. It lists every scripted device
// whatever identifiers are asked for, as a platform that cannot filter would, so the link's
// own identity check is what a test sees. A read takes the next queued answer; with none
// queued, the standing answer to the command last written (a meter that answers each
// display request with the same report); with neither it times out at once.
class ScriptedHidBackend final : public HidBackend {
  public:
    struct Device {
        std::string path;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        bool opens = true;  // false: open() fails for this path
        bool held = false;  // another program holds it: open() fails, openRefusal() says so
    };

    ScriptedHidBackend() = default;
    ~ScriptedHidBackend() override;
    ScriptedHidBackend(const ScriptedHidBackend&) = delete;
    ScriptedHidBackend& operator=(const ScriptedHidBackend&) = delete;

    // The devices the next enumerations list (empty: nothing is plugged in).
    void setDevices(std::vector<Device> devices) { devices_ = std::move(devices); }
    void setReportLengths(std::size_t input, std::size_t output);

    // The next read delivers this report.
    void queueAnswer(const Report& report) { reads_.push_back({ReadStatus::Ok, report}); }
    // The next read ends with status; before that it scribbles `scribble` into the caller's
    // buffer, as a half-finished transfer might.
    void queueRead(ReadStatus status, const Report& scribble);
    // On: the open device refuses every write (as an unplugged one does), writing nothing.
    void refuseWrites(bool on) { refuseWrites_ = on; }
    // Each read after a write of command answers report, until changed; nullopt: it times out.
    void answerCommand(std::uint8_t command, std::optional<Report> report);
    // Off: the meter is unplugged — nothing is listed or opens, writes fail (still recorded),
    // reads fail.
    void setPresent(bool present) { present_ = present; }
    // On: every read times out, as a meter that fell silent.
    void setSilent(bool silent) { silent_ = silent; }

    // Every output report written, each with the length that was written.
    const std::vector<std::vector<std::uint8_t>>& written() const { return written_; }
    // The command byte of each report written.
    std::vector<std::uint8_t> writtenCommands() const;
    const std::vector<std::string>& openAttempts() const { return openAttempts_; }
    int enumerations() const { return enumerations_; }
    int readCount() const { return readCount_; }
    int openDevices() const { return openDevices_; }  // opened and not yet closed

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    // "held PATH" after an open of a held device, as a real backend names the node.
    std::string openRefusal() const override { return refusal_; }

  private:
    class ScriptedDevice;
    struct ScriptedRead {
        ReadStatus status;
        Report bytes;
    };

    std::vector<Device> devices_;
    std::deque<ScriptedRead> reads_;
    std::map<std::uint8_t, Report> standing_;
    std::vector<std::vector<std::uint8_t>> written_;
    std::vector<std::string> openAttempts_;
    std::string refusal_;
    std::size_t inputLength_ = kReportSize;
    std::size_t outputLength_ = kReportSize;
    int enumerations_ = 0;
    int readCount_ = 0;
    bool refuseWrites_ = false;
    bool present_ = true;
    bool silent_ = false;
    int openDevices_ = 0;
};

}  // namespace photara::test
