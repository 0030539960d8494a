#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace photara {

// The most a download may hold: 13 chunks of 64,000 characters.
inline constexpr std::uint64_t kDownloadCapacity = 832'000;

// The logger's memory status as the meter answers the memory status request: capacity and
// used space (same unit, shown as "k Bytes") and the number of recorded sets.
struct MemoryStatus {
    std::uint64_t capacity = 0;
    std::uint64_t used = 0;
    int setCount = 0;

    friend bool operator==(const MemoryStatus&, const MemoryStatus&) = default;
};

// Decodes an answer (byte 0 the report id): capacity in bytes 1..5, used in bytes 6..10,
// both 40-bit big-endian, the number of sets in bytes 11..12. Nullopt if the answer is short.
std::optional<MemoryStatus> decodeMemoryStatus(std::span<const std::uint8_t> answer);

// "<capacity>k Bytes", the capacity label's text.
std::string capacityText(const MemoryStatus& status);

// How full the gauge is drawn, 0..100. An empty capacity draws an empty gauge rather than
// dividing by zero; a used figure above the capacity fills it.
int usedPercent(const MemoryStatus& status);

}  // namespace photara
