#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/local_time.h"
#include "core/reading/reading.h"

namespace photara {

// What a row of a recording file says beside readings: the meter went away or came back;
// its display stopped showing a reading (a word, a setting screen) or showed one again; an
// operation held the link longer than a poll period, or let it go.
enum class RecordingEvent { None, Disconnected, Reconnected, NoReading, Readings, Paused, Resumed };

// "", "disconnected", "reconnected", "no reading", "readings", "paused", "resumed".
std::string_view eventName(RecordingEvent e);

// One row of a recording file. The file is RFC 4180 CSV with a header; each reading or
// event is one record ended by CR LF:
//   time,elapsed_s,value,unit,display,flags,event
//   2026-12-08T10:15:02.250+01:00,0.250,12600,cd/m²,12.60 K cd/m² 10:15:02,,
// The value is what the meter sent, in its unit (empty when over range or for an event).
struct RecordingRow {
    ZonedDateTime time;
    double elapsedSeconds = 0;  // since the recording started
    std::optional<double> value;
    ReadingUnit unit = ReadingUnit::None;
    std::string display;
    ReadingFlags flags;
    RecordingEvent event = RecordingEvent::None;
    // What held the link, for "paused": the event column reads "paused: download".
    std::string eventDetail;

    friend bool operator==(const RecordingRow&, const RecordingRow&) = default;
};

inline constexpr std::string_view kRecordingColumns[] = {"time",    "elapsed_s", "value", "unit",
                                                         "display", "flags",     "event"};

RecordingRow readingRow(const Reading& reading, const ZonedDateTime& time, double elapsedSeconds);
// An event row; display is the LCD's text ("no reading" says what the meter showed instead),
// detail what held the link ("paused").
RecordingRow eventRow(RecordingEvent event, const ZonedDateTime& time, double elapsedSeconds,
                      std::string_view display = {}, std::string_view detail = {});

// A value as the file writes it: the shortest text that reads back as the same double
// ("16078", "12.6"); "" when there is none.
std::string shortestNumberText(double value);

// The header record and one row's record, CR LF included.
std::string recordingHeader();
std::string recordingRecord(const RecordingRow& row);

// A row from the fields of one record; nothing when any field is not what a recording
// writes (a torn or foreign row).
std::optional<RecordingRow> parseRecordingRow(const std::vector<std::string>& fields);

}  // namespace photara
