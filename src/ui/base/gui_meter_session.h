#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/link/meter_identity.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/guards.h"
#include "core/meter/meter_session.h"
#include "core/reading/reading.h"

namespace photara {

// The meter session as the windows see it: the core session runs every exchange on its own
// thread; this brings each poll's result and each outcome to the window's thread, where it
// keeps the display state and the panel's model that the windows read and the guards ask.
class GuiMeterSession final : public QObject {
    Q_OBJECT
  public:
    explicit GuiMeterSession(HidBackend& backend, MeterId id = {});
    ~GuiMeterSession() override;

    // Queues the meter's operations (their outcomes come back as futures).
    MeterSession& core() { return *session_; }

    const DisplayState& display() const { return display_; }
    DisplayModel& model() { return model_; }
    // Whether the last poll shown brought the display (false before the first).
    bool lastPollAnswered() const { return lastAnswered_; }
    // The main reading of the last poll shown, when it brought one.
    const std::optional<Reading>& lastReading() const { return lastReading_; }
    // When the last poll found the meter held by another program: says so, naming its node.
    const QString& meterRefusal() const { return meterRefusal_; }

    // The poll's rhythm: queues a poll unless one is waiting; its result arrives as polled().
    void requestPoll() { session_->requestPoll(); }
    // One poll now, waited for as await() waits; its result has been shown when this returns.
    MeterOutcome<void> poll();
    // A key press, queued behind the exchange under way.
    void pressKey(std::uint8_t keyCode) { session_->pressKey(keyCode); }

    // Called when a poll's result without the display is shown (the program closes the logger
    // window there).
    void setOnDisconnected(std::function<void()> handler) { onDisconnected_ = std::move(handler); }

    // Waits for an operation's outcome while the windows keep painting and the poll keeps
    // running and being shown; the user's clicks and keys wait until the outcome is there.
    template <class T>
    T await(std::future<T> future) {
        while (future.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::WaitForMoreEvents);
        return future.get();
    }

    // Calls done with the outcome on the window's thread once it is there; not at all when
    // receiver is gone by then.
    template <class T>
    void whenDone(std::future<T> future, QObject* receiver, std::function<void(T)> done) {
        auto shared = std::make_shared<std::future<T>>(std::move(future));
        pending_.push_back([shared, guard = QPointer<QObject>(receiver), done = std::move(done)] {
            if (shared->wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                return false;
            T outcome = shared->get();
            if (guard) done(std::move(outcome));
            return true;
        });
    }

    // A transfer's progress for the session's thread that shows each step on the window's
    // thread through shown; once shown returns false the transfer stops.
    TransferProgress progressShownBy(std::function<bool(int percent)> shown);

    // The commands' guards over the display last shown.
    std::optional<Refusal> refuseSettings() const;
    std::optional<Refusal> refuseMemory() const;
    std::optional<Refusal> refuseDownload() const;

    // Lights elements as a display report would, for tests of the guards' callers.
    DisplayState& stageDisplay() { return display_; }

  signals:
    // A poll's result is in the display state and the model.
    void polled();
    // A poll found the meter held by another program, after one that did not.
    void meterRefused(const QString& text);
    // A read from the meter failed other than by time-out.
    void readFailed();
    // An operation holds the link for longer than a poll period (what: "download", …);
    // linkReleased when it ends.
    void linkHeld(const QString& what);
    void linkReleased();

  private:
    void show(const PollResult& result);
    void settlePending();

    DisplayState display_;
    DisplayModel model_;
    bool lastAnswered_ = false;
    std::optional<Reading> lastReading_;
    QString meterRefusal_;
    std::function<void()> onDisconnected_;
    std::vector<std::function<bool()>> pending_;
    std::unique_ptr<MeterSession> session_;  // last: its thread ends first
};

}  // namespace photara
