#include "core/export/set_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/datafile/data_text.h"
#include "core/export/csv.h"

namespace photara {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string utf8FromMeter(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the leading number of a field looks like: whether there is one, and how many
// decimals it was written with (the exponent taken into account).
struct NumberShape {
    bool present = false;
    int decimals = 0;
};

NumberShape shapeOf(std::string_view text) {
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && skipped(text[i])) ++i;
    };
    auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    skip();
    if (at(i) == '&') {
        // "&H1F" and "&O17" are integers; the digits are checked loosely, any one will do.
        const char radix = at(i + 1);
        if (radix != 'H' && radix != 'h' && radix != 'O' && radix != 'o') return {};
        i += 2;
        skip();
        return {std::isxdigit(static_cast<unsigned char>(at(i))) != 0, 0};
    }
    if (at(i) == '+' || at(i) == '-') {
        ++i;
        skip();
    }
    int digits = 0;
    int decimals = 0;
    for (; isDigit(at(i)); skip()) ++i, ++digits;
    if (at(i) == '.') {
        ++i;
        for (skip(); isDigit(at(i)); skip()) ++i, ++digits, ++decimals;
    }
    if (digits == 0) return {};
    if (at(i) == 'E' || at(i) == 'e') {
        std::size_t j = i + 1;
        while (j < text.size() && skipped(text[j])) ++j;
        const bool minus = at(j) == '-';
        if (at(j) == '+' || at(j) == '-') ++j;
        long exponent = 0;
        bool any = false;
        for (; isDigit(at(j)); ++j) {
            any = true;
            if (exponent < 1000) exponent = exponent * 10 + (at(j) - '0');
            while (j + 1 < text.size() && skipped(text[j + 1])) ++j;
        }
        if (any) decimals -= static_cast<int>(minus ? -exponent : exponent);
    }
    return {true, decimals};
}

std::string formatNumber(double value, int decimals, std::string_view decimalSeparator) {
    std::array<char, 64> buffer{};
    std::to_chars_result result;
    if (std::isfinite(value) && std::fabs(value) < 1e15)
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::fixed, std::clamp(decimals, 0, 15));
    else
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    if (decimalSeparator != ".") {
        const std::size_t point = text.find('.');
        if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
    }
    return text;
}

// Reads up to `width` digits at text[i...]; advances i.
bool readNumber(std::string_view text, std::size_t& i, std::size_t minDigits, std::size_t maxDigits,
                int& value) {
    const std::size_t start = i;
    value = 0;
    while (i < text.size() && i - start < maxDigits && isDigit(text[i]))
        value = value * 10 + (text[i++] - '0');
    return i - start >= minDigits;
}

// The CAF and CCF as the meter wrote them, a plain decimal given the flavour's separator.
std::string trailerValue(std::string_view text, std::string_view decimalSeparator) {
    std::string out = utf8FromMeter(text);
    const bool plainDecimal = !out.empty() &&
                              out.find_first_not_of("0123456789.+-") == std::string::npos &&
                              std::count(out.begin(), out.end(), '.') == 1;
    if (plainDecimal && decimalSeparator != ".") out.replace(out.find('.'), 1, decimalSeparator);
    return out;
}

}  // namespace

std::string unitText(std::string_view meterUnit, std::string_view fallback) {
    // The meter writes "cd/m2" for want of a superscript.
    const std::string_view text = trimmed(meterUnit);
    if (text.empty()) return std::string(fallback);
    if (text == "cd/m2") return "cd/m\xC2\xB2";
    return utf8FromMeter(text);
}

std::string csvNumber(std::string_view blanklessField, std::string_view decimalSeparator) {
    const NumberShape shape = shapeOf(blanklessField);
    if (!shape.present) return {};
    int decimals = shape.decimals;
    if (blanklessField.find('K') != std::string_view::npos) decimals -= 3;
    if (blanklessField.find('M') != std::string_view::npos) decimals -= 6;
    return formatNumber(fieldValue(blanklessField), decimals, decimalSeparator);
}

std::string isoLocalTime(std::string_view text, char dateTimeSeparator) {
    const std::string_view timeText = trimmed(text);
    // The meter writes "2026/12/08 10:15:02" (year first, any of / - . between the parts).
    std::size_t i = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    auto separator = [&](std::string_view allowed) {
        if (i < timeText.size() && allowed.find(timeText[i]) != std::string_view::npos) {
            ++i;
            return true;
        }
        return false;
    };
    bool ok = readNumber(timeText, i, 4, 4, year) && separator("/-.") &&
              readNumber(timeText, i, 1, 2, month) && separator("/-.") &&
              readNumber(timeText, i, 1, 2, day) && separator(" ");
    while (ok && i < timeText.size() && timeText[i] == ' ') ++i;
    ok = ok && readNumber(timeText, i, 1, 2, hour) && separator(":") &&
         readNumber(timeText, i, 1, 2, minute) && separator(":") &&
         readNumber(timeText, i, 1, 2, second) && trimmed(timeText.substr(i)).empty();
    ok = ok && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 && minute <= 59 &&
         second <= 60;
    if (!ok) return utf8FromMeter(text);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%c%02d:%02d:%02d", year, month, day,
                  dateTimeSeparator, hour, minute, second);
    return buffer;
}

std::string setCsv(const DataSet& set, const SetCsvFlavour& flavour) {
    const char d = flavour.delimiter;
    const std::string_view decimal = flavour.decimalSeparator;
    const bool hasRows = set.rowCount() > 0;

    std::string out;
    out.reserve(128 + set.rowCount() * 48);
    if (flavour.byteOrderMark) out += kByteOrderMark;
    // Every record has three fields, so the file stays one rectangular table.
    out += csv::record({"CAF", trailerValue(set.caf, decimal), ""}, d);
    out += csv::record({"CCF", trailerValue(set.ccf, decimal), ""}, d);
    out +=
        csv::record({"time", hasRows ? unitText(set.firstUnit, "cd/m\xC2\xB2") : "cd/m\xC2\xB2",
                     hasRows ? unitText(set.secondUnit, "fL") : "fL"},
                    d);
    const Samples& samples = set.samples;
    for (std::size_t row = 0; row < set.rowCount(); ++row) {
        out += csv::record(
            {isoLocalTime(samples.timeTexts[row], flavour.dateTimeSeparator),
             csvNumber(set.firstTexts[row], decimal), csvNumber(set.secondTexts[row], decimal)},
            d);
    }
    return out;
}

}  // namespace photara
