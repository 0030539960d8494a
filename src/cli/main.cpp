// photara-cli: the meter from a terminal and from scripts. Data on standard output,
// diagnostics on standard error, exit codes as kExitCodeHelp lists.
//
// Each command is one function below that adds its options and returns what runs it; a new
// command is one more such function and one more line in the list in run().
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/choice_option.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/number_options.h"
#include "core/common/version.h"
#include "core/link/meter_identity.h"

using namespace photara::cli;
using photara::MeterId;

namespace {

// Ten years: a --duration beyond it is a typing error, not a plan.
constexpr double kMaxLogSeconds = 10 * 365.25 * 86400;

// What went to standard output is only delivered once it is flushed: a full disk or a closed
// pipe is a file error like any other (exit 5), not a silent success.
int withOutputFlushed(int code) {
    errno = 0;
    std::cout.flush();  // --help and --version go through it
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout) && !std::cout.fail();
    if (written) return code;
    const int err = errno;
    std::fprintf(stderr, "photara-cli: cannot write standard output: %s\n",
                 err != 0 ? std::strerror(err) : "write error");
    return code == kSuccess ? kFileError : code;
}

// The program's command line: the options every command shares, filled in by the parse.
struct CommandLine {
    CLI::App app{"photara-cli: the luminance meter from a terminal and from scripts.",
                 "photara-cli"};
    Common common;
    std::string meterId;  // read by the GUI's rules once the command line is parsed
    std::vector<CLI::Option*> meterIdOptions;

    // --virtual-meter and --meter-id: before the command (`photara-cli --virtual-meter sets`)
    // as well as after it.
    void addMeterChoice(CLI::App* command) {
        command->add_flag("--virtual-meter", common.virtualMeter,
                          "use the virtual meter inside the program instead of a USB meter");
        meterIdOptions.push_back(
            command
                ->add_option("--meter-id", meterId,
                             "look for a USB meter with these ids, as lsusb shows them "
                             "(built-in: " + photara::meterIdText(MeterId{}) + ")")
                ->type_name("VVVV:PPPP"));
    }

    // A command with the meter choice, --json when it prints JSON, and the exit codes.
    CLI::App* addCommand(const std::string& name, const std::string& help, bool json) {
        CLI::App* command = app.add_subcommand(name, help);
        addMeterChoice(command);
        if (json) command->add_flag("--json", common.json, "print JSON");
        command->footer(kExitCodeHelp);
        return command;
    }

    // --meter-id checked and read, once the command line is parsed.
    void readMeterId() {
        if (std::none_of(meterIdOptions.begin(), meterIdOptions.end(),
                         [](const CLI::Option* o) { return o->count() > 0; }))
            return;
        if (common.virtualMeter) {
            throw CliError(kUsage, "--meter-id names a USB meter and --virtual-meter the one "
                                   "inside the program: give one of them");
        }
        const std::optional<MeterId> id = photara::parseMeterId(meterId);
        if (!id) throw CliError(kUsage, photara::meterIdRefusal(meterId));
        common.meterId = *id;
    }
};

// A command as the parse chose it: its part of the command line and what runs it.
struct Command {
    CLI::App* parsed;
    std::function<int()> run;
};

// SET or --all, one of them: download and erase take a set so.
class SetOrAll {
  public:
    SetOrAll(CLI::App* command, bool& all, const std::string& allHelp) {
        // Any whole number here; the meter's directory says which exist.
        const CLI::Validator setNumber(
            [](std::string& text) -> std::string {
                if (parseWholeIn(text, LONG_MIN, LONG_MAX)) return {};
                return "must be a set's number, as 'sets' lists them (got " + text + ")";
            },
            "");
        option_ = command->add_option("SET", *set_, "the set's number (see 'sets')")
                      ->check(setNumber);
        option_->excludes(command->add_flag("--all", all, allHelp));
    }

    // The set given, nullopt with --all; a usage error when neither was given.
    std::optional<long> chosen(const std::string& command, bool all) const {
        if (option_->count() > 0) return *set_;
        if (!all) throw CliError(kUsage, command + ": name a SET or --all");
        return std::nullopt;
    }

  private:
    std::shared_ptr<long> set_ = std::make_shared<long>(0);
    CLI::Option* option_ = nullptr;
};

Command infoCommand(CommandLine& c) {
    return {c.addCommand("info", "whether a meter is found, its USB path and identifiers, and "
                                 "its memory", true),
            [&c] { return runInfo(c.common); }};
}

Command readCommand(CommandLine& c) {
    return {c.addCommand("read", "one display poll: the LCD and what is lit", true),
            [&c] { return runRead(c.common); }};
}

