#include "sim/front_panel.h"

#include <algorithm>
#include <cmath>

#include "sim/key_codes.h"
#include "sim/reading_format.h"
#include "sim/scene.h"

namespace photara::sim {
namespace {

constexpr double kMessageSeconds = 2.0;
constexpr double kSecondsPerBatteryStep = 8 * 3600.0;  // five bars last 40 hours

}  // namespace

FrontPanel::FrontPanel(MeterClock& clock, MeterSettings& settings, LoggerMemory& memory)
    : clock_(clock),
      settings_(settings),
      memory_(memory),
      recorder_(clock, settings, memory, &sceneLuminance),
      menu_(settings, clock, memory) {}

double FrontPanel::luminance() const {
    return light_ ? light_(clock_.runningSeconds()) : sceneLuminance(clock_.runningSeconds());
}

FrontPanel::Mode FrontPanel::mode() const {
    if (displayTest_) return Mode::DisplayTest;
    if (menu_.isOpen()) return Mode::Setting;
    if (readPage_ >= 0) return Mode::Read;
    return Mode::Measure;
}

void FrontPanel::press(std::uint8_t key) {
    recorder_.update();
    if (key == static_cast<std::uint8_t>(Key::DisplayTest)) {
        displayTest_ = !displayTest_;
        return;
    }
    displayTest_ = false;  // any other key ends the test
    switch (mode()) {
        case Mode::Setting:
            pressInMenu(key);
            return;
        case Mode::Read:
            pressInRead(key);
            return;
        case Mode::Measure:
        case Mode::DisplayTest:
            pressInMeasure(key);
            return;
    }
}

void FrontPanel::pressInMenu(std::uint8_t key) {
    switch (static_cast<Key>(key)) {
        case Key::Set:
            menu_.close();
            break;
        case Key::Enter:
            menu_.next();
            break;
        case Key::Time:
            menu_.change(+1);
            break;
        case Key::Hold:
            menu_.change(-1);
            break;
        default:
            break;
    }
}

void FrontPanel::pressInRead(std::uint8_t key) {
    switch (static_cast<Key>(key)) {
        case Key::Read:
            readPage_ = readPage_ >= memory_.setCount() ? 0 : readPage_ + 1;
            break;
        case Key::Enter:
            readPage_ = -1;
            break;
        case Key::Set:
            readPage_ = -1;
            menu_.open();
            break;
        case Key::Mem:
            readPage_ = -1;
            toggleRecording();
            break;
        default:
            break;
    }
}

void FrontPanel::pressInMeasure(std::uint8_t key) {
    switch (static_cast<Key>(key)) {
        case Key::Light:
            backlight_ = !backlight_;
            say({"bLIt", 11, backlight_ ? " 0n" : "OFF"});
            break;
        case Key::Range:
            rangeHold_ = !rangeHold_;
            if (rangeHold_) {
                const FourDigits f = formatFourDigits(toUnit(functions_.input(), settings_.unit));
                settings_.heldPointAfter = f.kilo ? 0 : f.pointAfter;
            } else {
                functions_.clearRef();
            }
            break;
        case Key::MaxMin:
            functions_.cycleMaxMin();
            break;
        case Key::Set:
            menu_.open();
            break;
        case Key::Hold:
            functions_.cycleHold();
            break;
        case Key::Relative:
            functions_.cycleRelative(false);
            break;
        case Key::Enter:
            functions_.clear();
            break;
        case Key::Time:
            showDate_ = !showDate_;
            break;
        case Key::Mem:
            toggleRecording();
            break;
        case Key::Read:
            readPage_ = 0;
            break;
        case Key::A:
            functions_.storeA();
            break;
        case Key::B:
            functions_.pressB();
            break;
        case Key::Zero:
            say({"0000", 0, {}, -1, true});
            break;
        case Key::Cmp:
            functions_.toggleCompare();
            break;
        case Key::RelativeToRef:
            functions_.cycleRelative(true);
            break;
        case Key::Ref:
            if (rangeHold_) functions_.storeRef();
            break;
        case Key::Average:
            functions_.toggleAverage();
            break;
        case Key::Acc:
            functions_.toggleAccumulate();
            break;
        default:
            break;  // keys this meter doesn't have
    }
}

void FrontPanel::toggleRecording() {
    if (recorder_.recording()) {
        recorder_.stop();
        say({"    ", 0, {}, memory_.setCount()});
    } else if (recorder_.start()) {
        say({"StAr", 0, {}});
    } else {
        say({"    ", 10, "Full"});
    }
}

void FrontPanel::say(Message message) {
    message.until = clock_.runningSeconds() + kMessageSeconds;
    message_ = std::move(message);
}

DisplayFrame FrontPanel::display() {
    recorder_.update();
    functions_.sample(luminance(), clock_.runningSeconds());
    if (displayTest_) return displayTest();
    DisplayFrame frame;
    showCommon(frame);
    if (menu_.isOpen()) {
        menu_.show(frame, luminance());
        return frame;
    }
    if (readPage_ >= 0) {
        showRead(frame);
        return frame;
    }
    functions_.show(frame, settings_.unit, rangeHold_ ? settings_.heldPointAfter : -1,
                    settings_.highLimit, settings_.lowLimit);
    frame.light(Annunciator::RangeHold, rangeHold_);
    frame.light(Annunciator::Ref, rangeHold_ && functions_.refStored());
    frame.light(Annunciator::TimeHold, settings_.timeHoldSeconds > 0);
    showSmallDigits(frame);
    showMessage(frame);
    return frame;
}

void FrontPanel::showCommon(DisplayFrame& frame) const {
    frame.light(Annunciator::Usb);
    frame.light(Annunciator::Apo, settings_.autoPowerOff);
    frame.battery = battery();
    frame.light(Annunciator::L, frame.battery <= kBatteryEmpty + 1);
    if (recorder_.recording()) {
        frame.light(Annunciator::Rec);
        frame.light(settings_.recordUntilStopped ? Annunciator::AmrM : Annunciator::AmrA);
        // Each logged reading is then the average over the sampling time.
        frame.light(Annunciator::Cycle, settings_.samplingSeconds > 1);
        frame.light(Annunciator::Average2, settings_.samplingSeconds > 1);
    }
}

std::uint8_t FrontPanel::battery() const {
    const double steps = std::floor(clock_.runningSeconds() / kSecondsPerBatteryStep);
    return static_cast<std::uint8_t>(kBatteryFull - std::min(steps, 5.0));
}

void FrontPanel::showSmallDigits(DisplayFrame& frame) const {
    const LocalDateTime t = clock_.now();
    if (showDate_)
        frame.writeDate(t.year, t.month, t.day);
    else
        frame.writeTime(t.hour, t.minute, t.second);
}

namespace {

// A count is a whole number ("120", not "120.0"); one too long for four digits shows in
// thousands with the K legend.
void showSetCount(DisplayFrame& frame, long long count) {
    if (count > 9999) {
        showMainReading(frame, static_cast<double>(count), Unit::None);
        return;
    }
    frame.writeNumber(1, 4, count);
    frame.mainPoint = MainPoint::None;
    frame.kilo = false;
    frame.unit = Unit::None;
}

}  // namespace

void FrontPanel::showRead(DisplayFrame& frame) const {
    frame.light(Annunciator::AmrR);
    frame.light(Annunciator::No);
    if (readPage_ == 0) {
        frame.writeNumber(5, 7, memory_.setCount());
        const double capacity =
            static_cast<double>(std::max<std::uint64_t>(memory_.capacityKiB(), 1));
        showMainReading(frame, 100.0 * static_cast<double>(memory_.usedKiB()) / capacity,
                        Unit::None);
        frame.percent = true;
        if (memory_.full()) frame.write(10, "Full");
        return;
    }
    const int index = std::min(readPage_, memory_.setCount()) - 1;
    frame.writeNumber(5, 7, readPage_);
    if (index < 0) return;
    const DataSetRecipe& recipe = memory_.recipe(index);
    showSetCount(frame, recipe.samples);
    frame.writeTime(recipe.start.hour, recipe.start.minute, recipe.start.second);
}

void FrontPanel::showMessage(DisplayFrame& frame) const {
    if (clock_.runningSeconds() >= message_.until) return;
    frame.write(1, message_.main);
    frame.mainPoint = MainPoint::None;
    frame.kilo = false;
    frame.unit = Unit::None;
    if (message_.smallFirst > 0) {
        frame.blank(8, 13);
        frame.separator1 = frame.separator2 = Separator::None;
        frame.light(Annunciator::Hms, false);
        frame.light(Annunciator::Ymd, false);
        frame.write(message_.smallFirst, message_.small);
    }
    if (message_.number >= 0) {
        frame.light(Annunciator::No);
        frame.writeNumber(5, 7, message_.number);
    }
    if (message_.zero) {
        frame.light(Annunciator::Zero);
        frame.mainPoint = MainPoint::After1;
        frame.unit = settings_.unit;
    }
}

DisplayFrame FrontPanel::displayTest() const {
    // Every segment on, alternating what can't be lit together once a second; the battery
    // gauge counts through its steps.
    const auto second = static_cast<long long>(std::floor(clock_.runningSeconds()));
    DisplayFrame frame;
    frame.characters.fill(8);
    frame.annunciators.set();
    frame.mainPoint = MainPoint::All;
    frame.kilo = true;
    frame.unit = second % 2 == 0 ? Unit::CdPerM2 : Unit::FootLambert;
    frame.separator1 = frame.separator2 = second % 2 == 0 ? Separator::Colon : Separator::Slash;
    frame.secondPoint = static_cast<SecondPoint>(1 + second % 3);
    frame.battery = static_cast<std::uint8_t>(kBatteryEmpty + second % 6);
    frame.percent = true;
    frame.smallH = true;
    return frame;
}

BlinkCodes FrontPanel::blink() const {
    return menu_.isOpen() ? menu_.blink(luminance()) : BlinkCodes{};
}

}  // namespace photara::sim
