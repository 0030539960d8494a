#include "core/meter/meter_session.h"

#include "core/meter/clock_ops.h"
#include "core/meter/display_ops.h"
#include "core/meter/settings_ops.h"

namespace photara {

MeterSession::MeterSession(HidBackend& backend, MeterId id, Listener listener)
    : link_(backend, id.vendorId, id.productId),
      tick_(link_, state_, model_),
      listener_(std::move(listener)) {
    MeterLink::Listener linkListener;
    // Said where the product's name stands, until a meter answers again.
    linkListener.noConnection = [this] { model_.setCaption(Element::LblName, " No Connection"); };
    linkListener.readError = [this] {
        if (listener_.readError) listener_.readError();
    };
    link_.setListener(std::move(linkListener));
    thread_ = std::thread([this] { loop(); });
}

MeterSession::~MeterSession() {
    std::deque<Job> dropped;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(jobs_);
    }
    wake_.notify_all();
    for (Job& job : dropped) job.drop();  // their callers need not wait for the exchange under way
    thread_.join();
}

void MeterSession::push(Job job, Place place) {
    {
        const std::lock_guard lock(mutex_);
        if (!stopping_) {
            if (place == Place::Front)
                jobs_.push_front(std::move(job));
            else
                jobs_.push_back(std::move(job));
            job.drop = nullptr;
        }
    }
    if (job.drop) job.drop();  // the session is ending: nothing runs any more
    wake_.notify_one();
}

template <class T, class Work>
std::future<T> MeterSession::queue(std::string what, Work work, T dropped) {
    auto promise = std::make_shared<std::promise<T>>();
    std::future<T> future = promise->get_future();
    Job job;
    job.what = std::move(what);
    job.run = [this, promise, work = std::move(work)]() mutable {
        T outcome = work();
        noteConnection();  // before the caller hears the outcome and asks the guards
        promise->set_value(std::move(outcome));
    };
    job.drop = [promise, dropped = std::move(dropped)]() mutable {
        promise->set_value(std::move(dropped));
    };
    push(std::move(job));
    return future;
}

void MeterSession::loop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            if (job.isPoll) pollQueued_ = false;
            running_ = job.isPoll ? std::string() : job.what;
            pollRequestsWhileRunning_ = 0;
        }
        job.run();
        noteConnection();
        bool released = false;
        {
            const std::lock_guard lock(mutex_);
            running_.clear();
            released = heldSaid_;
            heldSaid_ = false;
        }
        if (released && listener_.linkReleased) listener_.linkReleased();
        if (listener_.operationDone) listener_.operationDone();
    }
}

PollResult MeterSession::runPoll() {
    PollResult result;
    const MeterOutcome<void> ran = tick_.run();
    result.answered = ran.ok();
    if (!ran) result.failure = ran.reason();
    if (!ran && ran.reason() == Failure::NoMeter) result.refusal = link_.refusal();
    result.connected = link_.connected();
    result.display = state_;
    noteConnection();
    if (result.answered) result.reading = readingOf(state_, model_);
    result.changes = model_.takeChanges();
    result.model = model_;
    if (listener_.polled) listener_.polled(result);
    return result;
}

void MeterSession::requestPoll() {
    std::string held;
    bool queueIt = false;
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) return;
        if (!running_.empty() && ++pollRequestsWhileRunning_ == 2 && !heldSaid_) {
            heldSaid_ = true;
            held = running_;
        }
        queueIt = !pollQueued_;
        pollQueued_ = true;
    }
    if (!held.empty() && listener_.linkHeld) listener_.linkHeld(held);
    if (!queueIt) return;
    Job job;
    job.what = "poll";
    job.isPoll = true;
    job.run = [this] { (void)runPoll(); };
    job.drop = [] {};
    // The rhythm's poll goes before operations still waiting (never into one under way), so
    // a queue of them does not push the display and the recording out of step.
    push(std::move(job), Place::Front);
}

