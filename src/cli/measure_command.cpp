// measure: a procedure taken point by point. The prompt and the reading go to standard error
// while the runner waits for the point (Enter on standard input, HOLD on the meter, or a
// stable reading); at the end the verdict table goes to standard output, the report is kept
// in the results folder (and copied to -o). With --scene the virtual meter is aimed at a
// scene and moved from point to point by the scene's driver, so the run needs no hands.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_meter.h"
#include "cli/commands.h"
#include "cli/data_dirs.h"
#include "cli/exit_code.h"
#include "cli/interrupt.h"
#include "cli/stepped_clock.h"
#include "core/common/version.h"
#include "core/link/meter_identity.h"
#include "core/procedure/capture_runner.h"
#include "core/procedure/procedure_run.h"
#include "core/procedure/recipe_library.h"
#include "core/procedure/results_folder.h"
#include "core/procedure/run_text.h"
#include "core/reading/reading.h"
#include "sim/key_codes.h"
#include "sim/scene_driver.h"
#include "sim/scene_file.h"
#include "sim/scene_light.h"
#include "sim/virtual_meter.h"

namespace photara::cli {
namespace {

using Steady = std::chrono::steady_clock;

constexpr double kPollSeconds = 0.25;
// A scene run with --fast that has not finished after this much of its time never will (a
// light too noisy ever to be stable): it ends rather than spinning on.
constexpr double kFastGiveUpSeconds = 6 * 3600;

struct Setup : RunPlan {
    std::optional<sim::Scene> scene;
};

std::optional<sim::Scene> readSceneOption(const std::string& path) {
    auto read = sim::readSceneFile(path);
    if (const auto* e = std::get_if<std::string>(&read)) throw CliError(kUsage, "measure: --scene: " + *e);
    return std::get<sim::Scene>(std::move(read));
}

// Everything the command line and the files say, checked before the meter is touched: a
// mistake is a usage error that names it.
Setup setUp(const Common& common, const MeasureRequest& request) {
    if (!request.scene.empty() && !common.virtualMeter)
        throw CliError(kUsage, "measure: --scene aims the virtual meter: add --virtual-meter");
    const std::string& out = request.output;
    const auto endsWith = [&out](const char* ext) { return out.ends_with(ext); };
    if (!out.empty() && !endsWith(".json") && !endsWith(".html") && !endsWith(".htm"))
        throw CliError(kUsage, "measure: -o: a report is REPORT.json or REPORT.html (got " + out + ")");
    if (request.fast && request.scene.empty())
        throw CliError(kUsage, "measure: --fast runs a scene's time: add --scene");
    const RecipeListing listing = listRecipes(builtInDir() + "/procedures", userDir() + "/procedures");
    std::string error;
    const std::optional<ListedRecipe> found = findRecipe(listing, request.procedure, error);
    if (!found) throw CliError(kUsage, "measure: " + error + " (see photara-cli procedures)");

    Setup s;
    s.settings = {request.options, request.gridSize};
    if (!request.scene.empty()) {
        s.scene = readSceneOption(request.scene);
        if (s.scene->procedure != found->recipe.id) {
            throw CliError(kUsage, "measure: the scene " + request.scene + " is for the procedure '" +
                                       s.scene->procedure + "', not '" + found->recipe.id + "'");
        }
        s.settings = {s.scene->options, s.scene->gridSize};  // the scene's run, as it was set up
    }
    auto plan = planRun(found->recipe, s.settings, request.capture, request.stability);
    if (const auto* refused = std::get_if<RunPlanError>(&plan)) {
        static constexpr const char* kOption[] = {"", "--grid: ", "--stability: "};
        const char* option = kOption[static_cast<int>(refused->what)];
        throw CliError(kUsage, "measure: " + std::string(option) + refused->message);
    }
    static_cast<RunPlan&>(s) = std::get<RunPlan>(std::move(plan));
    return s;
}

// The prompt on its own line when it changes, the reading under it: redrawn in place on a
// terminal (at most ten times a second), and on a log only when a point is taken.
class RunDisplay {
  public:
    RunDisplay() : terminal_(::isatty(STDERR_FILENO) == 1) {}
    ~RunDisplay() { clearLine(); }

