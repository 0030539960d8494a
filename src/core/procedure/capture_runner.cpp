#include "core/procedure/capture_runner.h"

namespace photara {

std::optional<CaptureMode> captureModeFromText(std::string_view text) {
    if (text == "enter") return CaptureMode::Enter;
    if (text == "hold") return CaptureMode::Hold;
    if (text == "auto") return CaptureMode::Auto;
    return std::nullopt;
}

std::string_view captureModeText(CaptureMode mode) {
    switch (mode) {
        case CaptureMode::Enter: return "enter";
        case CaptureMode::Hold: return "hold";
        case CaptureMode::Auto: return "auto";
    }
    return "enter";
}

CaptureRunner::CaptureRunner(std::vector<Step> steps, const Recipe& recipe, Settings settings,
                             const Clock& clock)
    : steps_(std::move(steps)), recipe_(recipe), settings_(std::move(settings)), clock_(clock),
      detector_(settings_.stability) {
    startPoint();
    armed_ = true;
}

const Point* CaptureRunner::currentPoint() const {
    return done() ? nullptr : recipe_.point(steps_[current_].point);
}

bool CaptureRunner::awaitingMark() const {
    const Point* p = currentPoint();
    return p && p->capture == PointCapture::RunUp && !mark_;
}

void CaptureRunner::startPoint() {
    readings_.clear();
    pointStart_.reset();
    mark_.reset();
    wordSince_.reset();
    armed_ = false;
    const Point* p = currentPoint();
    // Warm-up is timed from its own first reading.
    if (p && p->capture == PointCapture::WarmUp) detector_.reset();
}

void CaptureRunner::advance() {
    current_ = steps_.size();
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (!measurements_.find(steps_[i].point, steps_[i].patch)) {
            current_ = i;
            break;
        }
    }
    startPoint();
}

bool CaptureRunner::redo(std::size_t k) {
    if (k >= steps_.size()) return false;
    current_ = k;
    startPoint();
    return true;
}

bool CaptureRunner::take(CaptureState state, double value, CaptureTrigger trigger) {
    Capture c;
    c.point = steps_[current_].point;
    c.patch = steps_[current_].patch;
    c.state = state;
    c.value = state == CaptureState::Value ? value : 0;
    c.trigger = trigger;
    c.capturedAt = iso8601(clock_.zonedNow());
    c.readings = std::move(readings_);
    measurements_.put(std::move(c));
    advance();
    return true;
}

bool CaptureRunner::finishTimed(CaptureTrigger trigger) {
    const Point* p = currentPoint();
    Capture c;
    c.point = steps_[current_].point;
    c.patch = steps_[current_].patch;
    c.trigger = trigger;
    c.capturedAt = iso8601(clock_.zonedNow());
    if (p->capture == PointCapture::WarmUp) {
        const StabilityStatus& s = detector_.status();
        c.timeToStable = s.timeToStable;
        c.driftPercentPerMinute = s.driftPercentPerMinute;
        c.value = s.state == StabilityState::Stable ? s.windowMean : last_.cdPerM2;
    } else {
        c.value = last_.cdPerM2;
    }
    if (last_.kind == ReadingInput::Kind::OverRange) c.state = CaptureState::OverRange;
    if (last_.kind == ReadingInput::Kind::BelowRange) c.state = CaptureState::BelowRange;
    if (last_.kind != ReadingInput::Kind::Luminance && c.state == CaptureState::Value) {
        // Ended on no reading: the last value recorded stands.
        c.value = 0;
        for (auto it = readings_.rbegin(); it != readings_.rend(); ++it) {
            if (it->value) {
                c.value = *it->value;
                break;
            }
        }
    }
    c.readings = std::move(readings_);
    measurements_.put(std::move(c));
    advance();
    return true;
}

