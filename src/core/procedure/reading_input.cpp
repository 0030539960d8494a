#include "core/procedure/reading_input.h"

namespace photara {

ReadingInput readingInput(const std::optional<Reading>& reading) {
    ReadingInput in;
    if (!reading) return in;
    const ReadingFlags& f = reading->flags;
    in.hold = has(f, ReadingFlag::Hold);
    // Relative, Ratio and Accumulated readings (and a lux reading or a bare number) are no
    // luminance: the reading says its kind.
    if (reading->kind() != ReadingKind::Luminance) {
        in.kind = ReadingInput::Kind::NotLuminance;
        return in;
    }
    if (has(f, ReadingFlag::OverRange) || !reading->value) {
        in.kind = ReadingInput::Kind::OverRange;
        return in;
    }
    if (*reading->value <= 0) {
        in.kind = ReadingInput::Kind::BelowRange;
        return in;
    }
    in.kind = ReadingInput::Kind::Luminance;
    in.cdPerM2 = convertLuminance(*reading->value, reading->unit, LuminanceUnit::CdPerM2);
    return in;
}

}  // namespace photara
