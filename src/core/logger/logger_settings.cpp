#include "logger/logger_settings.h"

#include <cmath>
#include <cstdio>

#include "datafile/leading_number.h"

namespace photara {

std::string formatSamplingTime(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

SamplingTimeAnswer parseSamplingTime(std::string_view text) {
    using Kind = SamplingTimeAnswer::Kind;
    const std::size_t p1 = text.find(':');
    if (p1 == std::string_view::npos) return {Kind::FormatError, 0};
    std::size_t p2 = text.find(':', p1 + 1);
    if (p2 == std::string_view::npos) p2 = p1;

    const double hours = leadingNumber(text.substr(0, p1));
    // Up to and including the second ":" (which ends the number); empty with one ":".
    const double minutes = leadingNumber(text.substr(p1 + 1, p2 - p1));
    const double seconds = leadingNumber(text.substr(p2 + 1, 2));
    if (hours > 1) return {Kind::AskAgain, 0};

    double total = hours * 3600 + minutes * 60 + seconds;
    if (total > kMaxSamplingSeconds) total = kMaxSamplingSeconds;
    // Also catches NaN (infinite fields of opposite signs) and fractions that round to 0.
    if (!(total >= 0.5)) return {Kind::AskAgain, 0};
    return {Kind::Accept, static_cast<int>(std::lround(total))};
}

int parseRecordingPeriod(std::string_view text) {
    const double t = std::trunc(leadingNumber(text));
    if (t > kMaxRecordingPeriod) return kMaxRecordingPeriod;
    if (!(t >= kMinRecordingPeriod)) return kMinRecordingPeriod;
    return static_cast<int>(t);
}

}  // namespace photara
