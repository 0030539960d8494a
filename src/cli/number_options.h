#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace photara::cli {

// The numbers a command line gives: the whole text must be the number (no "10s", no blanks),
// finite (no nan, no inf) and within [min, max]. Nothing otherwise.
std::optional<double> parseNumberIn(std::string_view text, double min, double max);
std::optional<long> parseWholeIn(std::string_view text, long min, long max);

// CLI11 checks over the two: a refusal is a usage error (exit 2) that says the valid range,
// e.g. "--interval: must be a number of seconds from 0.01 to 3600 (got nan)"; --help shows
// a number's range.
CLI::Validator numberIn(double min, double max, const std::string& what);
CLI::Validator wholeIn(long min, long max, const std::string& what);

}  // namespace photara::cli