bool CaptureRunner::onReading(double t, const ReadingInput& in) {
    if (done() || !currentPoint()) return false;
    const ReadingInput::Kind before = last_.kind;
    last_ = in;
    lastT_ = t;
    if (!pointStart_) pointStart_ = t;
    const bool edge = in.hold && !holdWasLit_;
    holdWasLit_ = in.hold;
    const bool measured = in.kind == ReadingInput::Kind::Luminance ||
                          in.kind == ReadingInput::Kind::OverRange ||
                          in.kind == ReadingInput::Kind::BelowRange;
    const Point& p = *currentPoint();

    if (measured && (p.capture != PointCapture::RunUp || mark_)) {
        const double origin = p.capture == PointCapture::RunUp ? *mark_ : *pointStart_;
        readings_.push_back({t - origin, in.value()});
        if (p.capture == PointCapture::Spot && readings_.size() > 2 * settings_.keptReadings) {
            readings_.erase(readings_.begin(), readings_.end() - static_cast<std::ptrdiff_t>(settings_.keptReadings));
        }
    }
    const StabilityStatus& s = detector_.add(t, in.value());
    // The aim moved: a step, or a value after OL (or the other way round).
    const bool wordNow = in.kind == ReadingInput::Kind::OverRange || in.kind == ReadingInput::Kind::BelowRange;
    const bool wordBefore = before == ReadingInput::Kind::OverRange || before == ReadingInput::Kind::BelowRange;
    if (s.step || (measured && wordNow != wordBefore && before != ReadingInput::Kind::None)) armed_ = true;

    switch (p.capture) {
        case PointCapture::RunUp:
            // Marked by Enter only: HOLD would freeze the very readings the run-up needs.
            if (mark_ && t - *mark_ >= settings_.runUpSeconds) {
                return finishTimed(settings_.mode == CaptureMode::Hold ? CaptureTrigger::Hold : CaptureTrigger::Auto);
            }
            return false;
        case PointCapture::WarmUp:
            if (s.state == StabilityState::Stable) return finishTimed(CaptureTrigger::Auto);
            return false;
        case PointCapture::Spot: break;
    }

    if (settings_.mode == CaptureMode::Hold && edge) {
        if (in.kind == ReadingInput::Kind::Luminance) return take(CaptureState::Value, in.cdPerM2, CaptureTrigger::Hold);
        if (in.kind == ReadingInput::Kind::OverRange) return take(CaptureState::OverRange, 0, CaptureTrigger::Hold);
        if (in.kind == ReadingInput::Kind::BelowRange) return take(CaptureState::BelowRange, 0, CaptureTrigger::Hold);
        return false;
    }
    if (settings_.mode != CaptureMode::Auto) return false;
    if (wordNow) {
        if (!wordSince_ || !wordBefore) wordSince_ = t;
        if (armed_ && t - *wordSince_ >= settings_.stability.windowSeconds) {
            return take(in.kind == ReadingInput::Kind::OverRange ? CaptureState::OverRange : CaptureState::BelowRange,
                        0, CaptureTrigger::Auto);
        }
        return false;
    }
    wordSince_.reset();
    if (armed_ && s.state == StabilityState::Stable) return take(CaptureState::Value, s.windowMean, CaptureTrigger::Auto);
    return false;
}

bool CaptureRunner::enter(std::string& why) {
    if (done() || !currentPoint()) {
        why = "every point is taken";
        return false;
    }
    const Point& p = *currentPoint();
    if (p.capture == PointCapture::RunUp) {
        if (!mark_) {
            mark_ = lastT_.value_or(0);
            readings_.clear();
            if (last_.kind != ReadingInput::Kind::None) readings_.push_back({0, last_.value()});
            return true;
        }
        return finishTimed(CaptureTrigger::Enter);
    }
    if (p.capture == PointCapture::WarmUp) return finishTimed(CaptureTrigger::Enter);
    switch (last_.kind) {
        case ReadingInput::Kind::Luminance: return take(CaptureState::Value, last_.cdPerM2, CaptureTrigger::Enter);
        case ReadingInput::Kind::OverRange: return take(CaptureState::OverRange, 0, CaptureTrigger::Enter);
        case ReadingInput::Kind::BelowRange: return take(CaptureState::BelowRange, 0, CaptureTrigger::Enter);
        case ReadingInput::Kind::NotLuminance:
            why = "the meter shows no luminance (a difference, a ratio or an accumulation): return it to cd/m2 or fL";
            return false;
        case ReadingInput::Kind::None: why = "no reading from the meter yet"; return false;
    }
    return false;
}

}  // namespace photara
