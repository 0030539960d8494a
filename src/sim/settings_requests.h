#pragma once

#include <cstdint>
#include <optional>

#include "core/common/local_time.h"
#include "core/protocol/report.h"

namespace photara::sim {

// The meter's side of the settings and clock requests: what it takes from a request's
// argument bytes and what it answers. An argument out of range is refused (nullopt) and
// leaves the setting as it was.

// Whether byte 2 names a logger, settings or clock command rather than a key. Code 9 is
// both the MEM key and "set recording period". A key report keeps bytes 3..4 from the
// request before it (a clock year, a sampling time), so those bytes alone cannot tell them
// apart; the host sets the period only right after reading it (13). So 9 is the command
// only when it follows a read of the recording period and bytes 3..4 hold a valid period.
bool isSettingsOrLoggerCommand(const Report& request, std::uint8_t previousCommand);

// Sampling time in bytes 3..4, big-endian, 1..3600 s.
std::optional<int> samplingTimeArgument(const Report& request);
// Recording period in bytes 3..4, big-endian, 1..9999 s.
std::optional<int> recordingPeriodArgument(const Report& request);
// Year in bytes 3..4 big-endian, month in BCD in byte 5 (December = 0x12), then day, hour,
// minute and second as plain numbers in bytes 6..9; nullopt unless it is a real date and time.
std::optional<LocalDateTime> setClockArgument(const Report& request);

// A 16-bit number in answer bytes 1..2, big-endian.
Report numberReport(int value);
// The read-clock answer: year in bytes 1..2 big-endian, then month, day, hour, minute,
// second as plain numbers.
Report clockReport(const LocalDateTime& t);

}  // namespace photara::sim
