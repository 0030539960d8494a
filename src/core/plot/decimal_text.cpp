#include "core/plot/decimal_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace photara {

std::string shortestDecimal(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Fixed form of the largest double takes 309 digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string truncatedDecimal(double value, int decimals) {
    std::string text = shortestDecimal(value);
    if (!std::isfinite(value)) return text;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        const std::size_t keep =
            decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point;
        if (text.size() > keep) text.resize(keep);
        while (text.back() == '0' && text.size() > point + 1) text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

double truncateDecimals(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const std::string text = truncatedDecimal(value, decimals);
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

}  // namespace photara
