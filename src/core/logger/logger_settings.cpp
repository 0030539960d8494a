#include "core/logger/logger_settings.h"

#include <cmath>
#include <cstdio>

#include "core/datafile/leading_number.h"

namespace photara {

std::string formatSamplingTime(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

namespace {

// A signed time as "hh:mm:ss"; times beyond a day say so rather than print a huge number.
std::string signedTime(double seconds) {
    constexpr double kDay = 86400;
    if (std::abs(seconds) >= kDay) return seconds < 0 ? "minus more than a day" : "more than a day";
    const int whole = static_cast<int>(std::lround(std::abs(seconds)));
    return (seconds <= -0.5 ? "-" : "") + formatSamplingTime(whole);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks, an optional sign, digits with at most one decimal point, blanks; nothing else.
bool isPlainNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < text.size() && isBlank(text[i])) ++i;
    return digit && i == text.size();
}

}  // namespace

SamplingTimeAnswer parseSamplingTime(std::string_view text) {
    using Kind = SamplingTimeAnswer::Kind;
    const std::size_t p1 = text.find(':');
    if (p1 == std::string_view::npos) return {Kind::FormatError, 0, {}};
    std::size_t p2 = text.find(':', p1 + 1);
    if (p2 == std::string_view::npos) p2 = p1;

    const double hours = leadingNumber(text.substr(0, p1));
    // Up to and including the second ":" (which ends the number); empty with one ":".
    const double minutes = leadingNumber(text.substr(p1 + 1, p2 - p1));
    const double seconds = leadingNumber(text.substr(p2 + 1, 2));
    const double secondsField = leadingNumber(text.substr(p2 + 1));
    for (const double field : {hours, minutes, seconds, secondsField}) {
        if (!(field >= 0) || field != std::trunc(field)) {
            SamplingTimeAnswer refused{Kind::OutOfRange, 0, {}};
            refused.badField = true;
            return refused;
        }
    }
    const double total = hours * 3600 + minutes * 60 + seconds;
    // Not-a-number (infinite fields of opposite signs) is out of range as well.
    if (total >= 0.5 && total < kMaxSamplingSeconds + 0.5)
        return {Kind::Accept, static_cast<int>(std::lround(total)), {}};
    return {Kind::OutOfRange, 0, std::isnan(total) ? std::string("no time") : signedTime(total)};
}

std::string samplingTimeRefusal(std::string_view typed, const SamplingTimeAnswer& answer) {
    const std::string read =
        answer.badField ? " has a field that is negative or not whole: hours, minutes and "
                          "seconds are whole numbers of 0 or more."
                        : " reads as " + answer.readAs + " (hours:minutes:seconds).";
    return "\"" + std::string(typed) + "\"" + read +
           "\r\nThe sampling time must lie between 00:00:01 and 01:00:00.";
}

RecordingPeriodAnswer parseRecordingPeriod(std::string_view text) {
    using Kind = RecordingPeriodAnswer::Kind;
    if (!isPlainNumber(text)) return {Kind::NotANumber, 0};
    const double t = std::trunc(leadingNumber(text));
    if (!(t >= kMinRecordingPeriod && t <= kMaxRecordingPeriod)) return {Kind::OutOfRange, 0};
    return {Kind::Accept, static_cast<int>(t)};
}

std::string recordingPeriodRefusal(std::string_view typed, const RecordingPeriodAnswer& answer) {
    const std::string range = "The recording period is a whole number of seconds from " +
                              std::to_string(kMinRecordingPeriod) + " to " +
                              std::to_string(kMaxRecordingPeriod) + ".";
    if (answer.kind == RecordingPeriodAnswer::Kind::NotANumber)
        return "\"" + std::string(typed) + "\" is not a number of seconds.\r\n" + range;
    return "\"" + std::string(typed) + "\" is outside the range.\r\n" + range;
}

}  // namespace photara