std::future<PollResult> MeterSession::poll() {
    return queue<PollResult>("poll", [this] { return runPoll(); }, PollResult{});
}

void MeterSession::pressKey(std::uint8_t keyCode) {
    Job job;
    job.what = "key";
    job.run = [this, keyCode] { (void)photara::pressKey(link_, keyCode); };
    job.drop = [] {};
    push(std::move(job));
}

namespace {
template <class T>
MeterOutcome<T> stopped() {
    return fail(Failure::Stopped);
}
}  // namespace

std::future<MeterOutcome<MemoryStatus>> MeterSession::readMemory() {
    return queue("memory status", [this] { return photara::readMemory(link_); },
                 stopped<MemoryStatus>());
}

std::future<MeterOutcome<SetList>> MeterSession::readSets(TransferProgress progress) {
    return queue("directory",
                 [this, progress = std::move(progress)] { return photara::readSets(link_, progress); },
                 stopped<SetList>());
}

std::future<MeterOutcome<DownloadedSet>> MeterSession::download(std::string identifier,
                                                                TransferProgress progress) {
    return queue(
        "download",
        [this, identifier = std::move(identifier), progress = std::move(progress)] {
            return downloadListedSet(link_, identifier, progress);
        },
        stopped<DownloadedSet>());
}

std::future<MeterOutcome<SetErase>> MeterSession::eraseSetIfListed(std::string identifier) {
    return queue("erase",
                 [this, identifier = std::move(identifier)] {
                     return photara::eraseSetIfListed(link_, identifier);
                 },
                 stopped<SetErase>());
}

std::future<MeterOutcome<void>> MeterSession::eraseAll(WaitingAnswer waiting) {
    return queue("erase", [this, waiting] { return eraseAllSets(link_, waiting); },
                 MeterOutcome<void>(fail(Failure::Stopped)));
}

std::future<MeterOutcome<int>> MeterSession::readSamplingTime() {
    return queue("sampling time", [this] { return readSamplingTimeNow(link_); }, stopped<int>());
}

std::future<MeterOutcome<void>> MeterSession::setSamplingTime(int seconds) {
    return queue("sampling time", [this, seconds] { return photara::setSamplingTime(link_, seconds); },
                 MeterOutcome<void>(fail(Failure::Stopped)));
}

std::future<MeterOutcome<int>> MeterSession::readRecordingPeriod() {
    return queue("recording period", [this] { return readRecordingPeriodNow(link_); },
                 stopped<int>());
}

std::future<MeterOutcome<void>> MeterSession::changeRecordingPeriod(int seconds) {
    return queue("recording period",
                 [this, seconds] { return photara::changeRecordingPeriod(link_, seconds); },
                 MeterOutcome<void>(fail(Failure::Stopped)));
}

std::future<MeterOutcome<LocalDateTime>> MeterSession::readClock(WaitingAnswer waiting) {
    return queue("clock",
                 [this, waiting] {
                     if (waiting == WaitingAnswer::Discard) return readMeterClockNow(link_);
                     return readMeterClock(link_);
                 },
                 stopped<LocalDateTime>());
}

std::future<MeterOutcome<void>> MeterSession::setClock(LocalDateTime time) {
    return queue("clock", [this, time] { return setMeterClock(link_, time); },
                 MeterOutcome<void>(fail(Failure::Stopped)));
}

std::future<void> MeterSession::between(std::function<void()> fn) {
    auto promise = std::make_shared<std::promise<void>>();
    std::future<void> future = promise->get_future();
    Job job;
    job.what = "";
    job.run = [promise, fn = std::move(fn)] {  // the link is not touched here
        fn();
        promise->set_value();
    };
    job.drop = [promise] { promise->set_value(); };
    push(std::move(job));
    return future;
}

void MeterSession::noteConnection() {
    const std::lock_guard lock(mutex_);
    connected_ = link_.connected();
}

bool MeterSession::connected() const {
    const std::lock_guard lock(mutex_);
    return connected_;
}

}  // namespace photara
