#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/local_time.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/reading/reading.h"

namespace photara::cli {

// A JSON string literal, quotes included. UTF-8 stays as it is; a byte that is not UTF-8
// (a file name in another encoding) becomes the lone surrogate \udcXX, which keeps the JSON
// valid and gives the byte back to a reader that decodes file names that way.
std::string jsonString(std::string_view text);

// The set flags as a JSON array of their names (["HOLD","MAX"]), as read --json and
// log --format jsonl both give them.
std::string flagsJson(const ReadingFlags& flags);

// A number as JSON and the recording rows write it: the shortest exact form (16078, 12.6).
std::string numberText(double value);

// The annunciators lit in the display state, by the names the display gives them ("REC",
// "APO", "AMR-A", as annunciatorName has them), in report order.
std::vector<std::string> litAnnunciators(const DisplayState& state);

// What `read --json` prints for a polled display (one line, no line end): the reading's
// value, unit, multiplier, texts and flags (value null when the display shows no number),
// the lit annunciators and the LCD as text.
std::string readingJson(const DisplayState& state, const DisplayModel& model);

// "2026-12-08T10:15:02" from a set identifier "20261208101502"; the identifier as it is when
// it is not 14 digits.
std::string isoStartTime(std::string_view identifier);

// "2026-12-08T10:15:02" (no offset: the meter keeps local time without a zone).
std::string isoDateTime(const LocalDateTime& time);

// "2026-12-08T10:15:02+01:00": a time of the PC, with its offset from UTC.
std::string isoZonedTime(const ZonedDateTime& time);

}  // namespace photara::cli
