#include "core/export/recording_reader.h"

#include <utility>

namespace photara {

std::optional<std::vector<std::string>> csvLineFields(std::string_view line, char delimiter) {
    std::vector<std::string> fields(1);
    bool quoted = false;      // inside a quoted field
    bool afterQuote = false;  // a quoted field ended: only a delimiter may follow
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
                afterQuote = true;
            }
        } else if (c == delimiter) {
            fields.emplace_back();
            afterQuote = false;
        } else if (afterQuote) {
            return std::nullopt;
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else if (c == '"' || c == '\r' || c == '\n') {
            return std::nullopt;
        } else {
            fields.back() += c;
        }
    }
    if (quoted) return std::nullopt;
    return fields;
}

RecordingReadResult readRecording(std::istream& in,
                                  const std::function<void(const RecordingRow&)>& onRow) {
    RecordingReadResult result;
    const std::string header = recordingHeader();
    const std::string_view headerLine(header.data(), header.size() - 2);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        // A line is whole only when its line end made it to the disk.
        const bool ended = !in.eof();
        if (ended && !line.empty() && line.back() == '\r') line.pop_back();
        const bool isFirst = std::exchange(first, false);
        if (isFirst && ended && line == headerLine) {
            result.hadHeader = true;
            continue;
        }
        if (line.empty() && ended) continue;
        const auto fields = ended ? csvLineFields(line) : std::nullopt;
        const auto row = fields ? parseRecordingRow(*fields) : std::nullopt;
        if (!row) {
            ++result.skipped;
            continue;
        }
        ++result.rows;
        onRow(*row);
    }
    return result;
}

}  // namespace photara
