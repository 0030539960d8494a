#pragma once

#include <cstdint>

#include "core/common/local_time.h"

namespace photara::tools {

// What the bridge serves, shared with the tests that check what arrives through the
// kernel: the meter's clock stands still at this time, so its answers repeat exactly.
inline constexpr LocalDateTime kBridgeClockTime{2026, 12, 7, 12, 0, 0, 0};

// A clock that always shows the same time.
class FrozenClock final : public Clock {
  public:
    explicit FrozenClock(LocalDateTime t) : t_(t) {}
    LocalDateTime now() const override { return t_; }

  private:
    LocalDateTime t_;
};

}  // namespace photara::tools
