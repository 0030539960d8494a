#include "app/meter_wiring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/link/meter_identity.h"
#include "core/live/display_model.h"
#include "core/meter/clock_ops.h"
#include "core/meter/display_ops.h"
#include "support/scripted_hid_backend.h"

namespace photara {
namespace {

using test::ScriptedHidBackend;

struct Wired {
    ScriptedHidBackend backend;
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    DisplayModel model;
    std::vector<QString> results;

    explicit Wired(bool plugged) {
        if (plugged) backend.setDevices({{"meter", kMeterVendorId, kMeterProductId}});
        link.setListener(
            makeLinkListener(model, [this](const QString& line) { results.push_back(line); }));
    }
};

class KeyReport : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(KeyReport, WritesZeroOneCodeNothingElseAndReadsNothing) {
    Wired w(true);
    w.backend.queueAnswer(Report{});
    ASSERT_TRUE(readDisplay(w.link));  // connects
    ASSERT_TRUE(setMeterClock(w.link, {2026, 12, 8, 10, 0, 0}));  // sets bytes 3..9
    const int readsBefore = w.backend.readCount();
    const std::size_t writesBefore = w.backend.written().size();

    makeKeySender(w.link)(GetParam());

    ASSERT_EQ(w.backend.written().size(), writesBefore + 1);
    const std::vector<std::uint8_t>& report = w.backend.written().back();
    ASSERT_GE(report.size(), 65u);
    EXPECT_EQ(report[0], 0);
    EXPECT_EQ(report[1], 1);
    EXPECT_EQ(report[2], GetParam());
    // Nothing of the earlier clock request rides along.
    EXPECT_TRUE(std::all_of(report.begin() + 3, report.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(w.backend.readCount(), readsBefore);
}

INSTANTIATE_TEST_SUITE_P(Codes, KeyReport, ::testing::Values(1, 6, 10, 26, 27, 29, 31));

TEST(LinkListener, NoMeterWritesNoConnectionIntoTheTitle) {
    Wired w(false);
    w.model.takeChanges();
    EXPECT_FALSE(readDisplay(w.link));
    EXPECT_EQ(w.model.caption(Element::LblName), " No Connection");
    EXPECT_TRUE(w.model.takeChanges().test(index(Element::LblName)));
    EXPECT_TRUE(w.results.empty());
}

TEST(LinkListener, AFailedReadAddsTheErrorLine) {
    Wired w(true);
    w.backend.queueRead(ReadStatus::Failed, Report{});
    EXPECT_FALSE(readDisplay(w.link));
    ASSERT_EQ(w.results.size(), 1u);
    EXPECT_EQ(w.results[0], QStringLiteral("Readfile undefined error"));
}

TEST(LinkListener, ATimeOutIsNoReadError) {
    Wired w(true);
    const int readsBefore = w.backend.readCount();
    EXPECT_FALSE(readDisplay(w.link));  // nothing queued: the read times out
    EXPECT_EQ(w.backend.readCount(), readsBefore + 1);
    EXPECT_FALSE(w.link.connected());
    EXPECT_TRUE(w.results.empty());
}

TEST(MeterBackendChoice, VirtualMeterIsAnInProcessBackend) {
    const SystemClock clock;
    MeterBackend virtualOne = makeMeterBackend(true, clock);
    EXPECT_NE(virtualOne.virtualMeter, nullptr);
    ASSERT_NE(virtualOne.backend, nullptr);
    EXPECT_EQ(virtualOne.backend->enumerate(kMeterVendorId, kMeterProductId).size(), 1u);
    MeterBackend usb = makeMeterBackend(false, clock);
    EXPECT_EQ(usb.virtualMeter, nullptr);
    EXPECT_EQ(usb.backend != nullptr, usbAvailable());
}

}  // namespace
}  // namespace photara
