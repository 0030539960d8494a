#include "core/common/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace photara {

std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t calendarSeconds(const LocalDateTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600LL + t.minute * 60LL +
           t.second;
}

double secondsSinceMidnight(const LocalDateTime& t) {
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

namespace {

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Exactly `width` digits at text[at..].
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return std::nullopt;
    int n = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        n = n * 10 + (text[i] - '0');
    }
    return n;
}

}  // namespace

std::int64_t epochMilliseconds(const ZonedDateTime& t) {
    const LocalDateTime& l = t.local;
    const std::int64_t minutes = daysFromCivil(l.year, l.month, l.day) * 1440 + l.hour * 60 +
                                 l.minute - t.utcOffsetMinutes;
    return (minutes * 60 + l.second) * 1000 + l.millisecond;
}

std::string iso8601(const ZonedDateTime& t) {
    const LocalDateTime& l = t.local;
    const int offset = t.utcOffsetMinutes < 0 ? -t.utcOffsetMinutes : t.utcOffsetMinutes;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", l.year,
                  l.month, l.day, l.hour, l.minute, l.second, l.millisecond,
                  t.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return buf;
}

std::optional<ZonedDateTime> parseIso8601(std::string_view s) {
    // 2026-12-08T10:15:02.250+01:00
    if (s.size() != 29 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' ||
        s[16] != ':' || s[19] != '.' || (s[23] != '+' && s[23] != '-') || s[26] != ':') {
        return std::nullopt;
    }
    const auto y = digitsAt(s, 0, 4), mo = digitsAt(s, 5, 2), d = digitsAt(s, 8, 2),
               h = digitsAt(s, 11, 2), mi = digitsAt(s, 14, 2), se = digitsAt(s, 17, 2),
               ms = digitsAt(s, 20, 3), oh = digitsAt(s, 24, 2), om = digitsAt(s, 27, 2);
    if (!y || !mo || !d || !h || !mi || !se || !ms || !oh || !om) return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > daysInMonth(*y, *mo) || *h > 23 || *mi > 59 ||
        *se > 59 || *oh > 23 || *om > 59) {
        return std::nullopt;
    }
    const int offset = (*oh * 60 + *om) * (s[23] == '-' ? -1 : 1);
    return ZonedDateTime{{*y, *mo, *d, *h, *mi, *se, *ms}, offset};
}

LocalDateTime SystemClock::now() const { return zonedNow().local; }

ZonedDateTime SystemClock::zonedNow() const {
    const auto nowPoint = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(nowPoint);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                            nowPoint.time_since_epoch())
                            .count() %
                        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    const LocalDateTime l{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min,         local.tm_sec,     static_cast<int>(millis)};
    return {l, static_cast<int>(local.tm_gmtoff / 60)};
}

}  // namespace photara
