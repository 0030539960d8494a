#include "core/clock/meter_clock.h"

#include <cstdio>

#include "core/protocol/big_endian.h"

namespace photara {
namespace {

std::uint8_t low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The last two characters of "0" followed by the value: 7 -> "07", 134 -> "34".
std::string twoDigits(unsigned value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02u", value % 100);
    return text;
}

}  // namespace

std::array<std::uint8_t, 7> setClockBytes(const LocalDateTime& time) {
    const int month = time.month / 10 * 16 + time.month % 10;
    return {low(time.year >> 8), low(time.year),   low(month),      low(time.day),
            low(time.hour),      low(time.minute), low(time.second)};
}

std::optional<LocalDateTime> decodeMeterClock(std::span<const std::uint8_t> answer) {
    if (answer.size() < 8) return std::nullopt;
    LocalDateTime time;
    time.year = static_cast<int>(readBigEndian(answer.subspan(1, 2)));
    time.month = answer[3];
    time.day = answer[4];
    time.hour = answer[5];
    time.minute = answer[6];
    time.second = answer[7];
    return time;
}

std::string formatMeterClock(const LocalDateTime& time) {
    std::string text = std::to_string(time.year);
    const int fields[] = {time.month, time.day, time.hour, time.minute, time.second};
    static constexpr char kSeparators[] = "// ::";
    for (std::size_t i = 0; i < 5; ++i) {
        text.push_back(kSeparators[i]);
        text += twoDigits(static_cast<unsigned>(fields[i]));
    }
    return text;
}

std::string formatMeterClock(std::span<const std::uint8_t> answer) {
    const std::optional<LocalDateTime> time = decodeMeterClock(answer);
    return time ? formatMeterClock(*time) : std::string();
}

std::string formatLocalTime(const LocalDateTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

}  // namespace photara
