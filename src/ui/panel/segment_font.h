#pragma once

#include <QChar>
#include <cstdint>
#include <optional>

namespace photara {

// The seven segments of one LCD character cell, one bit each:
//    a
//  f   b
//    g
//  e   c
//    d
namespace segment {
inline constexpr std::uint8_t a = 1 << 0, b = 1 << 1, c = 1 << 2, d = 1 << 3, e = 1 << 4,
                              f = 1 << 5, g = 1 << 6;
}

// The segments that draw a character as the meter's LCD does, or nothing when seven
// segments cannot draw it (such a character is lettered instead). A blank lights none.
std::optional<std::uint8_t> segmentsOf(QChar character);

}  // namespace photara
