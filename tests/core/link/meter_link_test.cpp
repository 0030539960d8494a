#include "core/link/meter_link.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "support/scripted_hid_backend.h"

namespace photara {
namespace {

using test::ScriptedHidBackend;

constexpr std::uint16_t kVid = 0x16C0;
constexpr std::uint16_t kPid = 0x05DF;
const ScriptedHidBackend::Device kMeter{"/dev/hidraw3", kVid, kPid};

// A report whose data bytes all differ from each other and from any other seed's.
Report patterned(std::uint8_t seed) {
    Report r{};
    for (std::size_t i = 1; i < r.size(); ++i) r[i] = static_cast<std::uint8_t>(seed + i * 3);
    return r;
}

enum class Exchange { WriteThenRead, WriteOnly, ReadOnly };

// What an exchange brought: the answer (none for write-only) or why there is none.
struct Result {
    bool ok = false;
    Failure reason = Failure::NoMeter;
    std::optional<Report> answer;
};

Result run(MeterLink& link, Exchange exchange, const Request& request = Request(Command::Display)) {
    const auto from = [](const MeterOutcome<Report>& o) {
        return o ? Result{true, Failure::NoMeter, *o} : Result{false, o.reason(), std::nullopt};
    };
    switch (exchange) {
        case Exchange::WriteThenRead:
            return from(link.exchange(request));
        case Exchange::WriteOnly: {
            const MeterOutcome<void> o = link.send(request);
            return o ? Result{true, Failure::NoMeter, std::nullopt}
                     : Result{false, o.reason(), std::nullopt};
        }
        case Exchange::ReadOnly:
            return from(link.receive());
    }
    return {};
}

class MeterLinkTest : public ::testing::Test {
  protected:
    MeterLinkTest() {
        link.setListener({[this] { ++noConnection; }, [this] { ++readErrors; }});
    }

    // Plugs the meter in and connects through a first exchange that gets `first` back.
    void connectWithAnswer(const Report& first) {
        backend.setDevices({kMeter});
        backend.queueAnswer(first);
        const MeterOutcome<Report> answer = link.exchange(Request(Command::Display));
        ASSERT_TRUE(link.connected());
        ASSERT_TRUE(answer);
        ASSERT_EQ(*answer, first);
    }

