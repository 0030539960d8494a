#pragma once

#include "core/common/local_time.h"
#include "core/link/meter_link.h"

namespace photara {

// The meter's clock as it answers: each field the number the meter sent (no validation; see
// formatMeterClock), milliseconds zero.
MeterOutcome<LocalDateTime> readMeterClock(MeterLink& link);

// Sets the meter's clock (write-only): done means the meter took the request.
MeterOutcome<void> setMeterClock(MeterLink& link, const LocalDateTime& time);

}  // namespace photara