    void show(const std::string& prompt, const std::string& reading) {
        if (prompt != prompt_) {
            clearLine();
            prompt_ = prompt;
            if (!prompt.empty()) std::fprintf(stderr, "%s\n", prompt.c_str());
        }
        const Steady::time_point now = Steady::now();
        if (!terminal_ || now - drawnAt_ < std::chrono::milliseconds(100)) return;
        drawnAt_ = now;
        std::fprintf(stderr, "\r\033[K  %s", reading.c_str());
        std::fflush(stderr);
        drawn_ = true;
    }
    void say(const std::string& line) {
        clearLine();
        std::fprintf(stderr, "%s\n", line.c_str());
    }

  private:
    void clearLine() {
        if (drawn_) std::fprintf(stderr, "\r\033[K");
        drawn_ = false;
    }
    bool terminal_;
    bool drawn_ = false;
    std::string prompt_;
    Steady::time_point drawnAt_{};
};

// "  taken: 48.2 cd/m² (auto)" for the capture of a step.
std::string takenLine(const Capture* c) {
    if (!c) return "  taken";
    const std::string value = c->state == CaptureState::Value
                                  ? formatNumber(c->value) + " cd/m²"
                                  : std::string(captureStateText(c->state));
    return "  taken: " + value + " (" + std::string(captureTriggerText(c->trigger)) + ")";
}

// Lines typed on standard input, each an Enter; none once it is closed (a script's
// /dev/null), so a run on the meter's HOLD or automatic capture goes on without it.
class EnterKey {
  public:
    bool open() const { return open_; }
    int fd() const { return open_ ? STDIN_FILENO : -1; }
    // Reads what arrived; how many line ends it held.
    int take() {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            open_ = false;
            return 0;
        }
        return static_cast<int>(std::count(buffer, buffer + n, '\n'));
    }

  private:
    bool open_ = true;
};

}  // namespace

