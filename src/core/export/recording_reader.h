#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/recording_rows.h"

namespace photara {

// The fields of one line of RFC 4180 CSV (quotes may not span lines: no field a recording
// writes holds a line break); nothing when the quoting is broken.
std::optional<std::vector<std::string>> csvLineFields(std::string_view line, char delimiter = ',');

struct RecordingReadResult {
    std::size_t rows = 0;     // whole rows handed on
    std::size_t skipped = 0;  // lines that were not a whole row (torn by a crash, foreign)
    bool hadHeader = false;
};

// Reads a recording file line by line and hands on every whole row. A line that is not a
// whole row (the last one after a crash, a block of zero bytes after a power cut) is
// skipped and counted, never fatal.
RecordingReadResult readRecording(std::istream& in,
                                  const std::function<void(const RecordingRow&)>& onRow);

}  // namespace photara
