#include "sim/calendar.h"

namespace photara::sim {
namespace {

constexpr long long kSecondsPerDay = 24LL * 3600;

}  // namespace

long long toCalendarSeconds(const LocalDateTime& t) {
    // Normalise the month first so that daysFromCivil sees 1..12.
    long long months = static_cast<long long>(t.year) * 12 + (t.month - 1);
    const long long year = months >= 0 ? months / 12 : (months - 11) / 12;
    const long long month = months - year * 12 + 1;
    return daysFromCivil(year, static_cast<int>(month), t.day) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL +
           t.second;
}

LocalDateTime fromCalendarSeconds(long long seconds) {
    long long days =
        seconds >= 0 ? seconds / kSecondsPerDay : (seconds - (kSecondsPerDay - 1)) / kSecondsPerDay;
    long long rest = seconds - days * kSecondsPerDay;
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp + (mp < 10 ? 3 : -9);
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    LocalDateTime t;
    t.year = static_cast<int>(y);
    t.month = static_cast<int>(m);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace photara::sim
