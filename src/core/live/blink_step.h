#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/live/display_model.h"
#include "core/live/display_state.h"

namespace photara {

// The four codes of a blink report, by their byte.
enum class BlinkByte : std::uint8_t { Unit = 1, Digit = 2, Point = 3, Indicator = 4 };

// Makes the panel blink what the meter blinks in a setting mode, and otherwise shows the
// legends, decimal points and indicators as the display state lights them. It is the only
// code that shows or hides those elements and the digit positions.
//
// A blinking element is shown on the first tick of its code and then inverted once per tick.
// Each non-zero code has a running flag, set on its first tick and cleared only by code 0 of
// its own byte; the flags survive ticks with SET dark and ticks without a connection, so a
// code that comes back without a code 0 in between goes on inverting.
class BlinkStep {
  public:
    static constexpr std::size_t kRunningFlagCount = 32;

    BlinkStep(const DisplayState& state, DisplayModel& model);

    // SET lit: acts on the unit, digit, point and indicator codes (bytes 1..4) of a blink
    // report. A report shorter than a whole report is no answer and changes nothing.
    void apply(std::span<const std::uint8_t> blinkReport);

    // SET dark: every element handled here takes its state flag and all 13 digit positions
    // are shown. The running flags stay as they are.
    void showSteady();

    // Whether a code is mid-blink; false for code 0 and codes the meter does not define.
    bool running(BlinkByte byte, std::uint8_t code) const;

  private:
    const DisplayState& state_;
    DisplayModel& model_;
    std::bitset<kRunningFlagCount> running_;
};

}  // namespace photara
