#pragma once

#include <string>

#include "core/export/recording_rows.h"

namespace photara::cli {

// One recording row as a JSON line (log --format jsonl), line end included: the recording
// file's columns, value null when there is none, flags as read --json gives them.
//   {"time":"…+01:00","elapsed_s":0.250,"value":12600,"unit":"cd/m²","display":"…",
//    "flags":["HOLD"],"event":""}
std::string jsonlRecord(const RecordingRow& row);

}  // namespace photara::cli
