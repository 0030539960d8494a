#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace photara::test {

// What a finished photara-cli process left: its exit code (128 + signal when killed) and
// everything it wrote.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs program with args and exactly the environment env, standard input from /dev/null
// (not a terminal), standard output and error captured through files in scratch.
CliRun runProgram(const std::string& program, std::vector<std::string> args,
                  std::vector<std::string> env, const std::filesystem::path& scratch);

// The whole file, bytes as they are; empty when it cannot be read.
std::string slurp(const std::filesystem::path& path);

}  // namespace photara::test
