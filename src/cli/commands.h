#pragma once

#include <optional>
#include <string>

#include "cli/interrupt.h"
#include "core/link/meter_identity.h"

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

struct DownloadRequest {
    std::optional<long> set;  // nullopt with all
    bool all = false;
    std::string output;       // file (one set), folder (--all); empty: the current folder
    std::string format = "pxd";
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

struct LogRequest {
    std::string output;  // empty: standard output
    bool json = false;   // --format jsonl
    double intervalSeconds = 0.25;
    std::optional<double> durationSeconds;
    std::optional<long> count;  // readings, not event rows
};
int runLog(const Common& common, LogRequest request);

}  // namespace photara::cli
