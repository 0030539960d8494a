#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/interrupt.h"
#include "core/link/meter_identity.h"
#include "core/procedure/capture_runner.h"

namespace photara::cli {

// What every command takes.
struct Common {
    bool virtualMeter = false;
    MeterId meterId;  // --meter-id: the USB meter to look for (the virtual meter has its own)
    bool json = false;
};

// Each returns the exit code; failures throw CliError (see exit_code.h).
int runInfo(const Common& common);
int runRead(const Common& common);
int runSets(const Common& common);

// pxd: the data file the GUI's Save writes; csv: what its CSV export writes.
enum class DownloadFormat { Pxd, Csv };
// "pxd", "csv": the option's word and the file's extension.
std::string_view downloadFormatWord(DownloadFormat format);

struct DownloadRequest {
    std::optional<long> set;  // nullopt with all
    bool all = false;
    std::string output;       // file (one set), folder (--all); empty: the current folder
    DownloadFormat format = DownloadFormat::Pxd;
};
int runDownload(const Common& common, const DownloadRequest& request);

struct EraseRequest {
    std::optional<long> set;
    bool all = false;
    bool yes = false;
};
int runErase(const Common& common, const EraseRequest& request);

int runClock(const Common& common, bool sync);
int runInterval(const Common& common, const std::optional<std::string>& value);
int runPeriod(const Common& common, const std::optional<std::string>& value);

// csv: the recording file's rows; jsonl: the same rows as JSON lines.
enum class LogFormat { Csv, Jsonl };

struct LogRequest {
    std::string output;  // empty: standard output
    LogFormat format = LogFormat::Csv;
    double intervalSeconds = 0.25;
    std::optional<double> durationSeconds;
    std::optional<long> count;  // readings, not event rows
};
int runLog(const Common& common, const LogRequest& request);

// procedures: the built-in recipes and the user's, and the files that were refused.
int runProcedures(const Common& common);

// results: the kept reports, one site's or all; with a report's path, its verdict table.
int runResults(const Common& common, const std::string& site, const std::string& report);

struct MeasureRequest {
    std::string procedure;  // an id as `procedures` lists it, or a recipe file
    std::string site, asset, operatorName;
    CaptureMode capture = CaptureMode::Enter;
    std::string stability;  // empty: the recipe's preset
    std::vector<std::string> options;
    int gridSize = 0;       // 0: the recipe's default
    std::string output;     // -o: a copy of the report (.json or .html); empty: none
    std::string scene;      // --scene: the virtual meter is aimed at this scene
    bool fast = false;      // --fast: the scene's time goes by a poll per poll, not in real time
};
int runMeasure(const Common& common, const MeasureRequest& request);

}  // namespace photara::cli
