#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/meter_link.h"
#include "core/logger/memory_status.h"

namespace photara {

// The logger's operations. Each returns what the meter answered, or why nothing usable
// arrived: a transfer that lost one report returns none of it.

// Called after each report of a long transfer with the progress in percent; the window
// uses it to move its progress bar and let pending events run. Returning false stops the
// transfer there (Failure::Stopped); nothing of it is then returned.
using TransferProgress = std::function<bool(int percent)>;

// Capacity, used space and number of sets.
MeterOutcome<MemoryStatus> readMemoryStatus(MeterLink& link);

// Sends the directory request and reads one report per nine sets: the identifiers of sets
// 1..setCount. Refused with NoMeter when not connected: a directory request to an absent
// meter would only search, and the reads after it would bring other answers.
MeterOutcome<std::vector<std::string>> readDirectory(MeterLink& link, int setCount,
                                                     const TransferProgress& progress = {});

struct DownloadedSet {
    std::uint64_t length = 0;  // the set's length as the meter reported it
    std::string text;          // every byte of every block (64 per block)
};

// Asks for the set's size, then for its data, and reads ceil(length / 64) blocks of 64 bytes;
// one more read follows the last block, as the meter expects, and its answer is not used.
// TooLong when the set is longer than kDownloadCapacity (nothing is read then).
MeterOutcome<DownloadedSet> downloadSet(MeterLink& link, std::string_view identifier,
                                        const TransferProgress& progress = {});

// Erases one set; the meter acknowledges with an answer.
MeterOutcome<void> eraseSet(MeterLink& link, std::string_view identifier);

// Erases every set; the meter acknowledges with an answer.
MeterOutcome<void> eraseAll(MeterLink& link);

}  // namespace photara
