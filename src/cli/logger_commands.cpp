// sets, download and erase: the commands over the logger's memory.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_meter.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/progress_line.h"
#include "cli/text_output.h"
#include "core/common/atomic_file.h"
#include "core/datafile/data_file.h"
#include "core/datafile/data_set.h"
#include "core/export/set_csv.h"
#include "core/logger/directory.h"
#include "core/meter/meter_session.h"

namespace photara::cli {
namespace {

using Directory = SetList;  // set k at identifiers[k - 1]

// The memory status and the directory, read as the GUI's Memory and Erase commands do.
Directory readSets(CliMeter& meter, const std::string& what) {
    MeterOutcome<SetList> sets = meter.session().readSets([](int) { return !interrupted(); }).get();
    if (!sets) throw failureError(sets.reason(), what);
    return std::move(*sets);
}

const std::string& identifierOf(const Directory& directory, long set, const std::string& what) {
    const long count = static_cast<long>(directory.identifiers.size());
    if (set < 1 || set > count) {
        const std::string n = std::to_string(count);
        std::string valid = "the meter holds no sets";
        if (count == 1) valid = "set must be 1: the meter holds 1 set";
        if (count > 1) valid = "set must be 1–" + n + ": the meter holds " + n + " sets";
        throw CliError(kUsage, what + ": there is no set " + std::to_string(set) + "; " + valid);
    }
    return directory.identifiers[static_cast<std::size_t>(set) - 1];
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// "2019-08-01_12-34-56.pxd": the set's start time, safe in any file system.
std::string fileNameFor(const std::string& identifier, DownloadFormat format) {
    std::string name = isoStartTime(identifier);
    for (char& c : name) {
        if (c == 'T') c = '_';
        if (c == ':') c = '-';
    }
    return name + "." + std::string(downloadFormatWord(format));
}

// Downloads one set, with a progress bar on standard error when it is a terminal.
std::string download(CliMeter& meter, int set, const std::string& identifier) {
    ProgressLine progress("set " + std::to_string(set));
    // The progress runs on the session's thread while this one waits.
    MeterOutcome<DownloadedSet> result = meter.session()
                                             .download(identifier,
                                                       [&progress](int percent) {
                                                           progress.show(percent);
                                                           return !interrupted();
                                                       })
                                             .get();
    if (!result) throw failureError(result.reason(), "download");
    return std::move(result->text);
}

}  // namespace

std::string_view downloadFormatWord(DownloadFormat format) {
    return format == DownloadFormat::Csv ? "csv" : "pxd";
}

int runSets(const Common& common) {
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Memory, "sets");
    const Directory directory = readSets(meter, "sets");
    int k = 1;
    if (common.json) std::printf("[");
    for (const std::string& id : directory.identifiers) {
        if (common.json) {
            std::printf("%s{\"set\":%d,\"identifier\":%s,\"start\":%s}", k > 1 ? "," : "", k,
                        jsonString(id).c_str(), jsonString(isoStartTime(id)).c_str());
        } else {
            std::printf("%3d  %s  %s\n", k, id.c_str(), isoStartTime(id).c_str());
        }
        ++k;
    }
    if (common.json) std::printf("]\n");
    return kSuccess;
}

int runDownload(const Common& common, const DownloadRequest& request) {
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Memory, "download");
    const Directory directory = readSets(meter, "download");

    std::vector<int> sets;
    if (request.all) {
        for (int k = 1; k <= static_cast<int>(directory.identifiers.size()); ++k)
            sets.push_back(k);
    } else {
        (void)identifierOf(directory, *request.set, "download");
        sets.push_back(static_cast<int>(*request.set));  // one the meter holds
    }
    // A folder: with --all, without -o, an existing folder, or a name ending in "/" (made
    // if missing, as "download --all -o sets/" is written).
    const bool intoFolder = request.all || request.output.empty() || request.output.back() == '/' ||
                            isFolder(request.output);
    if (intoFolder && !request.output.empty() && !isFolder(request.output)) {
        std::error_code failed;
        std::filesystem::create_directories(request.output, failed);
        if (failed || !isFolder(request.output)) {
            throw CliError(kFileError, "download: cannot make the folder " + request.output +
                                           ": " + (failed ? failed.message() : "not a folder"));
        }
    }

    for (const int set : sets) {
        const std::string& identifier = directory.identifiers[static_cast<std::size_t>(set) - 1];
        std::string folder = request.output.empty() ? "." : request.output;
        if (folder.back() != '/') folder += '/';
        const std::string path =
            intoFolder ? folder + fileNameFor(identifier, request.format) : request.output;
        const std::string text = download(meter, set, identifier);
        // pxd: what the GUI's Save writes; csv: what its CSV export writes.
        const std::string bytes = request.format == DownloadFormat::Csv ? setCsv(parseDataText(text))
                                                          : dataFileBytes(text);
        if (const auto failed = writeFileAtomically(path, bytes))
            throw CliError(kFileError, "download: " + *failed);
        if (common.json) {
            std::printf("{\"set\":%d,\"file\":%s,\"bytes\":%zu}\n", set, jsonString(path).c_str(),
                        bytes.size());
        } else {
            std::printf("%s\n", path.c_str());
        }
    }
    return kSuccess;
}

int runErase(const Common& common, const EraseRequest& request) {
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    if (!request.yes && !terminal)
        throw CliError(kUsage, "erase: not asking on a terminal; add --yes to erase anyway");
    CliMeter meter(common);
    meter.requireMeter(CliMeter::Guard::Settings, "erase");
    const Directory directory = readSets(meter, "erase");
    std::string what = "every set in the meter's memory";
    std::string identifier;
    if (!request.all) {
        identifier = identifierOf(directory, *request.set, "erase");
        what = "set " + std::to_string(*request.set) + " (" + isoStartTime(identifier) + ")";
    }
    if (!request.yes) {
        std::fprintf(stderr, "Erase %s? [y/N] ", what.c_str());
        std::string answer;
        if (!std::getline(std::cin, answer) || (answer != "y" && answer != "yes")) {
            std::fprintf(stderr, "%sNothing was erased.\n", interrupted() ? "\n" : "");
            return interrupted() ? kInterrupted : kSuccess;  // Ctrl-C at the question
        }
    }
    if (request.all) {
        const MeterOutcome<void> erased = meter.session().eraseAll(WaitingAnswer::Keep).get();
        if (!erased) throw failureError(erased.reason(), "erase");
        return kSuccess;
    }
    // The directory is read again right before the erase: a set gone since the question
    // (erased on the meter itself) is not taken for erased.
    const MeterOutcome<SetErase> erased = meter.session().eraseSetIfListed(identifier).get();
    if (!erased) throw failureError(erased.reason(), "erase");
    if (*erased == SetErase::Gone)
        throw CliError(kUsage, "erase: " + what + " is no longer in the meter's memory; nothing was erased");
    return kSuccess;
}

}  // namespace photara::cli
