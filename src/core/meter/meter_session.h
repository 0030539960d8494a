#pragma once

#include <bitset>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/common/local_time.h"
#include "core/link/hid_backend.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/guards.h"
#include "core/meter/poll_tick.h"
#include "core/meter/wire_sequences.h"
#include "core/reading/reading.h"

namespace photara {

// What one poll saw, copied out of the session for whoever shows or records it.
struct PollResult {
    bool answered = false;   // the meter sent its display
    bool connected = false;  // a meter was open after the poll
    Failure failure = Failure::NoAnswer;  // why the display did not come, when not answered
    std::string refusal;  // with NoMeter: the meter is there but another program holds it
    DisplayState display;    // the display as last known: a poll without answer keeps it
    DisplayModel model;      // the panel's model after the poll
    std::bitset<kElementCount> changes;  // the model's elements changed since the last result
    std::optional<Reading> reading;      // the main reading, when answered and one is shown
};

// The one session with the meter that every front end drives: it owns the link, the display
// state and model the poll keeps, and a thread of its own on which every exchange runs in
// order from one queue (polls, keys, logger, settings and clock). Callers queue operations
// and get their outcomes back as futures (and through the listener), so a meter that stops
// answering spends its time-outs here, never on a caller's thread, and nothing needs to stop
// the poll to keep two exchanges apart.
class MeterSession {
  public:
    struct Listener {
        // After each poll, with what it saw (on the session's thread).
        std::function<void(const PollResult&)> polled;
        // A read failed other than by time-out (an unplugged meter).
        std::function<void()> readError;
        // An operation has held the link for a whole poll period (polls are waiting): what
        // holds it, e.g. "download"; linkReleased follows when it ends.
        std::function<void(const std::string& what)> linkHeld;
        std::function<void()> linkReleased;
        // After each queued operation's outcome is set (a caller waiting in an event loop
        // wakes up here).
        std::function<void()> operationDone;
    };

    // Starts the session's thread; talks to the meter only when asked.
    MeterSession(HidBackend& backend, MeterId id, Listener listener = {});
    // Lets the exchange under way end, drops what is still queued (those outcomes say
    // Failure::Stopped) and ends the thread.
    ~MeterSession();
    MeterSession(const MeterSession&) = delete;
    MeterSession& operator=(const MeterSession&) = delete;

    // Queues a poll unless one is already waiting, ahead of the operations still waiting;
    // its result goes to the listener. Called by the front end's rhythm (four times a second). A call that finds an operation holding
    // the link since the previous call says so through linkHeld.
    void requestPoll();
    // One poll now, behind what is queued; the result also goes to the listener.
    std::future<PollResult> poll();

    // A key press, write-only: a key pressed while the meter is away is lost.
    void pressKey(std::uint8_t keyCode);

    // The logger, the settings and the clock: each keeps the meter's wire rules.
    // A progress callback runs on the session's thread; returning false stops the transfer.
    std::future<MeterOutcome<MemoryStatus>> readMemory();
    std::future<MeterOutcome<SetList>> readSets(TransferProgress progress = {});
    std::future<MeterOutcome<DownloadedSet>> download(std::string identifier,
                                                      TransferProgress progress = {});
    std::future<MeterOutcome<SetErase>> eraseSetIfListed(std::string identifier);
    std::future<MeterOutcome<void>> eraseAll(WaitingAnswer waiting = WaitingAnswer::Discard);
    std::future<MeterOutcome<int>> readSamplingTime();
    std::future<MeterOutcome<void>> setSamplingTime(int seconds);
    std::future<MeterOutcome<int>> readRecordingPeriod();
    std::future<MeterOutcome<void>> changeRecordingPeriod(int seconds);
    // With Discard, an answer left waiting is read first (when the clock starts being read).
    std::future<MeterOutcome<LocalDateTime>> readClock(WaitingAnswer waiting);
    std::future<MeterOutcome<void>> setClock(LocalDateTime time);

    // Runs fn on the session's thread between two exchanges (a test's faults on the virtual
    // meter, which the session's thread talks to).
    std::future<void> between(std::function<void()> fn);

    // Whether a meter was open after the last exchange (any thread).
    bool connected() const;

  private:
    struct Job {
        std::string what;
        bool isPoll = false;
        std::function<void()> run;
        std::function<void()> drop;  // sets the outcome of a job that never ran
    };

    template <class T, class Work>
    std::future<T> queue(std::string what, Work work, T dropped);
    enum class Place { Back, Front };
    void push(Job job, Place place = Place::Back);
    void loop();
    PollResult runPoll();
    void noteConnection();

    MeterLink link_;
    DisplayState state_;
    DisplayModel model_;
    PollTick tick_;
    Listener listener_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    bool pollQueued_ = false;
    bool connected_ = false;
    // The operation running now (empty between jobs, and during a poll), and how many poll
    // requests found it running: the second means it has held the link for a poll period.
    std::string running_;
    int pollRequestsWhileRunning_ = 0;
    bool heldSaid_ = false;
    std::thread thread_;  // last: started when everything above exists
};

}  // namespace photara
