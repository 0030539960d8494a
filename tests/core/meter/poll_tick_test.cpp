#include "core/meter/poll_tick.h"

#include <gtest/gtest.h>

#include "core/link/meter_identity.h"
#include "core/live/live_test_support.h"
#include "support/scripted_hid_backend.h"

namespace photara::test {
namespace {

constexpr std::uint8_t kDisplay = 98;
constexpr std::uint8_t kBlink = 99;

class PollTickTest : public ::testing::Test {
  protected:
    PollTickTest() {
        meter.setDevices({{"scripted", kMeterVendorId, kMeterProductId}});
        tick.setOnDisconnected([this] { ++disconnectedCalls; });
    }

    // A display report that lights SET (byte 45) when set is true.
    static Report display(ByteValues bytes, bool set) {
        Report r = reportWith(bytes);
        if (set) r[45] = 1;
        return r;
    }

    static Report blinkCodes(std::uint8_t unit, std::uint8_t digit, std::uint8_t point,
                             std::uint8_t indicator) {
        return reportWith({{1, unit}, {2, digit}, {3, point}, {4, indicator}}, 0xFF);
    }

    ScriptedHidBackend meter;
    MeterLink link{meter, kMeterVendorId, kMeterProductId};
    DisplayState state;
    DisplayModel model;
    PollTick tick{link, state, model};
    int disconnectedCalls = 0;
};

TEST_F(PollTickTest, ShowsTheMainReadingWithItsLegendsInTheSameTick) {
    model.setCaption(el("LblName"), " No Connection");
    meter.answerCommand(kDisplay, 
        display({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 3}, {6, 1}, {7, 1}}, false));

    (void)tick.run();

    EXPECT_EQ(model.caption(el("LblName")), "Photara");
    EXPECT_EQ(model.caption(el("LblSeg1")) + model.caption(el("LblSeg2")) +
                  model.caption(el("LblSeg3")) + model.caption(el("LblSeg4")),
              "1234");
    EXPECT_EQ(shown(model, {"LblP1", "LblP2", "LblP3"}), "001");
    EXPECT_EQ(shown(model, {"LblK1", "Lblcd", "LblSlashm", "Lbl2", "LblK2", "LblfL"}), "111100");
    EXPECT_EQ(meter.writtenCommands(), std::vector<std::uint8_t>{kDisplay});
}

TEST_F(PollTickTest, WithoutAnAnswerNothingChangesAndTheHandlerIsCalled) {
    meter.answerCommand(kDisplay, display({{1, 7}, {7, 2}, {23, 1}, {60, 19}}, false));
    (void)tick.run();
    const DisplayState before = state;
    model.takeChanges();

    for (const bool unplugged : {false, true}) {
        meter.setSilent(!unplugged);
        meter.setPresent(!unplugged);
        meter.answerCommand(kDisplay, display({{1, 1}, {7, 0}, {23, 0}, {60, 0}}, true));
        EXPECT_FALSE(tick.run()) << "unplugged " << unplugged;
        EXPECT_EQ(state, before) << "unplugged " << unplugged;
        EXPECT_TRUE(model.takeChanges().none()) << "unplugged " << unplugged;
    }
    EXPECT_EQ(disconnectedCalls, 2);
    EXPECT_EQ(model.caption(el("LblSeg1")), "7");
    EXPECT_TRUE(state[el("LblREC")]);

    // Back again: the first tick that finds the meter shows its display.
    meter.setPresent(true);
    meter.setSilent(false);
    (void)tick.run();
    EXPECT_EQ(model.caption(el("LblSeg1")), "1");
    EXPECT_FALSE(state[el("LblREC")]);
    EXPECT_EQ(disconnectedCalls, 2);
}

TEST_F(PollTickTest, AsksWhatBlinksOnlyWhileSetIsLit) {
    meter.answerCommand(kDisplay, display({}, false));
    (void)tick.run();
    meter.answerCommand(kDisplay, display({}, true));
    (void)tick.run();
    (void)tick.run();
    meter.answerCommand(kDisplay, display({}, false));
    (void)tick.run();
    EXPECT_EQ(meter.writtenCommands(),
              (std::vector<std::uint8_t>{kDisplay, kDisplay, kBlink, kDisplay, kBlink, kDisplay}));
}

TEST_F(PollTickTest, BlinkFollowsTheBlinkReport) {
    meter.answerCommand(kDisplay, display({}, true));
    meter.answerCommand(kBlink, blinkCodes(200, 5, 200, 200));
    std::string seg5;
    for (int i = 0; i < 4; ++i) {
        (void)tick.run();
        seg5 += model.visible(el("LblSeg5")) ? '1' : '0';
    }
    EXPECT_EQ(seg5, "1010");
}

TEST_F(PollTickTest, ABlinkExchangeWithoutAnswerIsSkipped) {
    // Read as blink codes, these character bytes would start unit code 1 and digit code 5.
    meter.answerCommand(kDisplay, display({{1, 1}, {2, 5}, {3, 1}, {4, 1}}, true));
    meter.answerCommand(kBlink, blinkCodes(200, 6, 200, 200));
    (void)tick.run();
    (void)tick.run();  // LblSeg6 hidden
    const std::string before = shown(model, {"LblSeg5", "LblSeg6", "Lblcd", "LblP1", "ImgDown"});
    ASSERT_EQ(before.substr(0, 2), "10");

    meter.answerCommand(kBlink, std::nullopt);
    (void)tick.run();

    EXPECT_EQ(shown(model, {"LblSeg5", "LblSeg6", "Lblcd", "LblP1", "ImgDown"}), before);
    EXPECT_EQ(model.caption(el("LblSeg2")), "5") << "the display part of the tick still ran";
}

TEST_F(PollTickTest, RunningBlinkSurvivesADisconnectAndSetGoingDark) {
    meter.answerCommand(kDisplay, display({}, true));
    meter.answerCommand(kBlink, blinkCodes(200, 5, 200, 200));
    (void)tick.run();  // LblSeg5 shown, blinking begins

    meter.setSilent(true);
    (void)tick.run();
    meter.setSilent(false);
    (void)tick.run();  // the same episode goes on: inverted
    EXPECT_FALSE(model.visible(el("LblSeg5")));

    meter.answerCommand(kDisplay, display({}, false));
    (void)tick.run();  // SET dark: every position shown
    EXPECT_TRUE(model.visible(el("LblSeg5")));

    meter.answerCommand(kDisplay, display({}, true));
    (void)tick.run();
    EXPECT_FALSE(model.visible(el("LblSeg5")));
}

TEST_F(PollTickTest, SetGoingDarkMidBlinkShowsTheDisplayAsLit) {
    // Lit: cd/m2 legends, point P2, the up arrow.
    const ByteValues lit = {{7, 1}, {5, 2}, {31, 1}};
    meter.answerCommand(kDisplay, display(lit, true));
    meter.answerCommand(kBlink, blinkCodes(1, 48, 2, 2));
    (void)tick.run();
    (void)tick.run();  // hidden phase
    ASSERT_EQ(shown(model, {"Lblcd", "LblSeg12", "LblP2", "ImgUp"}), "0000");

    meter.answerCommand(kDisplay, display(lit, false));
    (void)tick.run();

    EXPECT_EQ(
        shown(model, {"Lblcd", "LblSlashm", "Lbl2", "LblfL", "LblP1", "LblP2", "ImgUp", "ImgDown"}),
        "11100110");
    EXPECT_EQ(shown(model, {"LblSeg12", "LblSeg13"}), "11");
}

}  // namespace
}  // namespace photara::test
