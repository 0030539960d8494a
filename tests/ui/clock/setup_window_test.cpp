#include "ui/clock/setup_window.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/clock/meter_clock.h"
#include "ui/commands/logger_messages.h"
#include "core/meter/clock_ops.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::click;
using test::LoggerRig;

// Drives the clock window the RTC command opens, as the user would while it is modal.
class ClockWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.connect();
        // The meter's clock is set apart from the PC's.
        ASSERT_TRUE(rig.session.await(rig.session.core().setClock({2019, 8, 1, 12, 34, 56})));
        rig.connect();
    }

    // Opens the window through the RTC command; `drive` runs while it is open.
    void open(const std::function<void(SetupWindow&)>& drive) {
        rig.commands->setModalRunner([&](SetupWindow& window) {
            opened = true;
            window.show();
            drive(window);
        });
        rig.commands->runRtc();
    }
    static QLabel* label(SetupWindow& w, const char* name) {
        return w.findChild<QLabel*>(QString::fromLatin1(name));
    }
    static QPushButton* button(SetupWindow& w, const char* name) {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    }

    LoggerRig rig;
    bool opened = false;
};

TEST_F(ClockWindowTest, OpensModalBelowThePanelWithDesignTexts) {
    open([&](SetupWindow& w) {
        EXPECT_EQ(w.windowTitle(), "Setup");
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.findChild<QGroupBox*>("FrameTime")->title(), "Time");
        EXPECT_EQ(label(w, "LblMeterTime")->text(), "Meter Time");
        EXPECT_EQ(label(w, "LblPCTime")->text(), "PC System Time");
        EXPECT_EQ(button(w, "CmdSetTime")->text(), "Set Meter Time To System Time");
        EXPECT_EQ(button(w, "CmdExit")->text(), "Exit");
        EXPECT_TRUE(w.timer().isActive());
        EXPECT_EQ(w.timer().interval(), 1000);
        const QRect panel = rig.panel.frameGeometry();
        EXPECT_EQ(w.x(), panel.x() + (panel.width() - w.width()) / 2);
        EXPECT_EQ(w.y(), panel.y() + 66);  // 1000 twips
    });
    EXPECT_TRUE(opened);
}

TEST_F(ClockWindowTest, FirstTickShowsBothClocksAtOnce) {
    open([&](SetupWindow& w) {
        const int readsBefore = rig.backend.reads;
        w.tick();
        // The first read throws away a waiting answer, then reads the clock.
        EXPECT_EQ(rig.backend.reads, readsBefore + 2);
        EXPECT_EQ(label(w, "LblMeterTime")->text(), "2019/08/01 12:34:56");
        EXPECT_EQ(label(w, "LblPCTime")->text(), "2026/12/07 00:43:09");
        EXPECT_EQ(rig.backend.commands(), std::vector<int>{22});
        rig.clock.advanceMilliseconds(1000);
        w.tick();
        EXPECT_EQ(label(w, "LblPCTime")->text(), "2026/12/07 00:43:10");
    });
}

TEST_F(ClockWindowTest, ClickingTheLabelsSwitchesTheirClocksOffAndOn) {
    open([&](SetupWindow& w) {
        w.tick();
        click(label(w, "LblMeterTime"));
        click(label(w, "LblPCTime"));
        const std::size_t sent = rig.backend.written.size();
        w.tick();
        EXPECT_EQ(rig.backend.written.size(), sent);  // a clock switched off is not read
        EXPECT_EQ(label(w, "LblMeterTime")->text(), "Meter Time");
        EXPECT_EQ(label(w, "LblPCTime")->text(), "PC System Time");

        click(label(w, "LblMeterTime"));
        click(label(w, "LblPCTime"));
        EXPECT_EQ(rig.backend.written.size(), sent);  // the switch itself sends nothing
        w.tick();
        EXPECT_EQ(label(w, "LblMeterTime")->text(), "2019/08/01 12:34:56");
        EXPECT_EQ(label(w, "LblPCTime")->text(), "2026/12/07 00:43:09");
        EXPECT_EQ(rig.backend.count(22), 2);
    });
}

TEST_F(ClockWindowTest, SetTimeSendsThePcClockWithTheMonthInBcd) {
    open([&](SetupWindow& w) {
        button(w, "CmdSetTime")->click();
        EXPECT_TRUE(w.timer().isActive());
    });
    ASSERT_EQ(rig.backend.commands(), std::vector<int>{23});
    const Report& set = rig.backend.written.back();
    EXPECT_EQ((std::vector<int>(set.begin() + 3, set.begin() + 10)),
              (std::vector<int>{0x07, 0xEA, 0x12, 0x07, 0x00, 0x2B, 0x09}));
    EXPECT_EQ(rig.meter.meterTime(), rig.clock.now());
    EXPECT_EQ(rig.backend.reads, 0);  // set clock reads no answer
    EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST_F(ClockWindowTest, SetTimeThatNeverReachesTheMeterSaysSo) {
    const LocalDateTime before = rig.meter.meterTime();
    open([&](SetupWindow& w) {
        rig.simBackend.unplug();
        button(w, "CmdSetTime")->click();
    });
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
    EXPECT_EQ(rig.meter.meterTime(), before) << "the meter's clock was not set";
}

TEST_F(ClockWindowTest, MeterClockThatDoesNotAnswerShowsNoOldTime) {
    open([&](SetupWindow& w) {
        w.tick();
        ASSERT_EQ(label(w, "LblMeterTime")->text(), "2019/08/01 12:34:56");
        rig.unplugAfterReads(0);
        w.tick();
        EXPECT_NE(label(w, "LblMeterTime")->text(), "2019/08/01 12:34:56");
        EXPECT_EQ(label(w, "LblMeterTime")->text(), "Meter not answering");
    });
}

// However the window closes, its own timer stops and the panel's two run again.
class ClockCloseTest : public ClockWindowTest,
                       public ::testing::WithParamInterface<std::function<void(SetupWindow&)>> {};

TEST_P(ClockCloseTest, PanelTimersRunAgain) {
    open([&](SetupWindow& w) {
        GetParam()(w);
        EXPECT_FALSE(w.timer().isActive());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClockCloseTest,
    ::testing::Values([](SetupWindow& w) { w.findChild<QPushButton*>("CmdExit")->click(); },
                      [](SetupWindow& w) { w.close(); }, [](SetupWindow& w) { w.reject(); }));

TEST(ClockWindowExec, RealModalLoopEndsOnExit) {
    LoggerRig rig;
    rig.connect();
    rig.commands->setModalRunner([&](SetupWindow& w) {
        QTimer::singleShot(0, &w, [&w] { w.findChild<QPushButton*>("CmdExit")->click(); });
        execModal(w);
    });
    rig.commands->runRtc();
}

}  // namespace
}  // namespace photara
