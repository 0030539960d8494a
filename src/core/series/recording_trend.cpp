#include "core/series/recording_trend.h"

#include <cmath>

namespace photara {

RecordingTrend readRecordingTrend(std::istream& in) {
    RecordingTrend out;
    bool first = true;
    out.result = readRecording(in, [&](const RecordingRow& row) {
        if (first) {
            out.originMs = epochMilliseconds(row.time) -
                           static_cast<std::int64_t>(std::llround(row.elapsedSeconds * 1000));
            first = false;
        }
        if (row.event == RecordingEvent::None) {
            out.trend.add(row.elapsedSeconds, row.value, row.unit, row.flags);
        } else {
            out.trend.markGap();
        }
    });
    return out;
}

}  // namespace photara
