#include "live/poll_tick.h"

#include "live/display_decoding.h"

namespace photara {

PollTick::PollTick(MeterLink& link, DisplayState& state, DisplayModel& model)
    : link_(link), state_(state), model_(model), blink_(state, model) {}

void PollTick::run() {
    link_.request(Command::Display);
    link_.writeThenRead();
    if (!link_.connected()) {
        if (onDisconnected_) onDisconnected_();
        return;
    }
    model_.setCaption(Element::LblName, kProductTitle);

    // Decoded in full before the blink exchange below replaces the link's answer.
    decodeDisplayReport(link_.answer(), state_, model_);
    blink();
}

void PollTick::blink() {
    if (!state_[Element::LblSET]) {
        blink_.showSteady();
        return;
    }
    link_.request(Command::Blink);
    link_.writeThenRead();
    // Without an answer the link still holds the display report, whose bytes 1..4 are
    // characters, not blink codes: leave this tick's blinking alone.
    if (!link_.connected()) return;
    blink_.apply(link_.answer());
}

}  // namespace photara
