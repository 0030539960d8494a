#pragma once

#include <cstdint>
#include <span>

namespace photara {

// The meter sends every number of more than one byte unsigned, most significant byte first.
// Reads bytes.size() bytes (at most 8).
std::uint64_t readBigEndian(std::span<const std::uint8_t> bytes);

// Writes value into bytes.size() bytes, most significant first (higher bits are dropped).
void writeBigEndian(std::span<std::uint8_t> bytes, std::uint64_t value);

}  // namespace photara
