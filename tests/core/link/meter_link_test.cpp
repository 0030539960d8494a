#include "link/meter_link.h"

#include <gtest/gtest.h>

#include <numeric>
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

void run(MeterLink& link, Exchange exchange) {
    switch (exchange) {
        case Exchange::WriteThenRead:
            link.writeThenRead();
            return;
        case Exchange::WriteOnly:
            link.writeOnly();
            return;
        case Exchange::ReadOnly:
            link.readOnly();
            return;
    }
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
        link.request(Command::Display);
        link.writeThenRead();
        ASSERT_TRUE(link.connected());
        ASSERT_EQ(link.answer(), first);
    }

    ScriptedHidBackend backend;
    MeterLink link{backend, kVid, kPid};
    int noConnection = 0;
    int readErrors = 0;
};

// --- the output buffer is never cleared --------------------------------------------------

class OutputBufferTest : public MeterLinkTest, public ::testing::WithParamInterface<Exchange> {};

TEST_P(OutputBufferTest, LaterRequestResendsArgumentsAnEarlierRequestSet) {
    connectWithAnswer(patterned(1));
    const std::string identifier = "20190801123456";
    link.request(Command::SetSize);
    std::copy(identifier.begin(), identifier.end(), link.output().begin() + kFirstArgumentByte);
    backend.queueAnswer(patterned(2));
    link.writeThenRead();

    link.request(Command::SetData);  // sets bytes 0..2 only
    backend.queueAnswer(patterned(3));
    run(link, GetParam());

    ASSERT_EQ(backend.written().size(), 3u);
    const std::vector<std::uint8_t>& sent = backend.written().back();
    ASSERT_EQ(sent.size(), kReportSize);
    EXPECT_EQ(sent[0], 0);
    EXPECT_EQ(sent[1], 1);
    EXPECT_EQ(sent[2], static_cast<std::uint8_t>(Command::SetData));
    EXPECT_EQ(std::string(sent.begin() + 3, sent.begin() + 17), identifier);
    // Bytes beyond the identifier keep what the very first request left (zero).
    EXPECT_TRUE(std::all_of(sent.begin() + 17, sent.end(), [](std::uint8_t b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(SendingExchanges, OutputBufferTest,
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
};

class LostReadTest : public MeterLinkTest, public ::testing::WithParamInterface<LostReadCase> {};

TEST_P(LostReadTest, KeepsThePreviousAnswerClosesTheDeviceAndDropsTheConnection) {
    const Report first = patterned(10);
    connectWithAnswer(first);
    backend.queueRead(GetParam().status, patterned(99));  // the device scribbled, then gave up
    bool connectedSeenByListener = false;
    link.setListener({[this] { ++noConnection; },
                      [&] {
                          ++readErrors;
                          connectedSeenByListener = link.connected();
                      }});

    link.request(Command::Blink);
    link.writeThenRead();

    EXPECT_EQ(link.answer(), first);
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(backend.openDevices(), 0);
    EXPECT_EQ(readErrors, GetParam().readErrorLines);
    EXPECT_EQ(noConnection, 0);  // losing the meter is not a failed search
    EXPECT_FALSE(connectedSeenByListener);
}

TEST_P(LostReadTest, ReadOnlyAfterTheLossSearchesAgainWithoutReading) {
    connectWithAnswer(patterned(10));
    backend.queueRead(GetParam().status, patterned(99));
    link.readOnly();
    ASSERT_FALSE(link.connected());
    const int readsBefore = backend.readCount();
    const int enumerationsBefore = backend.enumerations();

    backend.queueAnswer(patterned(20));
    link.readOnly();

    EXPECT_EQ(backend.enumerations(), enumerationsBefore + 1);
    EXPECT_EQ(backend.readCount(), readsBefore);
    EXPECT_TRUE(link.connected());
    EXPECT_EQ(link.answer(), patterned(10));
}

INSTANTIATE_TEST_SUITE_P(ReadEndings, LostReadTest,
                         ::testing::Values(LostReadCase{ReadStatus::TimedOut, 0},
                                           LostReadCase{ReadStatus::Failed, 1}));

TEST_F(MeterLinkTest, AFailedReadBetweenTwoAnswersLeavesNoTraceInTheNextAnswer) {
    connectWithAnswer(patterned(1));
    backend.queueRead(ReadStatus::Failed, patterned(50));
    link.writeThenRead();
    backend.queueAnswer(patterned(2));
    link.writeThenRead();  // reconnects and reads in the same call
    EXPECT_EQ(link.answer(), patterned(2));
}

// --- exchanges while not connected ----------------------------------------------------------

struct ReconnectCase {
    Exchange exchange;
    bool meterPresent;
    std::size_t writes;
    int reads;
    bool answered;
};

class ReconnectTest : public MeterLinkTest, public ::testing::WithParamInterface<ReconnectCase> {};

TEST_P(ReconnectTest, OnlyWriteThenReadCarriesOutItsRequestInTheReconnectingCall) {
    const ReconnectCase& c = GetParam();
    if (c.meterPresent) backend.setDevices({kMeter});
    backend.queueAnswer(patterned(7));
    link.request(Command::Display);

    run(link, c.exchange);

    EXPECT_EQ(backend.enumerations(), 1);
    EXPECT_EQ(link.connected(), c.meterPresent);
    EXPECT_EQ(backend.written().size(), c.writes);
    EXPECT_EQ(link.requestSent(), c.writes == 1) << "a reconnecting write-only sent nothing";
    EXPECT_EQ(backend.readCount(), c.reads);
    EXPECT_EQ(link.answer() == patterned(7), c.answered);
    EXPECT_EQ(noConnection, c.meterPresent ? 0 : 1);
    EXPECT_EQ(readErrors, 0);
}

INSTANTIATE_TEST_SUITE_P(Exchanges, ReconnectTest,
                         ::testing::Values(ReconnectCase{Exchange::WriteThenRead, true, 1, 1, true},
                                           ReconnectCase{Exchange::WriteOnly, true, 0, 0, false},
                                           ReconnectCase{Exchange::ReadOnly, true, 0, 0, false},
                                           ReconnectCase{Exchange::WriteThenRead, false, 0, 0,
                                                         false},
                                           ReconnectCase{Exchange::WriteOnly, false, 0, 0, false},
                                           ReconnectCase{Exchange::ReadOnly, false, 0, 0, false}));

// A write-only setting has no answer to prove it arrived: the link says whether the device
// took it. A refused write changes nothing else; the next read finds the meter gone.
TEST_F(MeterLinkTest, SaysWhetherTheDeviceTookTheRequest) {
    connectWithAnswer(patterned(1));
    link.writeOnly();
    EXPECT_TRUE(link.requestSent());
    backend.refuseWrites(true);
    link.writeOnly();
    EXPECT_FALSE(link.requestSent());
    EXPECT_TRUE(link.connected());
    backend.refuseWrites(false);
    link.readOnly();  // nothing queued: the read times out
    EXPECT_FALSE(link.requestSent()) << "a read-only sends no request";
    EXPECT_FALSE(link.connected());
}

TEST_F(MeterLinkTest, EveryFailedSearchReportsNoConnectionAgain) {
    for (Exchange e : {Exchange::WriteThenRead, Exchange::WriteOnly, Exchange::ReadOnly,
                       Exchange::WriteThenRead}) {
        run(link, e);
    }
    EXPECT_EQ(noConnection, 4);
    EXPECT_EQ(backend.enumerations(), 4);
    EXPECT_TRUE(backend.openAttempts().empty());
}

TEST_F(MeterLinkTest, AConnectedLinkDoesNotSearch) {
    connectWithAnswer(patterned(1));
    backend.queueAnswer(patterned(2));
    link.writeThenRead();
    link.writeOnly();
    EXPECT_EQ(backend.enumerations(), 1);
    EXPECT_EQ(backend.written().size(), 3u);
    EXPECT_EQ(link.answer(), patterned(2));
}

// --- which device the search takes -------------------------------------------------------

struct SearchCase {
    const char* name;
    std::vector<ScriptedHidBackend::Device> devices;
    std::vector<std::string> opened;  // open attempts, in order
    bool connects;
};

class SearchTest : public MeterLinkTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchTest, OpensOnlyDevicesWithBothIdentifiersAndSkipsOnesThatFailToOpen) {
    backend.setDevices(GetParam().devices);
    backend.queueAnswer(patterned(5));
    link.writeThenRead();
    EXPECT_EQ(backend.openAttempts(), GetParam().opened);
    EXPECT_EQ(link.connected(), GetParam().connects);
    EXPECT_EQ(backend.openDevices(), GetParam().connects ? 1 : 0);
    EXPECT_EQ(noConnection, GetParam().connects ? 0 : 1);
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
        SearchCase{
            "TwoMetersTakesTheFirst", {{"m1", kVid, kPid}, {"m2", kVid, kPid}}, {"m1"}, true}),
    [](const ::testing::TestParamInfo<SearchCase>& p) { return p.param.name; });

}  // namespace
}  // namespace photara
