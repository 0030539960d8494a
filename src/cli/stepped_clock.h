#pragma once

#include <atomic>
#include <cstdint>

#include "core/common/local_time.h"

namespace photara::cli {

// A clock that starts at the PC's time and then moves only when advanced: a scene run with
// --fast lets the virtual meter's time go by a poll's interval per poll, so a procedure of an
// hour's readings takes seconds. The meter's thread reads it while the command advances it.
class SteppedClock final : public Clock {
  public:
    SteppedClock();
    LocalDateTime now() const override;
    ZonedDateTime zonedNow() const override;
    void advanceMilliseconds(std::int64_t ms) { elapsedMs_ += ms; }

  private:
    std::int64_t startEpochMs_ = 0;
    int utcOffsetMinutes_ = 0;
    std::atomic<std::int64_t> elapsedMs_{0};
};

}  // namespace photara::cli
