#include "core/meter/clock_ops.h"

#include "core/clock/meter_clock.h"

namespace photara {

MeterOutcome<LocalDateTime> readMeterClock(MeterLink& link) {
    const MeterOutcome<Report> answer = link.exchange(Request(Command::ReadClock));
    if (!answer) return fail(answer.reason());
    return *decodeMeterClock(*answer);  // a whole report always holds the time
}

MeterOutcome<void> setMeterClock(MeterLink& link, const LocalDateTime& time) {
    return link.send(Request(Command::SetClock).withArguments(setClockBytes(time)));
}

}  // namespace photara
