// The exit code a script gets for each way an operation on the meter can fail: only a meter
// that is not there is 3, a stopped transfer is an interruption (130), and every way of
// going quiet (no answer, a failed read, a request not taken, a set too long) is 4; the
// message names the command first, as "photara-cli: <command>: …" prints it.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "cli/exit_code.h"

namespace photara::cli {
namespace {

struct FailureCase {
    const char* name;
    Failure failure;
    int code;
    const char* message;
};

class FailureExitCode : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureExitCode, IsItsCodeWithItsReason) {
    const CliError error = failureError(GetParam().failure, "download");
    EXPECT_EQ(error.code, GetParam().code);
    EXPECT_EQ(std::string(error.what()), std::string("download: ") + GetParam().message);
}

constexpr const char* kStopped = "the meter stopped answering; check its USB cable";

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureExitCode,
    ::testing::Values(
        FailureCase{"NoMeter", Failure::NoMeter, kNoMeter, "no meter found"},
        FailureCase{"OnlySearched", Failure::OnlySearched, kNoAnswer, kStopped},
        FailureCase{"NoAnswer", Failure::NoAnswer, kNoAnswer, kStopped},
        FailureCase{"ReadError", Failure::ReadError, kNoAnswer, kStopped},
        FailureCase{"NotTaken", Failure::NotTaken, kNoAnswer, kStopped},
        FailureCase{"TooLong", Failure::TooLong, kNoAnswer,
                    "the set is longer than a download may hold (832,000 bytes)"},
        FailureCase{"Stopped", Failure::Stopped, kInterrupted, "interrupted"}),
    [](const auto& p) { return std::string(p.param.name); });

// The codes themselves are the scripts' contract: a renumbering breaks every script.
TEST(ExitCodes, AreTheNumbersTheHelpPromises) {
    const std::string help = kExitCodeHelp;
    for (const auto& [code, words] :
         {std::pair<int, const char*>{kSuccess, "0 success"}, {kFailed, "1 a procedure did not pass"},
          {kUsage, "2 usage"}, {kNoMeter, "3 no meter"}, {kNoAnswer, "4 the meter stopped answering"},
          {kFileError, "5 file error"}, {kRefused, "6 refused"}, {kInterrupted, "130 interrupted"}}) {
        EXPECT_NE(help.find(words), std::string::npos) << words;
        EXPECT_EQ(std::to_string(code), std::string(words).substr(0, std::string(words).find(' ')));
    }
}

}  // namespace
}  // namespace photara::cli
