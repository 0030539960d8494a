#pragma once

#include <cstdint>

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

// Time as the program sees it. Everything that reads the PC clock goes through this,
// so tests can script the time instead of waiting for it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The PC's local clock.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

}  // namespace photara
