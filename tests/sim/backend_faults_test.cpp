// The in-process transport and its injected faults, seen through the real MeterLink.
#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

constexpr std::size_t kUsbByte = 50;  // lit in every display report, never in a blink report

TEST(VirtualMeterBackend, FindsOnlyTheMetersIdentifiers) {
    LinkedMeter m;
    EXPECT_EQ(m.backend.enumerate(kMeterVendorId, kMeterProductId).size(), 1u);
    EXPECT_TRUE(m.backend.enumerate(kMeterVendorId, kMeterProductId + 1).empty());
    EXPECT_EQ(m.backend.open("elsewhere"), nullptr);
}

TEST(VirtualMeterBackend, UnplugFailsTheNextReadAndHidesTheMeterUntilReplugged) {
    LinkedMeter m;
    m.display();
    ASSERT_TRUE(m.link.connected());
    const Report before = m.answer();
    int readErrors = 0;
    m.link.setListener({nullptr, [&] { ++readErrors; }});

    m.backend.unplug();
    m.exchange(99);  // the open handle is stale: its read fails
    EXPECT_FALSE(m.link.connected());
    EXPECT_EQ(readErrors, 1);
    EXPECT_EQ(m.answer(), before);
    m.display();  // searches and finds nothing
    EXPECT_FALSE(m.link.connected());

    m.backend.replug();
    EXPECT_EQ(m.display()[kUsbByte], 1);
    EXPECT_TRUE(m.link.connected());
}

TEST(VirtualMeterBackend, KeyPressWhileUnpluggedIsLost) {
    LinkedMeter m;
    m.display();
    m.backend.unplug();
    m.backend.clearLog();
    m.press(4);
    m.backend.replug();
    m.press(4);  // this write-only only reconnects
    EXPECT_TRUE(m.backend.written().empty());
    EXPECT_TRUE(m.meter.keysReceived().empty());
}

TEST(VirtualMeterBackend, SilentMeterTimesOutAtOnceAndLinkKeepsOldAnswer) {
    LinkedMeter m;
    const Report before = m.display();
    m.backend.setSilent(true);
    m.exchange(99);
    EXPECT_FALSE(m.link.connected());
    EXPECT_EQ(m.answer(), before);
    m.backend.setSilent(false);
    m.display();
    EXPECT_TRUE(m.link.connected());
}

TEST(VirtualMeterBackend, NoStaleAnswerAfterAReconnect) {
    LinkedMeter m;
    m.display();
    // The meter queues a display answer, but the read times out: the link drops the device.
    m.backend.setSilent(true);
    m.display();
    ASSERT_FALSE(m.link.connected());
    m.backend.setSilent(false);
    // The reconnecting blink request must get the blink answer, not the queued display one.
    EXPECT_EQ(m.blink()[kUsbByte], 0);

    m.send(98);  // queued, then the meter goes away before the host reads
    m.backend.unplug();
    m.backend.replug();
    m.receive();  // fails on the stale handle
    EXPECT_EQ(m.blink()[kUsbByte], 0);
}

struct CountdownCase {
    const char* name;
    bool fail;  // failAfterReads, else silenceAfterReads
    int n;
};

class ReadCountdown : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(ReadCountdown, TheReadAfterNGoodOnesBreaks) {
    const CountdownCase c = GetParam();
    LinkedMeter m;
    m.display();
    if (c.fail) {
        m.backend.failAfterReads(c.n);
    } else {
        m.backend.silenceAfterReads(c.n);
    }
    for (int i = 0; i < c.n; ++i) {
        m.display();
        ASSERT_TRUE(m.link.connected()) << "read " << i + 1;
    }
    m.display();
    EXPECT_FALSE(m.link.connected());
    EXPECT_EQ(m.backend.plugged(), !c.fail);
    EXPECT_EQ(m.backend.silent(), !c.fail);
    m.display();  // still broken
    EXPECT_FALSE(m.link.connected());
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadCountdown,
                         ::testing::Values(CountdownCase{"FailAtOnce", true, 0},
                                           CountdownCase{"FailAfterThree", true, 3},
                                           CountdownCase{"SilenceAtOnce", false, 0},
                                           CountdownCase{"SilenceAfterTwo", false, 2}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(VirtualMeterBackend, ScriptedDisplayReportsComeFirstThenLiveOnes) {
    LinkedMeter m;
    Report a{};
    a[1] = 7;
    Report b{};
    b[23] = 1;
    m.backend.scriptDisplayReports({a, b});
    EXPECT_EQ(m.display(), a);
    EXPECT_EQ(m.blink()[kUsbByte], 0) << "other requests are answered by the meter";
    EXPECT_EQ(m.display(), b);
    EXPECT_EQ(m.display()[kUsbByte], 1);
}

TEST(VirtualMeterBackend, ReadWithNothingQueuedGetsTheDisplayAndStaysConnected) {
    LinkedMeter m;
    m.display();
    m.press(4);
    m.receive();  // the host's "read once and discard"
    EXPECT_TRUE(m.link.connected());
    EXPECT_EQ(m.answer()[kUsbByte], 1);
}

TEST(VirtualMeterBackend, WithoutIdleAnswersAnUnansweredReadTimesOut) {
    LinkedMeter m;
    m.meter.setIdleAnswers(false);
    m.display();
    m.receive();
    EXPECT_FALSE(m.link.connected());
}

TEST(VirtualMeterBackend, LogsEveryWrittenReportAndEveryRead) {
    LinkedMeter m;
    m.display();
    m.press(5);
    m.exchange(21, {0x32, 0x30});
    ASSERT_EQ(m.backend.written().size(), 3u);
    EXPECT_EQ(m.backend.written()[0][2], 98);
    EXPECT_EQ(m.backend.written()[1][2], 5);
    EXPECT_EQ(m.backend.written()[2][3], 0x32) << "arguments are logged with the command";
    EXPECT_EQ(m.backend.written()[2][4], 0x30);
    EXPECT_EQ(m.backend.readCount(), 2);
}

}  // namespace
}  // namespace photara::sim::test
