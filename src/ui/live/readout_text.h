#pragma once

#include <QString>

#include "core/reading/reading.h"

namespace photara {

// The live window's readout of a reading: its mark, value and unit, e.g. "Δ -12.30 cd/m²",
// "%A 146.8 %", "A/B 1.250", "4.000 fL" (a luminance in the unit the user chose), "OL cd/m²"
// over range. Never the LCD's small digits (the clock): they are no part of the value.
QString readoutText(const Reading& reading, LuminanceUnit unit);

}  // namespace photara
