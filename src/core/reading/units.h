#pragma once

#include <optional>
#include <string_view>

namespace photara {

// The units the meter's display can light beside the main reading.
enum class ReadingUnit {
    None,                 // a plain number (a ratio, a count)
    CdPerM2,              // "cd/m²"
    FootLambert,          // "fL"
    CdPerM2Hours,         // "cd/m²·h": accumulated luminance
    FootLambertHours,     // "fL·h"
    Lux,                  // "lx"
    FootCandle,           // "fc"
    Percent,              // "%"
};

// The unit as people write it ("cd/m²", "fL", "" for None), UTF-8.
std::string_view unitSymbol(ReadingUnit unit);
// The unit written by unitSymbol, back; nothing for a text no unit writes.
std::optional<ReadingUnit> unitFromSymbol(std::string_view text);

// Luminance units the user may view a trend in.
enum class LuminanceUnit { CdPerM2, FootLambert };

inline constexpr double kCdPerM2PerFootLambert = 3.4262591;

// value in `from` (a luminance unit, plain or accumulated) expressed in `to`; a value in
// any other unit comes back unchanged.
double convertLuminance(double value, ReadingUnit from, LuminanceUnit to);
// The unit a converted value is in.
ReadingUnit convertedUnit(ReadingUnit from, LuminanceUnit to);

}  // namespace photara
