#include "ui/base/gui_meter_session.h"

#include <atomic>

namespace photara {

GuiMeterSession::GuiMeterSession(HidBackend& backend, MeterId id) {
    // Both models start from the same design; from here on the session's changes arrive
    // with each poll.
    (void)model_.takeChanges();
    MeterSession::Listener listener;
    listener.polled = [this](const PollResult& result) {
        QMetaObject::invokeMethod(this, [this, result] { show(result); }, Qt::QueuedConnection);
    };
    listener.readError = [this] {
        QMetaObject::invokeMethod(this, [this] { emit readFailed(); }, Qt::QueuedConnection);
    };
    listener.linkHeld = [this](const std::string& what) {
        QMetaObject::invokeMethod(
            this, [this, what = QString::fromStdString(what)] { emit linkHeld(what); },
            Qt::QueuedConnection);
    };
    listener.linkReleased = [this] {
        QMetaObject::invokeMethod(this, [this] { emit linkReleased(); }, Qt::QueuedConnection);
    };
    // Wakes a waiting await() and hands finished outcomes to whenDone's callers.
    listener.operationDone = [this] {
        QMetaObject::invokeMethod(this, [this] { settlePending(); }, Qt::QueuedConnection);
    };
    session_ = std::make_unique<MeterSession>(backend, id, std::move(listener));
}

GuiMeterSession::~GuiMeterSession() {
    session_.reset();  // no listener call after this
}

void GuiMeterSession::show(const PollResult& result) {
    display_ = result.display;
    for (std::size_t i = 0; i < kElementCount; ++i) {
        if (!result.changes.test(i)) continue;
        const auto e = static_cast<Element>(i);
        model_.setCaption(e, result.model.caption(e));
        model_.setVisible(e, result.model.visible(e));
        model_.setEnabled(e, result.model.enabled(e));
    }
    lastAnswered_ = result.answered;
    lastReading_ = result.reading;
    const QString refusal = QString::fromStdString(result.refusal);
    const bool newlyRefused = !refusal.isEmpty() && refusal != meterRefusal_;
    meterRefusal_ = refusal;
    if (newlyRefused) emit meterRefused(refusal);
    if (!result.answered && onDisconnected_) onDisconnected_();
    emit polled();
}

void GuiMeterSession::settlePending() {
    std::vector<std::function<bool()>> waiting;
    waiting.swap(pending_);
    for (auto& settle : waiting)
        if (!settle()) pending_.push_back(std::move(settle));
}

MeterOutcome<void> GuiMeterSession::poll() {
    const PollResult result = await(session_->poll());
    // The result was queued for show() before the outcome was set.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (!result.answered) return fail(result.failure);
    return {};
}

TransferProgress GuiMeterSession::progressShownBy(std::function<bool(int percent)> shown) {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    return [this, stop, shown = std::move(shown)](int percent) {
        QMetaObject::invokeMethod(
            this, [stop, shown, percent] { if (!shown(percent)) *stop = true; },
            Qt::QueuedConnection);
        return !stop->load();
    };
}

std::optional<Refusal> GuiMeterSession::refuseSettings() const {
    return photara::refuseSettings(session_->connected(), display_);
}

std::optional<Refusal> GuiMeterSession::refuseMemory() const {
    return photara::refuseMemory(session_->connected(), display_);
}

std::optional<Refusal> GuiMeterSession::refuseDownload() const {
    return photara::refuseDownload(display_);
}

}  // namespace photara
