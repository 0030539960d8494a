#pragma once

#include <cstdint>

namespace photara {

// The meter's USB identifiers. The installed udev rule is generated from these same
// constants (packaging/CMakeLists.txt reads them from this file), so they cannot drift apart.
inline constexpr std::uint16_t kMeterVendorId = 0x16C0;
inline constexpr std::uint16_t kMeterProductId = 0x05DF;

}  // namespace photara
