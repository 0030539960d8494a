#include "sim/reading_format.h"

#include <cmath>

namespace photara::sim {
namespace {

constexpr double kCdPerM2PerFootLambert = 3.4262591;

// The four digits of magnitude as an integer when the point follows digit pointAfter
// (0: no point, four whole digits); it fits when below 10000.
long long scaled(double magnitude, int pointAfter) {
    return std::llround(magnitude * std::pow(10.0, pointAfter == 0 ? 0 : 4 - pointAfter));
}

std::string fourDigitText(long long n) {
    std::string s = std::to_string(n);
    return std::string(4 - s.size(), '0') + s;
}

}  // namespace

FourDigits formatFourDigits(double value, int fixedPointAfter) {
    double magnitude = std::fabs(value);
    FourDigits out;
    if (fixedPointAfter >= 0) {
        const long long n = scaled(magnitude, fixedPointAfter);
        out.pointAfter = fixedPointAfter;
        out.overRange = n > 9999;
        out.digits = fourDigitText(out.overRange ? 9999 : n);
        return out;
    }
    if (std::llround(magnitude) > 9999) {
        magnitude /= 1000.0;
        out.kilo = true;
    }
    for (const int pointAfter : {1, 2, 3, 0}) {
        const long long n = scaled(magnitude, pointAfter);
        if (n <= 9999) {
            out.pointAfter = pointAfter;
            out.digits = fourDigitText(n);
            return out;
        }
    }
    out.overRange = true;
    out.digits = "9999";
    return out;
}

void showMainReading(DisplayFrame& frame, double value, Unit unit, int fixedPointAfter) {
    const FourDigits f = formatFourDigits(value, fixedPointAfter);
    frame.unit = unit;
    frame.kilo = f.kilo;
    if (f.overRange) {
        frame.write(1, " OL ");  // over-load: the value doesn't fit the held range
        frame.mainPoint = MainPoint::None;
        return;
    }
    frame.write(1, f.digits);
    frame.mainPoint = static_cast<MainPoint>(f.pointAfter);
}

void showSecondReading(DisplayFrame& frame, double value) {
    const FourDigits f = formatFourDigits(value);
    frame.write(10, f.overRange || f.kilo ? "9999" : f.digits);
    frame.secondPoint = f.kilo ? SecondPoint::None : static_cast<SecondPoint>(f.pointAfter);
}

double toUnit(double cdPerM2, Unit unit) {
    return unit == Unit::FootLambert ? cdPerM2 / kCdPerM2PerFootLambert : cdPerM2;
}

double fromUnit(double value, Unit unit) {
    return unit == Unit::FootLambert ? value * kCdPerM2PerFootLambert : value;
}

}  // namespace photara::sim
