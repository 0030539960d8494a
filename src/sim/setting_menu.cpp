#include "sim/setting_menu.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "sim/calendar.h"
#include "sim/reading_format.h"

namespace photara::sim {
namespace {

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

// Seconds in positions 12..13, or OFF for 0; the blink code that covers what is shown.
std::uint8_t showSecondsOrOff(DisplayFrame& frame, int seconds) {
    if (seconds == 0) {
        frame.write(11, "OFF");
        return 64;
    }
    frame.writeNumber(12, 13, seconds, true);
    return 48;
}

void showTime(DisplayFrame& frame, const LocalDateTime& t) {
    frame.writeNumber(8, 9, t.hour, true);
    frame.writeNumber(10, 11, t.minute, true);
    frame.writeNumber(12, 13, t.second, true);
    frame.separator1 = frame.separator2 = Separator::Colon;
    frame.light(Annunciator::Hms);
}

void showDate(DisplayFrame& frame, const LocalDateTime& t) {
    frame.writeNumber(8, 9, t.year % 100, true);
    frame.writeNumber(10, 11, t.month, true);
    frame.writeNumber(12, 13, t.day, true);
    frame.separator1 = frame.separator2 = Separator::Slash;
    frame.light(Annunciator::Ymd);
}

// A factor 0.800..1.200 as "1.000" in four digits.
std::string factorDigits(double factor) {
    return formatFourDigits(factor).digits;
}

}  // namespace

SettingMenu::SettingMenu(MeterSettings& settings, MeterClock& clock, LoggerMemory& memory)
    : settings_(settings), clock_(clock), memory_(memory) {}

void SettingMenu::open() {
    open_ = true;
    item_ = Item::Unit;
    clearConfirmed_ = false;
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
    if (item_ == Item::ClearMemory && clearConfirmed_) memory_.eraseAll();
    clearConfirmed_ = false;
}

void SettingMenu::change(int direction) {
    MeterSettings& s = settings_;
    switch (item_) {
        case Item::Unit:
            s.unit = s.unit == Unit::CdPerM2 ? Unit::FootLambert : Unit::CdPerM2;
            break;
        case Item::RangePoint:
            s.heldPointAfter = step(kPointChoices, s.heldPointAfter, direction);
            break;
        case Item::AutoPowerOff:
            s.autoPowerOff = !s.autoPowerOff;
            break;
        case Item::Backlight:
            s.backlightSeconds = step(kBacklightChoices, s.backlightSeconds, direction);
            break;
        case Item::TimeHold:
            s.timeHoldSeconds = step(kTimeHoldChoices, s.timeHoldSeconds, direction);
            break;
        case Item::Caf:
            s.caf = std::clamp(std::round(s.caf * 1000 + direction) / 1000, 0.8, 1.2);
            break;
        case Item::Ccf:
            s.ccf = std::clamp(std::round(s.ccf * 1000 + direction) / 1000, 0.8, 1.2);
            break;
        case Item::HighLimit:
            s.highLimit = step(kHighLimits, s.highLimit, direction);
            break;
        case Item::LowLimit:
            s.lowLimit = step(kLowLimits, s.lowLimit, direction);
            break;
        case Item::RecordMode:
            s.recordUntilStopped = !s.recordUntilStopped;
            break;
        case Item::SamplingTime:
            s.samplingSeconds = step(kSamplingChoices, s.samplingSeconds, direction);
            break;
        case Item::RecordingPeriod:
            s.recordingPeriod = step(kPeriodChoices, s.recordingPeriod, direction);
            break;
        case Item::Year:
        case Item::Month:
        case Item::Day:
        case Item::Hour:
        case Item::Minute:
        case Item::Second:
            changeClock(direction);
            break;
        case Item::ClearMemory:
            clearConfirmed_ = !clearConfirmed_;
            break;
    }
}

void SettingMenu::changeClock(int direction) {
    LocalDateTime t = clock_.now();
    auto wrap = [direction](int value, int low, int high) {
        const int n = high - low + 1;
        return ((value - low + direction) % n + n) % n + low;
    };
    switch (item_) {
        case Item::Year:
            t.year = wrap(t.year, 2000, 2099);
            break;
        case Item::Month:
            t.month = wrap(t.month, 1, 12);
            break;
        case Item::Day:
            t.day = wrap(t.day, 1, daysInMonth(t.year, t.month));
            break;
        case Item::Hour:
            t.hour = wrap(t.hour, 0, 23);
            break;
        case Item::Minute:
            t.minute = wrap(t.minute, 0, 59);
            break;
        case Item::Second:
            t.second = wrap(t.second, 0, 59);
            break;
        default:
            return;
    }
    t.day = std::min(t.day, daysInMonth(t.year, t.month));
    clock_.set(t);
}

void SettingMenu::show(DisplayFrame& frame, double cdPerM2) const {
    const MeterSettings& s = settings_;
    frame.light(Annunciator::Set);
    switch (item_) {
        case Item::Unit:
            showMainReading(frame, toUnit(cdPerM2, s.unit), s.unit);
            break;
        case Item::RangePoint:
            frame.light(Annunciator::RangeHold);
            showMainReading(frame, toUnit(cdPerM2, s.unit), s.unit, s.heldPointAfter);
            break;
        case Item::AutoPowerOff:
            frame.write(1, "APO");
            frame.light(Annunciator::Apo, s.autoPowerOff);
            showOnOff(frame, s.autoPowerOff);
            break;
        case Item::Backlight:
            frame.write(1, "bLIt");
            showSecondsOrOff(frame, s.backlightSeconds);
            break;
        case Item::TimeHold:
            frame.light(Annunciator::TimeHold);
            showSecondsOrOff(frame, s.timeHoldSeconds);
            break;
        case Item::Caf:
            frame.light(Annunciator::Caf);
            frame.write(1, factorDigits(s.caf));
            frame.mainPoint = MainPoint::After1;
            break;
        case Item::Ccf:
            frame.light(Annunciator::Ccf);
            frame.write(10, factorDigits(s.ccf));
            frame.secondPoint = SecondPoint::After10;
            break;
        case Item::HighLimit:
        case Item::LowLimit: {
            const bool high = item_ == Item::HighLimit;
            frame.light(Annunciator::Cmp);
            frame.light(high ? Annunciator::ArrowUp : Annunciator::ArrowDown);
            showMainReading(frame, toUnit(high ? s.highLimit : s.lowLimit, s.unit), s.unit);
            break;
        }
        case Item::RecordMode:
            frame.write(1, "rEC");
            frame.light(s.recordUntilStopped ? Annunciator::AmrM : Annunciator::AmrA);
            break;
        case Item::SamplingTime: {
            frame.light(Annunciator::Intv);
            frame.light(Annunciator::S);
            LocalDateTime t;
            t.hour = s.samplingSeconds / 3600;
            t.minute = s.samplingSeconds / 60 % 60;
            t.second = s.samplingSeconds % 60;
            showTime(frame, t);
            break;
        }
        case Item::RecordingPeriod:
            frame.light(Annunciator::Cycle);
            frame.light(Annunciator::S);
            frame.writeNumber(10, 13, s.recordingPeriod);
            break;
        case Item::Year:
        case Item::Month:
        case Item::Day:
            showDate(frame, clock_.now());
            break;
        case Item::Hour:
        case Item::Minute:
        case Item::Second:
            showTime(frame, clock_.now());
            break;
        case Item::ClearMemory:
            frame.write(1, "CLr");
            frame.write(11, clearConfirmed_ ? "YES" : " no");
            break;
    }
}

BlinkCodes SettingMenu::blink(double cdPerM2) const {
    const MeterSettings& s = settings_;
    BlinkCodes b;
    switch (item_) {
        case Item::Unit: {
            const bool kilo = formatFourDigits(toUnit(cdPerM2, s.unit)).kilo;
            b.unit = s.unit == Unit::FootLambert ? (kilo ? 48 : 16) : (kilo ? 3 : 1);
            break;
        }
        case Item::RangePoint:
            b.point = static_cast<std::uint8_t>(s.heldPointAfter < 0 ? 5 : s.heldPointAfter);
            break;
        case Item::AutoPowerOff:
            b.digits = 64;
            break;
        case Item::Backlight:
            b.digits = s.backlightSeconds == 0 ? 64 : 48;
            break;
        case Item::TimeHold:
            b.indicator = 32;
            b.digits = s.timeHoldSeconds == 0 ? 64 : 48;
            break;
        case Item::Caf:
            b.digits = 4;
            break;
        case Item::Ccf:
            b.digits = 80;
            break;
        case Item::HighLimit:
            b.indicator = 2;
            break;
        case Item::LowLimit:
            b.indicator = 1;
            break;
        case Item::RecordMode:
            b.indicator = s.recordUntilStopped ? 64 : 0;
            break;
        case Item::SamplingTime:
            b.digits = 80;
            break;
        case Item::RecordingPeriod:
            b.indicator = 16;
            break;
        case Item::Year:
        case Item::Hour:
            b.digits = 16;
            break;
        case Item::Month:
        case Item::Minute:
            b.digits = 32;
            break;
        case Item::Day:
        case Item::Second:
            b.digits = 48;
            break;
        case Item::ClearMemory:
            b.digits = 64;
            break;
    }
    return b;
}

}  // namespace photara::sim
