#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace photara {

// Every report to and from the meter is 65 bytes: byte 0 is the report id (always 0),
// bytes 1..64 carry the data. A request puts 1 in byte 1 and the command in byte 2.
inline constexpr std::size_t kReportSize = 65;
inline constexpr std::size_t kReportDataSize = 64;

using Report = std::array<std::uint8_t, kReportSize>;

}  // namespace photara
