#include <gtest/gtest.h>

#include <QScreen>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

#include "ui/commands/logger_messages.h"
#include "ui/logger/memory_window.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::click;
using test::LoggerRig;

class LoggerMemoryTest : public ::testing::Test {
  protected:
    MemoryWindow* window() { return rig.commands->loggerWindow(); }
    QString cell(int row, int column) { return window()->grid().item(row, column)->text(); }
    template <typename T>
    T* child(const char* name) {
        return window()->findChild<T*>(QString::fromLatin1(name));
    }
    LoggerRig rig;
};

TEST_F(LoggerMemoryTest, ListsEverySetWithStatus) {
    rig.addSets(10);
    rig.meter.logger().setCapacityKiB(8);
    const auto usedKiB = rig.meter.logger().usedKiB();
    rig.connect();
    rig.commands->runMemory();

    ASSERT_TRUE(rig.commands->loggerWindowOpen());
    EXPECT_EQ(window()->windowTitle(), "Data Logger");
    ASSERT_EQ(window()->grid().rowCount(), 10);
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), "2026/12/07 00:43:01");
    EXPECT_EQ(cell(9, 0), "10");
    EXPECT_EQ(cell(9, 1), "2026/12/07 00:43:10");
    EXPECT_EQ(child<QLabel>("LblMemorySize")->text(), "8k Bytes");
    EXPECT_EQ(child<QProgressBar>("MSize")->value(), static_cast<int>(usedKiB * 100 / 8));
    EXPECT_EQ(child<QProgressBar>("MBar")->value(), 100);

    // Discard read, then status and directory; only Timer1 is paused, and the panel's
    // keypad and toolbar are locked while the directory streams in.
    EXPECT_EQ(rig.backend.commands(), (std::vector<int>{20, 16}));
    for (const auto& m : rig.moments) {
        EXPECT_FALSE(m.panelInputEnabled);
    }
    EXPECT_TRUE(rig.panel.centralWidget()->isEnabled());
    EXPECT_TRUE(rig.toolbar->isEnabled());
    // Wholly on the screen (where it lies beside the panel: the placement tests).
    EXPECT_TRUE(window()->screen()->availableGeometry().contains(window()->frameGeometry()));
}

TEST_F(LoggerMemoryTest, RunAgainListsTheSetsOnce) {
    rig.addSets(3);
    rig.connect();
    rig.commands->runMemory();
    rig.commands->runMemory();
    EXPECT_EQ(window()->grid().rowCount(), 3);
}

TEST_F(LoggerMemoryTest, EmptyMemoryTellsAndOpensNothing) {
    rig.connect();
    rig.commands->runMemory();
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, "No Data in Memory!");
    EXPECT_EQ(rig.prompts.messages()[0].icon, Prompts::Icon::Information);
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
    EXPECT_EQ(rig.backend.commands(), (std::vector<int>{20}));
}

TEST_F(LoggerMemoryTest, EmptiedMemoryClosesTheWindowListingGoneSets) {
    rig.addSets(3);
    rig.connect();
    rig.commands->runMemory();
    ASSERT_TRUE(rig.commands->loggerWindowOpen());
    rig.meter.logger().eraseAll();
    rig.commands->runMemory();
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, "No Data in Memory!");
}

TEST_F(LoggerMemoryTest, ZeroCapacityShowsAnEmptyGauge) {
    rig.addSets(1);
    rig.meter.logger().setCapacityKiB(0);
    rig.connect();
    rig.commands->runMemory();
    EXPECT_EQ(child<QProgressBar>("MSize")->value(), 0);
    EXPECT_EQ(child<QLabel>("LblMemorySize")->text(), "0k Bytes");
}

class MemoryGuardTest : public LoggerMemoryTest, public ::testing::WithParamInterface<Element> {};

