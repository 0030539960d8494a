#include "sim/settings_requests.h"

#include "core/logger/logger_settings.h"
#include "core/protocol/big_endian.h"
#include "core/protocol/commands.h"
#include "sim/calendar.h"

namespace photara::sim {
namespace {

int argument16(const Report& request) {
    return static_cast<int>(readBigEndian(std::span(request).subspan(kFirstArgumentByte, 2)));
}

std::optional<int> fromBcd(std::uint8_t b) {
    if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
    return (b >> 4) * 10 + (b & 0x0F);
}

}  // namespace

bool isSettingsOrLoggerCommand(const Report& request, std::uint8_t previousCommand) {
    switch (static_cast<Command>(request[kCommandByte])) {
        case Command::SetRecordingPeriod:
            return previousCommand == static_cast<std::uint8_t>(Command::ReadRecordingPeriod) &&
                   recordingPeriodArgument(request).has_value();
        case Command::ReadRecordingPeriod:
        case Command::Directory:
        case Command::SetData:
        case Command::EraseSet:
        case Command::EraseAll:
        case Command::MemoryStatus:
        case Command::SetSize:
        case Command::ReadClock:
        case Command::SetClock:
        case Command::SetSamplingTime:
        case Command::ReadSamplingTime:
            return true;
        default:
            return false;
    }
}

std::optional<int> samplingTimeArgument(const Report& request) {
    const int s = argument16(request);
    if (s < 1 || s > kMaxSamplingSeconds) return std::nullopt;
    return s;
}

std::optional<int> recordingPeriodArgument(const Report& request) {
    const int p = argument16(request);
    if (p < kMinRecordingPeriod || p > kMaxRecordingPeriod) return std::nullopt;
    return p;
}

std::optional<LocalDateTime> setClockArgument(const Report& request) {
    LocalDateTime t;
    t.year = argument16(request);
    const auto month = fromBcd(request[5]);
    if (!month || *month < 1 || *month > 12) return std::nullopt;
    t.month = *month;
    t.day = request[6];
    t.hour = request[7];
    t.minute = request[8];
    t.second = request[9];
    if (t.year < 1 || t.day < 1 || t.day > daysInMonth(t.year, t.month) || t.hour > 23 ||
        t.minute > 59 || t.second > 59) {
        return std::nullopt;
    }
    return t;
}

Report numberReport(int value) {
    Report r{};
    writeBigEndian(std::span(r).subspan(1, 2), static_cast<std::uint64_t>(value));
    return r;
}

Report clockReport(const LocalDateTime& t) {
    Report r{};
    writeBigEndian(std::span(r).subspan(1, 2), static_cast<std::uint64_t>(t.year));
    r[3] = static_cast<std::uint8_t>(t.month);
    r[4] = static_cast<std::uint8_t>(t.day);
    r[5] = static_cast<std::uint8_t>(t.hour);
    r[6] = static_cast<std::uint8_t>(t.minute);
    r[7] = static_cast<std::uint8_t>(t.second);
    return r;
}

}  // namespace photara::sim
