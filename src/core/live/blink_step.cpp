#include "live/blink_step.h"

#include <algorithm>
#include <array>

#include "live/display_report.h"

namespace photara {
namespace {

using enum Element;
using Afterwards = void (*)(const DisplayState&, DisplayModel&);

// A blink code: the element whose visibility is toggled, the elements that follow it, and
// what is done to its neighbours afterwards.
struct BlinkCode {
    std::uint8_t code;
    Element leader;
    std::array<Element, 3> followers;
    std::size_t followerCount;
    Afterwards afterwards;
};

// The codes of one blink report byte. Their running flags are flags firstFlag.. in order;
// onZero runs for code 0, after the byte's running flags are cleared.
struct BlinkTable {
    BlinkByte byte;
    std::span<const BlinkCode> codes;
    std::size_t firstFlag;
    Afterwards onZero;
};

void takeFlags(const DisplayState& state, DisplayModel& model,
               std::initializer_list<Element> elements) {
    for (const Element e : elements) model.setVisible(e, state[e]);
}

void hide(DisplayModel& model, std::initializer_list<Element> elements) {
    for (const Element e : elements) model.setVisible(e, false);
}

// Unit legends. The K prefix blinks with its unit only when the meter lights it.
constexpr std::array<BlinkCode, 4> kUnitCodes = {{
    {1,
     Lblcd,
     {LblSlashm, Lbl2},
     2,
     [](const DisplayState& s, DisplayModel& m) {
         if (s[LblK1]) m.setVisible(LblK1, m.visible(Lblcd));
         hide(m, {LblK2, LblfL});
     }},
    {3,
     LblK1,
     {Lblcd, LblSlashm, Lbl2},
     3,
     [](const DisplayState&, DisplayModel& m) {
         hide(m, {LblK2, LblfL});
     }},
    {16,
     LblfL,
     {},
     0,
     [](const DisplayState& s, DisplayModel& m) {
         if (s[LblK2]) m.setVisible(LblK2, m.visible(LblfL));
         hide(m, {Lblcd, LblSlashm, Lbl2, LblK1});
     }},
    {48,
     LblK2,
     {LblfL},
     1,
     [](const DisplayState&, DisplayModel& m) {
         hide(m, {Lblcd, LblSlashm, Lbl2, LblK1});
     }},
}};

constexpr std::array<BlinkCode, 18> kDigitCodes = {{
    {1, LblSeg1, {}, 0, nullptr},
    {2, LblSeg2, {}, 0, nullptr},
    {3, LblSeg3, {}, 0, nullptr},
    {4, LblSeg4, {}, 0, nullptr},
    {5, LblSeg5, {}, 0, nullptr},
    {6, LblSeg6, {}, 0, nullptr},
    {7, LblSeg7, {}, 0, nullptr},
    {8, LblSeg8, {}, 0, nullptr},
    {9, LblSeg9, {}, 0, nullptr},
    {10, LblSeg10, {}, 0, nullptr},
    {11, LblSeg11, {}, 0, nullptr},
    {12, LblSeg12, {}, 0, nullptr},
    {13, LblSeg13, {}, 0, nullptr},
    {16, LblSeg8, {LblSeg9}, 1, nullptr},
    {32, LblSeg10, {LblSeg11}, 1, nullptr},
    {48, LblSeg12, {LblSeg13}, 1, nullptr},
    {64, LblSeg11, {LblSeg12, LblSeg13}, 2, nullptr},
    // The decimal point between positions 10 and 11 belongs to the edited number.
    {80,
     LblSeg10,
     {LblSeg11, LblSeg12, LblSeg13},
     3,
     [](const DisplayState&, DisplayModel& m) { m.setVisible(LblP10, m.visible(LblSeg10)); }},
}};

// LblP11 and LblP13 never blink.
constexpr std::array<BlinkCode, 5> kPointCodes = {{
    {1,
     LblP1,
     {},
     0,
     [](const DisplayState&, DisplayModel& m) {
         hide(m, {LblP2, LblP3, LblP10});
     }},
    {2,
     LblP2,
     {},
     0,
     [](const DisplayState&, DisplayModel& m) {
         hide(m, {LblP1, LblP3, LblP10});
     }},
    {3,
     LblP3,
     {},
     0,
     [](const DisplayState&, DisplayModel& m) {
         hide(m, {LblP1, LblP2, LblP10});
     }},
    {4, LblP10, {}, 0, nullptr},
    {5, LblP1, {LblP2, LblP3}, 2, [](const DisplayState&, DisplayModel& m) { hide(m, {LblP10}); }},
}};

constexpr std::array<BlinkCode, 5> kIndicatorCodes = {{
    {1, ImgDown, {}, 0, nullptr},
    {2, ImgUp, {}, 0, nullptr},
    {16, LblCycle, {}, 0, nullptr},
    {32, LblTH, {}, 0, nullptr},
    {64, LblAMRM, {}, 0, nullptr},
}};

constexpr std::array<BlinkTable, 4> kTables = {{
    {BlinkByte::Unit, kUnitCodes, 0,
     [](const DisplayState& s, DisplayModel& m) {
         takeFlags(s, m, {LblK1, Lblcd, LblSlashm, Lbl2, LblK2, LblfL});
     }},
    {BlinkByte::Digit, kDigitCodes, kUnitCodes.size(), nullptr},
    {BlinkByte::Point, kPointCodes, kUnitCodes.size() + kDigitCodes.size(),
     [](const DisplayState& s, DisplayModel& m) {
         takeFlags(s, m, {LblP1, LblP2, LblP3, LblP10, LblP11, LblP13});
     }},
    {BlinkByte::Indicator, kIndicatorCodes,
     kUnitCodes.size() + kDigitCodes.size() + kPointCodes.size(),
     [](const DisplayState& s, DisplayModel& m) {
         takeFlags(s, m, {ImgDown, ImgUp, LblCycle, LblTH, LblAMRM});
     }},
}};

static_assert(kUnitCodes.size() + kDigitCodes.size() + kPointCodes.size() +
                  kIndicatorCodes.size() ==
              BlinkStep::kRunningFlagCount);

const BlinkTable& tableOf(BlinkByte byte) {
    return kTables[static_cast<std::size_t>(byte) - 1];
}

const BlinkCode* find(const BlinkTable& table, std::uint8_t code) {
    const auto it = std::find_if(table.codes.begin(), table.codes.end(),
                                 [code](const BlinkCode& c) { return c.code == code; });
    return it == table.codes.end() ? nullptr : &*it;
}

std::size_t flagOf(const BlinkTable& table, const BlinkCode& code) {
    return table.firstFlag + static_cast<std::size_t>(&code - table.codes.data());
}

bool names(const BlinkCode* code, Element e) {
    if (code == nullptr) return false;
    if (code->leader == e) return true;
    const auto followers = std::span(code->followers).first(code->followerCount);
    return std::find(followers.begin(), followers.end(), e) != followers.end();
}

}  // namespace

BlinkStep::BlinkStep(const DisplayState& state, DisplayModel& model)
    : state_(state), model_(model) {}

void BlinkStep::apply(std::span<const std::uint8_t> blinkReport) {
    if (!isWholeReport(blinkReport)) return;

    // Acts on one byte's code and returns the code's row, if it has one.
    const auto act = [this, blinkReport](BlinkByte byte) -> const BlinkCode* {
        const BlinkTable& table = tableOf(byte);
        const std::uint8_t value = blinkReport[static_cast<std::size_t>(byte)];
        if (value == 0) {
            for (std::size_t i = 0; i < table.codes.size(); ++i)
                running_.reset(table.firstFlag + i);
            if (table.onZero) table.onZero(state_, model_);
            return nullptr;
        }
        const BlinkCode* code = find(table, value);
        if (code == nullptr) return nullptr;  // not a blink code: nothing changes

        const std::size_t flag = flagOf(table, *code);
        const auto followers = std::span(code->followers).first(code->followerCount);
        if (running_.test(flag)) {
            const bool visible = !model_.visible(code->leader);
            model_.setVisible(code->leader, visible);
            for (const Element e : followers) model_.setVisible(e, visible);
        } else {
            model_.setVisible(code->leader, true);
            for (const Element e : followers) model_.setVisible(e, true);
            running_.set(flag);
        }
        if (code->afterwards) code->afterwards(state_, model_);
        return code;
    };

    act(BlinkByte::Unit);
    const BlinkCode* digit = act(BlinkByte::Digit);
    // Only the digits the current code names may be hidden; every other position is shown.
    for (const Element e : kDigitPositions)
        if (!names(digit, e)) model_.setVisible(e, true);
    act(BlinkByte::Point);
    act(BlinkByte::Indicator);
}

void BlinkStep::showSteady() {
    takeFlags(state_, model_,
              {LblP1, LblP2, LblP3, LblK1, LblK2, Lblcd, LblSlashm, Lbl2, LblfL, LblP10, LblP11,
               LblP13, ImgUp, ImgDown, LblCycle, LblTH, LblAMRM});
    for (const Element e : kDigitPositions) model_.setVisible(e, true);
}

bool BlinkStep::running(BlinkByte byte, std::uint8_t code) const {
    const std::size_t b = static_cast<std::size_t>(byte);
    if (b < 1 || b > kTables.size()) return false;
    const BlinkTable& table = tableOf(byte);
    const BlinkCode* row = find(table, code);
    return row != nullptr && running_.test(flagOf(table, *row));
}

}  // namespace photara
