#pragma once

#include "core/common/local_time.h"

namespace photara::test {

// A clock that shows what the test sets, and moves only when the test moves it.
class FakeClock final : public Clock {
  public:
    explicit FakeClock(LocalDateTime start = {2026, 12, 7, 0, 43, 9, 0}) : now_(start) {}
    LocalDateTime now() const override { return now_; }
    ZonedDateTime zonedNow() const override { return {now_, utcOffsetMinutes_}; }
    void setUtcOffsetMinutes(int minutes) { utcOffsetMinutes_ = minutes; }
    void set(const LocalDateTime& t) { now_ = t; }
    // Moves the clock forward, rolling over into the next day (calendar kept simple:
    // days are not rolled into months).
    void advanceMilliseconds(long long ms);

  private:
    LocalDateTime now_;
    int utcOffsetMinutes_ = 0;
};

}  // namespace photara::test
