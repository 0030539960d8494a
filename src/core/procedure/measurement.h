#pragma once

#include <optional>
#include <string>
#include <vector>

namespace photara {

// What a captured point holds: a number, or the meter's word that there is none.
enum class CaptureState {
    Value,
    OverRange,   // the meter showed OL
    BelowRange,  // the meter showed 0: too dark for its range
};

// One reading that went into a capture: seconds (from the point's first reading, or for a
// run-up from the moment the mains failed) and the value in cd/m², none for OL.
struct TimedValue {
    double t = 0;
    std::optional<double> value;
    friend bool operator==(const TimedValue&, const TimedValue&) = default;
};

// How a capture was taken.
enum class CaptureTrigger { Enter, Hold, Auto };

struct Capture {
    std::string point;
    std::string patch;
    CaptureState state = CaptureState::Value;
    double value = 0;  // cd/m², when state is Value
    CaptureTrigger trigger = CaptureTrigger::Enter;
    std::string capturedAt;  // ISO 8601 with its UTC offset
    // Warm-up: seconds from switch-on until stable (none: never stable), and the drift then.
    std::optional<double> timeToStable;
    double driftPercentPerMinute = 0;
    std::vector<TimedValue> readings;
};

// The captures of one run, the latest of each (point, patch) counting.
struct Measurements {
    std::vector<Capture> captures;

    const Capture* find(const std::string& point, const std::string& patch) const;
    // Replaces an earlier capture of the same point and patch (a point measured again).
    void put(Capture capture);
};

std::string_view captureStateText(CaptureState s);   // "value", "over range", "below range"
std::string_view captureTriggerText(CaptureTrigger t);  // "enter", "hold", "auto"

}  // namespace photara
