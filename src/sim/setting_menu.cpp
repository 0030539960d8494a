#include "sim/setting_menu.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "sim/calendar.h"
#include "sim/reading_format.h"

namespace photara::sim {
namespace {

using Item = SettingMenu::Item;

// Steps through a list of choices, wrapping at either end.
template <typename T>
T step(const std::vector<T>& choices, T current, int direction) {
    auto at = std::find(choices.begin(), choices.end(), current);
    std::ptrdiff_t i = at == choices.end() ? 0 : at - choices.begin();
    const auto n = static_cast<std::ptrdiff_t>(choices.size());
    i = ((i + direction) % n + n) % n;
    return choices[static_cast<std::size_t>(i)];
}

const std::vector<int> kBacklightChoices = {0, 10, 30, 60};
const std::vector<int> kTimeHoldChoices = {0, 5, 10, 30};
const std::vector<int> kPointChoices = {-1, 1, 2, 3};
const std::vector<double> kHighLimits = {100, 200, 500, 1000, 2000, 5000, 10000};
const std::vector<double> kLowLimits = {1, 2, 5, 10, 20, 50, 100};
const std::vector<int> kSamplingChoices = {1, 2, 5, 10, 30, 60, 300, 600, 1800, 3600};
const std::vector<int> kPeriodChoices = {10, 60, 300, 600, 1800, 3600, 9999};

// "on" in positions 12..13 or "OFF" in 11..13, for a switch shown in the small digits (the
// meter sends the o of "on" and the O of "OFF" as zeros).
void showOnOff(DisplayFrame& frame, bool on) {
    frame.write(11, on ? " 0n" : "OFF");
}

// Seconds in positions 12..13, or OFF for 0, and the blink code that covers what is shown.
void showSecondsOrOff(DisplayFrame& frame, int seconds) {
    if (seconds == 0)
        frame.write(11, "OFF");
    else
        frame.writeNumber(12, 13, seconds, true);
}
std::uint8_t secondsOrOffBlink(int seconds) {
    return seconds == 0 ? blink::kPositions11To13 : blink::kPositions12And13;
}

// A factor 0.800..1.200 as "1.000" in four digits, stepped by its last digit.
std::string factorDigits(double factor) {
    return formatFourDigits(factor).digits;
}
double stepFactor(double factor, int direction) {
    return std::clamp(std::round(factor * 1000 + direction) / 1000, 0.8, 1.2);
}

// One part of the meter's clock, stepped with wrap-around within its range; the day is then
// kept within its month.
enum class ClockPart { Year, Month, Day, Hour, Minute, Second };

void stepClock(MeterClock& clock, ClockPart part, int direction) {
    LocalDateTime t = clock.now();
    auto wrap = [direction](int value, int low, int high) {
        const int n = high - low + 1;
        return ((value - low + direction) % n + n) % n + low;
    };
    switch (part) {
        case ClockPart::Year:
            t.year = wrap(t.year, 2000, 2099);
            break;
        case ClockPart::Month:
            t.month = wrap(t.month, 1, 12);
            break;
        case ClockPart::Day:
            t.day = wrap(t.day, 1, daysInMonth(t.year, t.month));
            break;
        case ClockPart::Hour:
            t.hour = wrap(t.hour, 0, 23);
            break;
        case ClockPart::Minute:
            t.minute = wrap(t.minute, 0, 59);
            break;
        case ClockPart::Second:
            t.second = wrap(t.second, 0, 59);
            break;
    }
    t.day = std::min(t.day, daysInMonth(t.year, t.month));
    clock.set(t);
}

void showClockDate(const SettingTarget& t, DisplayFrame& frame, double) {
    const LocalDateTime now = t.clock.now();
    frame.writeDate(now.year, now.month, now.day);
}
void showClockTime(const SettingTarget& t, DisplayFrame& frame, double) {
    const LocalDateTime now = t.clock.now();
    frame.writeTime(now.hour, now.minute, now.second);
}

BlinkCodes digitsBlink(std::uint8_t code) {
    BlinkCodes b;
    b.digits = code;
    return b;
}
BlinkCodes indicatorBlink(std::uint8_t code) {
    BlinkCodes b;
    b.indicator = code;
    return b;
}

struct ItemRow {
    Item item;
    void (*change)(SettingTarget&, int direction);
    void (*show)(const SettingTarget&, DisplayFrame&, double cdPerM2);
    BlinkCodes (*blink)(const SettingTarget&, double cdPerM2);
};

// clang-format off
constexpr std::array<ItemRow, SettingMenu::kItemCount> kRows = {{
    {Item::Unit,
     [](SettingTarget& t, int) {
         t.settings.unit = t.settings.unit == Unit::CdPerM2 ? Unit::FootLambert : Unit::CdPerM2;
     },
     [](const SettingTarget& t, DisplayFrame& f, double cd) {
         showMainReading(f, toUnit(cd, t.settings.unit), t.settings.unit);
     },
     [](const SettingTarget& t, double cd) {
         const bool kilo = formatFourDigits(toUnit(cd, t.settings.unit)).kilo;
         BlinkCodes b;
         if (t.settings.unit == Unit::FootLambert)
             b.unit = kilo ? blink::kKiloFootLambert : blink::kFootLambert;
         else
             b.unit = kilo ? blink::kKiloCandela : blink::kCandela;
         return b;
     }},
    {Item::RangePoint,
     [](SettingTarget& t, int d) {
         t.settings.heldPointAfter = step(kPointChoices, t.settings.heldPointAfter, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double cd) {
         f.light(Annunciator::RangeHold);
         showMainReading(f, toUnit(cd, t.settings.unit), t.settings.unit,
                         t.settings.heldPointAfter);
     },
     [](const SettingTarget& t, double) {
         // A held point after position 1..3 blinks alone: its code is the position.
         BlinkCodes b;
         b.point = t.settings.heldPointAfter < 0
                       ? blink::kAllMainPoints
                       : static_cast<std::uint8_t>(t.settings.heldPointAfter);
         return b;
     }},
    {Item::AutoPowerOff,
     [](SettingTarget& t, int) { t.settings.autoPowerOff = !t.settings.autoPowerOff; },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.write(1, "APO");
         f.light(Annunciator::Apo, t.settings.autoPowerOff);
         showOnOff(f, t.settings.autoPowerOff);
     },
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions11To13); }},
    {Item::Backlight,
     [](SettingTarget& t, int d) {
         t.settings.backlightSeconds = step(kBacklightChoices, t.settings.backlightSeconds, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.write(1, "bLIt");
         showSecondsOrOff(f, t.settings.backlightSeconds);
     },
     [](const SettingTarget& t, double) {
         return digitsBlink(secondsOrOffBlink(t.settings.backlightSeconds));
     }},
    {Item::TimeHold,
     [](SettingTarget& t, int d) {
         t.settings.timeHoldSeconds = step(kTimeHoldChoices, t.settings.timeHoldSeconds, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::TimeHold);
         showSecondsOrOff(f, t.settings.timeHoldSeconds);
     },
     [](const SettingTarget& t, double) {
         BlinkCodes b = indicatorBlink(blink::kTimeHold);
         b.digits = secondsOrOffBlink(t.settings.timeHoldSeconds);
         return b;
     }},
    {Item::Caf,
     [](SettingTarget& t, int d) { t.settings.caf = stepFactor(t.settings.caf, d); },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::Caf);
         f.write(1, factorDigits(t.settings.caf));
         f.mainPoint = MainPoint::After1;
     },
     // The factor's last digit, position 4: one position's code is the position.
     [](const SettingTarget&, double) { return digitsBlink(4); }},
    {Item::Ccf,
     [](SettingTarget& t, int d) { t.settings.ccf = stepFactor(t.settings.ccf, d); },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::Ccf);
         f.write(10, factorDigits(t.settings.ccf));
         f.secondPoint = SecondPoint::After10;
     },
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions10To13); }},
    {Item::HighLimit,
     [](SettingTarget& t, int d) {
         t.settings.highLimit = step(kHighLimits, t.settings.highLimit, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::Cmp);
         f.light(Annunciator::ArrowUp);
         showMainReading(f, toUnit(t.settings.highLimit, t.settings.unit), t.settings.unit);
     },
     [](const SettingTarget&, double) { return indicatorBlink(blink::kArrowUp); }},
    {Item::LowLimit,
     [](SettingTarget& t, int d) {
         t.settings.lowLimit = step(kLowLimits, t.settings.lowLimit, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::Cmp);
         f.light(Annunciator::ArrowDown);
         showMainReading(f, toUnit(t.settings.lowLimit, t.settings.unit), t.settings.unit);
     },
     [](const SettingTarget&, double) { return indicatorBlink(blink::kArrowDown); }},
    {Item::RecordMode,
     [](SettingTarget& t, int) { t.settings.recordUntilStopped = !t.settings.recordUntilStopped; },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.write(1, "rEC");
         f.light(t.settings.recordUntilStopped ? Annunciator::AmrM : Annunciator::AmrA);
     },
     // Only the M of the memory-recording group can blink; A stays steady.
     [](const SettingTarget& t, double) {
         return indicatorBlink(t.settings.recordUntilStopped ? blink::kAmrM : std::uint8_t{0});
     }},
    {Item::SamplingTime,
     [](SettingTarget& t, int d) {
         t.settings.samplingSeconds = step(kSamplingChoices, t.settings.samplingSeconds, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         const int s = t.settings.samplingSeconds;
         f.light(Annunciator::Intv);
         f.light(Annunciator::S);
         f.writeTime(s / 3600, s / 60 % 60, s % 60);
     },
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions10To13); }},
    {Item::RecordingPeriod,
     [](SettingTarget& t, int d) {
         t.settings.recordingPeriod = step(kPeriodChoices, t.settings.recordingPeriod, d);
     },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.light(Annunciator::Cycle);
         f.light(Annunciator::S);
         f.writeNumber(10, 13, t.settings.recordingPeriod);
     },
     [](const SettingTarget&, double) { return indicatorBlink(blink::kCycle); }},
    {Item::Year,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Year, d); },
     showClockDate,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions8And9); }},
    {Item::Month,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Month, d); },
     showClockDate,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions10And11); }},
    {Item::Day,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Day, d); },
     showClockDate,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions12And13); }},
    {Item::Hour,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Hour, d); },
     showClockTime,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions8And9); }},
    {Item::Minute,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Minute, d); },
     showClockTime,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions10And11); }},
    {Item::Second,
     [](SettingTarget& t, int d) { stepClock(t.clock, ClockPart::Second, d); },
     showClockTime,
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions12And13); }},
    {Item::ClearMemory,
     [](SettingTarget& t, int) { t.clearConfirmed = !t.clearConfirmed; },
     [](const SettingTarget& t, DisplayFrame& f, double) {
         f.write(1, "CLr");
         f.write(11, t.clearConfirmed ? "YES" : " no");
     },
     [](const SettingTarget&, double) { return digitsBlink(blink::kPositions11To13); }},
}};
// clang-format on

