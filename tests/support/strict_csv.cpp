#include "support/strict_csv.h"

namespace photara::test {

std::optional<std::vector<std::vector<std::string>>> parseStrictCsv(std::string_view bytes,
                                                                    char delimiter) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string field;
        if (bytes[i] == '"') {
            for (++i;; ++i) {
                if (i >= bytes.size()) return std::nullopt;  // unclosed quote
                if (bytes[i] == '"') {
                    if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += bytes[i];
            }
        } else {
            for (; i < bytes.size() && bytes[i] != delimiter && bytes[i] != '\r'; ++i) {
                if (bytes[i] == '"' || bytes[i] == '\n') return std::nullopt;
                field += bytes[i];
            }
        }
        record.push_back(std::move(field));
        if (i < bytes.size() && bytes[i] == delimiter) {
            ++i;
            continue;
        }
        if (bytes.substr(i, 2) != "\r\n") return std::nullopt;
        i += 2;
        if (!records.empty() && record.size() != records.front().size()) return std::nullopt;
        records.push_back(std::move(record));
        record.clear();
    }
    return records;
}

}  // namespace photara::test
