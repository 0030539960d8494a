#include "core/live/separators_and_battery.h"

#include <array>

#include "core/live/display_report.h"

namespace photara {
namespace {

using enum Element;

void showSeparatorPair(std::uint8_t code, Element colon, Element slash, DisplayModel& model) {
    if (code > 2) return;  // not a separator code: the pair stays as it was
    model.setVisible(colon, code == 1);
    model.setVisible(slash, code == 2);
}

// Codes 16..21 show the outline and (code - 16) bars, filled from the right (ImaS6 first).
constexpr std::uint8_t kOutlineOnly = 16;
constexpr std::uint8_t kFull = 21;

}  // namespace

void showSeparators(std::span<const std::uint8_t> report, DisplayModel& model) {
    if (!isWholeReport(report)) return;
    showSeparatorPair(report[display_byte::kSeparator1], LblDotDot1, LblSlash1, model);
    showSeparatorPair(report[display_byte::kSeparator2], LblDotDot2, LblSlash2, model);
}

void showBattery(std::span<const std::uint8_t> report, DisplayModel& model) {
    if (!isWholeReport(report)) return;
    const std::uint8_t code = report[display_byte::kBattery];
    const bool gauge = code >= kOutlineOnly && code <= kFull;
    const int bars = gauge ? code - kOutlineOnly : 0;
    model.setVisible(ImaS1, gauge);
    // ImaS2 is the leftmost bar, lit last; ImaS6 the rightmost, lit first.
    constexpr std::array<Element, 5> kBarsLeftToRight = {ImaS2, ImaS3, ImaS4, ImaS5, ImaS6};
    for (int i = 0; i < 5; ++i)
        model.setVisible(kBarsLeftToRight[static_cast<std::size_t>(i)], i >= 5 - bars);
}

}  // namespace photara