TEST_P(MemoryGuardTest, AnyBusyAnnunciatorStopsMemorySilently) {
    rig.addSets(2);
    rig.connect();
    rig.display.set(GetParam(), true);
    rig.commands->runMemory();
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
    EXPECT_TRUE(rig.prompts.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Annunciators, MemoryGuardTest,
                         ::testing::Values(Element::LblREC, Element::LblSET, Element::LblCMP,
                                           Element::ImaDelta, Element::LblPercentA,
                                           Element::LblPercent, Element::LblREF, Element::LblACC,
                                           Element::LblAMRM, Element::LblAMRA, Element::LblAMRR,
                                           Element::LblASlashB, Element::LblBDashA, Element::LblA,
                                           Element::LblB, Element::LblMx, Element::LblMn,
                                           Element::LblAVG1),
                         [](const auto& param) { return std::string(elementName(param.param)); });

TEST_F(LoggerMemoryTest, AnnunciatorsOutsideTheListDoNotBlock) {
    rig.addSets(2);
    rig.connect();
    rig.display.set(Element::LblAVG2, true);
    rig.display.set(Element::LblH, true);
    rig.commands->runMemory();
    EXPECT_TRUE(rig.commands->loggerWindowOpen());
}

TEST_F(LoggerMemoryTest, NotConnectedDoesNothing) {
    rig.addSets(2);
    rig.commands->runMemory();
    EXPECT_TRUE(rig.backend.written.empty());
}

// --- download ------------------------------------------------------------------------------

class LoggerDownloadTest : public LoggerMemoryTest {
  protected:
    void SetUp() override {
        rig.addSets(3);
        rig.connect();
        rig.commands->runMemory();
        ASSERT_TRUE(rig.commands->loggerWindowOpen());
        rig.backend.written.clear();
        rig.moments.clear();
        rig.workspace.dataText = "old data";
    }
    void chooseRow(int row) { emit window()->grid().cellClicked(row, 1); }
};

TEST_F(LoggerDownloadTest, ClickedSetBecomesTheDataTextAndOpensTheDataList) {
    rig.dataListOpen = true;
    chooseRow(1);
    const std::string expected = rig.served(1);  // whole blocks, padding included
    EXPECT_EQ(rig.workspace.dataText, expected);
    EXPECT_EQ(rig.dataListCloses, 1);
    EXPECT_EQ(rig.dataListShows, 1);
    EXPECT_EQ(rig.shownText, expected);

    ASSERT_EQ(rig.backend.commands(), (std::vector<int>{21, 17}));
    const auto digits = identifierRequestBytes("20261207004302");
    EXPECT_TRUE(std::equal(digits.begin(), digits.end(), rig.backend.written[0].begin() + 3));
    for (const auto& m : rig.moments) {
        EXPECT_FALSE(m.panelInputEnabled);
    }
    EXPECT_TRUE(window()->grid().isEnabled());
}

// The list gives each set's size once it has been downloaded; the transfer bar shows no
// percentage before anything was transferred, and no "100%" after a list read.
TEST_F(LoggerDownloadTest, ADownloadedSetShowsItsReadingsAndSpan) {
    auto* bar = window()->findChild<QProgressBar*>(QStringLiteral("MBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->text().contains(QLatin1Char('%'))) << bar->text().toStdString();
    EXPECT_EQ(window()->grid().item(1, 2)->text(), QStringLiteral("—"));
    chooseRow(1);
    const SetSummary summary = summaryOfDataText(rig.served(1));
    ASSERT_EQ(summary.readings, 3);  // the rig's sets hold three readings
    EXPECT_EQ(window()->grid().item(1, 2)->text(), QStringLiteral("3"));
    EXPECT_EQ(window()->grid().item(1, 3)->text(), summary.span);
    EXPECT_TRUE(summary.span.contains(QStringLiteral(" – ")));
    EXPECT_EQ(window()->grid().item(0, 2)->text(), QStringLiteral("—"));
    EXPECT_FALSE(bar->text().contains(QLatin1Char('%'))) << bar->text().toStdString();
}

TEST_F(LoggerDownloadTest, RowDownloadsTheSetItShowsAfterTheEraseListReadAgain) {
    // Set 1 goes (by the meter's own menu) and the erase list reads the directory again: the
    // meter now numbers the sets from the old set 2, while the logger window still shows its
    // own rows.
    rig.meter.logger().erase(0);
    rig.commands->runErase();
    rig.backend.written.clear();
    chooseRow(1);  // shows 2026/12/07 00:43:02
    ASSERT_EQ(rig.backend.commands(), (std::vector<int>{21, 17}));
    const auto digits = identifierRequestBytes("20261207004302");
    EXPECT_TRUE(std::equal(digits.begin(), digits.end(), rig.backend.written[0].begin() + 3));
}

TEST_F(LoggerDownloadTest, GridIsDisabledWhileDownloading) {
    bool gridEnabledDuringBlocks = true;
    rig.backend.onWrite = [&](const Report& r) {
        if (r[2] == 17) gridEnabledDuringBlocks = window()->grid().isEnabled();
    };
    chooseRow(0);
    EXPECT_FALSE(gridEnabledDuringBlocks);
    EXPECT_TRUE(window()->grid().isEnabled());
}

class DownloadGuardTest : public LoggerDownloadTest,
                          public ::testing::WithParamInterface<Element> {};
TEST_P(DownloadGuardTest, RecordingMeterDownloadsNothing) {
    rig.display.set(GetParam(), true);
    chooseRow(0);
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_EQ(rig.workspace.dataText, "old data");
}
INSTANTIATE_TEST_SUITE_P(Annunciators, DownloadGuardTest,
                         ::testing::Values(Element::LblREC, Element::LblAMRA));

TEST_F(LoggerDownloadTest, SetLongerThanTheBufferChangesNothing) {
    rig.addSets(1, sim::largestFittingSampleCount() + 20, 4);
    rig.commands->runMemory();
    rig.backend.written.clear();
    chooseRow(3);
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, kSetTooLong);
    EXPECT_EQ(rig.workspace.dataText, "old data");
    EXPECT_EQ(rig.dataListShows, 0);
    EXPECT_EQ(rig.backend.count(17), 0);
    EXPECT_TRUE(window()->grid().isEnabled());
}

// --- erase all from the window -------------------------------------------------------------

struct EraseAllCase {
    const char* widget;
    bool recLit;
    bool confirm;
    bool asked;
    bool erased;
};
class WindowEraseAllTest : public LoggerDownloadTest,
                           public ::testing::WithParamInterface<EraseAllCase> {};

TEST_P(WindowEraseAllTest, GaugeIsGuardedSwatchesAreNot) {
    const EraseAllCase& c = GetParam();
    rig.display.set(Element::LblREC, c.recLit);
    if (c.asked) rig.prompts.answerConfirm(c.confirm);
    // The poll runs on during the question: one that loses the meter then must not close
    // the window being clicked.
    rig.prompts.onConfirm([this] { rig.commands->closeLoggerWindow(); });
    click(child<QWidget>(c.widget));
    EXPECT_EQ(rig.prompts.confirmQuestions().size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(rig.prompts.confirmQuestions()[0], kEraseAllWarning);
        // A stray Enter after a stray click on the gauge must not wipe every set.
        EXPECT_EQ(rig.prompts.confirmDefaults(), std::vector{Prompts::Default::Cancel});
    }
    EXPECT_EQ(rig.backend.count(19), c.erased ? 1 : 0);
    EXPECT_EQ(rig.meter.logger().setCount() == 0, c.erased);
    EXPECT_EQ(rig.commands->loggerWindowOpen(), !c.erased);
}

TEST_F(LoggerDownloadTest, AnEraseAllTheMeterNeverGotIsNotTakenForOne) {
    rig.simBackend.unplug();
    rig.prompts.answerConfirm(true);
    click(child<QWidget>("SSPanel2"));
    EXPECT_EQ(rig.meter.logger().setCount(), 3);
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
    EXPECT_TRUE(rig.commands->loggerWindowOpen());  // still listing the sets still there
}

INSTANTIATE_TEST_SUITE_P(Clicks, WindowEraseAllTest,
                         ::testing::Values(EraseAllCase{"MSize", false, true, true, true},
                                           EraseAllCase{"MSize", false, false, true, false},
                                           EraseAllCase{"MSize", true, true, false, false},
                                           EraseAllCase{"SSPanel2", true, true, true, true},
                                           EraseAllCase{"SSPanel3", false, true, true, true},
                                           EraseAllCase{"SSPanel3", false, false, true, false}));

}  // namespace
}  // namespace photara
