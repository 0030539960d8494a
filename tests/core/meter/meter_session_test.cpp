// The meter session: every exchange on its own thread, in the order queued, with the wire
// rules kept by the session's sequences. What these tests hold:
// - each operation sends exactly its sequence (nothing of a poll or another operation comes
//   between a read of the recording period and its set);
// - a key is one write-only report and nothing else;
// - a poll without a meter says so in the model and its result, a failed read is heard;
// - an operation that holds the link past a poll period says so once, and its end once;
// - what is still queued when the session ends is answered Stopped, never left hanging.
#include "core/meter/meter_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/link/meter_identity.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/fake_clock.h"
#include "support/scripted_hid_backend.h"

namespace photara {
namespace {

// The virtual meter behind a backend that notes each request's command and can hold a
// write of a chosen command until the test lets it go (a meter busy with a long transfer).
class WatchedBackend final : public HidBackend {
  public:
    explicit WatchedBackend(HidBackend& inner) : inner_(inner) {}

    std::vector<int> commands() {
        const std::lock_guard lock(mutex_);
        return commands_;
    }
    void forget() {
        const std::lock_guard lock(mutex_);
        commands_.clear();
    }
    void holdCommand(int command) { held_ = command; }
    // Waits until the held command arrived.
    void waitUntilHeld() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return holding_; });
    }
    void release() {
        {
            const std::lock_guard lock(mutex_);
            held_ = -1;
        }
        changed_.notify_all();
    }

    std::vector<HidDeviceInfo> enumerate(std::uint16_t v, std::uint16_t p) override {
        return inner_.enumerate(v, p);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override {
        auto device = inner_.open(path);
        return device ? std::make_unique<Device>(std::move(device), *this) : nullptr;
    }

  private:
    class Device final : public HidDevice {
      public:
        Device(std::unique_ptr<HidDevice> inner, WatchedBackend& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        std::size_t inputReportLength() const override { return inner_->inputReportLength(); }
        std::size_t outputReportLength() const override { return inner_->outputReportLength(); }
        bool write(std::span<const std::uint8_t> report) override {
            owner_.noteWrite(report[2]);
            return inner_->write(report);
        }
        ReadStatus read(Report& report, std::chrono::milliseconds timeout) override {
            return inner_->read(report, timeout);
        }

      private:
        std::unique_ptr<HidDevice> inner_;
        WatchedBackend& owner_;
    };

    void noteWrite(int command) {
        std::unique_lock lock(mutex_);
        commands_.push_back(command);
        if (command != held_) return;
        holding_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this, command] { return held_ != command; });
        holding_ = false;
    }

    HidBackend& inner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> commands_;
    std::atomic<int> held_{-1};
    bool holding_ = false;
};

struct SessionRig {
    test::FakeClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend simBackend{meter};
    WatchedBackend backend{simBackend};
    MeterSession::Listener listener;
    std::unique_ptr<MeterSession> session;

    void start() {
        session = std::make_unique<MeterSession>(backend, MeterId{}, listener);
        ASSERT_TRUE(session->poll().get().answered);  // connected
        backend.forget();
    }
    ~SessionRig() { session.reset(); }  // its thread ends before the meter goes
};

// ---- Each operation sends its sequence and nothing else -------------------------------------

struct SequenceCase {
    const char* name;
    std::function<bool(MeterSession&)> run;  // whether the outcome says done
    std::vector<int> commands;
};

class SessionSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(SessionSequence, SendsExactlyItsRequestsInOrder) {
    SessionRig rig;
    rig.start();
    EXPECT_TRUE(GetParam().run(*rig.session));
    EXPECT_EQ(rig.backend.commands(), GetParam().commands);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SessionSequence,
    ::testing::Values(
        SequenceCase{"ReadSets", [](MeterSession& s) { return s.readSets().get().ok(); },
                     {20, 16}},
        SequenceCase{"Download",
                     [](MeterSession& s) {
                         const auto sets = s.readSets().get();
                         return s.download(sets->identifiers[0]).get().ok();
                     },
                     {20, 16, 21, 17}},
        SequenceCase{"EraseListedSet",
                     [](MeterSession& s) {
                         const auto sets = s.readSets().get();
                         const auto erased = s.eraseSetIfListed(sets->identifiers[1]).get();
                         return erased && *erased == SetErase::Erased;
                     },
                     {20, 16, 20, 16, 18}},
        SequenceCase{"EraseOfASetNoLongerListedSendsNoErase",
                     [](MeterSession& s) {
                         const auto erased = s.eraseSetIfListed("19990101000000").get();
                         return erased && *erased == SetErase::Gone;
                     },
                     {20, 16}},
        SequenceCase{"EraseAll",
                     [](MeterSession& s) { return s.eraseAll(WaitingAnswer::Keep).get().ok(); },
                     {19}},
        // The meter takes a period only right after it was read: read, then set, together.
        SequenceCase{"ChangeRecordingPeriod",
                     [](MeterSession& s) { return s.changeRecordingPeriod(30).get().ok(); },
                     {13, 9}},
        SequenceCase{"SamplingTime",
                     [](MeterSession& s) {
                         if (!s.setSamplingTime(10).get()) return false;
                         const MeterOutcome<int> read = s.readSamplingTime().get();
                         return read && *read == 10;
                     },
                     {24, 25}},
        SequenceCase{"Clock",
                     [](MeterSession& s) {
                         return s.setClock({2026, 12, 8, 10, 0, 0}).get().ok() &&
                                s.readClock(WaitingAnswer::Discard).get().ok();
                     },
                     {23, 22}}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- Keys ------------------------------------------------------------------------------------

class SessionKey : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(SessionKey, IsOneWriteOnlyReportBetweenTwoPolls) {
    test::ScriptedHidBackend backend;
    backend.setDevices({{"meter", kMeterVendorId, kMeterProductId}});
    backend.queueAnswer(Report{});
    MeterSession session(backend, MeterId{});
    ASSERT_TRUE(session.poll().get().answered);  // connects
    ASSERT_TRUE(session.setClock({2026, 12, 8, 10, 0, 0}).get());  // writes bytes 3..9
    const int readsBefore = backend.readCount();
    const std::size_t writesBefore = backend.written().size();
    session.pressKey(GetParam());
    session.between([] {}).get();  // the key has gone out
    ASSERT_EQ(backend.written().size(), writesBefore + 1);
    const std::vector<std::uint8_t>& report = backend.written().back();
    ASSERT_GE(report.size(), 65u);
    EXPECT_EQ(report[0], 0);
    EXPECT_EQ(report[1], 1);
    EXPECT_EQ(report[2], GetParam());
    // Nothing of the earlier clock request rides along.
    EXPECT_TRUE(std::all_of(report.begin() + 3, report.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(backend.readCount(), readsBefore);
}

INSTANTIATE_TEST_SUITE_P(Codes, SessionKey, ::testing::Values(1, 6, 10, 26, 27, 29, 31));

// ---- A poll without an answer ----------------------------------------------------------------

TEST(SessionPoll, NoMeterIsSaidInTheTitleAndTheResult) {
    test::ScriptedHidBackend backend;  // nothing plugged in
    std::atomic<int> readErrors{0};
    MeterSession::Listener listener;
    listener.readError = [&] { ++readErrors; };
    MeterSession session(backend, MeterId{}, listener);
    const PollResult result = session.poll().get();
    EXPECT_FALSE(result.answered);
    EXPECT_FALSE(result.connected);
    EXPECT_EQ(result.failure, Failure::NoMeter);
    EXPECT_EQ(result.model.caption(Element::LblName), " No Connection");
    EXPECT_TRUE(result.changes.test(index(Element::LblName)));
    EXPECT_FALSE(result.reading);
    EXPECT_TRUE(result.refusal.empty());
    EXPECT_EQ(readErrors, 0);
}

TEST(SessionPoll, AMeterAnotherProgramHoldsIsNamedInTheResult) {
    test::ScriptedHidBackend backend;
    backend.setDevices({{"meter", kMeterVendorId, kMeterProductId, true, true}});
    MeterSession session(backend, MeterId{});
    const PollResult result = session.poll().get();
    EXPECT_EQ(result.failure, Failure::NoMeter);
    EXPECT_EQ(result.refusal, "held meter");
    // Let go by the other program: found, and nothing refused any more.
    backend.setDevices({{"meter", kMeterVendorId, kMeterProductId}});
    backend.queueAnswer(Report{});
    EXPECT_TRUE(session.poll().get().refusal.empty());
}

struct LostCase {
    const char* name;
    ReadStatus read;
    int readErrors;
};
class SessionLostMeter : public ::testing::TestWithParam<LostCase> {};

TEST_P(SessionLostMeter, OnlyAFailedReadIsAReadError) {
    test::ScriptedHidBackend backend;
    backend.setDevices({{"meter", kMeterVendorId, kMeterProductId}});
    backend.queueAnswer(Report{});
    std::atomic<int> readErrors{0};
    MeterSession::Listener listener;
    listener.readError = [&] { ++readErrors; };
    MeterSession session(backend, MeterId{}, listener);
    ASSERT_TRUE(session.poll().get().answered);
    backend.queueRead(GetParam().read, Report{});
    const PollResult lost = session.poll().get();
    EXPECT_FALSE(lost.answered);
    EXPECT_FALSE(lost.connected);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(readErrors, GetParam().readErrors);
}

INSTANTIATE_TEST_SUITE_P(Reads, SessionLostMeter,
                         ::testing::Values(LostCase{"Failed", ReadStatus::Failed, 1},
                                           LostCase{"TimedOut", ReadStatus::TimedOut, 0}),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- An operation holding the link -------------------------------------------------------------

TEST(SessionHold, AnOperationPastAPollPeriodIsSaidOnceAndItsEndOnce) {
    SessionRig rig;
    std::mutex heard;
    std::vector<std::string> events;
    rig.listener.linkHeld = [&](const std::string& what) {
        const std::lock_guard lock(heard);
        events.push_back("held " + what);
    };
    rig.listener.linkReleased = [&] {
        const std::lock_guard lock(heard);
        events.push_back("released");
    };
    rig.listener.polled = [&](const PollResult&) {
        const std::lock_guard lock(heard);
        events.push_back("polled");
    };
    rig.start();
    events.clear();
    const std::string first = rig.session->readSets().get()->identifiers[0];
    rig.backend.holdCommand(17);  // the set's data: a long transfer on a real meter
    auto download = rig.session->download(first);
    rig.backend.waitUntilHeld();
    rig.session->requestPoll();  // the rhythm's first tick finds the download just begun
    rig.session->requestPoll();  // a whole period later: the link is held
    rig.session->requestPoll();  // one poll is waiting already; nothing more is said
    rig.backend.release();
    EXPECT_TRUE(download.get().ok());
    rig.session->between([] {}).get();  // the waiting poll has run
    const std::lock_guard lock(heard);
    EXPECT_EQ(events, (std::vector<std::string>{"held download", "released", "polled"}));
    // The poll came after the transfer, never in the middle of it.
    const std::vector<int> commands = rig.backend.commands();
    EXPECT_EQ(commands.back(), 98);
}

TEST(SessionHold, AShortOperationSaysNothing) {
    SessionRig rig;
    std::atomic<int> said{0};
    rig.listener.linkHeld = [&](const std::string&) { ++said; };
    rig.listener.linkReleased = [&] { ++said; };
    rig.start();
    rig.backend.holdCommand(20);
    auto sets = rig.session->readSets();
    rig.backend.waitUntilHeld();
    rig.session->requestPoll();  // under one period
    rig.backend.release();
    EXPECT_TRUE(sets.get().ok());
    rig.session->between([] {}).get();
    EXPECT_EQ(said, 0);
}

TEST(SessionOrder, TheRhythmsPollGoesBeforeWaitingOperationsNeverIntoOneUnderWay) {
    SessionRig rig;
    rig.start();
    rig.backend.holdCommand(20);
    auto running = rig.session->readMemory();
    rig.backend.waitUntilHeld();
    auto waiting = rig.session->readSamplingTime();
    rig.session->requestPoll();
    rig.backend.release();
    EXPECT_TRUE(running.get().ok());
    EXPECT_TRUE(waiting.get().ok());
    EXPECT_EQ(rig.backend.commands(), (std::vector<int>{20, 98, 25}));
}

// ---- The end of the session ------------------------------------------------------------------

TEST(SessionEnd, WhatIsStillQueuedIsAnsweredStopped) {
    SessionRig rig;
    rig.start();
    rig.backend.holdCommand(20);
    auto running = rig.session->readMemory();
    rig.backend.waitUntilHeld();
    auto queued = rig.session->readSamplingTime();
    std::thread ender([&] { rig.session.reset(); });
    // The queued one is answered at once, while the exchange under way still runs.
    while (queued.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        std::this_thread::yield();
    rig.backend.release();
    ender.join();
    EXPECT_TRUE(running.get().ok());
    const MeterOutcome<int> dropped = queued.get();
    ASSERT_FALSE(dropped.ok());
    EXPECT_EQ(dropped.reason(), Failure::Stopped);
}

}  // namespace
}  // namespace photara
