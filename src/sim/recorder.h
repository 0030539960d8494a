#pragma once

#include "core/common/local_time.h"
#include "sim/logger_memory.h"
#include "sim/meter_clock.h"
#include "sim/meter_settings.h"

namespace photara::sim {

// Automatic recording into the logger: started and stopped by a key, or stopped by the
// recording period running out (unless the meter records until stopped) or by the memory
// filling up. Stopping stores the recording as a new set, one reading per sampling time,
// cut to what the memory still holds.
class Recorder {
  public:
    Recorder(const MeterClock& clock, const MeterSettings& settings, LoggerMemory& memory,
             double (*luminanceAt)(double));

    // False when the memory has no room for even one reading.
    bool start();
    void stop();
    // Ends a recording whose period ran out; call before looking at recording().
    void update();

    bool recording() const { return recording_; }
    // Whole seconds since the recording started (0 when not recording).
    long long elapsedSeconds() const;

  private:
    const MeterClock& clock_;
    const MeterSettings& settings_;
    LoggerMemory& memory_;
    double (*luminanceAt_)(double);
    bool recording_ = false;
    LocalDateTime start_{};
    double startRunning_ = 0;
};

}  // namespace photara::sim
