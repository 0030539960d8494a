#include "core/export/csv.h"

namespace photara::csv {

std::string field(std::string_view text, char delimiter) {
    const bool quote = text.find_first_of(std::string{delimiter, '"', '\r', '\n'}) !=
                       std::string_view::npos;
    if (!quote) return std::string(text);
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

namespace {

template <typename Range>
std::string join(const Range& fields, char delimiter) {
    std::string out;
    bool first = true;
    for (const auto& f : fields) {
        if (!first) out += delimiter;
        first = false;
        out += field(f, delimiter);
    }
    out += "\r\n";
    return out;
}

}  // namespace

std::string record(const std::vector<std::string>& fields, char delimiter) {
    return join(fields, delimiter);
}

std::string record(std::initializer_list<std::string_view> fields, char delimiter) {
    return join(fields, delimiter);
}

}  // namespace photara::csv
