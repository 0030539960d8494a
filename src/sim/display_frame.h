#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>

namespace photara::sim {

// The legends of the meter's display that are simply on or off, by the display report byte
// that carries each (bit 0 of that byte).
enum class Annunciator : std::uint8_t {
    Apo = 20,
    RangeHold,
    Peak,
    Rec,
    Max,
    MaxMinDash,
    Min,
    Average,
    Hold,
    Ref,
    Acc,
    ArrowUp,
    Cmp,
    ArrowDown,
    A,
    B,
    DotH1,
    DotH2,
    Zero,
    Caf,
    Ccf,
    S,
    Plus,
    L,
    TimeHold,
    Set,
    Delta,
    AOverB,
    PercentA,
    BMinusA,
    Usb,
    Cycle,
    Average2,
    No,
    AmrA,
    AmrM,
    AmrR,
    Intv,
    Ymd,
    Hms,  // = 59
};

inline constexpr int kFirstAnnunciatorByte = 20;
inline constexpr int kAnnunciatorCount = 40;

enum class Unit : std::uint8_t { None = 0, CdPerM2 = 1, FootLambert = 2 };
enum class Separator : std::uint8_t { None = 0, Colon = 1, Slash = 2 };

// Main decimal point: after display position 1, 2 or 3.
enum class MainPoint : std::uint8_t { None = 0, After1 = 1, After2 = 2, After3 = 3, All = 4 };
// Second decimal point: after position 10, 11 or 12.
enum class SecondPoint : std::uint8_t { None = 0, After10 = 1, After11 = 2, After12 = 3 };

// Battery gauge: the outline alone, then one more bar per step up to five bars.
inline constexpr std::uint8_t kBatteryEmpty = 16;
inline constexpr std::uint8_t kBatteryFull = 21;

// What the meter's display shows at one moment, before it is packed into a display report.
struct DisplayFrame {
    std::array<std::uint8_t, 13> characters;  // codes of positions 1..13
    MainPoint mainPoint = MainPoint::None;
    bool kilo = false;  // the K in front of the unit
    Unit unit = Unit::None;
    Separator separator1 = Separator::None;  // between positions 9 and 10
    Separator separator2 = Separator::None;  // between positions 11 and 12
    SecondPoint secondPoint = SecondPoint::None;
    std::uint8_t battery = kBatteryFull;
    bool percent = false;  // "%"
    bool smallH = false;   // "h"

    DisplayFrame();

    void light(Annunciator a, bool on = true);
    bool lit(Annunciator a) const;

    // Writes text into positions first, first+1, ...; a character the position can't show
    // becomes a blank. Returns false if any did.
    bool write(int first, std::string_view text);
    // Right-aligns value in positions first..last, blank-padded (zero-padded with zeroPad).
    void writeNumber(int first, int last, long long value, bool zeroPad = false);
    void blank(int first, int last);
    // The small positions 8..13 as a time "hh:mm:ss" with h:m:s lit, or as a date "yy/mm/dd"
    // with Y/M/D lit (the year's last two digits).
    void writeTime(int hour, int minute, int second);
    void writeDate(int year, int month, int day);

    std::bitset<kAnnunciatorCount> annunciators;
};

}  // namespace photara::sim
