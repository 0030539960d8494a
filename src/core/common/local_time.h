#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace photara {

// A local calendar date and time as the PC clock gives it; the program never needs zones.
struct LocalDateTime {
    int year = 2000;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    int millisecond = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Seconds since local midnight, with the milliseconds as the fraction.
double secondsSinceMidnight(const LocalDateTime& t);

// A local time with the offset of local time from UTC at that moment, which is what a
// record with real timestamps needs (local time alone repeats an hour each autumn).
struct ZonedDateTime {
    LocalDateTime local;
    int utcOffsetMinutes = 0;  // local minus UTC: +60 in Central European winter time

    friend bool operator==(const ZonedDateTime&, const ZonedDateTime&) = default;
};

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (month 1..12), for any
// year.
std::int64_t daysFromCivil(std::int64_t year, int month, int day);
// Seconds from 1970-01-01 00:00:00 to a calendar time, no zone involved: for differences of
// two clocks and for the virtual meter's calendar.
std::int64_t calendarSeconds(const LocalDateTime& t);

// Milliseconds since 1970-01-01T00:00Z.
std::int64_t epochMilliseconds(const ZonedDateTime& t);
// ISO 8601 with milliseconds and offset: "2026-12-08T10:15:02.250+01:00".
std::string iso8601(const ZonedDateTime& t);
// iso8601 back; nothing unless the text is exactly that form with a real date and time.
std::optional<ZonedDateTime> parseIso8601(std::string_view text);

// Time as the program sees it. Everything that reads the PC clock goes through this,
// so tests can script the time instead of waiting for it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    // Local time with its UTC offset; a clock that knows no zone says UTC.
    virtual ZonedDateTime zonedNow() const { return {now(), 0}; }
};

// The PC's local clock.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
    ZonedDateTime zonedNow() const override;
};

}  // namespace photara
