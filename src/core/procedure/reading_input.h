#pragma once

#include <optional>

#include "core/reading/reading.h"

namespace photara {

// What one poll gives a procedure: a luminance in cd/m², the meter's word that there is
// none (OL, below range), or no luminance reading at all.
struct ReadingInput {
    enum class Kind {
        Luminance,
        OverRange,     // OL
        BelowRange,    // 0: too dark for the range
        NotLuminance,  // Δ, %, A/B, B−A, accumulated, a lux reading: not what a procedure measures
        None,          // a word, a setting screen, the meter away
    };
    Kind kind = Kind::None;
    double cdPerM2 = 0;  // for Luminance
    bool hold = false;   // HOLD lit: the person at the screen took the point

    static ReadingInput luminance(double v, bool hold = false) { return {Kind::Luminance, v, hold}; }
    std::optional<double> value() const {
        return kind == Kind::Luminance ? std::optional<double>(cdPerM2) : std::nullopt;
    }
};

// A reading from the meter's display as a procedure sees it, fL converted to cd/m²; only a
// reading of the luminance kind is one.
ReadingInput readingInput(const std::optional<Reading>& reading);

}  // namespace photara
