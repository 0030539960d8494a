#pragma once

#include <cstdint>

namespace photara::sim {

// The meter's key codes (byte 2 of a key report) as the virtual meter understands them.
enum class Key : std::uint8_t {
    DisplayTest = 0,  // all segments on / off
    Light = 1,
    Range = 2,  // range hold on / off
    MaxMin = 3,
    Set = 4,
    Hold = 5,
    Relative = 6,  // Delta, then %
    Enter = 7,
    Time = 8,
    Mem = 9,  // start / stop recording
    Read = 10,
    A = 11,
    B = 12,
    // 13 and 16 are meter keys too, but they are also command numbers and are taken as those.
    Zero = 14,
    Cmp = 15,
    RelativeToRef = 26,  // Delta/% while the range is held: relative to the stored REF
    Ref = 27,
    Average = 28,
    Acc = 29,
};

}  // namespace photara::sim
