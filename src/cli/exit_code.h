#pragma once

#include <stdexcept>
#include <string>

#include "core/link/meter_link.h"

namespace photara::cli {

// The program's exit codes, as --help and the manual page list them.
enum ExitCode : int {
    kSuccess = 0,
    kFailed = 1,       // a procedure completed and did not pass (failed, or not judged)
    kUsage = 2,        // the command line is wrong
    kNoMeter = 3,      // no meter found (or another program holds it)
    kNoAnswer = 4,     // the meter stopped answering
    kFileError = 5,    // a file could not be written
    kRefused = 6,      // refused by a guard (e.g. the meter's logger is recording)
    kInterrupted = 130,
};

inline constexpr const char* kExitCodeHelp =
    "Exit codes: 0 success, 1 a procedure did not pass, 2 usage, 3 no meter, 4 the meter stopped answering, 5 file error,\n"
    "6 refused (e.g. the meter's logger is recording), 130 interrupted.";

// Ends the command: main prints "photara-cli: <message>" on standard error and exits with code.
struct CliError : std::runtime_error {
    CliError(int exitCode, const std::string& message)
        : std::runtime_error(message), code(exitCode) {}
    int code;
};

// The error for an operation that brought nothing.
CliError failureError(Failure failure, const std::string& what);

}  // namespace photara::cli
