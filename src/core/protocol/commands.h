#pragma once

#include <cstddef>
#include <cstdint>

namespace photara {

// The meter's command numbers (request byte 2). Key codes 0..31 are the meter's keys (the
// panel's keypad sends them); everything else is listed here, with how it is exchanged.
enum class Command : std::uint8_t {
    SetRecordingPeriod = 9,    // bytes 3..4 period in s, write-only
    ReadRecordingPeriod = 13,  // write-then-read, answer bytes 1..2
    Directory = 16,            // write-only, then one read-only per directory report
    SetData = 17,           // bytes 3..16 set identifier, write-then-read, then read-only per block
    EraseSet = 18,          // bytes 3..16 set identifier, write-then-read
    EraseAll = 19,          // write-then-read
    MemoryStatus = 20,      // write-then-read: capacity 1..5, used 6..10, sets 11..12
    SetSize = 21,           // bytes 3..16 set identifier, write-then-read, answer bytes 1..5
    ReadClock = 22,         // write-then-read, answer bytes 1..7
    SetClock = 23,          // bytes 3..9, write-only
    SetSamplingTime = 24,   // bytes 3..4 seconds, write-only
    ReadSamplingTime = 25,  // write-then-read, answer bytes 1..2
    Display = 98,           // write-then-read, the display report
    Blink = 99,             // write-then-read, the blink report
};

// Highest key code; key reports carry codes 0..kMaxKeyCode in byte 2.
inline constexpr std::uint8_t kMaxKeyCode = 31;

// Request byte positions.
inline constexpr std::size_t kRequestMarkerByte = 1;  // always 1
inline constexpr std::size_t kCommandByte = 2;
inline constexpr std::size_t kFirstArgumentByte = 3;

}  // namespace photara
