#include "core/reading/reading.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/live/display_model.h"
#include "core/live/display_state.h"

namespace photara {
namespace {

using enum Element;

constexpr std::array<std::string_view, static_cast<std::size_t>(ReadingFlag::Count_)> kFlagNames = {
    "HOLD", "PEAK", "MAX", "MIN", "MAX-MIN", "AVG", "DELTA", "DELTA%", "A", "B", "A/B",
    "B-A",  "%A",   "R-H", "REF", "CMP",     "HIGH", "LOW", "ACC",    "REC", "OL"};

// Flags that one annunciator decides alone.
constexpr std::array<std::pair<Element, ReadingFlag>, 15> kPlainFlags = {{
    {LblH, ReadingFlag::Hold},
    {LblPK, ReadingFlag::PeakHold},
    {LblAVG1, ReadingFlag::Average},
    {LblA, ReadingFlag::A},
    {LblB, ReadingFlag::B},
    {LblASlashB, ReadingFlag::AOverB},
    {LblBDashA, ReadingFlag::BMinusA},
    {LblPercentA, ReadingFlag::PercentOfA},
    {LblRH, ReadingFlag::RangeHold},
    {LblREF, ReadingFlag::Ref},
    {LblCMP, ReadingFlag::Compare},
    {ImgUp, ReadingFlag::AboveHigh},
    {ImgDown, ReadingFlag::BelowLow},
    {LblACC, ReadingFlag::Accumulate},
    {LblREC, ReadingFlag::LoggerRecording},
}};

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// One character position as text: its caption, a space when blank.
std::string position(const DisplayModel& model, int n) {
    const std::string& c = model.caption(kDigitPositions[static_cast<std::size_t>(n - 1)]);
    return c.empty() ? std::string(" ") : c;
}

std::string mainDigits(const DisplayState& state, const DisplayModel& model) {
    std::string s = position(model, 1);
    if (state[LblP1]) s += '.';
    s += position(model, 2);
    if (state[LblP2]) s += '.';
    s += position(model, 3);
    if (state[LblP3]) s += '.';
    s += position(model, 4);
    return trimmed(s);
}

std::string separator(const DisplayModel& model, Element colon, Element slash) {
    if (model.visible(colon)) return ":";
    if (model.visible(slash)) return "/";
    return "";
}

std::string secondaryField(const DisplayState& state, const DisplayModel& model) {
    const std::string left = trimmed(position(model, 5) + position(model, 6) + position(model, 7));
    std::string right = position(model, 8) + position(model, 9) +
                        separator(model, LblDotDot1, LblSlash1) + position(model, 10);
    if (state[LblP10]) right += '.';
    right += position(model, 11) + separator(model, LblDotDot2, LblSlash2);
    if (state[LblP11]) right += '.';
    right += position(model, 12);
    if (state[LblP13]) right += '.';
    right += position(model, 13);
    right = trimmed(right);
    if (left.empty()) return right;
    return right.empty() ? left : left + " " + right;
}

ReadingUnit unitOf(const DisplayState& state) {
    if (state[Lblcd]) return state[Lblh1] ? ReadingUnit::CdPerM2Hours : ReadingUnit::CdPerM2;
    if (state[LblfL]) return state[Lblh2] ? ReadingUnit::FootLambertHours : ReadingUnit::FootLambert;
    if (state[Lbllx]) return ReadingUnit::Lux;
    if (state[Lblfc]) return ReadingUnit::FootCandle;
    if (state[LblPercent]) return ReadingUnit::Percent;
    return ReadingUnit::None;
}

bool kiloOf(const DisplayState& state) { return state[LblK1] || state[LblK2] || state[LblK3]; }

// Screens whose digits are no measurement: setting mode, the logger's read-back pages and
// set numbers, zero adjustment.
bool showsNoMeasurement(const DisplayState& state) {
    return state[LblSET] || state[LblAMRR] || state[LblNo] || state[LblZero];
}

ReadingFlags flagsOf(const DisplayState& state) {
    ReadingFlags f;
    auto set = [&f](ReadingFlag flag, bool on) { f.set(static_cast<std::size_t>(flag), on); };
    for (const auto& [element, flag] : kPlainFlags) set(flag, state[element]);
    const bool mx = state[LblMx];
    const bool mn = state[LblMn];
    set(ReadingFlag::Max, mx && !mn);
    set(ReadingFlag::Min, mn && !mx);
    set(ReadingFlag::MaxMinusMin, mx && mn);
    set(ReadingFlag::Delta, state[ImaDelta] && !state[LblPercent]);
    set(ReadingFlag::DeltaPercent, state[ImaDelta] && state[LblPercent]);
    return f;
}

// Digits with at most one decimal point and nothing else, times 1000 with the multiplier.
// Computed as one division of whole numbers, so "12.60" K is exactly 12600.
std::optional<double> number(std::string_view text, bool kilo) {
    long long digits = 0;
    int decimals = 0;
    int digitCount = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (++digitCount > 15) return std::nullopt;
            digits = digits * 10 + (c - '0');
            if (point) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0) return std::nullopt;
    const int exponent = (kilo ? 3 : 0) - decimals;
    const double scale = std::pow(10.0, std::abs(exponent));
    const auto n = static_cast<double>(digits);
    return exponent >= 0 ? n * scale : n / scale;
}

bool isOverRange(std::string_view text) { return text == "OL" || text == "0L"; }

}  // namespace

