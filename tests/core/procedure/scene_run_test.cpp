// Every built-in procedure run hands-free on its example scenes through the virtual meter:
// the meter's display is polled, decoded and fed to the runner as the program does, and the
// verdict must be the one the scene names.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/live/display_decoding.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/procedure/capture_runner.h"
#include "core/procedure/report.h"
#include "core/procedure/verdict.h"
#include "recipe_fixture.h"
#include "sim/key_codes.h"
#include "sim/scene_driver.h"
#include "sim/scene_file.h"
#include "sim/virtual_meter.h"
#include "support/fake_clock.h"

namespace photara {
namespace {

struct SceneRun {
    sim::Scene scene;
    Recipe recipe;
    Measurements measurements;
    ProcedureResult result;
    bool done = false;
};

SceneRun runOnScene(const std::string& file, CaptureMode mode) {
    SceneRun run;
    std::string text, error;
    const std::string path = std::string(PHOTARA_SOURCE_DIR "/scenes/") + file;
    EXPECT_TRUE(readTextFile(path, text, error)) << error;
    auto read = sim::readScene(text, path);
    if (auto* e = std::get_if<std::string>(&read)) {
        ADD_FAILURE() << *e;
        return run;
    }
    run.scene = std::get<sim::Scene>(read);
    run.recipe = test::builtInRecipe(run.scene.procedure, run.scene.gridSize);
    std::map<std::string, std::vector<std::string>> groups;
    for (const auto& p : run.recipe.points) groups[p.id] = p.groups;
    sim::SceneLight light(run.scene, groups);

    test::FakeClock clock;
    sim::VirtualMeter meter(clock);
    meter.setLight([&light](double s) { return light.luminance(s); });
    auto send = [&meter](std::uint8_t code) {
        const std::array<std::uint8_t, 3> out{0, 1, code};
        meter.receive(out);
    };
    CaptureRunner::Settings settings;
    settings.mode = mode;
    settings.stability = *stabilityPreset(run.recipe.stability);
    CaptureRunner runner(stepsOf(run.recipe, run.scene.options), run.recipe, settings, clock);
    sim::SceneDriver driver(light, runner, mode, [&] { send(static_cast<std::uint8_t>(sim::Key::Hold)); },
                            [&] { send(static_cast<std::uint8_t>(sim::Key::Enter)); });
    DisplayState state;
    DisplayModel model;
    constexpr int kPolls = 4 * 3600;  // an hour at four polls a second
    for (int i = 0; i < kPolls && !runner.done(); ++i) {
        const double t = i * 0.25;
        driver.beforePoll(t);
        send(98);  // read the display
        const auto report = meter.takeInputReport();
        if (!report) continue;
        decodeDisplayReport(*report, state, model);
        runner.onReading(t, readingInput(readingOf(state, model)));
        clock.advanceMilliseconds(250);
    }
    run.done = runner.done();
    run.measurements = runner.measurements();
    RunSettings rs{run.scene.options, run.scene.gridSize};
    run.result = judge(run.recipe, run.measurements, rs);
    return run;
}

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
