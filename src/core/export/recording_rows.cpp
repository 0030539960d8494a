#include "core/export/recording_rows.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "core/export/csv.h"

namespace photara {
namespace {

// The shortest text that reads back as the same double.
std::string numberText(double v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc{} ? std::string(buf, end) : std::string();
}

std::optional<double> parseNumber(std::string_view s) {
    if (s.empty()) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<RecordingEvent> eventFromName(std::string_view name) {
    for (const auto e : {RecordingEvent::None, RecordingEvent::Disconnected,
                         RecordingEvent::Reconnected}) {
        if (eventName(e) == name) return e;
    }
    return std::nullopt;
}

}  // namespace

std::string_view eventName(RecordingEvent e) {
    switch (e) {
        case RecordingEvent::Disconnected:
            return "disconnected";
        case RecordingEvent::Reconnected:
            return "reconnected";
        case RecordingEvent::None:
            break;
    }
    return "";
}

RecordingRow readingRow(const Reading& reading, const ZonedDateTime& time, double elapsedSeconds) {
    return {time, elapsedSeconds, reading.value, reading.unit, reading.displayText, reading.flags,
            RecordingEvent::None};
}

RecordingRow eventRow(RecordingEvent event, const ZonedDateTime& time, double elapsedSeconds) {
    RecordingRow row;
    row.time = time;
    row.elapsedSeconds = elapsedSeconds;
    row.event = event;
    return row;
}

std::string recordingHeader() {
    return csv::record(std::vector<std::string>(std::begin(kRecordingColumns),
                                                std::end(kRecordingColumns)));
}

std::string recordingRecord(const RecordingRow& row) {
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.3f", row.elapsedSeconds);
    return csv::record({iso8601(row.time), elapsed, row.value ? numberText(*row.value) : "",
                        std::string(unitText(row.unit)), row.display, flagsText(row.flags),
                        std::string(eventName(row.event))});
}

std::optional<RecordingRow> parseRecordingRow(const std::vector<std::string>& f) {
    if (f.size() != std::size(kRecordingColumns)) return std::nullopt;
    const auto time = parseIso8601(f[0]);
    const auto elapsed = parseNumber(f[1]);
    const auto unit = unitFromText(f[3]);
    const auto event = eventFromName(f[6]);
    if (!time || !elapsed || !unit || !event) return std::nullopt;
    RecordingRow row;
    row.time = *time;
    row.elapsedSeconds = *elapsed;
    if (!f[2].empty()) {
        row.value = parseNumber(f[2]);
        if (!row.value) return std::nullopt;
    }
    row.unit = *unit;
    row.display = f[4];
    row.flags = flagsFromText(f[5]);
    row.event = *event;
    return row;
}

}  // namespace photara
