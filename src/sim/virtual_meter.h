#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "common/local_time.h"
#include "protocol/report.h"

namespace photara::sim {

// An in-process stand-in for the meter, speaking its bytes. It sees the wire as the meter
// does: output reports in, input reports out. Transport (in-process backend, the uhid
// bridge) and fault injection live outside it.
class VirtualMeter {
public:
    explicit VirtualMeter(const Clock& clock);
    ~VirtualMeter();
    VirtualMeter(const VirtualMeter&) = delete;
    VirtualMeter& operator=(const VirtualMeter&) = delete;

    // One output report as the host writes it: byte 0 the report id (0), byte 1 = 1,
    // byte 2 the command or key code, bytes 3.. the arguments.
    void receive(std::span<const std::uint8_t> outputReport);

    // The next input report the meter has to send (byte 0 = report id 0), if any.
    std::optional<Report> takeInputReport();
};

}  // namespace photara::sim
