#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/live/display_model.h"
#include "core/live/display_state.h"

namespace photara {

// One annunciator of the display report: its byte and bit, the flag and element it lights,
// and whether the annunciator step shows it (the arrows, CYCLE, T-H and M blink, so the blink
// step shows those).
struct Annunciator {
    std::size_t byte;
    std::uint8_t bit;
    Element element;
    bool shownByAnnunciatorStep;
};

inline constexpr std::size_t kAnnunciatorCount = 42;

// In report order: bytes 20..59 (bit 0), then byte 64 bit 0 and bit 1.
const std::array<Annunciator, kAnnunciatorCount>& annunciators();

// The annunciator as the user finds it on the display (UTF-8), one name each: its caption,
// the AMR group's letters with their group ("AMR-A"; LblA is another "A"), a drawn one by what
// it shows ("APO", "UP", "DOWN", delta as its sign "Δ"), and the second of two alike by where
// it stands ("AVG2", the ".h" after "cd/m²" or "fL"). photara-cli's JSON lists them so.
std::string annunciatorName(Element lit);

// Sets the 42 annunciator flags from a whole display report; a shorter one changes nothing.
void decodeAnnunciators(std::span<const std::uint8_t> report, DisplayState& state);

// Shows the annunciators that are not the blink step's, from their flags, in report order;
// right after R-H, enables the REF key only while R-H is lit.
void showAnnunciators(const DisplayState& state, DisplayModel& model);

}  // namespace photara
