#include "sim/character_codes.h"

#include <array>
#include <string_view>

namespace photara::sim {
namespace {

// Letters and signs of each character set; the letter at index i has the code 11 + i.
constexpr std::string_view kSetA = "ACtrbENDL";
constexpr std::string_view kSetB = "tEPLFA";
constexpr std::string_view kSetC = "-oCF";
constexpr std::string_view kSetD = "FnYENoCArduL";
constexpr std::string_view kDigitsOnly = "";

// Character set of positions 1..13.
constexpr std::array<std::string_view, 13> kPositionSets = {
    kSetA, kSetB, kSetA, kSetA, kDigitsOnly, kDigitsOnly, kDigitsOnly,
    kSetD, kSetC, kSetC, kSetD, kSetD,       kSetD};

std::optional<std::uint8_t> digitLookalike(char c) {
    switch (c) {
        case 'S':
            return 5;
        case 'I':
        case 'l':
            return 1;
        case 'O':
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::uint8_t> characterCode(int position, char c) {
    if (position < 1 || position > 13) return std::nullopt;
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c == ' ') return kBlankCode;
    const std::string_view set = kPositionSets[static_cast<std::size_t>(position - 1)];
    if (const std::size_t at = set.find(c); at != std::string_view::npos) {
        return static_cast<std::uint8_t>(11 + at);
    }
    return digitLookalike(c);
}

}  // namespace photara::sim
