#include "core/reading/units.h"

#include <array>
#include <utility>

namespace photara {
namespace {

constexpr std::array<std::pair<ReadingUnit, std::string_view>, 8> kUnitTexts = {{
    {ReadingUnit::None, ""},
    {ReadingUnit::CdPerM2, "cd/m²"},
    {ReadingUnit::FootLambert, "fL"},
    {ReadingUnit::CdPerM2Hours, "cd/m²·h"},
    {ReadingUnit::FootLambertHours, "fL·h"},
    {ReadingUnit::Lux, "lx"},
    {ReadingUnit::FootCandle, "fc"},
    {ReadingUnit::Percent, "%"},
}};

bool isFootLambert(ReadingUnit u) {
    return u == ReadingUnit::FootLambert || u == ReadingUnit::FootLambertHours;
}
bool isCdPerM2(ReadingUnit u) {
    return u == ReadingUnit::CdPerM2 || u == ReadingUnit::CdPerM2Hours;
}
bool isAccumulated(ReadingUnit u) {
    return u == ReadingUnit::CdPerM2Hours || u == ReadingUnit::FootLambertHours;
}

}  // namespace

std::string_view unitSymbol(ReadingUnit unit) {
    for (const auto& [u, text] : kUnitTexts) {
        if (u == unit) return text;
    }
    return "";
}

std::optional<ReadingUnit> unitFromSymbol(std::string_view text) {
    for (const auto& [u, t] : kUnitTexts) {
        if (t == text) return u;
    }
    return std::nullopt;
}

double convertLuminance(double value, ReadingUnit from, LuminanceUnit to) {
    if (to == LuminanceUnit::CdPerM2 && isFootLambert(from)) return value * kCdPerM2PerFootLambert;
    if (to == LuminanceUnit::FootLambert && isCdPerM2(from)) return value / kCdPerM2PerFootLambert;
    return value;
}

ReadingUnit convertedUnit(ReadingUnit from, LuminanceUnit to) {
    if (!isFootLambert(from) && !isCdPerM2(from)) return from;
    const bool hours = isAccumulated(from);
    if (to == LuminanceUnit::CdPerM2) return hours ? ReadingUnit::CdPerM2Hours : ReadingUnit::CdPerM2;
    return hours ? ReadingUnit::FootLambertHours : ReadingUnit::FootLambert;
}

}  // namespace photara