constexpr bool rowsInItemOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].item) != i) return false;
    return true;
}
static_assert(rowsInItemOrder(), "one row per item, in the order of the round");

const ItemRow& rowOf(Item item) {
    return kRows[static_cast<std::size_t>(item)];
}

}  // namespace

SettingMenu::SettingMenu(MeterSettings& settings, MeterClock& clock, LoggerMemory& memory)
    : target_{settings, clock}, memory_(memory) {}

void SettingMenu::open() {
    open_ = true;
    item_ = Item::Unit;
    target_.clearConfirmed = false;
}

bool SettingMenu::next() {
    leaveItem();
    const int n = static_cast<int>(item_) + 1;
    if (n >= kItemCount) {
        open_ = false;
        return false;
    }
    item_ = static_cast<Item>(n);
    return true;
}

void SettingMenu::close() {
    leaveItem();
    open_ = false;
}

void SettingMenu::leaveItem() {
    if (item_ == Item::ClearMemory && target_.clearConfirmed) memory_.eraseAll();
    target_.clearConfirmed = false;
}

void SettingMenu::change(int direction) {
    rowOf(item_).change(target_, direction);
}

void SettingMenu::show(DisplayFrame& frame, double cdPerM2) const {
    frame.light(Annunciator::Set);
    rowOf(item_).show(target_, frame, cdPerM2);
}

BlinkCodes SettingMenu::blink(double cdPerM2) const {
    return rowOf(item_).blink(target_, cdPerM2);
}

}  // namespace photara::sim