Command setsCommand(CommandLine& c) {
    return {c.addCommand("sets", "the meter's logger sets: number, identifier, start", true),
            [&c] { return runSets(c.common); }};
}

Command downloadCommand(CommandLine& c) {
    CLI::App* command = c.addCommand("download", "a logger set (or every set) into a file", true);
    auto request = std::make_shared<DownloadRequest>();
    const SetOrAll set(command, request->all, "every set, one file each, named by its start time");
    command->add_option("-o,--output", request->output,
                        "the file (one set) or folder (default: the current folder)");
    std::vector<std::pair<std::string, DownloadFormat>> formats;
    for (const DownloadFormat f : {DownloadFormat::Pxd, DownloadFormat::Csv})
        formats.emplace_back(downloadFormatWord(f), f);
    addChoice(command, "--format", request->format, formats,
              "pxd (default): the data file the GUI saves; csv: RFC 4180, the CAF and CCF rows, "
              "a header row, one row per reading");
    return {command, [&c, request, set] {
                request->set = set.chosen("download", request->all);
                return runDownload(c.common, *request);
            }};
}

Command eraseCommand(CommandLine& c) {
    CLI::App* command = c.addCommand("erase", "erase a logger set, or every set", false);
    auto request = std::make_shared<EraseRequest>();
    const SetOrAll set(command, request->all, "every set");
    command->add_flag("-y,--yes", request->yes, "do not ask (needed when not on a terminal)");
    return {command, [&c, request, set] {
                request->set = set.chosen("erase", request->all);
                return runErase(c.common, *request);
            }};
}

Command clockCommand(CommandLine& c) {
    CLI::App* command = c.addCommand(
        "clock", "the meter's time, the PC's and the difference in seconds", true);
    auto sync = std::make_shared<bool>(false);
    command->add_flag("--sync", *sync, "set the meter's clock from the PC's first");
    return {command, [&c, sync] { return runClock(c.common, *sync); }};
}

// A command that reads one of the meter's settings, or sets it to the value given.
Command settingCommand(CommandLine& c, const std::string& name, const std::string& help,
                       const std::string& valueName,
                       int (*run)(const Common&, const std::optional<std::string>&)) {
    CLI::App* command = c.addCommand(name, help, false);
    auto value = std::make_shared<std::string>();
    CLI::Option* option = command->add_option(valueName, *value, "new value");
    return {command, [&c, value, option, run] {
                return run(c.common, option->count() > 0 ? std::optional<std::string>(*value)
                                                         : std::nullopt);
            }};
}

Command intervalCommand(CommandLine& c) {
    return settingCommand(c, "interval", "read the sampling time, or set it (00:00:01..01:00:00)",
                          "hh:mm:ss", runInterval);
}

Command periodCommand(CommandLine& c) {
    return settingCommand(c, "period",
                          "read the period of the logger recording, or set it (1..9999 s)",
                          "SECONDS", runPeriod);
}

Command logCommand(CommandLine& c) {
    CLI::App* command = c.addCommand(
        "log", "poll continuously and write one row per reading as it arrives (Ctrl-C ends)",
        false);
    auto request = std::make_shared<LogRequest>();
    auto duration = std::make_shared<double>(0);
    auto count = std::make_shared<long>(0);
    command->add_option("-o,--output", request->output,
                        "the recording file (synced every second); standard output without");
    addChoice(command, "--format", request->format,
              {{"csv", LogFormat::Csv}, {"jsonl", LogFormat::Jsonl}},
              "csv (the recording file's rows) or jsonl");
    // Every number is checked as text first: nan, inf, "10s" and out-of-range values are a
    // usage error that says the range, never a conversion that wraps or never ends.
    command->add_option("--interval", request->intervalSeconds, "seconds between polls (0.25)")
        ->check(numberIn(0.01, 3600, "a number of seconds"));
    CLI::Option* durationOption =
        command->add_option("--duration", *duration, "stop after this many seconds")
            ->check(numberIn(0.01, kMaxLogSeconds, "a number of seconds"));
    CLI::Option* countOption =
        command
            ->add_option("--count", *count,
                         "stop after this many readings (rows with a value or over range; "
                         "event rows and polls while the display shows no number, such as a "
                         "word or a setting screen, are not counted)")
            ->check(wholeIn(1, LONG_MAX, "a number of readings"));
    durationOption->excludes(countOption);
    return {command, [&c, request, duration, count, durationOption, countOption] {
                if (durationOption->count() > 0) request->durationSeconds = *duration;
                if (countOption->count() > 0) request->count = *count;
                return runLog(c.common, *request);
            }};
}

