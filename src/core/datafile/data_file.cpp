#include "core/datafile/data_file.h"

#include <algorithm>

#include "core/datafile/data_set.h"
#include "core/datafile/data_text.h"

namespace photara {

std::string dataFileBytes(std::string_view dataText) {
    std::string bytes;
    bytes.reserve(dataText.size() + 2);
    bytes.append(dataText);
    bytes += "\r\n";
    return bytes;
}

std::string dataTextOfFile(std::string_view fileBytes) {
    std::string text;
    if (fileBytes.find('\r') == std::string_view::npos) {
        text.reserve(fileBytes.size() + static_cast<std::size_t>(
                                            std::count(fileBytes.begin(), fileBytes.end(), '\n')));
        for (const char c : fileBytes) {
            if (c == '\n') text += '\r';
            text += c;
        }
    } else {
        text.assign(fileBytes);
    }
    if (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    else if (text.ends_with('\r'))
        text.pop_back();
    return text;
}

namespace {

bool startsWith(std::string_view line, std::string_view label) {
    return line.substr(0, label.size()) == label;
}

// The meter writes the date and the time in digits with separators, "2019/08/01   12:34:56";
// the order of the date's parts is its own.
bool isDateAndTime(std::string_view field) {
    if (field.size() != columns::kDateTime.width) return false;
    std::size_t digits = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c != ' ' && c != '/' && c != '-' && c != '.' && c != ':')
            return false;
    }
    return digits >= 6 && field.find(':') != std::string_view::npos;
}

}  // namespace

DataTextKind classifyDataText(std::string_view dataText) {
    const DataLines lines(dataText);
    if (lines.size() < kTrailerLines) return DataTextKind::Foreign;
    const std::size_t rows = lines.size() - kTrailerLines;
    if (!startsWith(lines[rows], "CAF") || !startsWith(lines[rows + 1], "CCF"))
        return DataTextKind::Foreign;
    for (std::size_t i = 0; i < rows; ++i)
        if (!isDateAndTime(field(lines[i], columns::kDateTime))) return DataTextKind::Foreign;
    return rows == 0 ? DataTextKind::NoReadings : DataTextKind::Readings;
}

}  // namespace photara
