#include "core/series/live_feed.h"

namespace photara {
namespace {

bool isLuminance(ReadingUnit u) {
    return u == ReadingUnit::CdPerM2 || u == ReadingUnit::FootLambert;
}

}  // namespace

LiveFeed::LiveFeed(const Clock& clock)
    : clock_(clock), originMs_(epochMilliseconds(clock.zonedNow())) {}

double LiveFeed::now() const {
    return static_cast<double>(epochMilliseconds(clock_.zonedNow()) - originMs_) / 1000.0;
}

void LiveFeed::onPoll(bool connected, const std::optional<Reading>& reading) {
    const bool changed = connected_.has_value() && *connected_ != connected;
    connected_ = connected;
    if (!connected) {
        if (changed) {
            series_.markGap();
            if (recording_) recording_->append(RecordingEvent::Disconnected);
        }
        return;
    }
    if (changed && recording_) recording_->append(RecordingEvent::Reconnected);
    last_ = reading;
    if (!reading) {
        // A word or a setting screen: no point, and the line does not bridge it.
        series_.markGap();
        return;
    }
    if (recording_) recording_->append(*reading);
    // The trend draws luminance; a ratio, a percentage or an over-range reading is recorded
    // but leaves a gap in the line.
    if (reading->value && isLuminance(reading->unit)) {
        series_.append(now(), convertLuminance(*reading->value, reading->unit,
                                               LuminanceUnit::CdPerM2));
    } else {
        series_.markGap();
    }
}

bool LiveFeed::startRecording(const std::string& path, std::string& error,
                              std::unique_ptr<FileSyncer> syncer) {
    std::string ignored;
    stopRecording(ignored);
    recording_ = RecordingFile::create(path, clock_, error, std::move(syncer));
    return recording_ != nullptr;
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
