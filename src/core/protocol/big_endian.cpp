#include "core/protocol/big_endian.h"

#include <cassert>

namespace photara {

std::uint64_t readBigEndian(std::span<const std::uint8_t> bytes) {
    assert(bytes.size() <= 8);
    std::uint64_t value = 0;
    for (const std::uint8_t b : bytes) value = (value << 8) | b;
    return value;
}

void writeBigEndian(std::span<std::uint8_t> bytes, std::uint64_t value) {
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        *it = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

}  // namespace photara
