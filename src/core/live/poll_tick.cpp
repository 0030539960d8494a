#include "live/poll_tick.h"

#include "live/annunciators.h"
#include "live/character_step.h"
#include "live/legend_decoding.h"
#include "live/separators_and_battery.h"

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
    const Report& display = link_.answer();
    decodeLegends(display, state_);
    decodeAnnunciators(display, state_);
    showAnnunciators(state_, model_);
    showCharacters(display, model_);
    showSeparators(display, model_);
    showBattery(display, model_);
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
