#include "cli/jsonl_row.h"

#include <cstdio>

#include "cli/text_output.h"

namespace photara::cli {

std::string jsonlRecord(const RecordingRow& row) {
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%.3f", row.elapsedSeconds);
    return "{\"time\":" + jsonString(iso8601(row.time)) + ",\"elapsed_s\":" + elapsed +
           ",\"value\":" + (row.value ? numberText(*row.value) : "null") +
           ",\"unit\":" + jsonString(unitSymbol(row.unit)) +
           ",\"display\":" + jsonString(row.display) + ",\"flags\":" + flagsJson(row.flags) +
           ",\"event\":" + jsonString(eventName(row.event)) + "}\n";
}

}  // namespace photara::cli
