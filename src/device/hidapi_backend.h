#pragma once

#include "link/hid_backend.h"

namespace photara {

// The real meter through hidapi (hidraw on Linux).
class HidApiBackend final : public HidBackend {
public:
    HidApiBackend();
    ~HidApiBackend() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
};

}  // namespace photara
