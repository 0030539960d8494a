#pragma once

#include <string>

#include "sim/display_frame.h"

namespace photara::sim {

// A value as four digits with a movable decimal point: "1234" with the point after digit
// pointAfter (0 = none), multiplied by 1000 when kilo.
struct FourDigits {
    std::string digits;  // four characters, '0'..'9'
    int pointAfter = 0;  // 0..3
    bool kilo = false;
    bool overRange = false;  // too big even with K (or for a fixed point): digits meaningless
};

// Formats |value| with as many decimals as fit in four digits (4 significant digits), with K
// from 10000 on. fixedPointAfter >= 0 keeps the point where a held range put it.
FourDigits formatFourDigits(double value, int fixedPointAfter = -1);

// Shows value in positions 1..4 with its decimal point, K and unit legend.
void showMainReading(DisplayFrame& frame, double value, Unit unit, int fixedPointAfter = -1);

// Shows value in positions 10..13 with the second decimal point (no K).
void showSecondReading(DisplayFrame& frame, double value);

// 1 fL = 3.4262591 cd/m2.
double toUnit(double cdPerM2, Unit unit);
double fromUnit(double value, Unit unit);

}  // namespace photara::sim
