#include "core/procedure/measurement.h"

namespace photara {

const Capture* Measurements::find(const std::string& point, const std::string& patch) const {
    for (const auto& c : captures) {
        if (c.point == point && c.patch == patch) return &c;
    }
    return nullptr;
}

void Measurements::put(Capture capture) {
    for (auto& c : captures) {
        if (c.point == capture.point && c.patch == capture.patch) {
            c = std::move(capture);
            return;
        }
    }
    captures.push_back(std::move(capture));
}

std::string_view captureStateText(CaptureState s) {
    switch (s) {
        case CaptureState::Value: return "value";
        case CaptureState::OverRange: return "over range";
        case CaptureState::BelowRange: return "below range";
    }
    return "value";
}

std::string_view captureTriggerText(CaptureTrigger t) {
    switch (t) {
        case CaptureTrigger::Enter: return "enter";
        case CaptureTrigger::Hold: return "hold";
        case CaptureTrigger::Auto: return "auto";
    }
    return "enter";
}

}  // namespace photara
