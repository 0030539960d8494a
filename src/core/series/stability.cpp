#include "core/series/stability.h"

#include <charconv>
#include <cmath>

namespace photara {

std::optional<StabilityCriteria> stabilityPreset(std::string_view name) {
    if (name == "spot") return StabilityCriteria{"spot", 1.0, 0.5, 2.0, 3};
    if (name == "display-warm-up") return StabilityCriteria{"display-warm-up", 60.0, 0.5, 2.0, 10};
    return std::nullopt;
}

std::vector<std::string> stabilityPresetNames() { return {"spot", "display-warm-up"}; }

StabilityCriteria customStability(double windowSeconds, double tolerancePercent) {
    return {"custom", windowSeconds, tolerancePercent, 4 * tolerancePercent, 3};
}

std::optional<StabilityCriteria> stabilityFromText(std::string_view text) {
    if (auto preset = stabilityPreset(text)) return preset;
    constexpr std::string_view kCustom = "custom:";
    if (text.substr(0, kCustom.size()) != kCustom) return std::nullopt;
    const std::string rest(text.substr(kCustom.size()));
    const auto comma = rest.find(',');
    if (comma == std::string::npos) return std::nullopt;
    double window = 0, tolerance = 0;
    const char* first = rest.data();
    const auto [end1, ec1] = std::from_chars(first, first + comma, window);
    const auto [end2, ec2] = std::from_chars(first + comma + 1, first + rest.size(), tolerance);
    if (ec1 != std::errc() || ec2 != std::errc() || end1 != first + comma || end2 != first + rest.size()) {
        return std::nullopt;
    }
    if (!(window > 0 && window <= 3600) || !(tolerance > 0 && tolerance <= 50)) return std::nullopt;
    return customStability(window, tolerance);
}

std::string_view stabilityStateText(StabilityState s) {
    switch (s) {
        case StabilityState::NoReading: return "no reading";
        case StabilityState::Settling: return "settling";
        case StabilityState::Stable: return "stable";
        case StabilityState::Drifting: return "drifting";
    }
    return "no reading";
}

StabilityDetector::StabilityDetector(StabilityCriteria criteria) : criteria_(std::move(criteria)) {}

void StabilityDetector::reset() {
    clearWindow();
    status_ = {};
    origin_.reset();
}

void StabilityDetector::clearWindow() {
    window_.clear();
    maxQ_.clear();
    minQ_.clear();
    sT_ = sV_ = sTT_ = sTV_ = 0;
    runStart_.reset();
    stableSinceStep_ = false;
}

void StabilityDetector::push(double t, double v) {
    const double rt = t - *origin_;
    window_.push_back({t, v});
    sT_ += rt;
    sV_ += v;
    sTT_ += rt * rt;
    sTV_ += rt * v;
    while (!maxQ_.empty() && maxQ_.back().v <= v) maxQ_.pop_back();
    maxQ_.push_back({t, v});
    while (!minQ_.empty() && minQ_.back().v >= v) minQ_.pop_back();
    minQ_.push_back({t, v});
}

void StabilityDetector::evictBefore(double t) {
    while (!window_.empty() && window_.front().t < t) {
        const Sample s = window_.front();
        const double rt = s.t - *origin_;
        sT_ -= rt;
        sV_ -= s.v;
        sTT_ -= rt * rt;
        sTV_ -= rt * s.v;
        window_.pop_front();
        if (maxQ_.front().t <= s.t) maxQ_.pop_front();
        if (minQ_.front().t <= s.t) minQ_.pop_front();
    }
}

const StabilityStatus& StabilityDetector::add(double t, std::optional<double> luminance) {
    status_.step = false;
    if (!luminance || !std::isfinite(*luminance) || !std::isfinite(t) ||
        (!window_.empty() && t < window_.back().t)) {
        // Another kind of reading, or time running back: the window ends here.
        clearWindow();
        status_.state = StabilityState::NoReading;
        status_.windowCount = 0;
        return status_;
    }
    const double v = *luminance;
    if (!origin_) {
        origin_ = t;
        status_.firstReading = t;
    }
    if (!window_.empty()) {
        const double last = window_.back().v;
        const double scale = std::max(std::fabs(last), 1e-12);
        if (std::fabs(v - last) / scale * 100.0 > criteria_.stepPercent) {
            clearWindow();
            status_.step = true;
        }
    }
    if (!runStart_) runStart_ = t;
    push(t, v);
    evictBefore(t - criteria_.windowSeconds);

    const double n = static_cast<double>(window_.size());
    const double mean = sV_ / n;
    status_.windowMean = mean;
    status_.windowCount = window_.size();
    const double scale = std::max(std::fabs(mean), 1e-12);
    status_.spreadPercent = (maxQ_.front().v - minQ_.front().v) / scale * 100.0;
    const double varT = sTT_ - sT_ * sT_ / n;
    status_.driftPercentPerMinute =
        varT > 1e-12 ? (sTV_ - sT_ * sV_ / n) / varT / scale * 100.0 * 60.0 : 0.0;

    // A whole window seen since the readings began to count.
    const bool full = t - *runStart_ >= criteria_.windowSeconds * (1 - 1e-9) &&
                      window_.size() >= criteria_.minReadings;
    const bool within = status_.spreadPercent <= criteria_.tolerancePercent * (1 + 1e-9);
    if (full && within) {
        status_.state = StabilityState::Stable;
        if (!status_.stableFrom) {
            status_.stableFrom = window_.front().t;
            status_.timeToStable = window_.front().t - *origin_;
        }
        stableSinceStep_ = true;
    } else {
        status_.state = stableSinceStep_ ? StabilityState::Drifting : StabilityState::Settling;
    }
    return status_;
}

}  // namespace photara