int runMeasure(const Common& common, const MeasureRequest& request) {
    Setup setup = setUp(common, request);
    std::unique_ptr<sim::SceneLight> light;
    if (setup.scene) {
        std::map<std::string, std::vector<std::string>> groups;
        for (const Point& p : setup.recipe.points) groups[p.id] = p.groups;
        light = std::make_unique<sim::SceneLight>(*setup.scene, groups);
        if (const std::optional<std::string> missing = light->missingValue(setup.steps))
            throw CliError(kUsage, "measure: the scene " + request.scene + " has " + *missing);
    }

    SteppedClock sceneClock;
    CliMeter meter(common, request.fast ? &sceneClock : nullptr);
    meter.requireMeter(CliMeter::Guard::None, "measure");
    if (light) {
        sim::VirtualMeter* virtualMeter = meter.virtualMeter();
        meter.session()
            .between([&] { virtualMeter->setLight([&l = *light](double s) { return l.luminance(s); }); })
            .get();
    }

    const Clock& clock = meter.clock();
    const ZonedDateTime started = clock.zonedNow();
    CaptureRunner::Settings settings;
    settings.mode = setup.mode;
    settings.stability = setup.stability;
    CaptureRunner runner(setup.steps, setup.recipe, settings, clock);
    std::unique_ptr<sim::SceneDriver> driver;
    if (light) {
        const auto press = [&meter](sim::Key key) {
            return [&meter, key] { meter.session().pressKey(static_cast<std::uint8_t>(key)); };
        };
        driver = std::make_unique<sim::SceneDriver>(*light, runner, setup.mode, press(sim::Key::Hold),
                                                    press(sim::Key::Enter));
    }

    RunDisplay display;
    EnterKey enterKey;
    const Steady::time_point start = Steady::now();
    Steady::time_point next = start;
    const auto interval = std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(kPollSeconds));
    long polls = 0;
    bool first = true;  // the guard's poll is the first
    bool meterAnswers = true;
    std::size_t said = 0;  // the steps up to here were said taken
    const auto sayTaken = [&] {
        for (; said < runner.current() && said < setup.steps.size(); ++said)
            display.say(takenLine(runner.measurements().find(setup.steps[said].point, setup.steps[said].patch)));
    };
    while (!runner.done() && !interrupted()) {
        const double t = request.fast ? static_cast<double>(polls) * kPollSeconds
                                      : std::chrono::duration<double>(Steady::now() - start).count();
        if (request.fast && t > kFastGiveUpSeconds) {
            throw CliError(kNoAnswer, "measure: point " + std::to_string(runner.current() + 1) +
                                          " was never taken in six hours of the scene's time");
        }
        // Nobody can press Enter any more: a point that needs it would wait for ever.
        if (!driver && !enterKey.open() && (setup.mode == CaptureMode::Enter || runner.awaitingMark())) {
            throw CliError(kUsage, "measure: point " + std::to_string(runner.current() + 1) +
                                       " needs Enter and standard input is closed (use --capture "
                                       "hold or auto, or a terminal)");
        }
        // The scene moves the meter's aim between two exchanges, on the session's thread,
        // which reads it while it answers.
        if (driver) meter.session().between([&] { driver->beforePoll(t); }).get();
        const bool answered = (first && !driver) || meter.poll().ok();
        first = false;
        runner.onReading(t, readingInput(answered ? readingOf(meter.display(), meter.model())
                                                  : std::optional<Reading>()));
        sayTaken();
        // The meter's going and coming back is said on its own line, on a log too.
        if (answered != meterAnswers) {
            meterAnswers = answered;
            display.say(answered ? "  the meter is back" : "  the meter does not answer: waiting for it");
        }
        display.show(pointPrompt(runner, setup.recipe, setup.mode), readingLine(runner));
        ++polls;
        if (request.fast) {
            sceneClock.advanceMilliseconds(static_cast<std::int64_t>(kPollSeconds * 1000));
            continue;
        }
        next += interval;
        if (next < Steady::now()) next = Steady::now() + interval;
        // Enter on standard input takes the point; the wait goes on to the next poll.
        while (!runner.done() && waitForInput(next, enterKey.fd()) == WaitEnd::Input) {
            for (int n = enterKey.take(); n > 0 && !runner.done(); --n) {
                std::string why;
                if (!runner.enter(why)) display.say("  " + why);
                sayTaken();
            }
        }
    }
    if (interrupted()) {
        display.say("measure: interrupted at point " + std::to_string(runner.current() + 1) + " of " +
                    std::to_string(setup.steps.size()) + "; no report written");
        return kInterrupted;
    }

    ReportInfo info;
    info.site = request.site;
    info.asset = request.asset;
    info.operatorName = request.operatorName;
    info.meter = common.virtualMeter ? "virtual meter" : "USB meter " + meterIdText(meter.meterId());
    info.started = iso8601(started);
    info.finished = iso8601(clock.zonedNow());
    info.program = std::string("Photara ") + PHOTARA_VERSION_TEXT;
    const ProcedureReport report = makeReport(setup, runner.measurements(), info);

    std::printf("%s", verdictTable(report).c_str());
    std::string error;
    if (!request.output.empty() && !writeReportFile(request.output, report, error))
        throw CliError(kFileError, "measure: " + error);
    KeptReport kept;
    if (!keepReport(userDir() + "/results", report, kept, error)) throw CliError(kFileError, "measure: " + error);
    std::fprintf(stderr, "measure: report kept as %s and %s\n", kept.jsonPath.c_str(), kept.htmlPath.c_str());
    const Verdict overall = report.result.overall;
    return overall == Verdict::Pass || overall == Verdict::PassWithNote ? kSuccess : kFailed;
}

}  // namespace photara::cli
