#include "sim/scene_light.h"

#include <cmath>
#include <cstdint>

namespace photara::sim {

SceneLight::SceneLight(Scene scene, std::map<std::string, std::vector<std::string>> groupsOf)
    : scene_(std::move(scene)), groupsOf_(std::move(groupsOf)) {}

void SceneLight::aim(const std::string& point, const std::string& patch) {
    std::lock_guard lock(mutex_);
    point_ = point;
    patch_ = patch;
    aimPending_ = true;
}

void SceneLight::failMains() {
    std::lock_guard lock(mutex_);
    failurePending_ = true;
}

std::optional<double> SceneLight::valueAt(const std::string& point, const std::string& patch) const {
    const auto p = scene_.luminance.find(patch);
    if (p == scene_.luminance.end()) return std::nullopt;
    if (auto it = p->second.find(point); it != p->second.end()) return it->second;
    if (auto g = groupsOf_.find(point); g != groupsOf_.end()) {
        for (const auto& group : g->second) {
            if (auto it = p->second.find(group); it != p->second.end()) return it->second;
        }
    }
    if (auto it = p->second.find("*"); it != p->second.end()) return it->second;
    return std::nullopt;
}

std::optional<std::string> SceneLight::missingValue(const std::vector<Step>& steps) const {
    for (const auto& step : steps) {
        if (!valueAt(step.point, step.patch)) return "no luminance for " + step.point + " at " + step.patch;
    }
    return std::nullopt;
}

namespace {

// A deterministic number in [-1, 1] for a time: the same reading always has the same noise.
double noiseAt(double seconds, unsigned seed) {
    std::uint64_t x = static_cast<std::uint64_t>(std::llround(seconds * 1000)) * 0x9E3779B97F4A7C15ULL + seed;
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return static_cast<double>(x % 2000001) / 1000000.0 - 1.0;
}

double interpolate(const std::vector<std::pair<double, double>>& curve, double t) {
    if (curve.empty()) return 1;
    if (t <= curve.front().first) return curve.front().second;
    for (std::size_t i = 1; i < curve.size(); ++i) {
        if (t <= curve[i].first) {
            const auto [t0, v0] = curve[i - 1];
            const auto [t1, v1] = curve[i];
            return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
        }
    }
    return curve.back().second;
}

}  // namespace

double SceneLight::luminance(double seconds) {
    std::lock_guard lock(mutex_);
    if (aimPending_) {
        aimPending_ = false;
        aimedAt_ = seconds;
        if (!switchedOn_) switchedOn_ = seconds;
    }
    if (failurePending_) {
        failurePending_ = false;
        failedAt_ = seconds;
    }
    if (!aimedAt_) return scene_.transitLuminance;
    if (seconds - *aimedAt_ < scene_.transitSeconds && *aimedAt_ != *switchedOn_) return scene_.transitLuminance;
    const auto target = valueAt(point_, patch_);
    if (!target) return scene_.transitLuminance;
    if (*target < 0) return kOverRangeLight;
    double v = *target;
    if (scene_.warmUpTimeConstant > 0) {
        v *= 1 - (1 - scene_.warmUpStartFraction) * std::exp(-(seconds - *switchedOn_) / scene_.warmUpTimeConstant);
    }
    if (failedAt_ && !scene_.runUp.empty()) v *= interpolate(scene_.runUp, seconds - *failedAt_);
    return v * (1 + scene_.noisePercent / 100 * noiseAt(seconds, scene_.seed));
}

}  // namespace photara::sim
