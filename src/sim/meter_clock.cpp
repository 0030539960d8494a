#include "sim/meter_clock.h"

#include <cmath>

#include "sim/calendar.h"

namespace photara::sim {

MeterClock::MeterClock(const Clock& host) : host_(host), startHostSeconds_(hostSeconds()) {}

double MeterClock::hostSeconds() const {
    const LocalDateTime t = host_.now();
    return static_cast<double>(toCalendarSeconds(t)) + t.millisecond / 1000.0;
}

LocalDateTime MeterClock::now() const {
    return fromCalendarSeconds(static_cast<long long>(std::floor(hostSeconds())) + offsetSeconds_);
}

void MeterClock::set(const LocalDateTime& t) {
    offsetSeconds_ = toCalendarSeconds(t) - static_cast<long long>(std::floor(hostSeconds()));
}

double MeterClock::runningSeconds() const {
    return hostSeconds() - startHostSeconds_;
}

}  // namespace photara::sim
