#include "ui/live/live_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QWheelEvent>

#include "ui/plotview/plot_view.h"
#include "core/series/live_feed.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"

namespace photara {
namespace {

Reading luminance(double v, ReadingUnit unit = ReadingUnit::CdPerM2) {
    Reading r;
    r.value = v;
    r.unit = unit;
    r.displayText = std::to_string(v);
    return r;
}

class LiveWindowTest : public testing::Test {
  protected:
    // The remembered folder goes to Qt's test settings, not the user's.
    LiveWindowTest() { QStandardPaths::setTestModeEnabled(true); }

    void poll(std::optional<Reading> r, bool connected = true) {
        clock.advanceMilliseconds(250);
        feed.onPoll(connected, r);
        window.pollShown();
    }

    test::FakeClock clock;
    test::ScriptedPrompts prompts;
    LiveFeed feed{clock};
    QStatusBar panelStatus;
    LiveWindow window{feed, prompts, clock, &panelStatus};
    QString path = QStringLiteral("/tmp/photara_live_window_%1").arg(getpid());
};

TEST_F(LiveWindowTest, RecordsWhatArrivesAndReopensItSkippingATornRow) {
    prompts.answerSaveFile(path);  // no extension: .csv is added
    window.setRecording(true);
    ASSERT_TRUE(window.recording());
    EXPECT_TRUE(window.action(QStringLiteral("record"))->isChecked());
    for (double v : {10.0, 20.0, 30.0}) poll(luminance(v));
    poll(std::nullopt, false);  // the meter went away
    poll(luminance(10, ReadingUnit::FootLambert));  // 34.26 cd/m²
    EXPECT_TRUE(window.recordingState()->text().contains(QStringLiteral("6 rows")));
    window.setRecording(false);
    EXPECT_FALSE(window.action(QStringLiteral("record"))->isChecked());

    QFile file(path + QStringLiteral(".csv"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("2026-12-07T00:43:11.000+00:00,2.0,9");  // cut off by a crash
    file.close();

    ASSERT_TRUE(window.openRecording(file.fileName()));
    EXPECT_TRUE(window.showingFile());
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("6 rows; 1 incomplete rows skipped"));
    // The fL reading is in the trend in cd/m²; the event left a gap before it.
    EXPECT_TRUE(window.wholeStatistics()->text().contains(
        QStringLiteral("n 4 · min 10.00 · max 34.26 · mean 23.57")))
        << window.wholeStatistics()->text().toStdString();
    file.remove();
}

TEST_F(LiveWindowTest, AFileThatCannotBeCreatedSaysWhereAndDoesNotRecord) {
    prompts.answerSaveFile(QStringLiteral("/nonexistent/folder/x.csv"));
    window.setRecording(true);
    EXPECT_FALSE(window.recording());
    EXPECT_FALSE(window.action(QStringLiteral("record"))->isChecked());
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("/nonexistent/folder/x.csv")));
}

TEST_F(LiveWindowTest, TheUnitChoiceConvertsStatisticsAndReadout) {
    for (int i = 0; i < 4; ++i) poll(luminance(3.4262591 * (i + 1)));
    window.unitChoice()->setCurrentIndex(1);
    const QString strip = window.plot()->statisticsStrip()->text();
    EXPECT_TRUE(strip.contains(QStringLiteral("min 1.000 · max 4.000 · mean 2.500"))) << strip.toStdString();
    EXPECT_TRUE(strip.endsWith(QStringLiteral("fL/min")));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("currentReading"))->text(),
              QStringLiteral("4.000 fL"));
}

TEST_F(LiveWindowTest, ZoomAndPanThenHomeShowTheFullRangeAgain) {
    for (int i = 0; i < 400; ++i) poll(luminance(100 + i % 17));
    PlotView& view = *window.plot();
    view.resize(800, 400);
    const ViewRange full = view.viewport().full();
    const QPointF middle = view.plotRect().center();
    QWheelEvent wheel(middle, view.mapToGlobal(middle), {}, {0, 240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &wheel);
    const ViewRange zoomed = view.viewport().visible();
    EXPECT_NEAR(zoomed.t1 - zoomed.t0, (full.t1 - full.t0) * 0.64, 1e-9);
    EXPECT_FALSE(window.action(QStringLiteral("follow"))->isChecked());
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &right);
    EXPECT_NEAR(view.viewport().visible().t0 - zoomed.t0, (zoomed.t1 - zoomed.t0) * 0.1, 1e-9);
    QWheelEvent values(middle, view.mapToGlobal(middle), {}, {0, 120}, Qt::NoButton,
                       Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &values);
    EXPECT_FALSE(window.action(QStringLiteral("autoscale"))->isChecked());
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &home);
    EXPECT_EQ(view.viewport().visible().t0, full.t0);
    EXPECT_EQ(view.viewport().visible().t1, full.t1);
    EXPECT_TRUE(window.action(QStringLiteral("follow"))->isChecked());
    EXPECT_TRUE(window.action(QStringLiteral("autoscale"))->isChecked());  // the value zoom undone
}

}  // namespace
}  // namespace photara
