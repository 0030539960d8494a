#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/common/local_time.h"

namespace photara {

// Set-clock request bytes 3..9: year high and low byte, month in BCD (December = 0x12),
// then day, hour, minute and second as plain numbers. Only the month is BCD: that is what
// the meter's clock expects.
std::array<std::uint8_t, 7> setClockBytes(const LocalDateTime& time);

// The read-clock answer (byte 0 the report id; year in bytes 1..2 big-endian, then month,
// day, hour, minute, second as plain numbers), each field as sent. Nullopt if short.
std::optional<LocalDateTime> decodeMeterClock(std::span<const std::uint8_t> answer);

// The meter's time as "2019/08/01 12:34:56". Each two-digit field shows the last two digits
// of its value, so 100 shows as "00".
std::string formatMeterClock(const LocalDateTime& time);
// The same from a read-clock answer; empty if short.
std::string formatMeterClock(std::span<const std::uint8_t> answer);

// The PC's clock as "YYYY/MM/DD hh:mm:ss".
std::string formatLocalTime(const LocalDateTime& time);

}  // namespace photara
