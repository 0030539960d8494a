#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "core/clock/meter_clock.h"
#include "ui/clock/setup_window.h"
#include "ui/commands/logger_commands.h"
#include "ui/commands/logger_messages.h"
#include "ui/commands/open_command.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_list_window.h"
#include "ui/datalist/data_views.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "ui/logger/memory_window.h"
#include "core/meter/clock_ops.h"
#include "core/meter/display_ops.h"
#include "ui/panel/panel.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::click;

// The whole program's logger side on the virtual meter: the real panel, data views and
// logger commands, with scripted dialogs.
class LoggerEndToEndTest : public ::testing::Test {
  protected:
    LoggerEndToEndTest() {
        // The poll runs on as in the program, between the logger's exchanges.
        panel.setPollTick([this] { session.requestPoll(); });
        QObject::connect(&session, &GuiMeterSession::polled, &panel, &Panel::showPolled);
        panel.pollTimer().start();
        panel.show();
        (void)session.poll();
    }

    MemoryWindow& window() { return *commands.loggerWindow(); }
    void chooseRow(int row) { emit window().grid().cellClicked(row, 0); }
    DataListWindow* dataList() { return qobject_cast<DataListWindow*>(views.dataList()); }
    // The set's text as the meter serves it: padded with 0x00 to whole 64-byte blocks.
    std::string served(int index) {
        std::string text = meter.logger().text(index);
        text.resize((text.size() + 63) / 64 * 64, '\0');
        return text;
    }

    test::FakeClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend backend{meter};
    GuiMeterSession session{backend};
    Panel panel{session.model(), clock};
    Workspace workspace;
    test::ScriptedPrompts prompts;
    StatusLine statusLine{panel.statusBar()};
    AppContext context{session, workspace, prompts, clock, &panel, &statusLine};
    DataViews views{context};
    LoggerCommands commands{context, views, *panel.eraseList()};
};

TEST_F(LoggerEndToEndTest, ListDownloadSaveReopenEraseAndSetTheLogger) {
    // List the sets.
    commands.runMemory();
    ASSERT_TRUE(commands.loggerWindowOpen());
    const int sets = meter.logger().setCount();
    ASSERT_EQ(window().grid().rowCount(), sets);
    EXPECT_EQ(window().grid().item(0, 1)->text(), "2026/11/28 09:15:00");

    // Download each into the data list, byte for byte.
    for (int row = 0; row < sets; ++row) {
        chooseRow(row);
        ASSERT_EQ(workspace.dataText, served(row)) << "set " << row + 1;
        ASSERT_TRUE(views.dataListOpen());
        EXPECT_EQ(dataList()->dataText(), workspace.dataText);
        EXPECT_EQ(workspace.samples.first.size(),
                  static_cast<std::size_t>(meter.logger().recipe(row).samples));
    }

    // Save the last one and open the file again: the same readings reach the plot.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.pxd"));
    const std::vector<double> downloaded = workspace.samples.first;
    prompts.answerSaveFile(path);
    dataList()->save();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), served(sets - 1) + "\r\n");
    file.close();
    views.closeDataList();
    workspace.samples = {};
    prompts.answerOpenFile(path);
    runOpenCommand(context, views);
    EXPECT_TRUE(views.plotOpen());
    EXPECT_EQ(workspace.samples.first, downloaded);

    // Erase one set from the erase list: the second.
    const LocalDateTime third = meter.logger().recipe(2).start;
    commands.runErase();
    QComboBox& list = *panel.eraseList();
    ASSERT_EQ(list.count(), sets + 2);
    prompts.answerConfirm(true);
    list.setCurrentIndex(2);
    emit list.activated(2);
    ASSERT_EQ(meter.logger().setCount(), sets - 1);
    EXPECT_EQ(meter.logger().recipe(1).start, third);
    EXPECT_TRUE(statusLine.text().startsWith("Set 2, recorded from"));

    // Erase all from the logger window's gauge.
    commands.runMemory();
    EXPECT_EQ(window().grid().rowCount(), sets - 1);
    prompts.answerConfirm(true);
    click(window().findChild<QWidget*>(QStringLiteral("MSize")));
    EXPECT_EQ(meter.logger().setCount(), 0);
    EXPECT_FALSE(commands.loggerWindowOpen());
    commands.runMemory();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, kNoDataInMemory);

    // Sampling time and recording period.
    prompts.answerInput(QStringLiteral("00:00:10"));
    commands.runIntv();
    EXPECT_EQ(meter.settings().samplingSeconds, 10);
    prompts.answerInput(QStringLiteral("9999"));
    commands.runRecSetup();
    EXPECT_EQ(meter.settings().recordingPeriod, 9999);
    EXPECT_EQ(prompts.inputQuestions()[1].defaultAnswer, "600");

    // The meter's clock, wrong at first, set from the PC's.
    ASSERT_TRUE(session.await(session.core().setClock({2019, 8, 1, 12, 34, 56})));
    commands.setModalRunner([&](SetupWindow& w) {
        auto* meterTime = w.findChild<QLabel*>(QStringLiteral("LblMeterTime"));
        w.tick();  // both clocks show from the start
        EXPECT_EQ(meterTime->text(), "2019/08/01 12:34:56");
        w.findChild<QPushButton*>(QStringLiteral("CmdSetTime"))->click();
        w.tick();
        EXPECT_EQ(meterTime->text(), "2026/12/07 00:43:09");
        w.findChild<QPushButton*>(QStringLiteral("CmdExit"))->click();
    });
    commands.runRtc();
    EXPECT_EQ(meter.meterTime(), clock.now());
    EXPECT_EQ(prompts.unusedAnswers(), 0u);
}

