#pragma once

#include <cstdint>
#include <vector>

#include "sim/blink_codes.h"
#include "sim/display_frame.h"
#include "sim/meter_clock.h"
#include "sim/meter_settings.h"

namespace photara::sim {

// The meter's keys and what its display shows in each mode.
class FrontPanel {
  public:
    FrontPanel(const MeterClock& clock, MeterSettings& settings);

    void press(std::uint8_t key);

    // The display at this moment (running functions take the current reading as a sample).
    DisplayFrame display();
    BlinkCodes blink() const;

    bool settingMode() const { return false; }

    // The luminance the sensor sees now, cd/m2.
    double luminance() const;

  private:
    void showClock(DisplayFrame& frame) const;

    const MeterClock& clock_;
    MeterSettings& settings_;
};

}  // namespace photara::sim
