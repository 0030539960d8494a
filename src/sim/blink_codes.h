#pragma once

#include <cstdint>

#include "core/protocol/report.h"

namespace photara::sim {

// The codes of the blink report, by what they make blink; 0 in a byte blinks nothing of
// its group.
namespace blink {
// Byte 1, the unit legend.
inline constexpr std::uint8_t kCandela = 1;
inline constexpr std::uint8_t kKiloCandela = 3;
inline constexpr std::uint8_t kFootLambert = 16;
inline constexpr std::uint8_t kKiloFootLambert = 48;
// Byte 2, the digit positions: 1..13 one position (the code is the position), or a group.
inline constexpr std::uint8_t kPositions8And9 = 16;
inline constexpr std::uint8_t kPositions10And11 = 32;
inline constexpr std::uint8_t kPositions12And13 = 48;
inline constexpr std::uint8_t kPositions11To13 = 64;
inline constexpr std::uint8_t kPositions10To13 = 80;
// Byte 3, the decimal points: 1..3 the main point after that position, or these.
inline constexpr std::uint8_t kPointAfter10 = 4;
inline constexpr std::uint8_t kAllMainPoints = 5;
// Byte 4, the indicators.
inline constexpr std::uint8_t kArrowDown = 1;
inline constexpr std::uint8_t kArrowUp = 2;
inline constexpr std::uint8_t kCycle = 16;
inline constexpr std::uint8_t kTimeHold = 32;
inline constexpr std::uint8_t kAmrM = 64;
}  // namespace blink

// Which display items blink while a setting is edited.
struct BlinkCodes {
    std::uint8_t unit = 0;
    std::uint8_t digits = 0;
    std::uint8_t point = 0;
    std::uint8_t indicator = 0;

    friend bool operator==(const BlinkCodes&, const BlinkCodes&) = default;
};

// The blink report: bytes 1..4 carry the four codes.
Report composeBlinkReport(const BlinkCodes& codes);

}  // namespace photara::sim
