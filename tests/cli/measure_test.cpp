// photara-cli procedures, measure and results as a user runs them: every example scene run
// hands-free on the virtual meter through the program as a process, its verdict, its report
// read back and its HTML page checked; malformed command lines refused with a reason.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/procedure/recipe_library.h"
#include "core/procedure/report.h"
#include "sim/scene_file.h"

namespace photara {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::slurp;

const std::string kSource = PHOTARA_SOURCE_DIR;

class MeasureTest : public ::testing::Test {
  protected:
    MeasureTest() {
        char pattern[] = "/tmp/photara-measure-test.XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    ~MeasureTest() override { fs::remove_all(dir); }

    // The recipes of the source tree as the installed ones; the user's folder in dir.
    CliRun run(std::vector<std::string> args, const std::string& faults = {}) {
        return test::runProgram(PHOTARA_CLI, std::move(args), environment(faults), dir);
    }
    std::vector<std::string> environment(const std::string& faults = {}) const {
        std::vector<std::string> env = {"PHOTARA_TEST_LOCK_FOLDER=" + dir.string(), "PATH=/usr/bin:/bin",
                                        "PHOTARA_DATA_DIR=" + kSource,
                                        "XDG_DATA_HOME=" + (dir / "data").string(), "HOME=" + dir.string()};
        if (!faults.empty()) env.push_back("PHOTARA_CLI_FAULTS=" + faults);
        return env;
    }
    std::vector<fs::path> kept(const std::string& extension) const {
        std::vector<fs::path> files;
        const fs::path results = dir / "data" / "photara" / "results";
        if (!fs::exists(results)) return files;
        for (const auto& e : fs::recursive_directory_iterator(results))
            if (e.path().extension() == extension) files.push_back(e.path());
        return files;
    }

    fs::path dir;
};

sim::Scene sceneOf(const std::string& file) {
    std::string text, error;
    EXPECT_TRUE(readTextFile(kSource + "/scenes/" + file, text, error)) << error;
    auto read = sim::readScene(text, file);
    EXPECT_TRUE(std::holds_alternative<sim::Scene>(read));
    return std::holds_alternative<sim::Scene>(read) ? std::get<sim::Scene>(read) : sim::Scene{};
}

struct SceneCase {
    std::string file;
    std::string capture;
};

class SceneRun : public MeasureTest, public ::testing::WithParamInterface<SceneCase> {};

// The verdict the scene names, by exit code, table and report; every step of the procedure
// in the report with the readings it was taken from; the kept HTML page without scripts.
TEST_P(SceneRun, GivesTheVerdictTheSceneNamesInItsReport) {
    const SceneCase& c = GetParam();
    const sim::Scene scene = sceneOf(c.file);
    const fs::path report = dir / "report.json";
    const CliRun r = run({"--virtual-meter", "measure", scene.procedure, "--scene",
                          kSource + "/scenes/" + c.file, "--fast", "--capture", c.capture,
                          "--site", "Test Site", "--asset", "Screen 1", "-o", report.string()});
    const bool passes = scene.expect == "pass" || scene.expect == "pass with note";
    EXPECT_EQ(r.code, passes ? 0 : 1) << r.err;
    EXPECT_NE(r.out.find(scene.expect), std::string::npos) << r.out;

    auto read = readReport(slurp(report));
    ASSERT_TRUE(std::holds_alternative<ProcedureReport>(read)) << std::get<std::string>(read);
    const ProcedureReport& back = std::get<ProcedureReport>(read);
    EXPECT_EQ(verdictText(back.result.overall), scene.expect);
    EXPECT_EQ(back.recipe.id, scene.procedure);
    EXPECT_EQ(back.info.site, "Test Site");
    EXPECT_EQ(back.info.captureMode, c.capture);
    for (const Step& step : stepsOf(back.recipe, scene.options)) {
        const Capture* capture = back.measurements.find(step.point, step.patch);
        ASSERT_NE(capture, nullptr) << step.point << " at " << step.patch;
        EXPECT_FALSE(capture->readings.empty()) << step.point;
        // Taken as the capture mode says (a timed point ends by itself or by the driver's Enter).
        if (back.recipe.point(step.point)->capture == PointCapture::Spot && c.capture != "enter") {
            EXPECT_EQ(captureTriggerText(capture->trigger), c.capture) << step.point;
        }
    }
    const std::vector<fs::path> pages = kept(".html");
    ASSERT_EQ(pages.size(), 1u);
    const std::string html = slurp(pages.front());
    EXPECT_NE(html.find("<svg"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    ASSERT_EQ(kept(".json").size(), 1u);
    EXPECT_EQ(kept(".json").front().parent_path().filename(), "screen-1");
}

std::vector<SceneCase> everyScene() {
    std::vector<SceneCase> cases;
    for (const auto& e : fs::directory_iterator(kSource + "/scenes"))
        if (e.path().extension() == ".json") cases.push_back({e.path().filename().string(), "auto"});
    std::sort(cases.begin(), cases.end(), [](const SceneCase& a, const SceneCase& b) { return a.file < b.file; });
    // HOLD pressed on the virtual meter, and Enter, through the program.
    cases.push_back({"cinema-review-room-pass.json", "hold"});
    cases.push_back({"exit-sign-fail.json", "hold"});
    cases.push_back({"contrast-sequential-fail.json", "enter"});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneRun, ::testing::ValuesIn(everyScene()),
                         [](const ::testing::TestParamInfo<SceneCase>& i) {
                             std::string n = i.param.file.substr(0, i.param.file.size() - 5) + "_" + i.param.capture;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
    const char* err;
};

class Refusal : public MeasureTest, public ::testing::WithParamInterface<RefusalCase> {};

// A mistake is a usage error that says what is wrong, before the meter is touched and
// without a report.
TEST_P(Refusal, IsAUsageErrorThatNamesTheMistake) {
    std::vector<std::string> args = GetParam().args;
    for (std::string& a : args)
        if (a.starts_with("SCENES/")) a = kSource + "/scenes/" + a.substr(7);
    const CliRun r = run(args);
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
    EXPECT_TRUE(kept(".json").empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, Refusal,
    ::testing::Values(
        RefusalCase{"UnknownProcedure", {"measure", "--virtual-meter", "cinema-lobby"}, "cinema-lobby"},
        RefusalCase{"SceneWithoutVirtualMeter",
                    {"measure", "film-screen", "--scene", "SCENES/film-screen-pass.json"},
                    "--scene aims the virtual meter: add --virtual-meter"},
        RefusalCase{"SceneForAnotherProcedure",
                    {"measure", "--virtual-meter", "film-screen", "--scene", "SCENES/warm-up-pass.json"},
                    "is for the procedure 'warm-up', not 'film-screen'"},
        RefusalCase{"SceneMissing",
                    {"measure", "--virtual-meter", "warm-up", "--scene", "SCENES/nothing.json"},
                    "cannot read"},
        RefusalCase{"FastWithoutScene", {"measure", "--virtual-meter", "warm-up", "--fast"}, "add --scene"},
        RefusalCase{"ReportNeitherJsonNorHtml", {"measure", "--virtual-meter", "warm-up", "-o", "r.txt"},
                    "REPORT.json or REPORT.html"},
        RefusalCase{"UnknownStability", {"measure", "--virtual-meter", "warm-up", "--stability", "slow"},
                    "'slow' is none of"},
        RefusalCase{"GridSizeNotOffered", {"measure", "--virtual-meter", "display-uniformity", "--grid", "4"},
                    "display-uniformity takes 3, 5, 7, 9"},
        RefusalCase{"UnknownOption", {"measure", "--virtual-meter", "exit-sign", "--option", "fog"},
                    "has no option 'fog'"},
        RefusalCase{"SceneOfAnotherFormat",
                    {"measure", "--virtual-meter", "film-screen", "--scene", "SCENES/../procedures/film-screen.json"},
                    "film-screen.json: line 2: format"},
        // Standard input is /dev/null: nobody can press Enter.
        RefusalCase{"EnterWithoutInput", {"measure", "--virtual-meter", "film-screen"},
                    "point 1 needs Enter and standard input is closed"},
        RefusalCase{"UnknownCapture", {"measure", "--virtual-meter", "warm-up", "--capture", "voice"}, "voice"}),
    [](const ::testing::TestParamInfo<RefusalCase>& p) { return p.param.name; });

// The built-in procedures with a refused recipe of the user's listed beside them; a run kept
// in the results folder is listed and reopened.
TEST_F(MeasureTest, ListsProceduresAndKeptResults) {
    fs::create_directories(dir / "data" / "photara" / "procedures");
    std::ofstream(dir / "data" / "photara" / "procedures" / "lobby.json") << "{\n\"format\": 3\n}";
    CliRun r = run({"procedures", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* id : {"cinema-review-room", "cinema-theatre", "film-screen", "display-uniformity",
                           "contrast-sequential", "contrast-ansi", "exit-sign", "warm-up"})
        EXPECT_NE(r.out.find(std::string("\"id\":\"") + id + "\""), std::string::npos) << id;
    EXPECT_NE(r.out.find("lobby.json: line 2"), std::string::npos) << r.out;

    r = run({"--virtual-meter", "measure", "contrast-sequential", "--fast", "--capture", "auto", "--site",
             "Lab", "--scene", kSource + "/scenes/contrast-sequential-pass.json"});
    ASSERT_EQ(r.code, 0) << r.err;
    r = run({"results", "--json", "--site", "Lab"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"procedure\":\"contrast-sequential\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"verdict\":\"pass\""), std::string::npos) << r.out;
    EXPECT_EQ(run({"results", "--json", "--site", "Elsewhere"}).out, "[]\n");
    r = run({"results", kept(".json").front().string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("pass"), std::string::npos) << r.out;
}

// The meter pulled out and plugged in again while a point settles: the run waits for it and
// takes every point from readings after its return, none from the polls without an answer.
TEST_F(MeasureTest, WaitsForTheMeterThatWentAway) {
    const CliRun r = run({"--virtual-meter", "measure", "film-screen", "--fast", "--capture", "auto", "-o",
                          (dir / "r.json").string(), "--scene", kSource + "/scenes/film-screen-fail.json"},
                         "unplug@3,replug@40");
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("the meter does not answer: waiting for it\n  the meter is back"), std::string::npos)
        << r.err;
    auto read = readReport(slurp(dir / "r.json"));
    ASSERT_TRUE(std::holds_alternative<ProcedureReport>(read));
    EXPECT_EQ(std::get<ProcedureReport>(read).measurements.captures.size(), 9u);
    EXPECT_EQ(verdictText(std::get<ProcedureReport>(read).result.overall), "fail");
}

// Ctrl-C while a point waits ends the run at once, with no report.
TEST_F(MeasureTest, InterruptEndsTheRunWithoutAReport) {
    const pid_t pid = test::startProgram(PHOTARA_CLI, {"measure", "--virtual-meter", "film-screen", "--capture", "hold"},
                                         environment(), dir);
    ASSERT_GT(pid, 0);
    for (int i = 0; i < 2000 && slurp(dir / "stderr").find("Point 1 of ") == std::string::npos; ++i)
        ::usleep(5'000);
    ::kill(pid, SIGINT);
    const CliRun r = test::finishProgram(pid, dir, std::chrono::seconds(20));
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_NE(r.err.find("interrupted at point 1 of "), std::string::npos) << r.err;
    EXPECT_TRUE(kept(".json").empty());
}

}  // namespace
}  // namespace photara
