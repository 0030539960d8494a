#pragma once

#include <memory>

#include "core/link/hid_backend.h"

namespace photara {

class HidApiLibrary;

// The real meter through hidapi (hidraw on Linux).
//
// hidapi is initialised once, when the first backend is made, and shut down when the last
// backend and the last device opened through one are gone.
class HidApiBackend final : public HidBackend {
  public:
    HidApiBackend();
    ~HidApiBackend() override;
    HidApiBackend(const HidApiBackend&) = delete;
    HidApiBackend& operator=(const HidApiBackend&) = delete;

    // Asks the system for these identifiers only: no other HID device is opened to look.
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    // Holds a lock on the device node for as long as the device is open (DeviceNodeLock),
    // and opens nothing while another program holds it: openRefusal() then names the node.
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    std::string openRefusal() const override { return refusal_; }

  private:
    std::shared_ptr<HidApiLibrary> library_;
    std::string refusal_;
};

}  // namespace photara
