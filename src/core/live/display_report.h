#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/report.h"

namespace photara {

// Where the meter puts each part of its display in the answer to the display request.
// Byte 0 is the report id; the character positions have their own table (character_step.cpp).
namespace display_byte {
inline constexpr std::size_t kMainPoint = 5;
inline constexpr std::size_t kMultiplier = 6;
inline constexpr std::size_t kUnit = 7;
inline constexpr std::size_t kSeparator1 = 13;
inline constexpr std::size_t kSeparator2 = 16;
inline constexpr std::size_t kSecondPoint = 19;
inline constexpr std::size_t kFirstAnnunciator = 20;
inline constexpr std::size_t kLastAnnunciator = 59;
inline constexpr std::size_t kBattery = 60;
inline constexpr std::size_t kPercentAndSmallH = 64;
}  // namespace display_byte

// Only a whole report is decoded: a truncated one would light half a display.
inline bool isWholeReport(std::span<const std::uint8_t> report) {
    return report.size() >= kReportSize;
}

}  // namespace photara
