#include "core/datafile/data_text.h"

#include <algorithm>

#include "core/datafile/leading_number.h"

namespace photara {

DataLines::DataLines(std::string_view dataText) {
    lines_.reserve(static_cast<std::size_t>(std::count(dataText.begin(), dataText.end(), '\r')) +
                   1);
    auto add = [this](std::string_view piece) {
        // The LF of a CR LF pair starts the next piece; one there costs no copy.
        while (!piece.empty() && piece.front() == '\n') piece.remove_prefix(1);
        if (piece.find('\n') == std::string_view::npos) {
            lines_.push_back(piece);
            return;
        }
        std::string& copy = copies_.emplace_back();
        std::remove_copy(piece.begin(), piece.end(), std::back_inserter(copy), '\n');
        lines_.push_back(copy);
    };
    std::size_t start = 0;
    for (std::size_t cr = dataText.find('\r'); cr != std::string_view::npos;
         cr = dataText.find('\r', start)) {
        add(dataText.substr(start, cr - start));
        start = cr + 1;
    }
    add(dataText.substr(start));
}

std::string_view field(std::string_view line, Column column) {
    const std::size_t begin = column.position - 1;
    if (begin >= line.size()) return {};
    return line.substr(begin, column.width);
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::remove_copy(text.begin(), text.end(), std::back_inserter(out), ' ');
    return out;
}

std::string timeText(std::string_view dateTimeField) {
    constexpr std::string_view kThreeBlanks = "   ";
    std::string out;
    out.reserve(dateTimeField.size());
    std::size_t start = 0;
    for (std::size_t hit = dateTimeField.find(kThreeBlanks); hit != std::string_view::npos;
         hit = dateTimeField.find(kThreeBlanks, start)) {
        out.append(dateTimeField.substr(start, hit - start));
        out += ' ';
        start = hit + kThreeBlanks.size();
    }
    out.append(dateTimeField.substr(start));
    return out;
}

double fieldValue(std::string_view blanklessField) {
    double value = leadingNumber(blanklessField);
    if (blanklessField.find('K') != std::string_view::npos) value *= 1000;
    if (blanklessField.find('M') != std::string_view::npos) value *= 1000000;
    return value;
}

void raiseMaximum(double& maximum, double value, double margin) {
    if (value > maximum) maximum = value + margin;
}

}  // namespace photara
