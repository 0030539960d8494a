#include "core/procedure/reading_input.h"

namespace photara {

ReadingInput readingInput(const std::optional<Reading>& reading) {
    ReadingInput in;
    if (!reading) return in;
    const ReadingFlags& f = reading->flags;
    in.hold = has(f, ReadingFlag::Hold);
    for (const ReadingFlag other : {ReadingFlag::Delta, ReadingFlag::DeltaPercent, ReadingFlag::AOverB,
                                    ReadingFlag::BMinusA, ReadingFlag::PercentOfA,
                                    ReadingFlag::Accumulate, ReadingFlag::MaxMinusMin}) {
        if (has(f, other)) {
            in.kind = ReadingInput::Kind::NotLuminance;
            return in;
        }
    }
    if (reading->unit != ReadingUnit::CdPerM2 && reading->unit != ReadingUnit::FootLambert) {
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
