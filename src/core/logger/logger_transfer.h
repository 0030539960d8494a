#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logger/memory_status.h"
#include "protocol/commands.h"

namespace photara {

class MeterLink;

// The logger's exchanges over the link. Each one checks that every answer it uses really
// arrived (the link is still connected after the exchange): a missing answer leaves the
// previous answer's bytes in place, and those must never be taken for fresh data.

// Called after each report of a long transfer with the progress in percent; the window
// uses it to move its progress bar and let pending events run. Returning false stops the
// transfer there (the program is closing); nothing of it is then returned.
using TransferProgress = std::function<bool(int percent)>;

// The most a download may hold: 13 chunks of 64,000 characters.
inline constexpr std::uint64_t kDownloadCapacity = 832'000;

enum class TransferStatus {
    Ok,
    NoAnswer,  // the meter stopped answering; nothing of this transfer may be used
    TooLong,   // the set is longer than the download buffer holds; nothing was downloaded
    Stopped,   // the progress callback asked to stop; nothing of this transfer may be used
};

// Sends the memory status request. Nullopt if no answer arrived.
std::optional<MemoryStatus> readMemoryStatus(MeterLink& link);

// Sends the directory request and reads one report per nine sets. The identifiers of sets
// 1..setCount, or nullopt if a report did not arrive or the progress callback stopped it.
std::optional<std::vector<std::string>> readDirectory(MeterLink& link, int setCount,
                                                      const TransferProgress& progress = {});

struct DownloadResult {
    TransferStatus status = TransferStatus::NoAnswer;
    std::uint64_t length = 0;  // the set's length as the meter reported it
    std::string text;          // every byte of every block (64 per block), only when Ok
};

// Asks for the set's size, then for its data, and reads ceil(length / 64) blocks of 64 bytes;
// one more read follows the last block, as the meter expects, and its answer is not used.
DownloadResult downloadSet(MeterLink& link, std::string_view identifier,
                           const TransferProgress& progress = {});

// Reads the 16-bit number in answer bytes 1..2 after a read request (sampling time 25,
// recording period 13); nullopt if no answer arrived.
std::optional<int> readSetting(MeterLink& link, Command command);

}  // namespace photara
