#include "core/meter/logger_ops.h"

#include <span>

#include "core/logger/directory.h"
#include "core/protocol/big_endian.h"

namespace photara {
namespace {

// False when the caller wants the transfer stopped.
bool report(const TransferProgress& progress, std::uint64_t done, std::uint64_t total) {
    return !progress || progress(static_cast<int>(done * 100 / total));
}

// A request carrying a set's identifier in bytes 3..16.
Request withIdentifier(Command command, std::string_view identifier) {
    return Request(command).withArguments(identifierRequestBytes(identifier));
}

}  // namespace

MeterOutcome<MemoryStatus> readMemoryStatus(MeterLink& link) {
    const MeterOutcome<Report> answer = link.exchange(Request(Command::MemoryStatus));
    if (!answer) return fail(answer.reason());
    return *decodeMemoryStatus(*answer);  // a whole report always holds the status
}

MeterOutcome<std::vector<std::string>> readDirectory(MeterLink& link, int setCount,
                                                     const TransferProgress& progress) {
    if (!link.connected()) return fail(Failure::NoMeter);
    if (const auto sent = link.send(Request(Command::Directory)); !sent) return fail(sent.reason());
    const int reports = directoryReportCount(setCount);
    DirectoryBuffer buffer;
    for (int i = 1; i <= reports; ++i) {
        const MeterOutcome<Report> answer = link.receive();
        if (!answer) return fail(answer.reason());
        buffer.append(*answer);
        if (!report(progress, static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(reports)))
            return fail(Failure::Stopped);
    }
    std::vector<std::string> identifiers;
    identifiers.reserve(static_cast<std::size_t>(setCount > 0 ? setCount : 0));
    for (int k = 1; k <= setCount; ++k) identifiers.push_back(*buffer.identifier(k));
    return identifiers;
}

MeterOutcome<DownloadedSet> downloadSet(MeterLink& link, std::string_view identifier,
                                        const TransferProgress& progress) {
    const MeterOutcome<Report> size = link.exchange(withIdentifier(Command::SetSize, identifier));
    if (!size) return fail(size.reason());
    DownloadedSet set;
    set.length = readBigEndian(std::span(*size).subspan(1, 5));
    if (set.length > kDownloadCapacity) return fail(Failure::TooLong);
    const std::uint64_t blocks = (set.length + kReportDataSize - 1) / kReportDataSize;

    // The meter takes the set-data request's identifier from the same bytes as the size
    // request's: it is sent again.
    MeterOutcome<Report> block = link.exchange(withIdentifier(Command::SetData, identifier));
    if (!block) return fail(block.reason());
    set.text.reserve(static_cast<std::size_t>(blocks * kReportDataSize));
    for (std::uint64_t j = 1; j <= blocks; ++j) {
        const auto data = std::span(*block).subspan(1, kReportDataSize);
        set.text.append(data.begin(), data.end());
        if (!report(progress, j, blocks)) return fail(Failure::Stopped);
        MeterOutcome<Report> next = link.receive();
        // The read after the last block carries nothing we use, so only a missing block
        // makes the download incomplete.
        if (j == blocks) break;
        if (!next) return fail(next.reason());
        block = std::move(next);
    }
    return set;
}

MeterOutcome<void> eraseSet(MeterLink& link, std::string_view identifier) {
    const MeterOutcome<Report> answer = link.exchange(withIdentifier(Command::EraseSet, identifier));
    if (!answer) return fail(answer.reason());
    return {};
}

MeterOutcome<void> eraseAll(MeterLink& link) {
    const MeterOutcome<Report> answer = link.exchange(Request(Command::EraseAll));
    if (!answer) return fail(answer.reason());
    return {};
}

}  // namespace photara
