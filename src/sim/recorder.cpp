#include "sim/recorder.h"

#include <algorithm>
#include <cmath>

namespace photara::sim {
namespace {

// A data line and its line end, as the generator writes them.
constexpr std::uint64_t kBytesPerReading = 64;

}  // namespace

Recorder::Recorder(const MeterClock& clock, const MeterSettings& settings, LoggerMemory& memory,
                   double (*luminanceAt)(double))
    : clock_(clock), settings_(settings), memory_(memory), luminanceAt_(luminanceAt) {}

bool Recorder::start() {
    if (recording_) return true;
    if (!memory_.fits(kBytesPerReading * 4)) return false;
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
    long long samples = elapsed / interval + 1;
    // Keep what fits: a full memory ends the recording early rather than losing it.
    while (samples > 1 &&
           !memory_.fits(static_cast<std::uint64_t>(samples) * kBytesPerReading + 256)) {
        samples = samples * 9 / 10;
    }
    DataSetSpec spec;
    spec.start = start_;
    spec.samples = static_cast<int>(samples);
    spec.intervalSeconds = interval;
    spec.luminance = luminanceAt_(startRunning_);
    spec.seed = static_cast<std::uint32_t>(memory_.setCount() + 100);
    memory_.add(spec);
}

void Recorder::update() {
    if (recording_ && !settings_.recordUntilStopped &&
        elapsedSeconds() >= settings_.recordingPeriod) {
        stop();
    }
}

}  // namespace photara::sim
