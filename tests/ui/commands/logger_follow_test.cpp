#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>
#include <algorithm>
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
    rig.session.pressKey(kMem);
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
                       r.session.pressKey(kMem);
                       ASSERT_TRUE(r.session.poll());
                       ASSERT_EQ(r.meter.logger().setCount(), 4);
                       r.display.set(Element::LblMx, true);
                       r.commands->pollShown();
                       EXPECT_EQ(r.commands->loggerWindow()->grid().rowCount(), 3);
                       ASSERT_TRUE(r.session.poll());
                       r.commands->pollShown();
                   }}),
    [](const auto& p) { return std::string(p.param.name); });

// The memory emptied while the window lists sets: the window closes, and the status line says
// who emptied it.
struct EmptiedCase {
    const char* name;
    std::function<void(LoggerRig&)> empty;
    QString said;
    friend void PrintTo(const EmptiedCase& c, std::ostream* os) { *os << c.name; }
};
class LoggerEmptiedTest : public LoggerFollowTest,
                          public ::testing::WithParamInterface<EmptiedCase> {};

TEST_P(LoggerEmptiedTest, WindowClosesAndTheStatusLineSaysWhy) {
    GetParam().empty(rig);
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
    EXPECT_EQ(rig.statusLine.text(), GetParam().said);
}

// CLr in the meter's SET round: SET lit while it is chosen, then the round is left.
void clearOnTheMeter(LoggerRig& r) {
    r.display.set(Element::LblSET, true);
    r.commands->pollShown();
    r.meter.logger().eraseAll();
    ASSERT_TRUE(r.session.poll());
    r.display.set(Element::LblSET, false);
    r.commands->pollShown();
}

INSTANTIATE_TEST_SUITE_P(
    Emptied, LoggerEmptiedTest,
    ::testing::Values(EmptiedCase{"ByCLrOnTheMeter", clearOnTheMeter, kMemoryClearedOnMeter},
                      EmptiedCase{"ByTheEraseList", [](LoggerRig& r) { chooseErase(r, 4); },
                                  kAllSetsErased}),
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
    EXPECT_TRUE(grid().isEnabled());
}

// The erase list is shown with three sets when they change. Whenever Photara made the change
// the list then shows what the meter holds; choosing item 2 erases exactly the set it shows, or,
// when the meter no longer holds that set, erases nothing (not the set now numbered 2) and
// says so.
struct EraseFollowCase {
    const char* name;
    std::function<void(LoggerRig&)> change;
    int listed;  // set items shown afterwards; 0: the list is hidden
    friend void PrintTo(const EraseFollowCase& c, std::ostream* os) { *os << c.name; }
};
class EraseListFollowTest : public ::testing::TestWithParam<EraseFollowCase> {
  protected:
    std::vector<QString> held() const {
        std::vector<QString> starts;
        for (int i = 0; i < rig.meter.logger().setCount(); ++i)
            starts.push_back(QString::fromStdString(formatLocalTime(rig.meter.logger().recipe(i).start)));
        return starts;
    }
    LoggerRig rig;
};

TEST_P(EraseListFollowTest, ErasesOnlyTheSetTheChosenItemShows) {
    const EraseFollowCase& c = GetParam();
    rig.addSets(3);
    rig.connect();
    rig.commands->runErase();
    c.change(rig);
    std::vector<QString> sets = held();
    ASSERT_EQ(rig.eraseList->isHidden(), c.listed == 0);
    if (c.listed == 0) return;
    ASSERT_EQ(rig.eraseList->count(), c.listed + 2);
    if (c.listed == static_cast<int>(sets.size())) {
        for (int k = 1; k <= c.listed; ++k)
            EXPECT_EQ(rig.eraseList->itemText(k), QStringLiteral("%1  %2").arg(k).arg(sets[k - 1]));
    }

    const std::size_t messagesBefore = rig.prompts.messages().size();
    const QString chosen = rig.eraseList->itemText(2).section(QStringLiteral("  "), 1);
    const auto found = std::find(sets.begin(), sets.end(), chosen);
    const bool stillHeld = found != sets.end();
    if (stillHeld) sets.erase(found);
    rig.prompts.answerConfirm(true);
    rig.eraseList->setCurrentIndex(2);
    emit rig.eraseList->activated(2);

    EXPECT_EQ(held(), sets);
    EXPECT_EQ(rig.statusLine.text().endsWith(QStringLiteral("was erased.")), stillHeld);
    ASSERT_EQ(rig.prompts.messages().size(), messagesBefore + (stillHeld ? 0 : 1));
    if (!stillHeld) {
        EXPECT_TRUE(rig.prompts.messages().back().text.endsWith(QStringLiteral("Nothing was erased.")));
    }
    EXPECT_TRUE(rig.eraseList->isHidden());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, EraseListFollowTest,
    ::testing::Values(
        EraseFollowCase{"AllErasedFromTheGauge",
                        [](LoggerRig& r) {
                            r.commands->runMemory();
                            r.prompts.answerConfirm(true);
                            test::click(r.commands->loggerWindow()->findChild<QWidget*>(
                                QStringLiteral("MSize")));
                        },
                        0},
        EraseFollowCase{"SetStoredByMem",
                        [](LoggerRig& r) {
                            pressMemAndPoll(r);
                            pressMemAndPoll(r);
                        },
                        4},
        EraseFollowCase{"SetFoundGoneByADownload",
                        [](LoggerRig& r) {
                            r.commands->runMemory();
                            r.meter.logger().erase(0);
                            emit r.commands->loggerWindow()->grid().cellClicked(0, 0);
                        },
                        2},
        // Unseen by Photara: the list stays as it was, and the erase finds out.
        EraseFollowCase{"SetErasedByTheMeter",
                        [](LoggerRig& r) { r.meter.logger().erase(1); }, 3},
        EraseFollowCase{"AllErasedByTheMeter", [](LoggerRig& r) { r.meter.logger().eraseAll(); },
                        3}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
