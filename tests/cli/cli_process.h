#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace photara::test {

// What a finished photara-cli process left: its exit code (128 + signal when killed, -1
// when it did not end in time) and everything it wrote.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// How a run's standard output and files are set up, as a script's shell would.
struct RunOptions {
    std::string stdoutPath;         // standard output opened there (/dev/full); empty: captured
    bool stdoutReaderGone = false;  // standard output a pipe whose reader has closed it
    long fileSizeLimit = 0;         // bytes a file may grow to, a disk that fills; 0: no limit
    bool terminalInput = false;     // standard input a terminal, on which `typed` is typed
    std::string typed;
};

// Runs program with args and exactly the environment env, standard input from /dev/null
// (not a terminal), standard output and error captured through files in scratch.
CliRun runProgram(const std::string& program, std::vector<std::string> args,
                  std::vector<std::string> env, const std::filesystem::path& scratch,
                  const RunOptions& options = {});

// The same in two steps, for a signal sent while it runs; -1 when it cannot start.
pid_t startProgram(const std::string& program, std::vector<std::string> args,
                   std::vector<std::string> env, const std::filesystem::path& scratch,
                   const RunOptions& options = {});
// Waits for it, killing it when it has not ended within timeout.
CliRun finishProgram(pid_t pid, const std::filesystem::path& scratch,
                     std::chrono::milliseconds timeout = std::chrono::minutes(2));

// The whole file, bytes as they are; empty when it cannot be read.
std::string slurp(const std::filesystem::path& path);

}  // namespace photara::test
