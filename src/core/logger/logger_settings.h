#pragma once

#include <string>
#include <string_view>

namespace photara {

// The logger's sampling time is 1 s .. 1 h; its recording period 1 .. 9999 s.
inline constexpr int kMaxSamplingSeconds = 3600;
inline constexpr int kMinRecordingPeriod = 1;
inline constexpr int kMaxRecordingPeriod = 9999;

// "hh:nn:ss" with two digits each (hours not wrapped): 90 gives "00:01:30".
std::string formatSamplingTime(int seconds);

// What to do with a typed sampling time.
struct SamplingTimeAnswer {
    enum class Kind {
        Accept,       // send `seconds`
        FormatError,  // no ":" at all: tell the user the format, then ask again
        AskAgain,     // more than 1 hour in the hours field, or nothing left: ask again silently
    };
    Kind kind = Kind::AskAgain;
    int seconds = 0;
};

// Reads "h:m:s" loosely: hours before the first ":", minutes up to the next ":" (none when
// there is only one ":"), seconds from the two characters after that; each field by its
// leading number. A total above one hour is cut to one hour; a total of zero or below
// (e.g. a typed minus sign) asks again.
SamplingTimeAnswer parseSamplingTime(std::string_view text);

// The leading number of the text, truncated toward zero and held within 1..9999: 0 and
// -5 give 1, 10000 gives 9999, 60.9 gives 60, letters give 1.
int parseRecordingPeriod(std::string_view text);

}  // namespace photara
