#pragma once

#include <cstdint>
#include <optional>

namespace photara::sim {

inline constexpr std::uint8_t kBlankCode = 10;

// The character code that makes display position 1..13 show c. Each position has its own
// character set; digits and the blank work everywhere, and S, I, l, O are sent as the digits
// 5, 1, 1, 0 that look the same on seven segments. nullopt: the position can't show c.
std::optional<std::uint8_t> characterCode(int position, char c);

}  // namespace photara::sim
