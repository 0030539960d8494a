#pragma once

#include "core/link/meter_link.h"

namespace photara {

// The logger's sampling time in seconds (1..kMaxSamplingSeconds on the meter).
MeterOutcome<int> readSamplingTime(MeterLink& link);
// Sent write-only: done means the meter took the request. The meter ignores values outside
// its range; callers validate first.
MeterOutcome<void> setSamplingTime(MeterLink& link, int seconds);

// The recording period in seconds (kMinRecordingPeriod..kMaxRecordingPeriod).
MeterOutcome<int> readRecordingPeriod(MeterLink& link);
// As setSamplingTime. The meter takes this request for a setting only right after
// readRecordingPeriod (its command number is also the MEM key's code).
MeterOutcome<void> setRecordingPeriod(MeterLink& link, int seconds);

}  // namespace photara
