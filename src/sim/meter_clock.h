#pragma once

#include "core/common/local_time.h"

namespace photara::sim {

// The meter's real-time clock. It runs with the injected host clock, from whatever time it
// was last set to; until then it shows the host's time.
class MeterClock {
  public:
    explicit MeterClock(const Clock& host);

    LocalDateTime now() const;
    void set(const LocalDateTime& t);

    // Seconds, with milliseconds, that the host clock moved since the meter was made; drives
    // everything in the meter that changes with time (reading drift, timed messages).
    double runningSeconds() const;

  private:
    double hostSeconds() const;

    const Clock& host_;
    double startHostSeconds_;
    long long offsetSeconds_ = 0;  // meter time minus host time
};

}  // namespace photara::sim
