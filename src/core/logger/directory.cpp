#include "core/logger/directory.h"

#include <algorithm>

#include "core/protocol/commands.h"

namespace photara {

int directoryReportCount(int setCount) {
    if (setCount <= 0) return 0;
    return (setCount + kEntriesPerDirectoryReport - 1) / kEntriesPerDirectoryReport;
}

void DirectoryBuffer::append(std::span<const std::uint8_t> report) {
    if (report.size() <= kFirstDirectoryByte) return;
    const auto data = report.subspan(kFirstDirectoryByte);
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

std::optional<std::string> DirectoryBuffer::identifier(int k) const {
    if (k < 1) return std::nullopt;
    const std::size_t first = (static_cast<std::size_t>(k) - 1) * kDirectoryEntrySize;
    if (first + kDirectoryEntrySize > bytes_.size()) return std::nullopt;
    return setIdentifier(std::span<const std::uint8_t, kDirectoryEntrySize>(bytes_.data() + first,
                                                                            kDirectoryEntrySize));
}

std::string setIdentifier(std::span<const std::uint8_t, kDirectoryEntrySize> entry) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(kSetIdentifierLength);
    for (const std::uint8_t b : entry) {
        text.push_back(kHex[b >> 4]);
        text.push_back(kHex[b & 0x0F]);
    }
    return text;
}

std::string startTimeText(std::string_view identifier) {
    // Separators go before the month, day, hour, minute and second pairs.
    static constexpr std::array<std::pair<std::size_t, char>, 5> kSeparators = {
        {{4, '/'}, {6, '/'}, {8, ' '}, {10, ':'}, {12, ':'}}};
    std::string text;
    text.reserve(identifier.size() + kSeparators.size());
    for (std::size_t i = 0; i < identifier.size(); ++i) {
        for (const auto& [position, separator] : kSeparators) {
            if (i == position) text.push_back(separator);
        }
        text.push_back(identifier[i]);
    }
    return text;
}

std::string eraseListItem(int setNumber, std::string_view identifier) {
    return std::to_string(setNumber) + "  " + startTimeText(identifier);
}

std::array<std::uint8_t, kSetIdentifierLength> identifierRequestBytes(std::string_view identifier) {
    std::array<std::uint8_t, kSetIdentifierLength> bytes;
    bytes.fill(0x30);
    const std::size_t n = std::min(identifier.size(), bytes.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char c = identifier[i];
        if (c >= '0' && c <= '9') bytes[i] = static_cast<std::uint8_t>(c);
    }
    return bytes;
}

void writeIdentifier(Report& output, std::string_view identifier) {
    const auto bytes = identifierRequestBytes(identifier);
    std::copy(bytes.begin(), bytes.end(), output.begin() + kFirstArgumentByte);
}

}  // namespace photara
