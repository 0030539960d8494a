#include "core/export/set_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/datafile/data_text.h"
#include "core/datafile/leading_number.h"
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
    while (i < text.size() && i - start < maxDigits && text[i] >= '0' && text[i] <= '9')
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

std::string meterUnitInUtf8(std::string_view meterUnit, std::string_view fallback) {
    // The meter writes "cd/m2" for want of a superscript.
    const std::string_view text = trimmed(meterUnit);
    if (text.empty()) return std::string(fallback);
    if (text == "cd/m2") return "cd/m\xC2\xB2";
    return utf8FromMeter(text);
}

std::string csvNumber(std::string_view blanklessField, std::string_view decimalSeparator) {
    const LeadingNumber number = readLeadingNumber(blanklessField);
    if (!number.present) return {};
    int decimals = number.decimals;
    if (blanklessField.find('K') != std::string_view::npos) decimals -= 3;
    if (blanklessField.find('M') != std::string_view::npos) decimals -= 6;
    return formatNumber(fieldValue(blanklessField), decimals, decimalSeparator);
}

std::string meterTimeAsIso(std::string_view text, char dateTimeSeparator) {
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
        csv::record({"time", hasRows ? meterUnitInUtf8(set.firstUnit, "cd/m\xC2\xB2") : "cd/m\xC2\xB2",
                     hasRows ? meterUnitInUtf8(set.secondUnit, "fL") : "fL"},
                    d);
    const Samples& samples = set.samples;
    for (std::size_t row = 0; row < set.rowCount(); ++row) {
        out += csv::record(
            {meterTimeAsIso(samples.timeTexts[row], flavour.dateTimeSeparator),
             csvNumber(set.firstTexts[row], decimal), csvNumber(set.secondTexts[row], decimal)},
            d);
    }
    return out;
}

}  // namespace photara