Command proceduresCommand(CommandLine& c) {
    return {c.addCommand("procedures", "the procedures that can be measured (built-in and your "
                                       "own), and recipe files that were refused, with the "
                                       "reason", true),
            [&c] { return runProcedures(c.common); }};
}

Command measureCommand(CommandLine& c) {
    CLI::App* command = c.addCommand(
        "measure", "take a procedure's points one after another and judge them: the verdict "
                   "table on standard output, exit 0 when it passes, 1 when it does not", false);
    auto request = std::make_shared<MeasureRequest>();
    MeasureRequest& r = *request;
    command->add_option("PROCEDURE", r.procedure,
                        "a procedure's id (see 'procedures') or a recipe file")
        ->required();
    command->add_option("--site", r.site, "where (a cinema, a room); the report's folder");
    command->add_option("--asset", r.asset, "what (a screen, a sign); its folder in the site's");
    command->add_option("--operator", r.operatorName, "who measures");
    std::vector<std::pair<std::string, photara::CaptureMode>> modes;
    for (const auto m : {photara::CaptureMode::Enter, photara::CaptureMode::Hold,
                         photara::CaptureMode::Auto})
        modes.emplace_back(photara::captureModeText(m), m);
    addChoice(command, "--capture", r.capture, modes,
              "how a point is taken: enter (Enter on standard input, default), hold (also HOLD "
              "pressed on the meter) or auto (when the reading is stable)");
    command->add_option("--stability", r.stability,
                        "when a reading is stable: spot, display-warm-up or "
                        "custom:<window s>,<tolerance %> (default: the procedure's)");
    command->add_option("--option", r.options,
                        "a procedure's choice, e.g. smoke for exit-sign (repeatable)");
    command->add_option("--grid", r.gridSize, "cells per side of a grid procedure")
        ->check(wholeIn(1, 99, "a number of cells per side"));
    command->add_option("-o,--output", r.output,
                        "a copy of the report: REPORT.json or REPORT.html (it is always kept in "
                        "the results folder too)");
    command->add_option("--scene", r.scene,
                        "with --virtual-meter: aim it at this scene (its options and grid are "
                        "the run's) and move it from point to point, hands-free");
    command->add_flag("--fast", r.fast,
                      "with --scene: the scene's time goes by a poll per poll instead of in "
                      "real time");
    return {command, [&c, request] { return runMeasure(c.common, *request); }};
}

Command resultsCommand(CommandLine& c) {
    CLI::App* command = c.addCommand(
        "results", "the reports kept in the results folder, oldest first; with a report's file, "
                   "its verdict table", true);
    auto report = std::make_shared<std::string>();
    auto site = std::make_shared<std::string>();
    command->add_option("REPORT", *report, "a kept report's JSON file");
    command->add_option("--site", *site, "only this site's");
    return {command, [&c, site, report] { return runResults(c.common, *site, *report); }};
}

int run(int argc, char** argv) {
    CommandLine c;
    c.app.footer(kExitCodeHelp);
    c.app.require_subcommand(1);
    c.app.set_version_flag("--version", std::string("photara-cli ") + PHOTARA_VERSION_TEXT);
    c.addMeterChoice(&c.app);
    // In the order --help lists them.
    const std::vector<Command> commands = {
        infoCommand(c),  readCommand(c),     setsCommand(c),   downloadCommand(c),
        eraseCommand(c), clockCommand(c),    intervalCommand(c), periodCommand(c),
        logCommand(c),   proceduresCommand(c), measureCommand(c), resultsCommand(c)};

    try {
        c.app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // "photara-cli lgo": CLI11 would only say that a command is required.
        if (dynamic_cast<const CLI::RequiredError*>(&e) && c.app.get_subcommands().empty() &&
            !c.app.remaining().empty() && c.app.remaining().front().rfind('-', 0) != 0) {
            std::fprintf(stderr, "photara-cli: '%s' is not a command (see photara-cli --help)\n",
                         c.app.remaining().front().c_str());
            return kUsage;
        }
        const int code = c.app.exit(e);
        return code == 0 ? kSuccess : kUsage;
    }

    installInterruptHandler();
    try {
        c.readMeterId();
        for (const Command& command : commands) {
            if (*command.parsed) return command.run();
        }
    } catch (const CliError& e) {
        std::fprintf(stderr, "photara-cli: %s\n", e.what());
        return e.code;
    }
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    return withOutputFlushed(run(argc, argv));
}
