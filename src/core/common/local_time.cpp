#include "common/local_time.h"

#include <chrono>
#include <ctime>

namespace photara {

double secondsSinceMidnight(const LocalDateTime& t) {
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

LocalDateTime SystemClock::now() const {
    const auto nowPoint = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(nowPoint);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                            nowPoint.time_since_epoch())
                            .count() %
                        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min,         local.tm_sec,     static_cast<int>(millis)};
}

}  // namespace photara
