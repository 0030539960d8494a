#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <QComboBox>
#include <QTableWidget>
#include <QTimer>

#include "ui/commands/logger_messages.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::LoggerRig;

// The meter is unplugged at one stage of a command. Whatever it had sent before is not
// shown as data, the user is told, and both panel timers and the panel's inputs work again.
enum class Flow { Memory, Download, Erase, Intv, RecSetup };

struct FaultCase {
    const char* stage;
    Flow flow;
    int readsBeforeFault;  // reads of the command that succeed (the first is the discard)
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.stage;
}

class LoggerFaultTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    void SetUp() override {
        rig.addSets(20, 5);  // three directory reports; more than four blocks per set
        rig.connect();
        // An earlier, complete listing, download and erase list: what must survive.
        rig.commands->runMemory();
        emit rig.commands->loggerWindow()->grid().cellClicked(0, 0);
        rig.commands->runErase();
        rig.eraseList->hide();
        ASSERT_EQ(rig.dataListShows, 1);
        ASSERT_TRUE(rig.prompts.messages().empty());
        dataText = rig.workspace.dataText;
        eraseItems = rig.eraseList->count();
        // The meter now holds more sets (still three directory reports): a stale or partial
        // answer would show up mixed with the old ones.
        rig.addSets(5, 5, 21);
        rig.connect();  // as the next poll does after the read that follows a download
    }

    void run(Flow flow) {
        switch (flow) {
            case Flow::Memory:
                rig.commands->runMemory();
                break;
            case Flow::Download:
                emit rig.commands->loggerWindow()->grid().cellClicked(2, 0);
                break;
            case Flow::Erase:
                rig.commands->runErase();
                break;
            case Flow::Intv:
                rig.commands->runIntv();
                break;
            case Flow::RecSetup:
                rig.commands->runRecSetup();
                break;
        }
    }

    LoggerRig rig;
    std::string dataText;
    int eraseItems = 0;
};

TEST_P(LoggerFaultTest, NothingStaleIsShownAndInputComesBack) {
    rig.unplugAfterReads(GetParam().readsBeforeFault);
    run(GetParam().flow);

    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(rig.prompts.messages()[0].text, kMeterStoppedAnswering);
    EXPECT_TRUE(rig.prompts.inputQuestions().empty());
    EXPECT_EQ(rig.backend.count(24) + rig.backend.count(9), 0);

    EXPECT_EQ(rig.workspace.dataText, dataText);
    EXPECT_EQ(rig.dataListShows, 1);
    EXPECT_EQ(rig.dataListCloses, 0);
    ASSERT_TRUE(rig.commands->loggerWindowOpen());
    QTableWidget& grid = rig.commands->loggerWindow()->grid();
    EXPECT_EQ(grid.rowCount(), 20);
    EXPECT_EQ(grid.item(19, 1)->text(), "2026/12/07 00:43:20");
    EXPECT_TRUE(grid.isEnabled());
    EXPECT_EQ(rig.eraseList->count(), eraseItems);
    EXPECT_TRUE(rig.eraseList->isHidden());
    EXPECT_TRUE(rig.panel.centralWidget()->isEnabled());
    EXPECT_TRUE(rig.toolbar->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Stages, LoggerFaultTest,
                         ::testing::Values(FaultCase{"memory status", Flow::Memory, 1},
                                           FaultCase{"directory report 1", Flow::Memory, 2},
                                           FaultCase{"directory report 2", Flow::Memory, 3},
                                           FaultCase{"directory report 3", Flow::Memory, 4},
                                           FaultCase{"set size", Flow::Download, 1},
                                           FaultCase{"block 1", Flow::Download, 2},
                                           FaultCase{"block 2", Flow::Download, 3},
                                           FaultCase{"block 4", Flow::Download, 5},
                                           FaultCase{"erase list status", Flow::Erase, 1},
                                           FaultCase{"erase list directory report 2", Flow::Erase,
                                                     3},
                                           FaultCase{"sampling time read", Flow::Intv, 1},
                                           FaultCase{"recording period read", Flow::RecSetup, 1}),
                         [](const auto& param) {
                             std::string name = param.param.stage;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(LoggerFaultNewWindow, StatusLostBeforeTheWindowOpensOpensNoWindow) {
    LoggerRig rig;
    rig.addSets(3);
    rig.connect();
    rig.unplugAfterReads(1);
    rig.commands->runMemory();
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
}

// Closing the panel ends the program: a transfer under way stops at its next report without
// a message, and nothing of it is kept or shown.
class PanelClosedMidTransfer : public ::testing::TestWithParam<Flow> {};

TEST_P(PanelClosedMidTransfer, StopsSilentlyKeepingNothing) {
    LoggerRig rig;
    rig.addSets(20, 40);  // three directory reports; about forty blocks per set
    rig.connect();
    rig.commands->runMemory();
    ASSERT_TRUE(rig.commands->loggerWindowOpen());

    // The transfer is held at its request until the window's thread has closed the panel.
    std::atomic<bool> closed{false};
    rig.backend.onWrite = [&closed](const Report& request) {
        if (request[2] == 16 || request[2] == 17)  // the directory, the set's data
            while (!closed) std::this_thread::yield();
    };
    QTimer::singleShot(0, &rig.panel, [&rig, &closed] {
        rig.panel.close();
        closed = true;
    });
    if (GetParam() == Flow::Memory)
        rig.commands->runMemory();
    else
        emit rig.commands->loggerWindow()->grid().cellClicked(0, 0);

    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_EQ(rig.dataListShows, 0);
    EXPECT_TRUE(rig.workspace.dataText.empty());
}

INSTANTIATE_TEST_SUITE_P(Transfers, PanelClosedMidTransfer,
                         ::testing::Values(Flow::Memory, Flow::Download), [](const auto& param) {
                             return std::string(param.param == Flow::Memory ? "Directory"
                                                                            : "Download");
                         });

}  // namespace
}  // namespace photara
