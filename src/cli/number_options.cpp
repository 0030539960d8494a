#include "cli/number_options.h"

#include <charconv>
#include <cmath>

#include "cli/text_output.h"

namespace photara::cli {
namespace {

template <typename T>
std::optional<T> parseWhole(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    // from_chars takes no "+"; a script may well write one.
    const char* begin =
        text.starts_with('+') && text.size() > 1 && text[1] != '-' ? text.data() + 1 : text.data();
    const auto [at, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc{} || at != end || text.empty()) return std::nullopt;
    return value;
}

std::string rangeText(double min, double max) {
    return numberText(min) + " to " + numberText(max);
}

}  // namespace

std::optional<double> parseNumberIn(std::string_view text, double min, double max) {
    const std::optional<double> value = parseWhole<double>(text);
    // from_chars reads "nan" and "inf"; neither is a number of anything here.
    if (!value || !std::isfinite(*value) || *value < min || *value > max) return std::nullopt;
    return value;
}

std::optional<long> parseWholeIn(std::string_view text, long min, long max) {
    const std::optional<long> value = parseWhole<long>(text);
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

CLI::Validator numberIn(double min, double max, const std::string& what) {
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            if (parseNumberIn(text, min, max)) return {};
            return "must be " + what + " from " + rangeText(min, max) + " (got " + text + ")";
        },
        "[" + numberText(min) + " - " + numberText(max) + "]");
}

CLI::Validator wholeIn(long min, long max, const std::string& what) {
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            if (parseWholeIn(text, min, max)) return {};
            return "must be " + what + " from " + std::to_string(min) + " to " +
                   std::to_string(max) + " (got " + text + ")";
        },
        "");
}

}  // namespace photara::cli
