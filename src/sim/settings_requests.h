#pragma once

#include <optional>

#include "common/local_time.h"
#include "protocol/report.h"

namespace photara::sim {

// The meter's side of the settings and clock requests: what it takes from a request's
// argument bytes and what it answers. An argument out of range is refused (nullopt) and
// leaves the setting as it was.

// Whether byte 2 names a logger, settings or clock command rather than a key. Code 9 is
// both the MEM key and "set recording period": it is the command only when bytes 3..4
// hold a valid period.
bool isSettingsOrLoggerCommand(const Report& request);

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