std::string_view kindName(ReadingKind kind) {
    switch (kind) {
        case ReadingKind::Luminance:
            return "luminance";
        case ReadingKind::Relative:
            return "relative";
        case ReadingKind::Ratio:
            return "ratio";
        case ReadingKind::Accumulated:
            return "accumulated";
        case ReadingKind::None:
            break;
    }
    return "";
}

Quantity quantityOf(const ReadingFlags& flags, ReadingUnit unit) {
    const bool luminance = unit == ReadingUnit::CdPerM2 || unit == ReadingUnit::FootLambert;
    const bool hours = unit == ReadingUnit::CdPerM2Hours || unit == ReadingUnit::FootLambertHours;
    const ReadingUnit kept = convertedUnit(unit, LuminanceUnit::CdPerM2);
    // A ratio and a share are plain numbers whatever legend is lit beside them.
    if (has(flags, ReadingFlag::AOverB)) return {ReadingKind::Ratio, "A/B", ReadingUnit::None};
    if (has(flags, ReadingFlag::PercentOfA))
        return {ReadingKind::Relative, "%A", ReadingUnit::Percent};
    if (has(flags, ReadingFlag::DeltaPercent))
        return {ReadingKind::Relative, "Δ%", ReadingUnit::Percent};
    // Differences keep the luminance unit they are shown in.
    constexpr std::pair<ReadingFlag, std::string_view> kDifferences[] = {
        {ReadingFlag::Delta, "Δ"}, {ReadingFlag::BMinusA, "B−A"}, {ReadingFlag::MaxMinusMin, "MX−MN"}};
    for (const auto& [flag, mark] : kDifferences) {
        if (has(flags, flag)) return luminance ? Quantity{ReadingKind::Relative, mark, kept} : Quantity{};
    }
    if (hours) return {ReadingKind::Accumulated, "", kept};
    if (luminance) return {ReadingKind::Luminance, "", kept};
    return {};
}

std::string_view quantityLabel(const Quantity& q) {
    return q.mark.empty() ? kindName(q.kind) : q.mark;
}

std::string_view flagName(ReadingFlag f) { return kFlagNames[static_cast<std::size_t>(f)]; }

std::string flagsText(const ReadingFlags& flags) {
    std::string out;
    for (std::size_t i = 0; i < kFlagNames.size(); ++i) {
        if (!flags.test(i)) continue;
        if (!out.empty()) out += ' ';
        out += kFlagNames[i];
    }
    return out;
}

ReadingFlags flagsFromText(std::string_view text) {
    ReadingFlags flags;
    while (!text.empty()) {
        const auto space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        for (std::size_t i = 0; i < kFlagNames.size(); ++i) {
            if (kFlagNames[i] == word) flags.set(i);
        }
        if (space == std::string_view::npos) break;
        text.remove_prefix(space + 1);
    }
    return flags;
}

namespace {
// The main digits as the meter means them: on seven segments an O is drawn as a 0, and the
// over-range word is "OL", never "0L".
std::string mainWord(const DisplayState& state, const DisplayModel& model) {
    std::string text = mainDigits(state, model);
    if (text == "0L") text = "OL";
    return text;
}
}  // namespace

std::string lcdText(const DisplayState& state, const DisplayModel& model) {
    std::string out = mainWord(state, model);
    auto append = [&out](std::string_view part) {
        if (part.empty()) return;
        if (!out.empty()) out += ' ';
        out += part;
    };
    if (kiloOf(state)) append("K");
    append(unitSymbol(unitOf(state)));
    append(secondaryField(state, model));
    return out;
}

std::optional<Reading> readingOf(const DisplayState& state, const DisplayModel& model) {
    if (showsNoMeasurement(state)) return std::nullopt;
    // All three points at once is the display test, not a number.
    if (state[LblP1] && state[LblP2] && state[LblP3]) return std::nullopt;
    Reading r;
    r.mainText = mainWord(state, model);
    r.flags = flagsOf(state);
    if (isOverRange(r.mainText)) {
        r.flags.set(static_cast<std::size_t>(ReadingFlag::OverRange));
    }
    r.kilo = kiloOf(state);
    r.unit = unitOf(state);
    if (!has(r.flags, ReadingFlag::OverRange)) {
        r.value = number(r.mainText, r.kilo);
        if (!r.value) return std::nullopt;
        // A difference shows its magnitude; "+" lights when it is not negative.
        const bool signedMode = has(r.flags, ReadingFlag::Delta) || has(r.flags, ReadingFlag::BMinusA);
        if (signedMode && !state[LblPlus] && *r.value != 0) *r.value = -*r.value;
    }
    r.secondary = secondaryField(state, model);
    r.displayText = lcdText(state, model);
    return r;
}

}  // namespace photara
