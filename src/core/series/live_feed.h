#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/common/local_time.h"
#include "core/export/recording_file.h"
#include "core/reading/reading.h"
#include "core/series/series.h"

namespace photara {

// Where the poll's readings go: the trend (luminance in cd/m², seconds from the first
// poll), and, while one runs, the recording file, which keeps what the meter sent. The
// meter going away is a gap in the trend and a "disconnected" row in the recording; its
// return a "reconnected" row. Plain C++ over an injected clock.
class LiveFeed {
  public:
    explicit LiveFeed(const Clock& clock);

    // After each poll: whether the meter answered, and the reading its display showed.
    void onPoll(bool connected, const std::optional<Reading>& reading);

    const Series& series() const { return series_; }
    // Epoch milliseconds of the trend's time 0.
    std::int64_t originMs() const { return originMs_; }
    std::optional<Reading> lastReading() const { return last_; }

    // Starts a recording into path (replacing a file of that name); false with the reason.
    bool startRecording(const std::string& path, std::string& error,
                        std::unique_ptr<FileSyncer> syncer = nullptr);
    // Stops it; false with the reason when the last sync or the close failed.
    bool stopRecording(std::string& error);
    // The running recording, or none. One that failed stays here, stopped, until stopped.
    const RecordingFile* recording() const { return recording_.get(); }
    // Called by a once-a-second timer: syncs rows that arrived since the last sync.
    void tick();

  private:
    double now() const;

    const Clock& clock_;
    Series series_;
    std::int64_t originMs_;
    std::optional<bool> connected_;  // unknown before the first poll
    std::optional<Reading> last_;
    std::unique_ptr<RecordingFile> recording_;
};

}  // namespace photara
