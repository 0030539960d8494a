#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/protocol/report.h"

namespace photara {

// Where the meter puts each part of its display in the answer to the display request.
// Byte 0 is the report id; the character positions (character_step.cpp) and the annunciator
// bits of bytes 20..59 and 64 (annunciators.cpp) have tables of their own.
namespace display_byte {
inline constexpr std::size_t kMainPoint = 5;
inline constexpr std::size_t kMultiplier = 6;
inline constexpr std::size_t kUnit = 7;
inline constexpr std::size_t kSeparator1 = 13;
inline constexpr std::size_t kSeparator2 = 16;
inline constexpr std::size_t kSecondPoint = 19;
inline constexpr std::size_t kBattery = 60;
}  // namespace display_byte

// Only a whole report is decoded: a truncated one would light half a display.
inline bool isWholeReport(std::span<const std::uint8_t> report) {
    return report.size() >= kReportSize;
}

}  // namespace photara
