#include "datafile/data_text.h"

#include <algorithm>

#include "datafile/leading_number.h"

namespace photara {

DataLines::DataLines(std::string_view dataText) {
    text_.reserve(dataText.size());
    std::remove_copy(dataText.begin(), dataText.end(), std::back_inserter(text_), '\n');
    lines_.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\r')) + 1);
    const std::string_view all(text_);
    std::size_t start = 0;
    for (std::size_t cr = all.find('\r'); cr != std::string_view::npos;
         cr = all.find('\r', start)) {
        lines_.push_back(all.substr(start, cr - start));
        start = cr + 1;
    }
    lines_.push_back(all.substr(start));
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
