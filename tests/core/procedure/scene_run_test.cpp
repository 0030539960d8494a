// Every built-in procedure run hands-free on its example scenes through the virtual meter:
// the meter's display is polled, decoded and fed to the runner as the program does, and the
// verdict must be the one the scene names.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/procedure/report.h"
#include "core/procedure/verdict.h"
#include "scene_run.h"
#include "sim/scene_file.h"

namespace photara {
namespace {

using test::runOnScene;
using test::SceneRun;

struct SceneCase {
    std::string file;
    CaptureMode mode;
};

class HandsFree : public testing::TestWithParam<SceneCase> {};

TEST_P(HandsFree, GivesTheVerdictTheSceneNames) {
    const SceneRun run = runOnScene(GetParam().file, GetParam().mode);
    ASSERT_TRUE(run.done) << "the procedure did not finish";
    std::string failing;
    for (const auto& r : run.result.results) {
        if (r.verdict != Verdict::Pass) {
            failing += r.criterion + "@" + r.point + "=" + std::string(verdictText(r.verdict)) + " ";
        }
    }
    EXPECT_EQ(verdictText(run.result.overall), run.scene.expect) << failing;
    // The report of the run reads back with the same verdicts and values.
    ProcedureReport report{{}, run.recipe, {run.scene.options, run.scene.gridSize}, run.measurements, run.result};
    auto back = readReport(reportJson(report));
    ASSERT_TRUE(std::holds_alternative<ProcedureReport>(back));
    EXPECT_EQ(std::get<ProcedureReport>(back).result.overall, run.result.overall);
    EXPECT_EQ(std::get<ProcedureReport>(back).measurements.captures.size(), run.measurements.captures.size());
    EXPECT_NE(reportHtml(report).find(std::string("class=\"verdict ") +
                                      (run.result.overall == Verdict::Fail ? "fail" : "pass")),
              std::string::npos);

    // Each value is what the scene shows there, to the meter's four digits and the noise.
    sim::SceneLight light(run.scene, {});
    for (const auto& c : run.measurements.captures) {
        const Point* p = run.recipe.point(c.point);
        ASSERT_NE(p, nullptr);
        EXPECT_FALSE(c.readings.empty()) << c.point;
        if (p->capture != PointCapture::Spot) continue;
        std::map<std::string, std::vector<std::string>> groups{{p->id, p->groups}};
        const auto expected = sim::SceneLight(run.scene, groups).valueAt(c.point, c.patch);
        ASSERT_TRUE(expected);
        EXPECT_EQ(c.state, CaptureState::Value);
        EXPECT_NEAR(c.value, *expected, *expected * (run.scene.noisePercent / 100 + 2e-3)) << c.point << "/" << c.patch;
    }
}

std::vector<SceneCase> everyScene() {
    std::vector<SceneCase> cases;
    for (const auto& e : std::filesystem::directory_iterator(PHOTARA_SOURCE_DIR "/scenes")) {
        if (e.path().extension() == ".json") cases.push_back({e.path().filename().string(), CaptureMode::Auto});
    }
    std::sort(cases.begin(), cases.end(), [](const SceneCase& a, const SceneCase& b) { return a.file < b.file; });
    // The same screens taken by Enter, and by HOLD pressed on the meter itself.
    cases.push_back({"cinema-review-room-pass.json", CaptureMode::Hold});
    cases.push_back({"display-uniformity-fail.json", CaptureMode::Hold});
    cases.push_back({"contrast-sequential-pass.json", CaptureMode::Enter});
    cases.push_back({"exit-sign-fail.json", CaptureMode::Enter});
    return cases;
}

TEST(SceneFile, SaysWhatIsWrongAndWhatIsMissing) {
    const auto bad = sim::readScene("{\"format\": \"photara-scene\", \"format_version\": 1,\n\"procedure\": \"x\",\n"
                                    "\"expect\": \"maybe\", \"luminance\": {}}", "s.json");
    ASSERT_TRUE(std::holds_alternative<std::string>(bad));
    EXPECT_EQ(std::get<std::string>(bad), "s.json: line 3: expect: one of \"pass\", \"pass with note\", \"fail\", \"not judged\"");
    const auto ok = sim::readScene("{\"format\": \"photara-scene\", \"format_version\": 1, \"procedure\": \"x\", "
                                   "\"expect\": \"pass\", \"luminance\": {\"white\": {\"sides\": 40, \"centre\": -1}}}", "s.json");
    ASSERT_TRUE(std::holds_alternative<sim::Scene>(ok)) << std::get<std::string>(ok);
    sim::SceneLight light(std::get<sim::Scene>(ok), {{"left", {"sides"}}});
    EXPECT_EQ(light.valueAt("left", "white"), 40);
    EXPECT_EQ(light.missingValue({{"left", "white"}, {"top", "white"}}), "no luminance for top at white");
    // -1 is a light beyond the range: the meter shows OL.
    light.aim("centre", "white");
    EXPECT_GT(light.luminance(0), 1e7);
}

INSTANTIATE_TEST_SUITE_P(Scenes, HandsFree, testing::ValuesIn(everyScene()),
                         [](const testing::TestParamInfo<SceneCase>& i) {
                             std::string n = i.param.file.substr(0, i.param.file.size() - 5) + "_" +
                                             std::string(captureModeText(i.param.mode));
                             for (char& c : n) {
                                 if (c == '-') c = '_';
                             }
                             return n;
                         });

}  // namespace
}  // namespace photara
