#pragma once

#include <cstdint>

#include "core/common/local_time.h"

namespace photara {

// MEM sends 10 when it was held for more than three seconds (the meter's long press) and its
// own code otherwise. Times are whole milliseconds since midnight, so that a hold of exactly
// three seconds is exactly 3000 and never lands a rounding error above the limit; a hold
// across midnight gives a negative elapsed time and so counts as a short press.
inline constexpr long long kMemLongPressMilliseconds = 3000;
inline constexpr std::uint8_t kMemLongCode = 10;

constexpr long long millisecondsSinceMidnight(const LocalDateTime& t) {
    return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

constexpr bool isMemLongPress(long long pressMs, long long releaseMs) {
    return releaseMs - pressMs > kMemLongPressMilliseconds;
}

}  // namespace photara
