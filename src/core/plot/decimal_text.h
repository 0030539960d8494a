#pragma once

#include <string>

namespace photara {

// The shortest decimal text that reads back as the same double, never in exponent form
// ("1250", "12.5", "0.1"). Not-a-number and infinities give "nan", "inf", "-inf".
std::string shortestDecimal(double value);

// The shortest decimal form with the digits after the given number of decimals dropped,
// not rounded, and no trailing zeros: 154.3125 → "154.31", 50.29 → "50.29" (the decimal
// form, not the binary approximation 50.28999…), -0.001 → "0".
std::string truncatedDecimal(double value, int decimals);

// truncatedDecimal read back as a number.
double truncateDecimals(double value, int decimals);

}  // namespace photara
