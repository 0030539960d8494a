#pragma once

#include "core/common/local_time.h"

namespace photara::sim {

// Whole seconds counted from 1970-01-01 00:00:00 of the same local calendar. Out-of-range
// fields (day 32, hour 24) roll over into the next unit, so a clock that only counts the
// day up still maps to a proper date.
long long toCalendarSeconds(const LocalDateTime& t);

// The inverse of toCalendarSeconds (milliseconds are 0).
LocalDateTime fromCalendarSeconds(long long seconds);

// Days in a month of a year of the Gregorian calendar.
int daysInMonth(int year, int month);

}  // namespace photara::sim
