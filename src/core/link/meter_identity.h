#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/meter_identity_setting.h"

namespace photara {

// The meter's USB identifiers as the build set them (cmake/MeterIdentity.cmake). The udev rule
// and the metainfo are generated from the same setting, so they cannot drift apart.
inline constexpr std::uint16_t kMeterVendorId = PHOTARA_METER_VENDOR_ID;
inline constexpr std::uint16_t kMeterProductId = PHOTARA_METER_PRODUCT_ID;

struct MeterId {
    std::uint16_t vendorId = kMeterVendorId;
    std::uint16_t productId = kMeterProductId;
    friend bool operator==(const MeterId&, const MeterId&) = default;
};

// Reads "VVVV:PPPP" as lsusb prints it: one to four hex digits on each side of the colon,
// either case. Anything else, and vendor 0 (which no USB device has), gives nothing.
std::optional<MeterId> parseMeterId(std::string_view text);

// "16c0:05df": the pair as lsusb prints it and parseMeterId reads it.
std::string meterIdText(MeterId id);

// What both programs say when --meter-id's value is not such a pair.
std::string meterIdRefusal(std::string_view given);

}  // namespace photara
