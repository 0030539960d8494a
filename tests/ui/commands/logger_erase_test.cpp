#include <gtest/gtest.h>

#include <QComboBox>

#include "ui/commands/logger_messages.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::LoggerRig;

class EraseListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.addSets(10);
        rig.connect();
    }
    QStringList items() const {
        QStringList list;
        for (int i = 0; i < rig.eraseList->count(); ++i) list << rig.eraseList->itemText(i);
        return list;
    }
    void choose(int index) {
        rig.eraseList->setCurrentIndex(index);
        emit rig.eraseList->activated(index);
    }
    LoggerRig rig;
};

TEST_F(EraseListTest, TenSetsGiveExitTenItemsAndAll) {
    rig.commands->runErase();
    const QStringList list = items();
    ASSERT_EQ(list.size(), 12);
    EXPECT_EQ(list.front(), "Exit");
    EXPECT_EQ(list[1], "1  2026/12/07 00:43:01");
    EXPECT_EQ(list[10], "10  2026/12/07 00:43:10");
    EXPECT_EQ(list.back(), "All");
    EXPECT_FALSE(rig.eraseList->isHidden());
    EXPECT_EQ(rig.backend.commands(), (std::vector<int>{20, 16}));
    EXPECT_EQ(rig.backend.reads, 1 + 1 + 2);  // discard, status, two reports
    for (const auto& m : rig.moments) {
        EXPECT_FALSE(m.panelInputEnabled);  // keypad and toolbar disabled, not just ignored
    }
    EXPECT_TRUE(rig.panel.centralWidget()->isEnabled());
    EXPECT_TRUE(rig.toolbar->isEnabled());
}

TEST_F(EraseListTest, ChoosingASetErasesItAfterAsking) {
    rig.commands->runErase();
    rig.backend.written.clear();
    rig.moments.clear();
    rig.prompts.answerConfirm(true);
    choose(3);
    // The directory read again first: the set is still there.
    ASSERT_EQ(rig.backend.commands(), (std::vector<int>{20, 16, 18}));
    const auto digits = identifierRequestBytes("20261207004303");
    EXPECT_TRUE(std::equal(digits.begin(), digits.end(), rig.backend.written[2].begin() + 3));
    EXPECT_EQ(rig.meter.logger().setCount(), 9);
    ASSERT_EQ(rig.prompts.confirmQuestions().size(), 1u);
    EXPECT_TRUE(rig.prompts.confirmQuestions()[0].startsWith(
        "Set 3, recorded from 2026/12/07 00:43:03, will be erased"));
    EXPECT_TRUE(rig.eraseList->isHidden());
}

TEST_F(EraseListTest, AShownListFollowsAnotherDirectoryReadAndErasesTheSetItShows) {
    rig.commands->runErase();
    // The logger window reads the directory again after set 1 went away: the shared table
    // shifts by one, and so does the shown erase list.
    rig.meter.logger().erase(0);
    rig.commands->runMemory();
    ASSERT_EQ(rig.eraseList->count(), 11);
    EXPECT_EQ(rig.eraseList->itemText(3), "3  2026/12/07 00:43:04");
    rig.backend.written.clear();
    rig.prompts.answerConfirm(true);
    choose(3);
    const auto digits = identifierRequestBytes("20261207004304");
    // Then the open logger window lists the sets again (status, directory).
    ASSERT_EQ(rig.backend.commands(), (std::vector<int>{20, 16, 18, 20, 16}));
    EXPECT_TRUE(std::equal(digits.begin(), digits.end(), rig.backend.written[2].begin() + 3));
}

// Every erase is asked first with Cancel as the default, and told on the status line when done.
struct AllCase {
    int index;  // -1: "All"
    std::optional<bool> confirm;
    std::vector<int> sent;
};
class EraseListChoiceTest : public EraseListTest, public ::testing::WithParamInterface<AllCase> {};

TEST_P(EraseListChoiceTest, AsksBeforeErasingAndHidesTheList) {
    const AllCase& c = GetParam();
    rig.commands->runErase();
    rig.backend.written.clear();
    if (c.confirm) rig.prompts.answerConfirm(*c.confirm);
    choose(c.index < 0 ? rig.eraseList->count() - 1 : c.index);
    EXPECT_EQ(rig.backend.commands(), c.sent);
    EXPECT_EQ(rig.meter.logger().setCount(), c.sent.empty() ? 10 : c.index < 0 ? 0 : 9);
    EXPECT_TRUE(rig.eraseList->isHidden());
    EXPECT_EQ(rig.prompts.confirmDefaults(),
              c.confirm ? std::vector{Prompts::Default::Cancel} : std::vector<Prompts::Default>{});
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_EQ(rig.statusLine.text().contains("erased"), !c.sent.empty());
}

INSTANTIATE_TEST_SUITE_P(Choices, EraseListChoiceTest,
                         ::testing::Values(AllCase{0, std::nullopt, {}}, AllCase{-1, false, {}},
                                           AllCase{-1, true, {19}}, AllCase{3, false, {}},
                                           AllCase{3, true, {20, 16, 18}}));

TEST_F(EraseListTest, EmptyMemoryTellsAndLeavesTheListHidden) {
    rig.meter.logger().eraseAll();
    rig.commands->runErase();
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, "No Data in Memory!");
    EXPECT_EQ(rig.prompts.messages()[0].icon, Prompts::Icon::Information);
    EXPECT_TRUE(rig.eraseList->isHidden());
}

// The list may stay open a long while. When a set or "All" is chosen the meter is checked
// again: recording meanwhile erases nothing silently; gone meanwhile erases nothing and says so.
struct LateChoiceCase {
    const char* name;
    int item;  // 3: a set; 11: "All"
    bool unplugged;
};

class EraseLateChoiceTest : public EraseListTest,
                            public ::testing::WithParamInterface<LateChoiceCase> {};

TEST_P(EraseLateChoiceTest, ChecksTheMeterAgainAndErasesNothing) {
    const LateChoiceCase& c = GetParam();
    rig.commands->runErase();
    rig.backend.written.clear();
    if (c.unplugged) {
        rig.simBackend.unplug();
        EXPECT_FALSE(rig.session.poll());  // the poll finds it gone
        rig.backend.written.clear();
    } else {
        rig.display.set(Element::LblREC, true);
    }
    choose(c.item);
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_EQ(rig.meter.logger().setCount(), 10);
    EXPECT_TRUE(rig.prompts.confirmQuestions().empty());
    EXPECT_TRUE(rig.eraseList->isHidden());
    ASSERT_EQ(rig.prompts.messages().size(), c.unplugged ? 1u : 0u);
    if (c.unplugged) {
        EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, EraseLateChoiceTest,
                         ::testing::Values(LateChoiceCase{"SetWhileRecording", 3, false},
                                           LateChoiceCase{"AllWhileRecording", 11, false},
                                           LateChoiceCase{"SetAfterUnplug", 3, true},
                                           LateChoiceCase{"AllAfterUnplug", 11, true}),
                         [](const auto& p) { return std::string(p.param.name); });

class EraseGuardTest : public EraseListTest, public ::testing::WithParamInterface<Element> {};
TEST_P(EraseGuardTest, RecordingMeterIsNotAsked) {
    rig.display.set(GetParam(), true);
    rig.commands->runErase();
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_EQ(rig.eraseList->count(), 0);
}
INSTANTIATE_TEST_SUITE_P(Annunciators, EraseGuardTest,
                         ::testing::Values(Element::LblREC, Element::LblAMRA));

}  // namespace
}  // namespace photara
