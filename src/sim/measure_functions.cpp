#include "sim/measure_functions.h"

#include <algorithm>
#include <cmath>

#include "sim/reading_format.h"

namespace photara::sim {

double MeasureFunctions::input() const {
    switch (hold_) {
        case Hold::Hold:
            return held_;
        case Hold::Peak:
            return peak_;
        case Hold::Off:
            break;
    }
    return live_;
}

void MeasureFunctions::sample(double cdPerM2, double seconds) {
    live_ = cdPerM2;
    now_ = seconds;
    peak_ = std::max(peak_, cdPerM2);
    const double value = input();
    if (count_ == 0) {
        max_ = min_ = value;
    } else {
        max_ = std::max(max_, value);
        min_ = std::min(min_, value);
    }
    sum_ += value;
    ++count_;
    if (lastSample_ >= 0 && seconds > lastSample_) accumulated_ += value * (seconds - lastSample_);
    lastSample_ = seconds;
}

void MeasureFunctions::resetStatistics() {
    count_ = 0;
    sum_ = 0;
    accumulated_ = 0;
    accumulateStart_ = now_;
    lastSample_ = now_;
    const double value = input();
    max_ = min_ = value;
    sum_ = value;
    count_ = 1;
}

void MeasureFunctions::setFunction(Function f) {
    function_ = f;
    resetStatistics();
}

void MeasureFunctions::cycleHold() {
    switch (hold_) {
        case Hold::Off:
            hold_ = Hold::Hold;
            held_ = live_;
            break;
        case Hold::Hold:
            hold_ = Hold::Peak;
            peak_ = live_;
            break;
        case Hold::Peak:
            hold_ = Hold::Off;
            break;
    }
}

void MeasureFunctions::cycleMaxMin() {
    switch (function_) {
        case Function::Max:
            function_ = Function::Min;
            break;
        case Function::Min:
            function_ = Function::MaxMinusMin;
            break;
        case Function::MaxMinusMin:
            function_ = Function::Plain;
            break;
        default:
            setFunction(Function::Max);
            break;
    }
}

void MeasureFunctions::toggleAverage() {
    setFunction(function_ == Function::Average ? Function::Plain : Function::Average);
}

void MeasureFunctions::cycleRelative(bool toStoredRef) {
    switch (function_) {
        case Function::Delta:
            function_ = Function::Percent;
            break;
        case Function::Percent:
            function_ = Function::Plain;
            break;
        default:
            relativeRef_ = toStoredRef && ref_ ? *ref_ : input();
            setFunction(Function::Delta);
            break;
    }
}

void MeasureFunctions::storeRef() {
    ref_ = input();
}

void MeasureFunctions::toggleAccumulate() {
    setFunction(function_ == Function::Accumulate ? Function::Plain : Function::Accumulate);
}

void MeasureFunctions::toggleCompare() {
    setFunction(function_ == Function::Compare ? Function::Plain : Function::Compare);
}

void MeasureFunctions::storeA() {
    a_ = input();
    setFunction(Function::ShowA);
}

void MeasureFunctions::pressB() {
    switch (function_) {
        case Function::ShowB:
            if (a_) function_ = Function::AOverB;
            break;
        case Function::AOverB:
            function_ = Function::BMinusA;
            break;
        case Function::BMinusA:
            function_ = Function::PercentOfA;
            break;
        case Function::PercentOfA:
            function_ = Function::ShowB;
            break;
        default:
            b_ = input();
            setFunction(Function::ShowB);
            break;
    }
}

void MeasureFunctions::clear() {
    function_ = Function::Plain;
    hold_ = Hold::Off;
    a_.reset();
    b_.reset();
}

void MeasureFunctions::show(DisplayFrame& frame, Unit unit, int heldPointAfter, double highLimit,
                            double lowLimit) const {
    const double value = input();
    auto reading = [&](double cdPerM2) {
        showMainReading(frame, toUnit(cdPerM2, unit), unit, heldPointAfter);
    };
    auto plainNumber = [&](double n) { showMainReading(frame, n, Unit::None); };
    auto ratio = [](double num, double den) { return den != 0 ? num / den : 0.0; };
    frame.light(Annunciator::Hold, hold_ == Hold::Hold);
    frame.light(Annunciator::Peak, hold_ == Hold::Peak);
    switch (function_) {
        case Function::Plain:
            reading(value);
            break;
        case Function::Max:
            frame.light(Annunciator::Max);
            reading(max_);
            break;
        case Function::Min:
            frame.light(Annunciator::Min);
            reading(min_);
            break;
        case Function::MaxMinusMin:
            frame.light(Annunciator::Max);
            frame.light(Annunciator::MaxMinDash);
            frame.light(Annunciator::Min);
            reading(max_ - min_);
            break;
        case Function::Average:
            frame.light(Annunciator::Average);
            reading(count_ > 0 ? sum_ / static_cast<double>(count_) : value);
            break;
        case Function::Delta:
            frame.light(Annunciator::Delta);
            frame.light(Annunciator::Plus, value >= relativeRef_);
            reading(value - relativeRef_);
            break;
        case Function::Percent:
            frame.light(Annunciator::Delta);
            frame.percent = true;
            plainNumber(100.0 * ratio(value, relativeRef_));
            break;
        case Function::Accumulate: {
            frame.light(Annunciator::Acc);
            frame.light(unit == Unit::FootLambert ? Annunciator::DotH2 : Annunciator::DotH1);
            frame.smallH = true;
            const double hours = std::max(now_ - accumulateStart_, 0.0) / 3600.0;
            frame.writeNumber(5, 7, static_cast<long long>(hours));
            showMainReading(frame, toUnit(accumulated_ / 3600.0, unit), unit);
            break;
        }
        case Function::Compare:
            frame.light(Annunciator::Cmp);
            frame.light(Annunciator::ArrowUp, value > highLimit);
            frame.light(Annunciator::ArrowDown, value < lowLimit);
            reading(value);
            break;
        case Function::ShowA:
            frame.light(Annunciator::A);
            reading(a_.value_or(0));
            break;
        case Function::ShowB:
            frame.light(Annunciator::B);
            reading(b_.value_or(0));
            break;
        case Function::AOverB:
            frame.light(Annunciator::AOverB);
            plainNumber(ratio(a_.value_or(0), b_.value_or(0)));
            break;
        case Function::BMinusA:
            frame.light(Annunciator::BMinusA);
            frame.light(Annunciator::Plus, b_.value_or(0) >= a_.value_or(0));
            reading(b_.value_or(0) - a_.value_or(0));
            break;
        case Function::PercentOfA:
            frame.light(Annunciator::PercentA);
            frame.percent = true;
            plainNumber(100.0 * ratio(b_.value_or(0), a_.value_or(0)));
            break;
    }
}

}  // namespace photara::sim
