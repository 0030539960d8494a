#include "core/live/blink_step.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>

#include "core/live/display_report.h"

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

// What happens to the neighbours of a blinking element, once its toggle step is done.

// A K prefix blinks with its unit only while the meter lights it; otherwise it keeps what it
// showed. The other unit's legends go out.
void afterCandela(const DisplayState& s, DisplayModel& m) {
    if (s[LblK1]) m.setVisible(LblK1, m.visible(Lblcd));
    hide(m, {LblK2, LblfL});
}
void afterFootLambert(const DisplayState& s, DisplayModel& m) {
    if (s[LblK2]) m.setVisible(LblK2, m.visible(LblfL));
    hide(m, {Lblcd, LblSlashm, Lbl2, LblK1});
}
void hideFootLambert(const DisplayState&, DisplayModel& m) {
    hide(m, {LblK2, LblfL});
}
void hideCandela(const DisplayState&, DisplayModel& m) {
    hide(m, {Lblcd, LblSlashm, Lbl2, LblK1});
}
// The decimal point between positions 10 and 11 belongs to the number being edited.
void pointTenFollowsPositionTen(const DisplayState&, DisplayModel& m) {
    m.setVisible(LblP10, m.visible(LblSeg10));
}
void hideP2P3P10(const DisplayState&, DisplayModel& m) {
    hide(m, {LblP2, LblP3, LblP10});
}
void hideP1P3P10(const DisplayState&, DisplayModel& m) {
    hide(m, {LblP1, LblP3, LblP10});
}
void hideP1P2P10(const DisplayState&, DisplayModel& m) {
    hide(m, {LblP1, LblP2, LblP10});
}
void hideP10(const DisplayState&, DisplayModel& m) {
    hide(m, {LblP10});
}

// Code 0 of a byte: the episode is over and its elements show the display state again.
void unitsTakeFlags(const DisplayState& s, DisplayModel& m) {
    takeFlags(s, m, {LblK1, Lblcd, LblSlashm, Lbl2, LblK2, LblfL});
}
void pointsTakeFlags(const DisplayState& s, DisplayModel& m) {
    takeFlags(s, m, {LblP1, LblP2, LblP3, LblP10, LblP11, LblP13});
}
void indicatorsTakeFlags(const DisplayState& s, DisplayModel& m) {
    takeFlags(s, m, {ImgDown, ImgUp, LblCycle, LblTH, LblAMRM});
}

// clang-format off
constexpr std::array<BlinkCode, 4> kUnitCodes = {{
    {1,  Lblcd, {LblSlashm, Lbl2},        2, afterCandela},
    {3,  LblK1, {Lblcd, LblSlashm, Lbl2}, 3, hideFootLambert},
    {16, LblfL, {},                       0, afterFootLambert},
    {48, LblK2, {LblfL},                  1, hideCandela},
}};

constexpr std::array<BlinkCode, 18> kDigitCodes = {{
    {1,  LblSeg1,  {}, 0, nullptr},
    {2,  LblSeg2,  {}, 0, nullptr},
    {3,  LblSeg3,  {}, 0, nullptr},
    {4,  LblSeg4,  {}, 0, nullptr},
    {5,  LblSeg5,  {}, 0, nullptr},
    {6,  LblSeg6,  {}, 0, nullptr},
    {7,  LblSeg7,  {}, 0, nullptr},
    {8,  LblSeg8,  {}, 0, nullptr},
    {9,  LblSeg9,  {}, 0, nullptr},
    {10, LblSeg10, {}, 0, nullptr},
    {11, LblSeg11, {}, 0, nullptr},
    {12, LblSeg12, {}, 0, nullptr},
    {13, LblSeg13, {}, 0, nullptr},
    {16, LblSeg8,  {LblSeg9},                     1, nullptr},
    {32, LblSeg10, {LblSeg11},                    1, nullptr},
    {48, LblSeg12, {LblSeg13},                    1, nullptr},
    {64, LblSeg11, {LblSeg12, LblSeg13},          2, nullptr},
    {80, LblSeg10, {LblSeg11, LblSeg12, LblSeg13}, 3, pointTenFollowsPositionTen},
}};

// LblP11 and LblP13 never blink.
constexpr std::array<BlinkCode, 5> kPointCodes = {{
    {1, LblP1,  {},             0, hideP2P3P10},
    {2, LblP2,  {},             0, hideP1P3P10},
    {3, LblP3,  {},             0, hideP1P2P10},
    {4, LblP10, {},             0, nullptr},
    {5, LblP1,  {LblP2, LblP3}, 2, hideP10},
}};

constexpr std::array<BlinkCode, 5> kIndicatorCodes = {{
    {1,  ImgDown,  {}, 0, nullptr},
    {2,  ImgUp,    {}, 0, nullptr},
    {16, LblCycle, {}, 0, nullptr},
    {32, LblTH,    {}, 0, nullptr},
    {64, LblAMRM,  {}, 0, nullptr},
}};

constexpr std::array<BlinkTable, 4> kTables = {{
    {BlinkByte::Unit,      kUnitCodes,      0,  unitsTakeFlags},
    {BlinkByte::Digit,     kDigitCodes,     4,  nullptr},
    {BlinkByte::Point,     kPointCodes,     22, pointsTakeFlags},
    {BlinkByte::Indicator, kIndicatorCodes, 27, indicatorsTakeFlags},
}};
// clang-format on

static_assert(kTables[0].byte == BlinkByte::Unit && kTables[1].byte == BlinkByte::Digit &&
              kTables[2].byte == BlinkByte::Point && kTables[3].byte == BlinkByte::Indicator);
// Each code owns one running flag: the tables' flag ranges follow each other without a gap.
static_assert(kTables[1].firstFlag == kUnitCodes.size());
static_assert(kTables[2].firstFlag == kTables[1].firstFlag + kDigitCodes.size());
static_assert(kTables[3].firstFlag == kTables[2].firstFlag + kPointCodes.size());
static_assert(kTables[3].firstFlag + kIndicatorCodes.size() == BlinkStep::kRunningFlagCount);

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
