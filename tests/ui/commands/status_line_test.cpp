#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>

#include "core/clock/meter_clock.h"
#include "ui/base/status_line.h"
#include "ui/clock/setup_window.h"
#include "ui/commands/list_graph_commands.h"
#include "ui/commands/open_command.h"
#include "ui/datalist/data_file_io.h"
#include "ui/datalist/data_list_window.h"
#include "ui/datalist/data_views.h"
#include "ui/logger/logger_rig.h"

namespace photara {
namespace {

using test::LoggerRig;

// A toolbar command its guard refuses says why on the status line, and does nothing else.
struct RefusalCase {
    const char* name;
    void (LoggerCommands::*run)();
    bool connected;
    std::optional<Element> lit;
    const char* said;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};
class StatusRefusalTest : public ::testing::TestWithParam<RefusalCase> {
  protected:
    LoggerRig rig;
};

TEST_P(StatusRefusalTest, SaysWhyTheCommandDidNothing) {
    const RefusalCase& c = GetParam();
    rig.addSets(2);
    if (c.connected) rig.connect();
    if (c.lit) rig.display.set(*c.lit, true);
    rig.commands->setModalRunner([](SetupWindow&) { ADD_FAILURE() << "clock window shown"; });
    ((*rig.commands).*c.run)();
    EXPECT_EQ(rig.statusLine.text(), QString::fromUtf8(c.said));
    EXPECT_TRUE(rig.backend.written.empty());
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_TRUE(rig.prompts.inputQuestions().empty());
    EXPECT_FALSE(rig.commands->loggerWindowOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Guards, StatusRefusalTest,
    ::testing::Values(
        RefusalCase{"MemoryUnplugged", &LoggerCommands::runMemory, false, {}, "No meter connected"},
        RefusalCase{"IntvUnplugged", &LoggerCommands::runIntv, false, {}, "No meter connected"},
        RefusalCase{"MemoryREC", &LoggerCommands::runMemory, true, Element::LblREC,
                    "The meter is recording (REC) — stop the recording first"},
        RefusalCase{"EraseAMRA", &LoggerCommands::runErase, true, Element::LblAMRA,
                    "The meter is recording (AMR-A) — stop the recording first"},
        RefusalCase{"RecSetupREC", &LoggerCommands::runRecSetup, true, Element::LblREC,
                    "The meter is recording (REC) — stop the recording first"},
        RefusalCase{"RtcAMRA", &LoggerCommands::runRtc, true, Element::LblAMRA,
                    "The meter is recording (AMR-A) — stop the recording first"},
        RefusalCase{"MemoryMX", &LoggerCommands::runMemory, true, Element::LblMx,
                    "The meter is in a measuring or setting mode (MX) — leave it first"},
        RefusalCase{"MemoryDelta", &LoggerCommands::runMemory, true, Element::ImaDelta,
                    "The meter is in a measuring or setting mode (Δ) — leave it first"}),
    [](const auto& p) { return std::string(p.param.name); });

// The pointer passing over a toolbar button shows its tip and, leaving it, an empty one: the
// answer of the command just clicked stays.
TEST(StatusLineTips, AHoverTipLeavingDoesNotWipeTheAnswer) {
    LoggerRig rig;
    rig.statusLine.say(QStringLiteral("All sets were erased."));
    QStatusTipEvent tip(QStringLiteral("Erase Data Logger"));
    QCoreApplication::sendEvent(&rig.panel, &tip);
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(&rig.panel, &left);
    auto* label = rig.panel.statusBar()->findChild<QLabel*>(QStringLiteral("StatusMessage"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("All sets were erased."));
}

// A long sentence beside the recording state at the right shows whole, on more lines, and
// the next sentence takes its place.
TEST(StatusLineWhole, ALongSentenceBesideTheRecordingStateShowsWhole) {
    LoggerRig rig;
    rig.panel.statusBar()->addPermanentWidget(
        new QLabel(QStringLiteral("Recorded 12345 rows to 2026-12-08 10-15-02.csv")));
    auto* label = rig.panel.statusBar()->findChild<QLabel*>(QStringLiteral("StatusMessage"));
    ASSERT_NE(label, nullptr);
    const QString sentences[] = {
        QStringLiteral("The meter is in a measuring or setting mode (MX) — leave it first"),
        QStringLiteral("Exported 13002 readings to night-shift-2026-12-08.csv in "
                       "/home/someone/Documents/measurements/december"),
        QStringLiteral("All sets were erased.")};
    for (const QString& sentence : sentences) {
        rig.statusLine.say(sentence);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(label->text(), sentence);
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, sentence);
        EXPECT_LE(needed.width(), room.width()) << sentence.toStdString();
        EXPECT_LE(needed.height(), room.height()) << sentence.toStdString();
        // No more lines than the sentence takes: the panel grows only as much as it must.
        EXPECT_LT(room.height(), needed.height() + label->fontMetrics().height())
            << sentence.toStdString();
    }
}

// What a command did is said on the status line. Each action returns what it should say.
struct ResultCase {
    const char* name;
    std::function<QString(LoggerRig&)> act;
    friend void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }
};
class StatusResultTest : public ::testing::TestWithParam<ResultCase> {
  protected:
    void SetUp() override {
        rig.addSets(3);
        rig.connect();
    }
    LoggerRig rig;
};

TEST_P(StatusResultTest, SaysWhatTheCommandDid) {
    const QString expected = GetParam().act(rig);
    EXPECT_EQ(rig.statusLine.text(), expected);
    EXPECT_TRUE(rig.prompts.messages().empty());  // said in passing, not in a box to click away
    EXPECT_EQ(rig.prompts.unusedAnswers(), 0u);
}

void chooseErase(LoggerRig& rig, int item) {
    rig.commands->runErase();
    rig.prompts.answerConfirm(true);
    rig.eraseList->setCurrentIndex(item);
    emit rig.eraseList->activated(item);
}

INSTANTIATE_TEST_SUITE_P(
    Results, StatusResultTest,
    ::testing::Values(
        ResultCase{"SamplingTimeSet",
                   [](LoggerRig& r) {
                       r.prompts.answerInput(QStringLiteral("00:01:30"));
                       r.commands->runIntv();
                       return QStringLiteral("Sampling time set to 00:01:30");
                   }},
        ResultCase{"RecordingPeriodSet",
                   [](LoggerRig& r) {
                       r.prompts.answerInput(QStringLiteral("60.9"));
                       r.commands->runRecSetup();
                       return QStringLiteral("Recording period set to 60 s");
                   }},
        ResultCase{"MeterClockSet",
                   [](LoggerRig& r) {
                       r.commands->setModalRunner([](SetupWindow& w) {
                           w.findChild<QPushButton*>(QStringLiteral("CmdSetTime"))->click();
                       });
                       r.commands->runRtc();
                       return QStringLiteral("Meter clock set to ") +
                              QString::fromStdString(formatLocalTime(r.clock.now()));
                   }},
        ResultCase{"SetErasedFromTheList",
                   [](LoggerRig& r) {
                       chooseErase(r, 2);
                       return QStringLiteral("Set 2, recorded from 2026/12/07 00:43:02, was erased.");
                   }},
        ResultCase{"AllErasedFromTheList",
                   [](LoggerRig& r) {
                       chooseErase(r, 4);
                       return QStringLiteral("All sets were erased.");
                   }},
        ResultCase{"AllErasedFromTheGauge",
                   [](LoggerRig& r) {
                       r.commands->runMemory();
                       r.prompts.answerConfirm(true);
                       test::click(r.commands->loggerWindow()->findChild<QWidget*>(
                           QStringLiteral("MSize")));
                       return QStringLiteral("All sets were erased.");
                   }},
        ResultCase{"SetDownloaded",
                   [](LoggerRig& r) {
                       r.commands->runMemory();
                       emit r.commands->loggerWindow()->grid().cellClicked(0, 0);
                       return QStringLiteral("Set 1, recorded from 2026/12/07 00:43:01, downloaded");
                   }},
        ResultCase{"DownloadWhileRecording",
                   [](LoggerRig& r) {
                       r.commands->runMemory();
                       r.display.set(Element::LblREC, true);
                       emit r.commands->loggerWindow()->grid().cellClicked(0, 0);
                       return QStringLiteral(
                           "The meter is recording (REC) — stop the recording first");
                   }},
        ResultCase{"Saved",
                   [](LoggerRig& r) {
                       QTemporaryDir dir;
                       const QString path = dir.filePath(QStringLiteral("set.pxd"));
                       r.workspace.dataText = "data";
                       r.prompts.answerSaveFile(path);
                       runSaveCommand(r.context);
                       return QStringLiteral("Saved set.pxd in ") + QFileInfo(path).absolutePath();
                   }},
        ResultCase{"SavedFromTheDataList",
                   [](LoggerRig& r) {
                       QTemporaryDir dir;
                       const QString path = dir.filePath(QStringLiteral("list.pxd"));
                       DataListWindow list(r.context, r.meter.logger().text(0));
                       r.prompts.answerSaveFile(path);
                       list.save();
                       return QStringLiteral("Saved list.pxd in ") + QFileInfo(path).absolutePath();
                   }},
        ResultCase{"ExportedFromTheDataList",
                   [](LoggerRig& r) {
                       QTemporaryDir dir;
                       const QString path = dir.filePath(QStringLiteral("list.csv"));
                       DataListWindow list(r.context, r.meter.logger().text(0));
                       r.prompts.answerSaveFile(path);
                       list.exportCsv();
                       EXPECT_TRUE(QFileInfo(path).isFile());
                       return QStringLiteral("Exported 3 readings to list.csv in ") +
                              QFileInfo(path).absolutePath();
                   }},
        ResultCase{"Opened",
                   [](LoggerRig& r) {
                       QTemporaryDir dir;
                       const QString path = dir.filePath(QStringLiteral("set.pxd"));
                       EXPECT_FALSE(writeDataFile(path, r.meter.logger().text(0)));
                       DataViews views(r.context);
                       r.prompts.answerOpenFile(path);
                       runOpenCommand(r.context, views);
                       return QStringLiteral("Opened set.pxd from ") + QFileInfo(path).absolutePath();
                   }},
        ResultCase{"ListWithoutData",
                   [](LoggerRig& r) {
                       DataViews views(r.context);
                       runListCommand(r.context, views);
                       return QStringLiteral("No data yet — download a set (Data Logger) or "
                                             "open a data file first");
                   }}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