TEST_F(LoggerEndToEndTest, PanelInputsAreDisabledAndCommandsRefusedWhileASetDownloads) {
    commands.runMemory();
    bool checked = false;
    QTimer::singleShot(0, &panel, [&] {  // runs among the events the download lets through
        checked = true;
        EXPECT_FALSE(panel.centralWidget()->isEnabled());
        EXPECT_FALSE(panel.findChild<QToolBar*>()->isEnabled());
        EXPECT_FALSE(window().grid().isEnabled());
        EXPECT_FALSE(window().close());
        commands.runErase();  // a second transfer would interleave its requests
        commands.runMemory();
    });
    panel.pollTimer().stop();  // the count below is of the download's own reads
    const int readsBefore = backend.readCount();
    chooseRow(3);
    EXPECT_TRUE(checked);
    EXPECT_EQ(workspace.dataText, served(3));
    // Discard, size, then one read per block and the one after the last: nothing else.
    EXPECT_EQ(backend.readCount() - readsBefore,
              3 + static_cast<int>(workspace.dataText.size() / 64));
    EXPECT_TRUE(panel.centralWidget()->isEnabled());
    EXPECT_TRUE(panel.findChild<QToolBar*>()->isEnabled());
    EXPECT_TRUE(panel.eraseList()->isHidden());
}

// The meter unplugged in the middle of the largest set: the data and the open data list
// stay as they were, and the next download after replugging is whole.
struct UnplugCase {
    const char* stage;
    int reads;  // reads of the download that succeed (discard, size, blocks...)
};
class LoggerEndToEndUnplugTest : public LoggerEndToEndTest,
                                 public ::testing::WithParamInterface<UnplugCase> {};

TEST_P(LoggerEndToEndUnplugTest, NothingLostNothingStale) {
    commands.runMemory();
    chooseRow(0);
    ASSERT_TRUE(views.dataListOpen());
    const std::string before = workspace.dataText;
    QWidget* listBefore = views.dataList();

    backend.failAfterReads(GetParam().reads);
    chooseRow(3);
    EXPECT_EQ(workspace.dataText, before);
    EXPECT_EQ(views.dataList(), listBefore);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, kMeterStoppedAnswering);
    EXPECT_TRUE(window().grid().isEnabled());
    EXPECT_TRUE(panel.centralWidget()->isEnabled());

    backend.replug();
    ASSERT_TRUE(session.poll());
    chooseRow(3);
    EXPECT_EQ(workspace.dataText, served(3));
}

INSTANTIATE_TEST_SUITE_P(Stages, LoggerEndToEndUnplugTest,
                         ::testing::Values(UnplugCase{"set_size", 1}, UnplugCase{"block_1", 2},
                                           UnplugCase{"block_6500", 6501},
                                           UnplugCase{"block_12999", 13000}),
                         [](const auto& param) { return std::string(param.param.stage); });

}  // namespace
}  // namespace photara
