#include "sim/recorder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sim/data_set_generator.h"

namespace photara::sim {
namespace {

// A data line and its line end, as the generator writes them, and room for the trailer.
constexpr std::uint64_t kBytesPerReading = 64;
constexpr std::uint64_t kTrailerBytes = 256;

}  // namespace

Recorder::Recorder(const MeterClock& clock, const MeterSettings& settings, LoggerMemory& memory,
                   double (*luminanceAt)(double))
    : clock_(clock), settings_(settings), memory_(memory), luminanceAt_(luminanceAt) {}

bool Recorder::start() {
    if (recording_) return true;
    if (!memory_.fits(kBytesPerReading + kTrailerBytes)) return false;
    recording_ = true;
    start_ = clock_.now();
    startRunning_ = clock_.runningSeconds();
    return true;
}

long long Recorder::elapsedSeconds() const {
    if (!recording_) return 0;
    return static_cast<long long>(std::floor(clock_.runningSeconds() - startRunning_));
}

void Recorder::stop() {
    if (!recording_) return;
    const long long elapsed = std::min<long long>(elapsedSeconds(), settings_.recordingPeriod);
    recording_ = false;
    const int interval = std::max(settings_.samplingSeconds, 1);
    // Keep what fits: a full memory ends the recording early rather than losing it.
    const std::uint64_t room = memory_.freeBytes();
    const auto fitting = static_cast<long long>(
        room > kTrailerBytes ? (room - kTrailerBytes) / kBytesPerReading : 0);
    const long long samples = std::max(1LL, std::min(elapsed / interval + 1, fitting));
    DataSetRecipe recipe;
    recipe.start = start_;
    recipe.samples = static_cast<int>(samples);
    recipe.intervalSeconds = interval;
    recipe.luminance = luminanceAt_(startRunning_);
    recipe.seed = static_cast<std::uint32_t>(memory_.setCount() + 100);
    // Each reading is what the meter measured at its sampling time, as the display showed it.
    std::vector<double> readings;
    readings.reserve(static_cast<std::size_t>(samples));
    for (long long i = 0; i < samples; ++i)
        readings.push_back(luminanceAt_(startRunning_ + static_cast<double>(i * interval)));
    memory_.add(recipe, generateDataText(recipe, readings));
}

void Recorder::update() {
    if (!recording_) return;
    const bool periodOver =
        !settings_.recordUntilStopped && elapsedSeconds() >= settings_.recordingPeriod;
    const auto samples =
        static_cast<std::uint64_t>(elapsedSeconds() / std::max(settings_.samplingSeconds, 1) + 1);
    const bool memoryFull = !memory_.fits(samples * kBytesPerReading + kTrailerBytes);
    if (periodOver || memoryFull) stop();
}

}  // namespace photara::sim
