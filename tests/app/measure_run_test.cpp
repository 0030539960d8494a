// The guide through whole procedures on the virtual meter with a scene in front of it, as the
// Measure command wires it, in the scene's time (a fake clock): the scene moves the meter from
// point to point and takes each point as its capture mode says. What must hold: the run ends
// with the verdict the scene was made for; the diagram colours each point as the engine
// judges it; the report kept in the results folder reads back with the same verdict and
// values; a pattern window follows the steps; keys alone take, choose and redo points.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "app/measure_command.h"
#include "ui/base/workspace.h"
#include "core/procedure/report_page.h"
#include "core/procedure/results_folder.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"
#include "core/procedure/recipe_fixture.h"
#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/measure/diagram_widget.h"
#include "ui/measure/guide_window.h"
#include "ui/measure/pattern_window.h"

namespace photara::test {
namespace {

// The program's meter and windows around a Measure command, on the scene's clock.
struct MeasureRig {
    FakeClock clock;
    sim::VirtualMeter virtualMeter{clock};
    sim::VirtualMeterBackend backend{virtualMeter};
    GuiMeterSession meter{backend};
    Workspace workspace;
    ScriptedPrompts prompts;
    QMainWindow panel;
    AppContext context{meter, workspace, prompts, clock, &panel, nullptr};
    QTemporaryDir results;
    MeasureCommand measure{context, &virtualMeter, QStringLiteral("virtual meter"), results.path(), [this] {
                               const LocalDateTime t = clock.now();
                               return static_cast<double>(calendarSeconds(t)) + t.millisecond / 1000.0;
                           }};

    // Polls four times a second of the scene's time until the guide has its report.
    bool runToTheEnd(int maxPolls = 20000) {
        for (int i = 0; i < maxPolls && measure.guide() && !measure.guide()->report(); ++i) {
            clock.advanceMilliseconds(250);
            (void)meter.poll();  // a lost answer is the next poll's to retry
        }
        return measure.guide() && measure.guide()->report();
    }
};

MeasureChoice choiceFor(const std::string& procedure, CaptureMode mode, const std::string& scene = {}) {
    MeasureChoice c;
    c.recipe.recipe = shippedRecipe(procedure);
    c.mode = mode;
    c.info.site = "Lab 2";
    c.info.asset = "Screen 1";
    if (!scene.empty()) c.scenePath = QStringLiteral(PHOTARA_SOURCE_DIR "/scenes/%1.json").arg(QString::fromStdString(scene));
    return c;
}

struct SceneCase {
    const char* scene;
    const char* procedure;
    CaptureMode mode;
    Verdict expected;
};

class GuideScene : public ::testing::TestWithParam<SceneCase> {};

TEST_P(GuideScene, EndsWithTheScenesVerdictColouredAndKeptAsTheEngineJudges) {
    const SceneCase& c = GetParam();
    MeasureRig rig;
    rig.measure.start(choiceFor(c.procedure, c.mode, c.scene));
    ASSERT_NE(rig.measure.guide(), nullptr) << (rig.prompts.messages().empty() ? "" : rig.prompts.messages()[0].text.toStdString());
    ASSERT_TRUE(rig.runToTheEnd());
    GuideWindow& guide = *rig.measure.guide();
    const ProcedureReport& report = *guide.report();
    EXPECT_EQ(report.result.overall, c.expected);
    EXPECT_EQ(report.measurements.captures.size(), guide.runner().steps().size());

    // The diagram's colours are the engine's verdicts over the same captures.
    const auto* diagram = guide.findChild<DiagramWidget*>(QStringLiteral("guideDiagram"));
    ASSERT_NE(diagram, nullptr);
    EXPECT_EQ(diagram->marks().verdicts, pointVerdicts(judge(report.recipe, report.measurements, report.settings)));

    // The kept report says the same.
    ProcedureReport kept;
    std::string error;
    ASSERT_TRUE(reopenReport(guide.keptReportPath().toStdString(), kept, error)) << error;
    EXPECT_EQ(kept.result.overall, c.expected);
    EXPECT_EQ(kept.info.site, "Lab 2");
    ASSERT_EQ(kept.measurements.captures.size(), report.measurements.captures.size());
    for (std::size_t i = 0; i < kept.measurements.captures.size(); ++i)
        EXPECT_DOUBLE_EQ(kept.measurements.captures[i].value, report.measurements.captures[i].value);
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, GuideScene,
    ::testing::Values(SceneCase{"cinema-theatre-pass", "cinema-theatre", CaptureMode::Hold, Verdict::Pass},
                      SceneCase{"display-uniformity-fail", "display-uniformity", CaptureMode::Auto, Verdict::Fail},
                      SceneCase{"exit-sign-pass", "exit-sign", CaptureMode::Enter, Verdict::Pass},
                      SceneCase{"contrast-sequential-fail", "contrast-sequential", CaptureMode::Enter, Verdict::Fail}));

TEST(GuidePattern, FollowsTheStepsAndClosesAtTheEnd) {
    MeasureRig rig;
    MeasureChoice choice = choiceFor("contrast-sequential", CaptureMode::Enter, "contrast-sequential-pass");
    choice.patternScreen = 0;
    rig.measure.start(choice);
    ASSERT_NE(rig.measure.pattern(), nullptr);
    QPointer<PatternWindow> pattern = rig.measure.pattern();
    std::vector<int> shown;
    QObject::connect(rig.measure.guide(), &GuideWindow::stepChanged, [&](int step) { shown.push_back(step); });
    ASSERT_TRUE(rig.runToTheEnd());
    EXPECT_EQ(shown, (std::vector<int>{1, -1}));  // white was shown at the start, then black
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pattern.isNull() || !pattern->isVisible());
}

// Keys alone: Space and Enter take, Down chooses a step, R measures it again, Esc asks before
// throwing points away. The virtual meter's own light stands in front of the sensor.
TEST(GuideKeys, TakeChooseAndMeasureAgainFromTheKeyboard) {
    MeasureRig rig;
    rig.measure.start(choiceFor("cinema-review-room", CaptureMode::Enter));
    GuideWindow* guide = rig.measure.guide();
    ASSERT_NE(guide, nullptr);
    guide->show();
    QApplication::setActiveWindow(guide);
    ASSERT_TRUE(rig.meter.poll().ok());
    QTest::keyClick(guide, Qt::Key_Space);
    ASSERT_TRUE(rig.meter.poll().ok());
    QTest::keyClick(guide, Qt::Key_Return);
    EXPECT_EQ(guide->runner().current(), 2u);
    EXPECT_EQ(guide->runner().measurements().captures.size(), 2u);
    // Up to the first point, R: it is measured again, and Enter takes it anew.
    QTest::keyClick(guide, Qt::Key_Up);
    QTest::keyClick(guide, Qt::Key_Up);
    QTest::keyClick(guide, Qt::Key_R);
    EXPECT_EQ(guide->runner().current(), 0u);
    QTest::keyClick(guide, Qt::Key_Return);
    EXPECT_EQ(guide->runner().current(), 2u);  // back to the first point not yet taken
    // Esc asks, Cancel keeps the run.
    rig.prompts.answerConfirm(false);
    QTest::keyClick(guide, Qt::Key_Escape);
    ASSERT_EQ(rig.prompts.confirmQuestions().size(), 1u);
    EXPECT_TRUE(guide->isVisible());
}

}  // namespace
}  // namespace photara::test
