#include "cli/stepped_clock.h"

#include <ctime>

namespace photara::cli {

SteppedClock::SteppedClock() {
    const ZonedDateTime start = SystemClock().zonedNow();
    startEpochMs_ = epochMilliseconds(start);
    utcOffsetMinutes_ = start.utcOffsetMinutes;
}

LocalDateTime SteppedClock::now() const {
    return zonedNow().local;
}

// The local calendar time of the start plus the elapsed time, the offset kept as it was at
// the start (a run does not cross a change of summer time in any way that matters).
ZonedDateTime SteppedClock::zonedNow() const {
    const std::int64_t localMs = startEpochMs_ + elapsedMs_.load() + utcOffsetMinutes_ * 60000LL;
    const std::time_t seconds = static_cast<std::time_t>(localMs / 1000);
    std::tm tm{};
    ::gmtime_r(&seconds, &tm);
    LocalDateTime t{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                    tm.tm_sec, static_cast<int>(localMs % 1000)};
    return {t, utcOffsetMinutes_};
}

}  // namespace photara::cli
