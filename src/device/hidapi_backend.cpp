#include "device/hidapi_backend.h"

namespace photara {

HidApiBackend::HidApiBackend() = default;
HidApiBackend::~HidApiBackend() = default;
std::vector<HidDeviceInfo> HidApiBackend::enumerate(std::uint16_t, std::uint16_t) { return {}; }
std::unique_ptr<HidDevice> HidApiBackend::open(const std::string&) { return nullptr; }

}  // namespace photara
