#include "ui/live/live_window.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QWheelEvent>

#include "ui/base/status_line.h"
#include "ui/live/notice_bar.h"
#include "ui/live/stability_indicator.h"
#include "ui/plotview/plot_view.h"
#include "core/series/live_feed.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"

namespace photara {
namespace {

Reading luminance(double v, ReadingUnit unit = ReadingUnit::CdPerM2, std::string_view flags = "") {
    Reading r;
    r.value = v;
    r.unit = unit;
    r.flags = flagsFromText(flags);
    r.displayText = std::to_string(v) + " 19:27:52";
    return r;
}

class LiveWindowTest : public testing::Test {
  public:
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
    // Said once as news, not left standing beside every later message.
    EXPECT_TRUE(window.noticeBar()->text().startsWith(QStringLiteral("Recorded 6 rows to ")))
        << window.noticeBar()->text().toStdString();
    EXPECT_TRUE(window.recordingState()->text().isEmpty());

    QFile file(path + QStringLiteral(".csv"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("2026-12-07T00:43:11.000+00:00,2.0,9");  // cut off by a crash
    file.close();

    ASSERT_TRUE(window.openRecording(file.fileName()));
    EXPECT_TRUE(window.showingFile());
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("6 rows; 1 incomplete row skipped"));
    // The fL reading is in the trend in cd/m²; the event left a gap before it.
    EXPECT_TRUE(window.wholeStatistics()->text().contains(
        QStringLiteral("n 4 · min 10.00 · max 34.26 · mean 23.57")))
        << window.wholeStatistics()->text().toStdString();
    file.remove();
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

// A file size limit as a disk that fills up: writes past it fail with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// News from the live window: what brings it about, and a word the notice must hold.
struct NoticeCase {
    const char* name;
    std::function<void(LiveWindowTest&)> cause;
    const char* says;
    // Also on the panel's status line: not the meter's coming and going while nothing is
    // recorded (the link's own read error stays there then).
    bool onStatusLine = true;
};

class LiveWindowNotices : public LiveWindowTest, public testing::WithParamInterface<NoticeCase> {};

TEST_P(LiveWindowNotices, GoToTheBarAndTheStatusLineWithoutAMessageBox) {
    StatusLine statusLine(&panelStatus);
    window.setStatusLine(&statusLine);
    GetParam().cause(*this);
    const QString says = QString::fromUtf8(GetParam().says).arg(path);
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_TRUE(window.noticeBar()->text().contains(says)) << window.noticeBar()->text().toStdString();
    EXPECT_EQ(statusLine.text().contains(says), GetParam().onStatusLine)
        << statusLine.text().toStdString();
    EXPECT_FALSE(window.recording());
    EXPECT_FALSE(window.action(QStringLiteral("record"))->isChecked());
    // The readings go on while the notice shows.
    const std::size_t before = feed.series().size();
    poll(luminance(12));
    EXPECT_EQ(feed.series().size(), before + 1);
    QFile::remove(path);
}

void PrintTo(const NoticeCase& c, std::ostream* os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(
    News, LiveWindowNotices,
    testing::Values(
        NoticeCase{"AFileThatCannotBeCreated",
                   [](LiveWindowTest& w) {
                       w.prompts.answerSaveFile(QStringLiteral("/nonexistent/folder/x.csv"));
                       w.window.setRecording(true);
                   },
                   "/nonexistent/folder/x.csv"},
        NoticeCase{"TheDiskFillsUpWhileRecording",
                   [](LiveWindowTest& w) {
                       w.path += QStringLiteral(".csv");
                       w.prompts.answerSaveFile(w.path);
                       w.window.setRecording(true);
                       ASSERT_TRUE(w.window.recording());
                       w.poll(luminance(10));
                       const FileSizeLimit full(static_cast<rlim_t>(QFileInfo(w.path).size() + 20));
                       w.poll(luminance(11));
                   },
                   "%1"},
        NoticeCase{"AFileThatIsNoRecording",
                   [](LiveWindowTest& w) {
                       QFile file(w.path);
                       ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                       file.write("not,a\nrecording");
                       file.close();
                       EXPECT_FALSE(w.window.openRecording(w.path));
                   },
                   "is not a recording"},
        NoticeCase{"TheMeterWentAway",
                   [](LiveWindowTest& w) {
                       w.poll(luminance(10));
                       w.poll(std::nullopt, false);
                   },
                   "The meter went away at 00:43:09", false},
        NoticeCase{"AFixedRangeMistyped",
                   [](LiveWindowTest& w) {
                       w.prompts.answerInput(QStringLiteral("500 0"));
                       w.window.action(QStringLiteral("fixedRange"))->trigger();
                   },
                   "the lower first"}),
    [](const auto& p) { return std::string(p.param.name); });

// A run of readings of one kind: how each is made, in the unit the user picked.
struct KindShown {
    const char* name;
    std::function<Reading(int)> reading;  // the i-th of 240 polls, a minute
    int unitChoice;                       // 0 cd/m², 1 fL
    const char* readout;                  // of the last one
    const char* whole;                    // the statistics since start hold this
};

void PrintTo(const KindShown& c, std::ostream* os) { *os << c.name; }

class LiveWindowKinds : public LiveWindowTest, public testing::WithParamInterface<KindShown> {};

TEST_P(LiveWindowKinds, ReadoutAndStatisticsSayTheKindInTheUnitShown) {
    const KindShown& c = GetParam();
    window.unitChoice()->setCurrentIndex(c.unitChoice);
    for (int i = 0; i < 240; ++i) poll(c.reading(i));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("currentReading"))->text(),
              QString::fromUtf8(c.readout));
    EXPECT_TRUE(window.wholeStatistics()->text().contains(QString::fromUtf8(c.whole)))
        << window.wholeStatistics()->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LiveWindowKinds,
    testing::Values(
        // 1 fL more each minute, sent in cd/m²: the drift is per minute in fL.
        KindShown{"LuminanceDriftInFootLambert",
                  [](int i) { return luminance(kCdPerM2PerFootLambert * (10 + i / 240.0)); }, 1,
                  "11.00 fL", "Since start, luminance (fL): n 240 · min 10.00 · max 11.00"},
        KindShown{"LuminanceDriftPerMinute",
                  [](int i) { return luminance(kCdPerM2PerFootLambert * (10 + i / 240.0)); }, 1,
                  "11.00 fL", "drift 1.000 fL/min"},
        KindShown{"NegativeDeltaInFootLambert",
                  [](int) { return luminance(-kCdPerM2PerFootLambert, ReadingUnit::CdPerM2, "DELTA"); },
                  1, "Δ -1.000 fL", "Since start, Δ (fL): n 240 · min -1.000 · max -1.000"},
        KindShown{"PercentOfA",
                  [](int) { return luminance(146.8, ReadingUnit::Percent, "%A"); }, 0,
                  "%A 146.8 %", "Since start, %A (%): n 240 · min 146.8"},
        KindShown{"RatioAOverB", [](int) { return luminance(1.25, ReadingUnit::None, "A/B"); }, 0,
                  "A/B 1.250", "Since start, A/B: n 240 · min 1.250"},
        KindShown{"AccumulatedInFootLambertHours",
                  [](int) { return luminance(2 * kCdPerM2PerFootLambert, ReadingUnit::CdPerM2Hours, "ACC"); },
                  1, "2.000 fL·h", "Since start, accumulated (fL·h): n 240 · min 2.000"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LiveWindowTest, FollowNewestSlidesThePanStopsAndTheStripIsOfTheVisibleSpan) {
    for (int i = 0; i < 400; ++i) poll(luminance(100 + i % 17));
    PlotView& view = *window.plot();
    view.resize(800, 400);
    const QPointF middle = view.plotRect().center();
    QWheelEvent wheel(middle, view.mapToGlobal(middle), {}, {0, 240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &wheel);
    // After the zoom the strip counts the readings in view, not all of them.
    const ViewRange zoomed = view.viewport().visible();
    std::size_t inView = 0;
    const Series& s = feed.series();
    for (std::size_t i = 0; i < s.size(); ++i) inView += s.time(i) >= zoomed.t0 && s.time(i) <= zoomed.t1;
    ASSERT_LT(inView, s.size());
    EXPECT_TRUE(view.statisticsStrip()->text().startsWith(
        QStringLiteral("Visible luminance (cd/m²): n %1 ·").arg(inView)))
        << view.statisticsStrip()->text().toStdString();

    window.action(QStringLiteral("follow"))->trigger();
    ASSERT_TRUE(view.viewport().following());
    const double width = view.viewport().visible().t1 - view.viewport().visible().t0;
    for (int i = 0; i < 40; ++i) poll(luminance(100));
    EXPECT_DOUBLE_EQ(view.viewport().visible().t1, s.time(s.size() - 1));
    EXPECT_NEAR(view.viewport().visible().t1 - view.viewport().visible().t0, width, 1e-9);

    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &left);
    EXPECT_FALSE(window.action(QStringLiteral("follow"))->isChecked());
    const ViewRange panned = view.viewport().visible();
    for (int i = 0; i < 40; ++i) poll(luminance(100));
    EXPECT_EQ(view.viewport().visible().t0, panned.t0);
    EXPECT_EQ(view.viewport().visible().t1, panned.t1);
}

// A steady luminance settles, then is stable for as long as it stays so; the mark lands on the
// trend where the stable readings began; a step settles again from the step, a gap waits.
TEST_F(LiveWindowTest, StabilitySettlesThenMarksTheTrendWhereTheStableReadingsBegan) {
    const StabilityIndicator& stability = *window.stability();
    const auto line = [&] { return stability.line()->text().toStdString(); };
    poll(luminance(100));  // t = 0.25 s
    EXPECT_EQ(line(), "settling for 0 s");
    for (const double v : {100.2, 100.1, 100.3}) poll(luminance(v));
    EXPECT_EQ(line(), "settling for 0 s");
    EXPECT_FALSE(stability.markButton()->isEnabled());
    poll(luminance(100.2));  // a whole second of readings within 0.5 %
    EXPECT_EQ(line(), "stable for 1 s (settled in 0 s)");
    for (int i = 0; i < 4; ++i) poll(luminance(100.1));
    EXPECT_EQ(line(), "stable for 2 s (settled in 0 s)");
    ASSERT_TRUE(stability.markButton()->isEnabled());
    stability.markButton()->click();
    ASSERT_FALSE(feed.trend().changes().empty());
    EXPECT_DOUBLE_EQ(feed.trend().changes().back().t, 0.25);
    EXPECT_EQ(markLabel(feed.trend().changes().back()), "stable from here");

    poll(luminance(150));  // the aim moved
    EXPECT_EQ(line(), "settling for 0 s");
    EXPECT_FALSE(stability.markButton()->isEnabled());
    for (int i = 0; i < 4; ++i) poll(luminance(150));
    EXPECT_EQ(line(), "stable for 1 s (settled in 0 s)");
    poll(std::nullopt, false);
    EXPECT_EQ(line(), "no reading");
    EXPECT_FALSE(stability.markButton()->isEnabled());
}

}  // namespace
}  // namespace photara
