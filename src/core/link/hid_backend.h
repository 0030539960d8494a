#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/protocol/report.h"

namespace photara {

struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadStatus {
    Ok,        // a whole input report arrived
    TimedOut,  // nothing arrived within the time-out
    Failed,    // the device reported an error (an unplugged device fails at once)
};

// One opened HID interface.
class HidDevice {
  public:
    virtual ~HidDevice() = default;

    // Report lengths in bytes including the report id byte.
    virtual std::size_t inputReportLength() const = 0;
    virtual std::size_t outputReportLength() const = 0;

    // Sends one output report; report[0] is the report id. False when the device did not take
    // it (unplugged). A failed write leaves the connection as it is: the read that follows
    // fails or times out. Only a request with no read after it needs to know.
    virtual bool write(std::span<const std::uint8_t> report) = 0;

    // Waits up to timeout for one input report. On Ok, report[0] is the report id (0) and
    // report[1..] the data bytes. On anything else the content of report is unspecified.
    virtual ReadStatus read(Report& report, std::chrono::milliseconds timeout) = 0;
};

// Finds and opens HID interfaces: hidapi for a real meter, the virtual meter otherwise.
class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // The present interfaces with these identifiers, each path once.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId,
                                                 std::uint16_t productId) = 0;

    // Opens one interface for writing and for reading with a time-out; nullptr if it can't.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;

    // After open() gave nullptr because another program holds that interface: says so, for a
    // person, naming it. Empty otherwise (and for a backend where nothing else can hold it).
    virtual std::string openRefusal() const { return {}; }
};

}  // namespace photara
