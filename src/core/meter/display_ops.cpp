#include "core/meter/display_ops.h"

namespace photara {

MeterOutcome<Report> readDisplay(MeterLink& link) {
    return link.exchange(Request(Command::Display));
}

MeterOutcome<Report> readBlink(MeterLink& link) {
    return link.exchange(Request(Command::Blink));
}

MeterOutcome<void> pressKey(MeterLink& link, std::uint8_t keyCode) {
    return link.send(Request::key(keyCode));
}

void discardWaitingAnswer(MeterLink& link) {
    (void)link.receive();
}

}  // namespace photara
