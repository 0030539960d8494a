#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace photara {

// When a luminance counts as stable: the readings of the last windowSeconds agree within
// tolerancePercent of their mean (max − min), seen over a whole window of at least
// minReadings. A change between successive readings above stepPercent is a step: the aim or
// the field changed, and settling starts again.
struct StabilityCriteria {
    std::string name;
    double windowSeconds = 1;
    double tolerancePercent = 0.5;
    double stepPercent = 2;
    std::size_t minReadings = 3;
};

// "spot": successive readings agree within 2 %, then the last second within 0.5 %.
// "display-warm-up": at most 0.5 % change over 60 s. Nothing for another name.
std::optional<StabilityCriteria> stabilityPreset(std::string_view name);
std::vector<std::string> stabilityPresetNames();
// A custom window and tolerance; a step is four times the tolerance.
StabilityCriteria customStability(double windowSeconds, double tolerancePercent);
// A preset's name, or "custom:<window s>,<tolerance %>" ("custom:30,0.2"); nothing otherwise.
std::optional<StabilityCriteria> stabilityFromText(std::string_view text);

enum class StabilityState {
    NoReading,  // no luminance reading (another kind, OL, a word, the meter away): waiting
    Settling,   // not yet stable since the start or the last step
    Stable,
    Drifting,   // was stable, has left the tolerance without a step
};

std::string_view stabilityStateText(StabilityState s);  // "no reading", "settling", …

struct StabilityStatus {
    StabilityState state = StabilityState::NoReading;
    bool step = false;                  // this reading was a step change
    std::optional<double> firstReading; // the first reading since reset: the clock starts here
    std::optional<double> stableFrom;   // the start of the first stable window since reset
    std::optional<double> timeToStable; // stableFrom − the first reading since reset
    double driftPercentPerMinute = 0;   // least-squares slope over the window, % of its mean
    double windowMean = 0;
    double spreadPercent = 0;           // (max − min) over the window, % of its mean
    std::size_t windowCount = 0;
};

// Decides from the live readings whether the luminance is stable. Constant work per reading
// (running sums and monotonic queues), so it can follow every poll.
class StabilityDetector {
  public:
    explicit StabilityDetector(StabilityCriteria criteria);

    // One poll: seconds, and the reading in cd/m² when it is a luminance reading. Until the
    // reading kind is known everywhere, callers pass nothing for Δ, %, A/B, B−A, accumulated
    // readings and OL, which ends the window: only readings of one kind count.
    const StabilityStatus& add(double t, std::optional<double> luminance);
    // Forgets everything: the next reading starts the clock for timeToStable.
    void reset();

    const StabilityStatus& status() const { return status_; }
    const StabilityCriteria& criteria() const { return criteria_; }

  private:
    struct Sample {
        double t;
        double v;
    };
    void clearWindow();
    void push(double t, double v);
    void evictBefore(double t);

    StabilityCriteria criteria_;
    StabilityStatus status_;
    std::optional<double> origin_;     // first reading since reset
    std::optional<double> runStart_;   // first reading since the window last began
    bool stableSinceStep_ = false;
    std::deque<Sample> window_;
    std::deque<Sample> maxQ_;  // decreasing values: front is the window's maximum
    std::deque<Sample> minQ_;  // increasing values: front is the minimum
    // Running sums over the window, times relative to origin_.
    double sT_ = 0, sV_ = 0, sTT_ = 0, sTV_ = 0;
};

}  // namespace photara
