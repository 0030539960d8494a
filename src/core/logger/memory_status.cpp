#include "core/logger/memory_status.h"

#include "core/protocol/big_endian.h"

namespace photara {

std::optional<MemoryStatus> decodeMemoryStatus(std::span<const std::uint8_t> answer) {
    if (answer.size() < 13) return std::nullopt;
    MemoryStatus status;
    status.capacity = readBigEndian(answer.subspan(1, 5));
    status.used = readBigEndian(answer.subspan(6, 5));
    status.setCount = static_cast<int>(readBigEndian(answer.subspan(11, 2)));
    return status;
}

std::string capacityText(const MemoryStatus& status) {
    return std::to_string(status.capacity) + "k Bytes";
}

int usedPercent(const MemoryStatus& status) {
    if (status.capacity == 0) return 0;
    if (status.used >= status.capacity) return 100;
    // Both are at most 40 bits, so used * 100 cannot overflow 64 bits.
    return static_cast<int>(status.used * 100 / status.capacity);
}

}  // namespace photara
