#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>
#include <functional>

#include "core/clock/meter_clock.h"
#include "ui/commands/logger_messages.h"
#include "ui/logger/logger_rig.h"
#include "sim/key_codes.h"

namespace photara {
namespace {

using test::LoggerRig;

// Three sets listed in an open logger window, "old data" downloaded before.
class LoggerFollowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.addSets(3);
        rig.connect();
        rig.commands->runMemory();
        ASSERT_TRUE(rig.commands->loggerWindowOpen());
        rig.workspace.dataText = "old data";
    }
    QTableWidget& grid() { return rig.commands->loggerWindow()->grid(); }
    void chooseRow(int row) { emit grid().cellClicked(row, 1); }
    LoggerRig rig;
};

void chooseErase(LoggerRig& rig, int item) {
    rig.commands->runErase();
    rig.prompts.answerConfirm(true);
    rig.eraseList->setCurrentIndex(item);
    emit rig.eraseList->activated(item);
}

constexpr auto kMem = static_cast<std::uint8_t>(sim::Key::Mem);

// MEM pressed, then the poll that shows what it did.
void pressMemAndPoll(LoggerRig& rig) {
    ASSERT_TRUE(pressKey(rig.link, kMem));
    ASSERT_TRUE(rig.session.poll());
    rig.commands->pollShown();
}

// Photara changes the meter's sets while the logger window is open: afterwards the window
// lists what the meter holds, and a row downloads the set it shows.
struct FollowCase {
    const char* name;
    std::function<void(LoggerRig&)> change;
    friend void PrintTo(const FollowCase& c, std::ostream* os) { *os << c.name; }
};
class LoggerFollowChangeTest : public LoggerFollowTest,
                               public ::testing::WithParamInterface<FollowCase> {};

TEST_P(LoggerFollowChangeTest, WindowListsTheMetersSetsAfterwards) {
    GetParam().change(rig);
    const int sets = rig.meter.logger().setCount();
    ASSERT_EQ(rig.commands->loggerWindowOpen(), sets > 0);
    if (sets == 0) return;
    ASSERT_EQ(grid().rowCount(), sets);
    for (int row = 0; row < sets; ++row)
        EXPECT_EQ(grid().item(row, 1)->text().toStdString(),
                  formatLocalTime(rig.meter.logger().recipe(row).start));
    chooseRow(sets - 1);
    EXPECT_EQ(rig.workspace.dataText, rig.served(sets - 1));
    EXPECT_TRUE(rig.timersRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LoggerFollowChangeTest,
    ::testing::Values(
        FollowCase{"SetErasedFromTheEraseList", [](LoggerRig& r) { chooseErase(r, 2); }},
        FollowCase{"AllErasedFromTheEraseList", [](LoggerRig& r) { chooseErase(r, 4); }},
        FollowCase{"RecordingSeenStartAndEnd",
                   [](LoggerRig& r) {
                       pressMemAndPoll(r);  // "StAr", REC lit
                       pressMemAndPoll(r);  // stored as set 4
                       ASSERT_EQ(r.meter.logger().setCount(), 4);
                   }},
        // A meter left in a measuring mode refuses the directory: the list is read at the
        // first poll after it left that mode.
        FollowCase{"RecordingEndSeenInAMeasuringMode", [](LoggerRig& r) {
                       pressMemAndPoll(r);
                       ASSERT_TRUE(pressKey(r.link, kMem));
                       ASSERT_TRUE(r.session.poll());
                       ASSERT_EQ(r.meter.logger().setCount(), 4);
                       r.display.set(Element::LblMx, true);
                       r.commands->pollShown();
                       EXPECT_EQ(r.commands->loggerWindow()->grid().rowCount(), 3);
                       ASSERT_TRUE(r.session.poll());
                       r.commands->pollShown();
                   }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LoggerFollowTest, ASetGoneSinceItWasListedChangesNothingAndSaysSo) {
    rig.meter.logger().erase(1);  // by the meter itself, unseen by Photara
    rig.dataListOpen = true;
    chooseRow(1);
    EXPECT_EQ(rig.workspace.dataText, "old data");
    EXPECT_EQ(rig.dataListCloses, 0);
    EXPECT_EQ(rig.dataListShows, 0);
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, setGoneText(2, "20261207004302"));
    EXPECT_EQ(grid().rowCount(), 2);  // the list now shows what the meter holds
    EXPECT_TRUE(rig.timersRunning());
    EXPECT_TRUE(grid().isEnabled());
}

}  // namespace
}  // namespace photara
