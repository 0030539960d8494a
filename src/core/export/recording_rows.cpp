#include "core/export/recording_rows.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>
#include <utility>

#include "core/export/csv.h"

namespace photara {
namespace {

std::optional<double> parseNumber(std::string_view s) {
    if (s.empty()) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

constexpr std::string_view kDetailSeparator = ": ";

// The event column: the event's name, then ": " and the detail when there is one.
std::optional<std::pair<RecordingEvent, std::string>> eventFromText(std::string_view text) {
    const auto colon = text.find(kDetailSeparator);
    const std::string_view name = text.substr(0, colon);
    const std::string detail(colon == std::string_view::npos
                                 ? std::string_view()
                                 : text.substr(colon + kDetailSeparator.size()));
    for (const auto e : {RecordingEvent::None, RecordingEvent::Disconnected,
                         RecordingEvent::Reconnected, RecordingEvent::NoReading,
                         RecordingEvent::Readings, RecordingEvent::Paused,
                         RecordingEvent::Resumed}) {
        if (eventName(e) != name) continue;
        if (e == RecordingEvent::None && colon != std::string_view::npos) return std::nullopt;
        return std::make_pair(e, detail);
    }
    return std::nullopt;
}

std::string eventText(const RecordingRow& row) {
    std::string text(eventName(row.event));
    if (row.event != RecordingEvent::None && !row.eventDetail.empty()) {
        text += kDetailSeparator;
        text += row.eventDetail;
    }
    return text;
}

}  // namespace

std::string shortestNumberText(double value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc{} ? std::string(buf, end) : std::string();
}

std::string_view eventName(RecordingEvent e) {
    switch (e) {
        case RecordingEvent::Disconnected:
            return "disconnected";
        case RecordingEvent::Reconnected:
            return "reconnected";
        case RecordingEvent::NoReading:
            return "no reading";
        case RecordingEvent::Readings:
            return "readings";
        case RecordingEvent::Paused:
            return "paused";
        case RecordingEvent::Resumed:
            return "resumed";
        case RecordingEvent::None:
            break;
    }
    return "";
}

RecordingRow readingRow(const Reading& reading, const ZonedDateTime& time, double elapsedSeconds) {
    return {time, elapsedSeconds, reading.value, reading.unit, reading.displayText, reading.flags,
            RecordingEvent::None, {}};
}

RecordingRow eventRow(RecordingEvent event, const ZonedDateTime& time, double elapsedSeconds,
                      std::string_view display, std::string_view detail) {
    RecordingRow row;
    row.time = time;
    row.elapsedSeconds = elapsedSeconds;
    row.display = display;
    row.event = event;
    row.eventDetail = detail;
    return row;
}

std::string recordingHeader() {
    return csv::record(std::vector<std::string>(std::begin(kRecordingColumns),
                                                std::end(kRecordingColumns)));
}

std::string recordingRecord(const RecordingRow& row) {
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.3f", row.elapsedSeconds);
    return csv::record({iso8601(row.time), elapsed, row.value ? shortestNumberText(*row.value) : "",
                        std::string(unitSymbol(row.unit)), row.display, flagsText(row.flags),
                        eventText(row)});
}

std::optional<RecordingRow> parseRecordingRow(const std::vector<std::string>& f) {
    if (f.size() != std::size(kRecordingColumns)) return std::nullopt;
    const auto time = parseIso8601(f[0]);
    const auto elapsed = parseNumber(f[1]);
    const auto unit = unitFromSymbol(f[3]);
    const auto event = eventFromText(f[6]);
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
    row.event = event->first;
    row.eventDetail = event->second;
    return row;
}

}  // namespace photara
