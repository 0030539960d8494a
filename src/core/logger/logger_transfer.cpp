#include "logger/logger_transfer.h"

#include <span>

#include "link/meter_link.h"
#include "logger/directory.h"
#include "protocol/big_endian.h"
#include "protocol/commands.h"

namespace photara {
namespace {

std::span<const std::uint8_t> answerBytes(const MeterLink& link, std::size_t first,
                                          std::size_t count) {
    return std::span<const std::uint8_t>(link.answer()).subspan(first, count);
}

// False when the caller wants the transfer stopped.
bool report(const TransferProgress& progress, std::uint64_t done, std::uint64_t total) {
    return !progress || progress(static_cast<int>(done * 100 / total));
}

}  // namespace

std::optional<MemoryStatus> readMemoryStatus(MeterLink& link) {
    link.request(Command::MemoryStatus);
    link.writeThenRead();
    if (!link.connected()) return std::nullopt;
    return decodeMemoryStatus(link.answer());
}

std::optional<std::vector<std::string>> readDirectory(MeterLink& link, int setCount,
                                                      const TransferProgress& progress) {
    const int reports = directoryReportCount(setCount);
    // A write-only to an absent meter only searches for it; the reads would then return
    // nothing but old bytes.
    if (!link.connected()) return std::nullopt;
    link.request(Command::Directory);
    link.writeOnly();
    DirectoryBuffer buffer;
    for (int i = 1; i <= reports; ++i) {
        link.readOnly();
        if (!link.connected()) return std::nullopt;
        buffer.append(link.answer());
        if (!report(progress, static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(reports)))
            return std::nullopt;
    }
    std::vector<std::string> identifiers;
    identifiers.reserve(static_cast<std::size_t>(setCount > 0 ? setCount : 0));
    for (int k = 1; k <= setCount; ++k) identifiers.push_back(*buffer.identifier(k));
    return identifiers;
}

DownloadResult downloadSet(MeterLink& link, std::string_view identifier,
                           const TransferProgress& progress) {
    DownloadResult result;
    writeIdentifier(link.output(), identifier);
    link.request(Command::SetSize);
    link.writeThenRead();
    if (!link.connected()) return result;
    result.length = readBigEndian(answerBytes(link, 1, 5));
    if (result.length > kDownloadCapacity) {
        result.status = TransferStatus::TooLong;
        return result;
    }
    const std::uint64_t blocks = (result.length + kReportDataSize - 1) / kReportDataSize;

    // Bytes 3..16 still hold the identifier written for the size request.
    link.request(Command::SetData);
    link.writeThenRead();
    if (!link.connected()) return result;
    std::string text;
    text.reserve(static_cast<std::size_t>(blocks * kReportDataSize));
    for (std::uint64_t j = 1; j <= blocks; ++j) {
        const auto block = answerBytes(link, 1, kReportDataSize);
        text.append(block.begin(), block.end());
        if (!report(progress, j, blocks)) {
            result.status = TransferStatus::Stopped;
            return result;
        }
        link.readOnly();
        // The read after the last block carries nothing we use, so only a missing block
        // makes the download incomplete.
        if (j < blocks && !link.connected()) return result;
    }
    result.status = TransferStatus::Ok;
    result.text = std::move(text);
    return result;
}

std::optional<int> readSetting(MeterLink& link, Command command) {
    link.request(command);
    link.writeThenRead();
    if (!link.connected()) return std::nullopt;
    return static_cast<int>(readBigEndian(answerBytes(link, 1, 2)));
}

}  // namespace photara
