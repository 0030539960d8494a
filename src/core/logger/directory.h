#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/report.h"

namespace photara {

// Each directory entry is the start time of one set in packed BCD: century, year, month,
// day, hour, minute, second. A directory report carries up to nine entries in bytes 2..64.
inline constexpr std::size_t kDirectoryEntrySize = 7;
inline constexpr int kEntriesPerDirectoryReport = 9;
inline constexpr std::size_t kFirstDirectoryByte = 2;
inline constexpr std::size_t kDirectoryBytesPerReport = kReportSize - kFirstDirectoryByte;

// Identifiers are the 14 hexadecimal digits of an entry's seven bytes.
inline constexpr std::size_t kSetIdentifierLength = 2 * kDirectoryEntrySize;

// Reports the meter sends for this many sets: one per nine sets, rounded up.
int directoryReportCount(int setCount);

// The directory reports of one read, concatenated (bytes 2..64 of each).
class DirectoryBuffer {
  public:
    // Appends bytes 2..64 of a report (byte 0 the report id); shorter reports add what they have.
    void append(std::span<const std::uint8_t> report);

    // Identifier of set k (1-based); nullopt when the buffer does not reach entry k.
    std::optional<std::string> identifier(int k) const;

    std::size_t size() const { return bytes_.size(); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Each entry byte as two uppercase hexadecimal digits, in entry order: 0x20 0x19 0x08 0x01
// 0x12 0x34 0x56 gives "20190801123456".
std::string setIdentifier(std::span<const std::uint8_t, kDirectoryEntrySize> entry);

// "2019/08/01 12:34:56" from "20190801123456". A short identifier gives what it has.
std::string startTimeText(std::string_view identifier);

// The erase list's item for set k: "1  2019/08/01 12:34:56".
std::string eraseListItem(int setNumber, std::string_view identifier);

// The identifier as the meter expects it in request bytes 3..16: each decimal digit d as
// 0x30 + d; any other character (a hexadecimal letter from invalid BCD) as 0x30.
std::array<std::uint8_t, kSetIdentifierLength> identifierRequestBytes(std::string_view identifier);

// Puts identifierRequestBytes into output bytes 3..16.
void writeIdentifier(Report& output, std::string_view identifier);

}  // namespace photara
