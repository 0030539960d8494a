#include "cli/exit_code.h"

namespace photara::cli {

CliError failureError(Failure failure, const std::string& what) {
    switch (failure) {
        case Failure::NoMeter:
            return {kNoMeter, what + ": no meter found"};
        case Failure::TooLong:
            return {kNoAnswer, what + ": the set is longer than a download may hold (832,000 bytes)"};
        case Failure::Stopped:
            return {kInterrupted, what + ": interrupted"};
        case Failure::OnlySearched:
        case Failure::NoAnswer:
        case Failure::ReadError:
        case Failure::NotTaken:
            break;
    }
    return {kNoAnswer, what + ": the meter stopped answering; check its USB cable"};
}

}  // namespace photara::cli