    ScriptedHidBackend backend;
    MeterLink link{backend, kVid, kPid};
    int noConnection = 0;
    int readErrors = 0;
};

// --- a request is sent as it is ---------------------------------------------------------

class RequestBytesTest : public MeterLinkTest, public ::testing::WithParamInterface<Exchange> {};

TEST_P(RequestBytesTest, SendsTheRequestsBytesAndNothingAnEarlierRequestSet) {
    connectWithAnswer(patterned(1));
    const std::string identifier = "20190801123456";
    const std::vector<std::uint8_t> idBytes(identifier.begin(), identifier.end());
    backend.queueAnswer(patterned(2));
    (void)link.exchange(Request(Command::SetSize).withArguments(idBytes));

    backend.queueAnswer(patterned(3));
    run(link, GetParam(), Request(Command::SetData).withArguments(std::vector<std::uint8_t>{7, 8}));

    ASSERT_EQ(backend.written().size(), 3u);
    const std::vector<std::uint8_t>& size = backend.written()[1];
    EXPECT_EQ(std::string(size.begin() + 3, size.begin() + 17), identifier);
    const std::vector<std::uint8_t>& sent = backend.written().back();
    ASSERT_EQ(sent.size(), kReportSize);
    EXPECT_EQ(sent[0], 0);
    EXPECT_EQ(sent[1], 1);
    EXPECT_EQ(sent[2], static_cast<std::uint8_t>(Command::SetData));
    EXPECT_EQ(sent[3], 7);
    EXPECT_EQ(sent[4], 8);
    // The earlier request's identifier does not linger in this one.
    EXPECT_TRUE(std::all_of(sent.begin() + 5, sent.end(), [](std::uint8_t b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(SendingExchanges, RequestBytesTest,
                         ::testing::Values(Exchange::WriteThenRead, Exchange::WriteOnly));

TEST_F(MeterLinkTest, WritesTheOutputReportLengthTheDeviceGives) {
    backend.setReportLengths(kReportSize, 9);
    connectWithAnswer(patterned(1));
    ASSERT_EQ(backend.written().size(), 1u);
    EXPECT_EQ(backend.written()[0].size(), 9u);
}

// --- a read that brings no answer -----------------------------------------------------------

struct LostReadCase {
    ReadStatus status;
    int readErrorLines;
    Failure reason;
};

class LostReadTest : public MeterLinkTest, public ::testing::WithParamInterface<LostReadCase> {};

TEST_P(LostReadTest, GivesNoAnswerClosesTheDeviceAndDropsTheConnection) {
    connectWithAnswer(patterned(10));
    backend.queueRead(GetParam().status, patterned(99));  // the device scribbled, then gave up
    bool connectedSeenByListener = false;
    link.setListener({[this] { ++noConnection; },
                      [&] {
                          ++readErrors;
                          connectedSeenByListener = link.connected();
                      }});

    const MeterOutcome<Report> answer = link.exchange(Request(Command::Blink));

    ASSERT_FALSE(answer) << "the scribbled bytes are no answer";
    EXPECT_EQ(answer.reason(), GetParam().reason);
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(backend.openDevices(), 0);
    EXPECT_EQ(readErrors, GetParam().readErrorLines);
    EXPECT_EQ(noConnection, 0);  // losing the meter is not a failed search
    EXPECT_FALSE(connectedSeenByListener);
}

TEST_P(LostReadTest, ReadOnlyAfterTheLossSearchesAgainWithoutReading) {
    connectWithAnswer(patterned(10));
    backend.queueRead(GetParam().status, patterned(99));
    ASSERT_FALSE(link.receive());
    ASSERT_FALSE(link.connected());
    const int readsBefore = backend.readCount();
    const int enumerationsBefore = backend.enumerations();

    backend.queueAnswer(patterned(20));
    const MeterOutcome<Report> answer = link.receive();

    EXPECT_EQ(backend.enumerations(), enumerationsBefore + 1);
    EXPECT_EQ(backend.readCount(), readsBefore);
    EXPECT_TRUE(link.connected());
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.reason(), Failure::OnlySearched);
}

INSTANTIATE_TEST_SUITE_P(ReadEndings, LostReadTest,
                         ::testing::Values(LostReadCase{ReadStatus::TimedOut, 0, Failure::NoAnswer},
                                           LostReadCase{ReadStatus::Failed, 1, Failure::ReadError}));

TEST_F(MeterLinkTest, AFailedReadBetweenTwoAnswersLeavesNoTraceInTheNextAnswer) {
    connectWithAnswer(patterned(1));
    backend.queueRead(ReadStatus::Failed, patterned(50));
    ASSERT_FALSE(link.exchange(Request(Command::Display)));
    backend.queueAnswer(patterned(2));
    // Reconnects and reads in the same call.
    const MeterOutcome<Report> answer = link.exchange(Request(Command::Display));
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, patterned(2));
}

// --- exchanges while not connected ----------------------------------------------------------

struct ReconnectCase {
    Exchange exchange;
    bool meterPresent;
    std::size_t writes;
    int reads;
    bool answered;
    Failure reason;  // when not answered
};

class ReconnectTest : public MeterLinkTest, public ::testing::WithParamInterface<ReconnectCase> {};

TEST_P(ReconnectTest, OnlyWriteThenReadCarriesOutItsRequestInTheReconnectingCall) {
    const ReconnectCase& c = GetParam();
    if (c.meterPresent) backend.setDevices({kMeter});
    backend.queueAnswer(patterned(7));

    const Result result = run(link, c.exchange);

    EXPECT_EQ(backend.enumerations(), 1);
    EXPECT_EQ(link.connected(), c.meterPresent);
    EXPECT_EQ(backend.written().size(), c.writes);
    EXPECT_EQ(result.ok, c.writes == 1) << "a reconnecting write-only sent nothing";
    EXPECT_EQ(backend.readCount(), c.reads);
    EXPECT_EQ(result.answer == patterned(7), c.answered);
    if (!result.ok) {
        EXPECT_EQ(result.reason, c.reason);
    }
    EXPECT_EQ(noConnection, c.meterPresent ? 0 : 1);
    EXPECT_EQ(readErrors, 0);
}

INSTANTIATE_TEST_SUITE_P(Exchanges, ReconnectTest,
                         ::testing::Values(
        ReconnectCase{Exchange::WriteThenRead, true, 1, 1, true, Failure::NoMeter},
        ReconnectCase{Exchange::WriteOnly, true, 0, 0, false, Failure::OnlySearched},
        ReconnectCase{Exchange::ReadOnly, true, 0, 0, false, Failure::OnlySearched},
        ReconnectCase{Exchange::WriteThenRead, false, 0, 0, false, Failure::NoMeter},
        ReconnectCase{Exchange::WriteOnly, false, 0, 0, false, Failure::NoMeter},
        ReconnectCase{Exchange::ReadOnly, false, 0, 0, false, Failure::NoMeter}));

// A write-only setting has no answer to prove it arrived: the link says whether the device
// took it. A refused write changes nothing else; the next read finds the meter gone.
TEST_F(MeterLinkTest, SaysWhetherTheDeviceTookTheRequest) {
    connectWithAnswer(patterned(1));
    EXPECT_TRUE(link.send(Request(Command::SetClock)));
    backend.refuseWrites(true);
    const MeterOutcome<void> refused = link.send(Request(Command::SetClock));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.reason(), Failure::NotTaken);
    EXPECT_TRUE(link.connected());
    backend.refuseWrites(false);
    const MeterOutcome<Report> read = link.receive();  // nothing queued: the read times out
    ASSERT_FALSE(read);
    EXPECT_EQ(read.reason(), Failure::NoAnswer);
    EXPECT_EQ(backend.written().size(), 2u) << "a read-only sends no request";
    EXPECT_FALSE(link.connected());
}

TEST_F(MeterLinkTest, EveryFailedSearchReportsNoConnectionAgain) {
    for (Exchange e : {Exchange::WriteThenRead, Exchange::WriteOnly, Exchange::ReadOnly,
                       Exchange::WriteThenRead}) {
        EXPECT_EQ(run(link, e).reason, Failure::NoMeter);
    }
    EXPECT_EQ(noConnection, 4);
    EXPECT_EQ(backend.enumerations(), 4);
    EXPECT_TRUE(backend.openAttempts().empty());
}

TEST_F(MeterLinkTest, AConnectedLinkDoesNotSearch) {
    connectWithAnswer(patterned(1));
    backend.queueAnswer(patterned(2));
    const MeterOutcome<Report> answer = link.exchange(Request(Command::Display));
    EXPECT_TRUE(link.send(Request::key(3)));
    EXPECT_EQ(backend.enumerations(), 1);
    EXPECT_EQ(backend.written().size(), 3u);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, patterned(2));
}

// --- which device the search takes -------------------------------------------------------

struct SearchCase {
    const char* name;
    std::vector<ScriptedHidBackend::Device> devices;
    std::vector<std::string> opened;  // open attempts, in order
    bool connects;
    std::string refusal = {};  // what link.refusal() says after the search
};

class SearchTest : public MeterLinkTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchTest, OpensOnlyDevicesWithBothIdentifiersAndSkipsOnesThatFailToOpen) {
    backend.setDevices(GetParam().devices);
    backend.queueAnswer(patterned(5));
    EXPECT_EQ(link.exchange(Request(Command::Display)).ok(), GetParam().connects);
    EXPECT_EQ(backend.openAttempts(), GetParam().opened);
    EXPECT_EQ(link.connected(), GetParam().connects);
    EXPECT_EQ(backend.openDevices(), GetParam().connects ? 1 : 0);
    EXPECT_EQ(noConnection, GetParam().connects ? 0 : 1);
    EXPECT_EQ(link.refusal(), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, SearchTest,
    ::testing::Values(
        SearchCase{"VendorOnlyMatches", {{"a", kVid, 0x05DE}}, {}, false},
        SearchCase{"ProductOnlyMatches", {{"a", 0x16C1, kPid}}, {}, false},
        SearchCase{"SwappedIdentifiers", {{"a", kPid, kVid}}, {}, false},
        SearchCase{"MeterAfterOthers",
                   {{"kbd", 0x046D, 0xC31C}, {"a", kVid, 0x05DE}, {"m", kVid, kPid}},
                   {"m"},
                   true},
        SearchCase{"FirstMeterFailsToOpen",
                   {{"busy", kVid, kPid, false}, {"m", kVid, kPid}},
                   {"busy", "m"},
                   true},
        SearchCase{"OnlyMeterFailsToOpen", {{"busy", kVid, kPid, false}}, {"busy"}, false},
        // A meter another program holds is named, unless a free one is found after it.
        SearchCase{"OnlyMeterHeld", {{"h", kVid, kPid, true, true}}, {"h"}, false, "held h"},
        SearchCase{"HeldThenFailing",
                   {{"h", kVid, kPid, true, true}, {"x", kVid, kPid, false}},
                   {"h", "x"},
                   false,
                   "held h"},
        SearchCase{"HeldThenFree",
                   {{"h", kVid, kPid, true, true}, {"m", kVid, kPid}},
                   {"h", "m"},
                   true},
        SearchCase{
            "TwoMetersTakesTheFirst", {{"m1", kVid, kPid}, {"m2", kVid, kPid}}, {"m1"}, true}),
    [](const ::testing::TestParamInfo<SearchCase>& p) { return p.param.name; });

}  // namespace
}  // namespace photara
