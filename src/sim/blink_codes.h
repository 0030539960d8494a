#pragma once

#include <cstdint>

#include "protocol/report.h"

namespace photara::sim {

// Which display items blink while a setting is edited; 0 = none of that group.
struct BlinkCodes {
    std::uint8_t unit = 0;       // 1 cd/m2, 3 K cd/m2, 16 fL, 48 K fL
    std::uint8_t digits = 0;     // 1..13 one position; 16, 32, 48 a pair of 8..13;
                                 // 64 positions 11..13; 80 positions 10..13
    std::uint8_t point = 0;      // 1..3 one main point, 4 the point after position 10,
                                 // 5 all three main points
    std::uint8_t indicator = 0;  // 1 down arrow, 2 up arrow, 16 CYCLE, 32 T-H, 64 M

    friend bool operator==(const BlinkCodes&, const BlinkCodes&) = default;
};

// The blink report: bytes 1..4 carry the four codes.
Report composeBlinkReport(const BlinkCodes& codes);

}  // namespace photara::sim
