#pragma once

#include <linux/uhid.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace photara::tools {

// A HID device made by the kernel's uhid driver: the kernel shows it as /dev/hidrawN, and
// what a program writes there arrives here as output events. Owns the /dev/uhid descriptor.
class UhidDevice {
  public:
    struct Identity {
        std::string name;
        std::uint16_t vendorId;
        std::uint16_t productId;
    };

    // Opens /dev/uhid; throws std::system_error if it can't (needs root and the uhid module).
    UhidDevice(Identity identity, std::span<const std::uint8_t> reportDescriptor);
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    int fd() const { return fd_; }
    bool present() const { return present_; }

    void plugIn();  // the device appears (the hidraw node follows shortly after)
    void unplug();  // the device disappears; open hidraw handles fail from now on

    // Sends one input report: exactly these bytes, no report id (the device declares none).
    void sendInput(std::span<const std::uint8_t> data);

    // Reads the next event; nothing if the read was interrupted. Answers the kernel's
    // feature-report requests (the meter has none) with an error at once, so nothing stalls.
    std::optional<uhid_event> nextEvent();

  private:
    void send(const uhid_event& event);

    Identity identity_;
    std::span<const std::uint8_t> descriptor_;
    int fd_ = -1;
    bool present_ = false;
};

}  // namespace photara::tools
