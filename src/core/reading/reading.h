#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

#include "core/reading/units.h"

namespace photara {

class DisplayModel;
class DisplayState;

// What the meter's modes say about the main reading, from the annunciators lit beside it.
enum class ReadingFlag {
    Hold,         // "H": the reading is frozen
    PeakHold,     // "PK"
    Max,          // "MX": the maximum since the key was pressed
    Min,          // "MN"
    MaxMinusMin,  // "MX - MN": the spread
    Average,      // "AVG"
    Delta,        // "Δ": difference from a reference
    DeltaPercent, // "Δ" with "%": percentage of a reference
    A,            // stored reading A
    B,            // stored reading B
    AOverB,       // "A/B"
    BMinusA,      // "B-A"
    PercentOfA,   // "%A"
    RangeHold,    // "R-H"
    Ref,          // "REF": a reference value is stored
    Compare,      // "CMP"
    AboveHigh,    // comparator's up arrow
    BelowLow,     // comparator's down arrow
    Accumulate,   // "ACC"
    LoggerRecording,  // "REC": the meter's own logger is recording
    OverRange,    // "OL": the value does not fit the display
    Count_
};

using ReadingFlags = std::bitset<static_cast<std::size_t>(ReadingFlag::Count_)>;

inline bool has(const ReadingFlags& flags, ReadingFlag f) {
    return flags.test(static_cast<std::size_t>(f));
}

// Short upper-case names ("HOLD", "MAX", "DELTA%", "OL"), one per flag.
std::string_view flagName(ReadingFlag f);
// The set flags' names joined by spaces, in enum order ("MAX HOLD" is written "HOLD MAX").
std::string flagsText(const ReadingFlags& flags);
// flagsText back; names it does not know are ignored.
ReadingFlags flagsFromText(std::string_view text);

// What a reading measures, from the annunciators and the unit beside it. A trend or a
// statistic takes one kind at a time: a difference from a reference is no luminance.
enum class ReadingKind {
    None,         // nothing a trend can show (no unit it knows, lux, a bare number)
    Luminance,    // cd/m², fL, also as MX, MN, AVG, H, A or B
    Relative,     // Δ, Δ%, B−A, %A, MX−MN: a difference from or a share of another reading
    Ratio,        // A/B
    Accumulated,  // cd/m²·h, fL·h
};

// "luminance", "relative", "ratio", "accumulated", "" for None.
std::string_view kindName(ReadingKind kind);

// What one trend line may hold: the kind, the mark the display shows it by ("Δ", "Δ%", "B−A",
// "%A", "A/B", "MX−MN", "" for a plain luminance or accumulation) and the unit it is kept in
// (luminance in cd/m² whether the meter showed cd/m² or fL, so a switch of the meter's unit
// does not break the line).
struct Quantity {
    ReadingKind kind = ReadingKind::None;
    std::string_view mark;
    ReadingUnit unit = ReadingUnit::None;

    friend bool operator==(const Quantity&, const Quantity&) = default;
};

// The quantity of a reading with these flags in this unit; also for a recording's rows, whose
// flags and unit columns are all that is needed.
Quantity quantityOf(const ReadingFlags& flags, ReadingUnit unit);
// The mark and the name together, e.g. "Δ" or "luminance": how statistics say what they are of.
std::string_view quantityLabel(const Quantity& q);

// The main reading of the display as a number.
struct Reading {
    // The value with its decimal point and multiplier applied ("12.60" with K is 12600) and
    // its sign (a difference below its reference shows without "+"); no value when the
    // display shows over-range ("OL").
    std::optional<double> value;
    ReadingUnit unit = ReadingUnit::None;
    bool kilo = false;        // the display showed "K"
    std::string mainText;     // positions 1-4 with the decimal point, e.g. "12.60"
    std::string secondary;    // the small digits with separators, e.g. "12:34:56"
    ReadingFlags flags;
    std::string displayText;  // the LCD as a line of text: lcdText()

    // What the reading measures, from its flags and unit (never stored apart from them, so
    // it cannot disagree with them).
    Quantity quantity() const { return quantityOf(flags, unit); }
    ReadingKind kind() const { return quantity().kind; }

    friend bool operator==(const Reading&, const Reading&) = default;
};

// The display as one line of text: main digits, "K", unit, then the small digits, e.g.
// "12.60 K cd/m² 12:34:56" or "StAr". Blank positions are left out at the ends.
std::string lcdText(const DisplayState& state, const DisplayModel& model);

// The main reading of a decoded display; nothing when the display shows a word, a setting
// screen, the logger's read-back pages or a message: a value is never made up.
std::optional<Reading> readingOf(const DisplayState& state, const DisplayModel& model);

}  // namespace photara
