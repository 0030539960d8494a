#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/local_time.h"
#include "core/export/recording_file.h"
#include "core/reading/reading.h"
#include "core/series/trend_series.h"

namespace photara {

// Where the poll's readings go: the trend (seconds from the first poll, one line per kind of
// reading, luminance kept in cd/m²), and, while one runs, the recording file, which keeps
// what the meter sent. Every hole is a gap in the trend and, in the recording, a row that
// says why: the meter went away ("disconnected", then "reconnected"), its display stopped
// showing a reading ("no reading" with the LCD's text, then "readings"), or an operation held
// the link ("paused: download", then "resumed"). Plain C++ over an injected clock.
class LiveFeed {
  public:
    explicit LiveFeed(const Clock& clock);

    // After each poll: whether the meter answered, and the reading its display showed.
    void onPoll(bool connected, const std::optional<Reading>& reading);
    // The same, with the LCD's text for the "no reading" row when there is no reading.
    void onPoll(bool connected, const std::optional<Reading>& reading, std::string_view lcd);
    // An operation (what, e.g. "download") holds the link longer than a poll period: no polls
    // until onLinkReleased. A second call while held changes nothing; a poll the meter
    // answered ends the hold too, so a release that was never said cannot leave the
    // recording claiming a pause.
    void onLinkHeld(std::string_view what);
    void onLinkReleased();
    bool linkHeld() const { return held_; }

    // The current quantity's series; trend() has every quantity and where it changed.
    const Series& series() const { return trend_.current(); }
    const TrendSeries& trend() const { return trend_; }
    // Epoch milliseconds of the trend's time 0.
    std::int64_t originMs() const { return originMs_; }
    // Seconds on the trend's clock now.
    double now() const;
    // A mark on the trend at t ("stable from here").
    void markTrend(double t, std::string note) { trend_.mark(t, std::move(note)); }
    std::optional<Reading> lastReading() const { return last_; }
    // Whether the meter answered the last poll; unknown before the first.
    std::optional<bool> connected() const { return connected_; }

    // Starts a recording into path (replacing a file of that name); false with the reason.
    bool startRecording(const std::string& path, std::string& error,
                        std::unique_ptr<FileSyncer> syncer = nullptr);
    // Stops it; false with the reason when the last sync or the close failed.
    bool stopRecording(std::string& error);
    // The running recording, or none. One that failed stays here, stopped, until stopped.
    const RecordingFile* recording() const { return recording_.get(); }
    // Called by a once-a-second timer: syncs rows that arrived since the last sync.
    void tick();
    // Hands every row a recording would hold (readings and events, elapsed from this call)
    // to listener as well, for an output of its own (photara-cli's JSON lines).
    void setRowListener(std::function<void(const RecordingRow&)> listener);

  private:
    void record(RecordingEvent event, std::string_view display = {}, std::string_view detail = {});
    void noteShown(bool reading, std::string_view lcd);
    double listenedSeconds() const;

    const Clock& clock_;
    TrendSeries trend_;
    std::int64_t originMs_;
    std::optional<bool> connected_;  // unknown before the first poll
    std::optional<Reading> last_;
    bool held_ = false;
    std::string heldBy_;  // what holds the link
    // Whether the recording last said readings come (unknown at its start and after the
    // meter came back: its first poll says it).
    std::optional<bool> recordedReadings_;
    std::unique_ptr<RecordingFile> recording_;
    std::function<void(const RecordingRow&)> rowListener_;
    std::int64_t listenedFromMs_ = 0;
};

}  // namespace photara
