// photara-cli: the meter from a terminal and from scripts. Data on standard output,
// diagnostics on standard error, exit codes as kExitCodeHelp lists.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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

int run(int argc, char** argv) {
    CLI::App app{"photara-cli: the luminance meter from a terminal and from scripts.",
                 "photara-cli"};
    app.footer(kExitCodeHelp);
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("photara-cli ") + PHOTARA_VERSION_TEXT);

    Common common;
    std::string meterId;  // read by the GUI's rules once the command line is parsed
    std::vector<CLI::Option*> meterIdOptions;
    const std::string meterIdHelp =
        "look for a USB meter with these ids, as lsusb shows them (built-in: " +
        photara::meterIdText(MeterId{}) + ")";
    // Before the command (`photara-cli --virtual-meter sets`) as well as after it.
    const auto addMeterChoice = [&](CLI::App* command) {
        command->add_flag("--virtual-meter", common.virtualMeter,
                          "use the virtual meter inside the program instead of a USB meter");
        meterIdOptions.push_back(
            command->add_option("--meter-id", meterId, meterIdHelp)->type_name("VVVV:PPPP"));
    };
    addMeterChoice(&app);
    const auto addCommon = [&](CLI::App* command, bool json) {
        addMeterChoice(command);
        if (json) command->add_flag("--json", common.json, "print JSON");
        command->footer(kExitCodeHelp);
    };

    CLI::App* info = app.add_subcommand("info", "whether a meter is found, its USB path and "
                                                "identifiers, and its memory");
    addCommon(info, true);
    CLI::App* read = app.add_subcommand("read", "one display poll: the LCD and what is lit");
    addCommon(read, true);
    CLI::App* sets = app.add_subcommand("sets", "the recorded sets: number, identifier, start");
    addCommon(sets, true);

    // A set's number: any whole number here; the meter's directory says which exist.
    const CLI::Validator setNumber(
        [](std::string& text) -> std::string {
            if (parseWholeIn(text, LONG_MIN, LONG_MAX)) return {};
            return "must be a set's number, as 'sets' lists them (got " + text + ")";
        },
        "");
    DownloadRequest download;
    long downloadSet = 0;
    CLI::App* downloadCommand =
        app.add_subcommand("download", "a recorded set (or every set) into a file");
    addCommon(downloadCommand, true);
    CLI::Option* setOption =
        downloadCommand->add_option("SET", downloadSet, "the set's number (see 'sets')")
            ->check(setNumber);
    CLI::Option* allOption =
        downloadCommand->add_flag("--all", download.all, "every set, one file each, named by "
                                                         "its start time");
    setOption->excludes(allOption);
    downloadCommand->add_option("-o,--output", download.output,
                                "the file (one set) or folder (default: the current folder)");
    downloadCommand
        ->add_option("--format", download.format,
                     "pxd (default): the data file the GUI saves; csv: RFC 4180, the CAF and "
                     "CCF rows, a header row, one row per reading")
        ->check(CLI::IsMember({"pxd", "csv"}));

    EraseRequest erase;
    long eraseSet = 0;
    CLI::App* eraseCommand = app.add_subcommand("erase", "erase a set, or every set");
    addCommon(eraseCommand, false);
    CLI::Option* eraseSetOption =
        eraseCommand->add_option("SET", eraseSet, "the set's number (see 'sets')")
            ->check(setNumber);
    CLI::Option* eraseAllOption = eraseCommand->add_flag("--all", erase.all, "every set");
    eraseSetOption->excludes(eraseAllOption);
    eraseCommand->add_flag("-y,--yes", erase.yes, "do not ask (needed when not on a terminal)");

    bool sync = false;
    CLI::App* clock = app.add_subcommand("clock", "the meter's time, the PC's and the "
                                                  "difference in seconds");
    addCommon(clock, true);
    clock->add_flag("--sync", sync, "set the meter's clock from the PC's first");

    std::string intervalValue;
    CLI::App* interval =
        app.add_subcommand("interval", "read the sampling time, or set it (00:00:01..01:00:00)");
    addCommon(interval, false);
    CLI::Option* intervalOption = interval->add_option("hh:mm:ss", intervalValue, "new value");

    std::string periodValue;
    CLI::App* period =
        app.add_subcommand("period", "read the recording period, or set it (1..9999 s)");
    addCommon(period, false);
    CLI::Option* periodOption = period->add_option("SECONDS", periodValue, "new value");

    LogRequest log;
    std::string logFormat = "csv";
    double duration = 0;
    long count = 0;
    CLI::App* logCommand = app.add_subcommand(
        "log", "poll continuously and write one row per reading as it arrives (Ctrl-C ends)");
    addCommon(logCommand, false);
    logCommand->add_option("-o,--output", log.output,
                           "the file (synced every second); standard output without");
    logCommand->add_option("--format", logFormat, "csv (the recording file's rows) or jsonl")
        ->check(CLI::IsMember({"csv", "jsonl"}));
    // Every number is checked as text first: nan, inf, "10s" and out-of-range values are a
    // usage error that says the range, never a conversion that wraps or never ends.
    logCommand->add_option("--interval", log.intervalSeconds, "seconds between polls (0.25)")
        ->check(numberIn(0.01, 3600, "a number of seconds"));
    CLI::Option* durationOption =
        logCommand->add_option("--duration", duration, "stop after this many seconds")
            ->check(numberIn(0.01, kMaxLogSeconds, "a number of seconds"));
    CLI::Option* countOption =
        logCommand
            ->add_option("--count", count,
                         "stop after this many readings (rows with a value or over range; "
                         "event rows and polls while the display shows no number, such as a "
                         "word or a setting screen, are not counted)")
            ->check(wholeIn(1, LONG_MAX, "a number of readings"));
    durationOption->excludes(countOption);

    CLI::App* procedures = app.add_subcommand(
        "procedures", "the procedures that can be measured (built-in and your own), and recipe "
                      "files that were refused, with the reason");
    addCommon(procedures, true);

    MeasureRequest measure;
    CLI::App* measureCommand = app.add_subcommand(
        "measure", "take a procedure's points one after another and judge them: the verdict "
                   "table on standard output, exit 0 when it passes, 1 when it does not");
    addCommon(measureCommand, false);
    measureCommand->add_option("PROCEDURE", measure.procedure,
                               "a procedure's id (see 'procedures') or a recipe file")
        ->required();
    measureCommand->add_option("--site", measure.site, "where (a cinema, a room); the report's folder");
    measureCommand->add_option("--asset", measure.asset, "what (a screen, a sign); its folder in the site's");
    measureCommand->add_option("--operator", measure.operatorName, "who measures");
    measureCommand
        ->add_option("--capture", measure.capture,
                     "how a point is taken: enter (Enter on standard input, default), hold (also "
                     "HOLD pressed on the meter) or auto (when the reading is stable)")
        ->check(CLI::IsMember({"enter", "hold", "auto"}));
    measureCommand->add_option("--stability", measure.stability,
                               "when a reading is stable: spot, display-warm-up or "
                               "custom:<window s>,<tolerance %> (default: the procedure's)");
    measureCommand->add_option("--option", measure.options,
                               "a procedure's choice, e.g. smoke for exit-sign (repeatable)");
    measureCommand->add_option("--grid", measure.gridSize, "cells per side of a grid procedure")
        ->check(wholeIn(1, 99, "a number of cells per side"));
    measureCommand->add_option("-o,--output", measure.output,
                               "a copy of the report: REPORT.json or REPORT.html (it is always "
                               "kept in the results folder too)");
    measureCommand->add_option("--scene", measure.scene,
                               "with --virtual-meter: aim it at this scene (its options and grid "
                               "are the run's) and move it from point to point, hands-free");
    measureCommand->add_flag("--fast", measure.fast,
                             "with --scene: the scene's time goes by a poll per poll instead "
                             "of in real time");

    std::string resultsSite, resultsReport;
    CLI::App* results = app.add_subcommand(
        "results", "the reports kept in the results folder, oldest first; with a report's "
                   "file, its verdict table");
    addCommon(results, true);
    results->add_option("REPORT", resultsReport, "a kept report's JSON file");
    results->add_option("--site", resultsSite, "only this site's");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // "photara-cli lgo": CLI11 would only say that a command is required.
        if (dynamic_cast<const CLI::RequiredError*>(&e) && app.get_subcommands().empty() &&
            !app.remaining().empty() && app.remaining().front().rfind('-', 0) != 0) {
            std::fprintf(stderr, "photara-cli: '%s' is not a command (see photara-cli --help)\n",
                         app.remaining().front().c_str());
            return kUsage;
        }
        const int code = app.exit(e);
        return code == 0 ? kSuccess : kUsage;
    }

    installInterruptHandler();
    try {
        if (std::any_of(meterIdOptions.begin(), meterIdOptions.end(),
                        [](const CLI::Option* o) { return o->count() > 0; })) {
            if (common.virtualMeter) {
                throw CliError(kUsage, "--meter-id names a USB meter and --virtual-meter the "
                                       "one inside the program: give one of them");
            }
            const std::optional<MeterId> id = photara::parseMeterId(meterId);
            if (!id) throw CliError(kUsage, photara::meterIdRefusal(meterId));
            common.meterId = *id;
        }
        if (*info) return runInfo(common);
        if (*read) return runRead(common);
        if (*sets) return runSets(common);
        if (*downloadCommand) {
            if (!download.all && setOption->count() == 0)
                throw CliError(kUsage, "download: name a SET or --all");
            if (setOption->count() > 0) download.set = downloadSet;
            return runDownload(common, download);
        }
        if (*eraseCommand) {
            if (!erase.all && eraseSetOption->count() == 0)
                throw CliError(kUsage, "erase: name a SET or --all");
            if (eraseSetOption->count() > 0) erase.set = eraseSet;
            return runErase(common, erase);
        }
        if (*logCommand) {
            log.json = logFormat == "jsonl";
            if (durationOption->count() > 0) log.durationSeconds = duration;
            if (countOption->count() > 0) log.count = count;
            return runLog(common, log);
        }
        if (*procedures) return runProcedures(common);
        if (*measureCommand) return runMeasure(common, measure);
        if (*results) return runResults(common, resultsSite, resultsReport);
        if (*clock) return runClock(common, sync);
        if (*interval)
            return runInterval(common, intervalOption->count() > 0
                                           ? std::optional<std::string>(intervalValue)
                                           : std::nullopt);
        if (*period)
            return runPeriod(common, periodOption->count() > 0
                                         ? std::optional<std::string>(periodValue)
                                         : std::nullopt);
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
