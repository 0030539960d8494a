#pragma once

// A built-in procedure run hands-free on one of its example scenes through the virtual
// meter, with no real time: the meter's display is polled, decoded and fed to the runner
// as the program does.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "core/live/display_decoding.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/procedure/capture_runner.h"
#include "core/procedure/recipe_library.h"
#include "core/procedure/report.h"
#include "core/procedure/verdict.h"
#include "recipe_fixture.h"
#include "sim/key_codes.h"
#include "sim/scene_driver.h"
#include "sim/scene_file.h"
#include "sim/virtual_meter.h"
#include "support/fake_clock.h"

namespace photara::test {

struct SceneRun {
    sim::Scene scene;
    Recipe recipe;
    Measurements measurements;
    ProcedureResult result;
    bool done = false;
};

// gridSize, when not 0, replaces the scene's grid size.
inline SceneRun runOnScene(const std::string& file, CaptureMode mode, int gridSize = 0) {
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
    if (gridSize) run.scene.gridSize = gridSize;
    run.recipe = builtInRecipe(run.scene.procedure, run.scene.gridSize);
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

// The report of a scene's run, as the program keeps it: who, where and when filled in.
inline ProcedureReport sceneReport(const std::string& file, const std::string& site, const std::string& asset,
                                   const std::string& finished, int gridSize = 0,
                                   CaptureMode mode = CaptureMode::Auto) {
    const SceneRun run = runOnScene(file, mode, gridSize);
    EXPECT_TRUE(run.done) << file << ": the procedure did not finish";
    ProcedureReport report{{}, run.recipe, {run.scene.options, run.scene.gridSize}, run.measurements, run.result};
    report.info.site = site;
    report.info.asset = asset;
    report.info.operatorName = "A. Tester";
    report.info.meter = "virtual meter";
    report.info.started = finished;
    report.info.finished = finished;
    report.info.captureMode = std::string(captureModeText(mode));
    report.info.program = "Photara test";
    return report;
}

}  // namespace photara::test
