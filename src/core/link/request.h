#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "core/protocol/commands.h"
#include "core/protocol/report.h"

namespace photara {

// One request to the meter as a value: the report {0, 1, command, arguments...}, every byte
// the request does not set being zero. (The set-data request is the one that needs an earlier
// request's bytes; it carries them itself.)
class Request {
  public:
    explicit Request(Command command) : Request(static_cast<std::uint8_t>(command)) {}

    // A key report: the key's code in the command byte, no arguments.
    static Request key(std::uint8_t code) { return Request(code); }

    // Puts the bytes at request byte `at` on (3 is the first argument byte); bytes beyond the
    // report are dropped.
    Request& withArguments(std::span<const std::uint8_t> bytes,
                           std::size_t at = kFirstArgumentByte) {
        if (at >= bytes_.size()) return *this;
        const std::size_t n = std::min(bytes.size(), bytes_.size() - at);
        std::copy_n(bytes.begin(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
        return *this;
    }

    std::uint8_t command() const { return bytes_[kCommandByte]; }
    const Report& bytes() const { return bytes_; }

    friend bool operator==(const Request&, const Request&) = default;

  private:
    explicit Request(std::uint8_t command) {
        bytes_[kRequestMarkerByte] = 1;
        bytes_[kCommandByte] = command;
    }

    Report bytes_{};
};

}  // namespace photara
