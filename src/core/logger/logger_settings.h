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
        OutOfRange,   // zero, negative or above one hour, or a field that is not a whole
                      // number of 0 or more: say what was wrong, then ask again
    };
    Kind kind = Kind::OutOfRange;
    int seconds = 0;     // Accept: the time to send
    std::string readAs;  // OutOfRange for the total: the time the text was read as, "01:00:30"
    bool badField = false;  // OutOfRange for a field: negative or with a fraction
};

// Reads "h:m:s" loosely: hours before the first ":", minutes up to the next ":" (none when
// there is only one ":"), seconds from the two characters after that; each field by its
// leading number. Only a total of 00:00:01 … 01:00:00 is sent: nothing is cut or rounded
// to another time behind the user's back. So each field must be a whole number of 0 or more
// ("2:-70:00" is not 00:50:00, "00:00:10.5" not 10 s); the seconds' whole number is read
// for this, even where only its first two characters count ("00:00:10.5").
SamplingTimeAnswer parseSamplingTime(std::string_view text);

// The message for a sampling time that is out of range: what was read and the range.
std::string samplingTimeRefusal(std::string_view typed, const SamplingTimeAnswer& answer);

// What to do with a typed recording period.
struct RecordingPeriodAnswer {
    enum class Kind {
        Accept,      // send `seconds`
        NotANumber,  // letters, or characters after the number
        OutOfRange,  // a number outside 1 … 9999
    };
    Kind kind = Kind::NotANumber;
    int seconds = 0;
};

// A number of seconds, blanks around it allowed; a fraction is cut to whole seconds (60.9
// gives 60). Anything else, or a number outside 1 … 9999, is not sent.
RecordingPeriodAnswer parseRecordingPeriod(std::string_view text);

// The message for a recording period that is not accepted, with the range.
std::string recordingPeriodRefusal(std::string_view typed, const RecordingPeriodAnswer& answer);

}  // namespace photara
