#pragma once

#include <cstdint>
#include <istream>

#include "core/export/recording_reader.h"
#include "core/series/trend_series.h"

namespace photara {

// A recording file read back as the live window drew it: times from the elapsed column, one
// line per kind of reading, a gap at every event row (the meter away, no reading, the link
// held) and wherever a reading had no value.
struct RecordingTrend {
    TrendSeries trend;
    std::int64_t originMs = 0;  // epoch milliseconds of elapsed 0
    RecordingReadResult result;
};

RecordingTrend readRecordingTrend(std::istream& in);

}  // namespace photara
