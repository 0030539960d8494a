#include "ui/base/meter_session.h"

namespace photara {

MeterSession::MeterSession(HidBackend& backend, MeterId id)
    : link_(backend, id.vendorId, id.productId), poll_(link_, state_, model_) {}

MeterOutcome<void> MeterSession::poll() {
    MeterOutcome<void> outcome = poll_.run();
    lastPollAnswered_ = outcome.ok();
    return outcome;
}

void MeterSession::setOnDisconnected(std::function<void()> handler) {
    poll_.setOnDisconnected(std::move(handler));
}

void MeterSession::attachTimers(QTimer& poll, QTimer& status) {
    pollTimer_ = &poll;
    statusTimer_ = &status;
}

TimerPause MeterSession::pause(Pausing which) {
    if (which == Pausing::PollOnly) return TimerPause{pollTimer_};
    return TimerPause{pollTimer_, statusTimer_};
}

std::optional<Refusal> MeterSession::refuseSettings() const {
    return photara::refuseSettings(link_.connected(), state_);
}

std::optional<Refusal> MeterSession::refuseMemory() const {
    return photara::refuseMemory(link_.connected(), state_);
}

std::optional<Refusal> MeterSession::refuseDownload() const {
    return photara::refuseDownload(state_);
}

}  // namespace photara
