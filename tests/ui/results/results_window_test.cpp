// The Results window over a scratch results folder: kept reports by site and asset, the
// latest opened, and a point's history across one asset's reports.
#include "ui/results/results_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "core/procedure/scene_run.h"
#include "support/scripted_prompts.h"
#include "ui/measure/procedure_diagram.h"
#include "ui/measure/report_view.h"
#include "ui/results/history_chart.h"

namespace photara {
namespace {

// The screen's report again with its centre measured at value, judged afresh.
ProcedureReport withCentre(ProcedureReport report, const std::string& site, const std::string& asset,
                           const std::string& finished, double value) {
    report.info.site = site;
    report.info.asset = asset;
    report.info.finished = finished;
    Capture centre = *report.measurements.find("centre", "white");
    centre.value = value;
    report.measurements.put(centre);
    report.result = judge(report.recipe, report.measurements, report.settings);
    return report;
}

class ResultsRig {
  public:
    ResultsRig() {
        base_ = test::sceneReport("cinema-theatre-pass.json", "", "", "");
        // Three reports of one screen, kept out of order, and one of another site.
        keep("Odeon Riverside", "Screen 4", "2026-03-01T10:00:00+00:00", 30.0);
        keep("Odeon Riverside", "Screen 4", "2026-01-01T10:00:00+00:00", 48.0);
        keep("Odeon Riverside", "Screen 4", "2026-05-01T10:00:00+00:00", 50.0);
        keep("Plaza", "Screen 1", "2026-06-01T10:00:00+00:00", 48.0);
    }
    std::string keep(const std::string& site, const std::string& asset, const std::string& finished, double centre) {
        KeptReport kept;
        std::string error;
        EXPECT_TRUE(keepReport(dir.path().toStdString(), withCentre(base_, site, asset, finished, centre), kept, error))
            << error;
        return kept.jsonPath;
    }

    QTemporaryDir dir;
    test::ScriptedPrompts prompts;

  private:
    ProcedureReport base_;
};

QTreeWidgetItem* child(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text) return parent->child(i);
    return nullptr;
}

int pixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

TEST(ResultsWindow, ListsBySiteAndAssetAndChartsTheCentre) {
    ResultsRig rig;
    ResultsWindow window(rig.prompts, nullptr, rig.dir.path());
    window.setRecipes(listRecipes(PHOTARA_SOURCE_DIR "/procedures", ""));
    QTreeWidget* tree = window.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* odeon = tree->findItems(QStringLiteral("Odeon Riverside"), Qt::MatchExactly).value(0);
    ASSERT_NE(odeon, nullptr);
    QTreeWidgetItem* screen = child(odeon, QStringLiteral("Screen 4"));
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->childCount(), 3);
    EXPECT_EQ(screen->child(0)->text(0), QStringLiteral("2026-01-01 10:00"));
    EXPECT_EQ(screen->child(1)->text(2), QStringLiteral("fail"));

    // It opens on the latest report kept; the history is that screen's, oldest first.
    EXPECT_EQ(window.reportView()->report().info.site, "Plaza");
    ASSERT_TRUE(window.showReport(screen->child(2)->data(0, Qt::UserRole).toString()));
    EXPECT_EQ(window.historyPoints()->currentData().toString(), QStringLiteral("centre"));
    const auto& entries = window.historyChart()->entries();
    ASSERT_EQ(entries.size(), 3u);
    const Verdict expected[]{Verdict::Pass, Verdict::Fail, Verdict::Pass};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(entries[i].verdict, expected[i]) << i;
    ASSERT_EQ(window.historyChart()->bands().size(), 1u);
    EXPECT_EQ(window.historyChart()->bands()[0].limits.min, 37.8);

    // Drawn: dots in the pass and the fail colour, none in the note's.
    window.historyChart()->resize(500, 300);
    const QImage chart = window.historyChart()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(pixelsOf(chart, verdictColour(Verdict::Pass)), 20);
    EXPECT_GT(pixelsOf(chart, verdictColour(Verdict::Fail)), 10);
    EXPECT_EQ(pixelsOf(chart, verdictColour(Verdict::PassWithNote)), 0);

    // Another point of the screen: a side has no value limit of its own.
    window.historyPoints()->setCurrentIndex(window.historyPoints()->findData(QStringLiteral("left")));
    EXPECT_EQ(window.historyChart()->entries().size(), 3u);
    EXPECT_TRUE(window.historyChart()->bands().empty());
}

TEST(ResultsWindow, OpensWithEnterAndRefreshesWithF5) {
    ResultsRig rig;
    ResultsWindow window(rig.prompts, nullptr, rig.dir.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTreeWidgetItem* screen = child(window.tree()->topLevelItem(0), QStringLiteral("Screen 4"));
    ASSERT_NE(screen, nullptr);
    window.tree()->setFocus();
    window.tree()->setCurrentItem(screen->child(0));
    QTest::keyClick(window.tree(), Qt::Key_Return);
    const QString oldest = screen->child(0)->data(0, Qt::UserRole).toString();
    EXPECT_EQ(window.shownReport(), oldest);
    EXPECT_EQ(window.reportView()->report().info.finished, "2026-01-01T10:00:00+00:00");

    rig.keep("Odeon Riverside", "Screen 4", "2026-07-01T10:00:00+00:00", 70.0);
    QTest::keyClick(&window, Qt::Key_F5);
    screen = child(window.tree()->topLevelItem(0), QStringLiteral("Screen 4"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->childCount(), 4);
    EXPECT_EQ(window.shownReport(), oldest);
    ASSERT_EQ(window.historyChart()->entries().size(), 4u);
    EXPECT_EQ(window.historyChart()->entries().back().verdict, Verdict::Fail);
    EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(ResultsWindow, AnEmptyFolderShowsNothingAndAsksNothing) {
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    ResultsWindow window(prompts, nullptr, dir.filePath(QStringLiteral("not-yet")));
    EXPECT_EQ(window.tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(window.historyChart()->entries().empty());
    EXPECT_TRUE(window.shownReport().isEmpty());
    EXPECT_TRUE(prompts.messages().empty());
}

}  // namespace
}  // namespace photara
