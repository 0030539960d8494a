#include "core/meter/poll_tick.h"

#include "core/live/display_decoding.h"
#include "core/meter/display_ops.h"

namespace photara {

PollTick::PollTick(MeterLink& link, DisplayState& state, DisplayModel& model)
    : link_(link), state_(state), model_(model), blink_(state, model) {}

MeterOutcome<void> PollTick::run() {
    const MeterOutcome<Report> display = readDisplay(link_);
    if (!display) {
        if (onDisconnected_) onDisconnected_();
        return fail(display.reason());
    }
    model_.setCaption(Element::LblName, kProductTitle);
    decodeDisplayReport(*display, state_, model_);
    blink();
    return {};
}

void PollTick::blink() {
    if (!state_[Element::LblSET]) {
        blink_.showSteady();
        return;
    }
    // Without an answer this tick's blinking stays as it was.
    if (const MeterOutcome<Report> codes = readBlink(link_)) blink_.apply(*codes);
}

}  // namespace photara
