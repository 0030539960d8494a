#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/common/local_time.h"
#include "core/procedure/measurement.h"
#include "core/procedure/reading_input.h"
#include "core/procedure/recipe.h"
#include "core/series/stability.h"

namespace photara {

enum class CaptureMode { Enter, Hold, Auto };

std::optional<CaptureMode> captureModeFromText(std::string_view text);  // "enter", "hold", "auto"
std::string_view captureModeText(CaptureMode mode);

// Takes the points of a procedure one after another. A pure state machine: it is fed the
// polls (seconds, what the meter showed) and the user's events, and never waits or reads a
// device, so a person at the screen and a scene in the virtual meter drive it alike.
//
// A spot point is taken by Enter (the reading shown), by HOLD lighting on the meter (the held
// reading), or automatically: after a step change (the aim moved) the reading settles, and
// the mean of the stable window is taken. OL and below range are taken as such, never as a
// number. A run-up point records from the moment the user marks the mains failure until
// runUpSeconds later (marked by Enter: HOLD would freeze the readings it needs); a warm-up
// point from its first reading until stable. Every capture
// keeps the readings it came from.
class CaptureRunner {
  public:
    struct Settings {
        CaptureMode mode = CaptureMode::Enter;
        StabilityCriteria stability = *stabilityPreset("spot");
        double runUpSeconds = 65;        // recorded after the mark
        std::size_t keptReadings = 2400; // per spot point: the latest, 10 min at 4 a second
    };

    // recipe and clock must outlive the runner; steps come from stepsOf(recipe, …) (a step
    // naming a point the recipe lacks is never taken).
    CaptureRunner(std::vector<Step> steps, const Recipe& recipe, Settings settings, const Clock& clock);

    // One poll. Returns true when it took a point.
    bool onReading(double t, const ReadingInput& in);
    // Enter: takes the current spot point (false with the reason when there is nothing to
    // take), marks the mains failure of a run-up point, or ends a run-up or warm-up early.
    bool enter(std::string& why);
    // Measures step k again; the steps after it that were taken stay taken.
    bool redo(std::size_t k);

    bool done() const { return current_ >= steps_.size(); }
    std::size_t current() const { return current_; }
    const std::vector<Step>& steps() const { return steps_; }
    const Point* currentPoint() const;
    // Waiting for the mark of the mains failure (a run-up point before Enter).
    bool awaitingMark() const;
    const StabilityStatus& stability() const { return detector_.status(); }
    const Measurements& measurements() const { return measurements_; }
    // What the last poll showed.
    const ReadingInput& last() const { return last_; }

  private:
    void startPoint();
    bool take(CaptureState state, double value, CaptureTrigger trigger);
    bool finishTimed(CaptureTrigger trigger);
    void advance();

    std::vector<Step> steps_;
    const Recipe& recipe_;
    Settings settings_;
    const Clock& clock_;
    StabilityDetector detector_;
    Measurements measurements_;
    std::size_t current_ = 0;
    ReadingInput last_;
    std::optional<double> lastT_;
    bool holdWasLit_ = true;  // a HOLD already lit at the start is no press
    bool armed_ = true;       // auto: the first point needs no step
    std::optional<double> pointStart_;
    std::optional<double> mark_;        // run-up: the mains failure
    std::optional<double> wordSince_;   // auto: since when OL / below range
    std::vector<TimedValue> readings_;
};

}  // namespace photara
