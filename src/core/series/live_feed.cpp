#include "core/series/live_feed.h"

namespace photara {

LiveFeed::LiveFeed(const Clock& clock)
    : clock_(clock), originMs_(epochMilliseconds(clock.zonedNow())) {}

double LiveFeed::now() const {
    return static_cast<double>(epochMilliseconds(clock_.zonedNow()) - originMs_) / 1000.0;
}

void LiveFeed::record(RecordingEvent event, std::string_view display, std::string_view detail) {
    if (recording_) recording_->append(event, display, detail);
    if (rowListener_) rowListener_(eventRow(event, clock_.zonedNow(), listenedSeconds(), display, detail));
}

double LiveFeed::listenedSeconds() const {
    return static_cast<double>(epochMilliseconds(clock_.zonedNow()) - listenedFromMs_) / 1000.0;
}

void LiveFeed::setRowListener(std::function<void(const RecordingRow&)> listener) {
    rowListener_ = std::move(listener);
    listenedFromMs_ = epochMilliseconds(clock_.zonedNow());
    recordedReadings_.reset();
}

void LiveFeed::onPoll(bool connected, const std::optional<Reading>& reading) {
    onPoll(connected, reading, {});
}

void LiveFeed::onPoll(bool connected, const std::optional<Reading>& reading, std::string_view lcd) {
    // A poll answered means nothing holds the link any more, whether or not it was said.
    if (held_ && connected) onLinkReleased();
    const bool changed = connected_.has_value() && *connected_ != connected;
    connected_ = connected;
    if (!connected) {
        if (changed) {
            trend_.markGap();
            record(RecordingEvent::Disconnected);
            recordedReadings_.reset();
        }
        return;
    }
    if (changed) record(RecordingEvent::Reconnected);
    last_ = reading;
    noteShown(reading.has_value(), lcd);
    if (!reading) {
        // A word or a setting screen: no point, and the line does not bridge it.
        trend_.markGap();
        return;
    }
    if (recording_) recording_->append(*reading);
    if (rowListener_) rowListener_(readingRow(*reading, clock_.zonedNow(), listenedSeconds()));
    // An over-range reading or one of no kind the trend shows is recorded but leaves a gap.
    trend_.add(now(), reading->value, reading->unit, reading->flags);
}

// Readings stopping and starting again is written once each, not once per poll.
void LiveFeed::noteShown(bool reading, std::string_view lcd) {
    if ((!recording_ && !rowListener_) || recordedReadings_ == reading) return;
    if (!reading) {
        record(RecordingEvent::NoReading, lcd);
    } else if (recordedReadings_.has_value()) {
        record(RecordingEvent::Readings);
    }
    recordedReadings_ = reading;
}

void LiveFeed::onLinkHeld(std::string_view what) {
    if (held_) return;
    held_ = true;
    heldBy_ = what;
    trend_.markGap();
    record(RecordingEvent::Paused, {}, what);
}

void LiveFeed::onLinkReleased() {
    if (!held_) return;
    held_ = false;
    trend_.markGap();
    record(RecordingEvent::Resumed);
}

bool LiveFeed::startRecording(const std::string& path, std::string& error,
                              std::unique_ptr<FileSyncer> syncer) {
    std::string ignored;
    stopRecording(ignored);
    recording_ = RecordingFile::create(path, clock_, error, std::move(syncer));
    recordedReadings_.reset();
    if (!recording_) return false;
    // A recording started while the link is held, or while the meter is away, says so at
    // once ("resumed" or "reconnected" follows).
    if (held_) recording_->append(RecordingEvent::Paused, {}, heldBy_);
    if (connected_ == false) recording_->append(RecordingEvent::Disconnected);
    return true;
}

bool LiveFeed::stopRecording(std::string& error) {
    if (!recording_) return true;
    const bool ok = recording_->close();
    if (!ok) error = recording_->error();
    recording_.reset();
    return ok;
}

void LiveFeed::tick() {
    if (recording_) recording_->syncIfDue();
}

}  // namespace photara
