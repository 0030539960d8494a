#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace photara::cli {

// Faults a test injects into the virtual meter, and keys pressed on it, by poll number (from
// 1), before that poll: PHOTARA_CLI_FAULTS holds "unplug@5,replug@9,silent@3,awake@4,key9@1,
// unplugread12@1" (key9: the key with code 9, MEM; unplugread12: the 12th read from then on
// finds the meter unplugged, in the middle of a transfer that follows the poll). Test-only:
// CliMeter reads it for the virtual meter alone, so a USB meter's session never sees it.
struct FaultScript {
    struct Step {
        long poll = 0;
        enum class Action { Unplug, Replug, Silent, Awake, Key, UnplugAtRead } action =
            Action::Unplug;
        std::uint8_t key = 0;  // with Key
        long read = 0;         // with UnplugAtRead: which read from then on (from 1)
    };
    std::vector<Step> steps;

    // Nullopt when the text is not such a list (an unknown word, a poll or read before the
    // first, a key beyond 255, anything after the number).
    static std::optional<FaultScript> parse(const std::string& text);
};

}  // namespace photara::cli
