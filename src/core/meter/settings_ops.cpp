#include "core/meter/settings_ops.h"

#include <array>
#include <span>

#include "core/protocol/big_endian.h"

namespace photara {
namespace {

// The 16-bit number in answer bytes 1..2.
MeterOutcome<int> readNumber(MeterLink& link, Command command) {
    const MeterOutcome<Report> answer = link.exchange(Request(command));
    if (!answer) return fail(answer.reason());
    return static_cast<int>(readBigEndian(std::span(*answer).subspan(1, 2)));
}

// The number in request bytes 3..4.
MeterOutcome<void> sendNumber(MeterLink& link, Command command, int value) {
    std::array<std::uint8_t, 2> bytes{};
    writeBigEndian(bytes, static_cast<std::uint64_t>(value));
    return link.send(Request(command).withArguments(bytes));
}

}  // namespace

MeterOutcome<int> readSamplingTime(MeterLink& link) {
    return readNumber(link, Command::ReadSamplingTime);
}

MeterOutcome<void> setSamplingTime(MeterLink& link, int seconds) {
    return sendNumber(link, Command::SetSamplingTime, seconds);
}

MeterOutcome<int> readRecordingPeriod(MeterLink& link) {
    return readNumber(link, Command::ReadRecordingPeriod);
}

MeterOutcome<void> setRecordingPeriod(MeterLink& link, int seconds) {
    return sendNumber(link, Command::SetRecordingPeriod, seconds);
}

}  // namespace photara
