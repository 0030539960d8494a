#include "sim/logger_memory.h"

#include <utility>
#include <algorithm>

#include "core/logger/directory.h"
#include "core/logger/memory_status.h"
#include "core/protocol/big_endian.h"

namespace photara::sim {
namespace {

constexpr std::uint64_t kBytesPerKiB = 1024;

std::uint8_t bcd(int value) {
    return static_cast<std::uint8_t>(value / 10 % 10 * 16 + value % 10);
}

}  // namespace

LoggerMemory::LoggerMemory() = default;

LoggerMemory LoggerMemory::withDemoSets() {
    LoggerMemory memory;
    memory.add({{2026, 11, 28, 9, 15, 0}, 120, 1, 118.0, 11});
    memory.add({{2026, 12, 1, 14, 2, 30}, 1, 1, 42.5, 12});
    memory.add({{2026, 12, 3, 20, 45, 10}, 600, 1, 15800.0, 13});
    memory.add({{2026, 12, 5, 8, 0, 0}, largestFittingSampleCount(), 1, 86.0, 14});
    return memory;
}

int largestFittingSampleCount() {
    // Every data line has the same length; the trailer barely changes with the count.
    const std::size_t line = generateDataText({{}, 2, 1, 100.0, 1}).size() -
                             generateDataText({{}, 1, 1, 100.0, 1}).size();
    const std::size_t trailer = generateDataText({{}, 0, 1, 100.0, 1}).size();
    int samples = static_cast<int>((kDownloadCapacity - trailer - 16) / line);
    return std::max(samples, 0);
}

void LoggerMemory::add(const DataSetRecipe& recipe) {
    sets_.push_back(Set{recipe, std::nullopt});
}

void LoggerMemory::add(const DataSetRecipe& recipe, std::string text) {
    sets_.push_back(Set{recipe, std::move(text)});
}

const std::string& LoggerMemory::text(int index) const {
    const Set& set = sets_.at(static_cast<std::size_t>(index));
    if (!set.text) set.text = generateDataText(set.recipe);
    return *set.text;
}

std::optional<int> LoggerMemory::find(std::span<const std::uint8_t> identifierBytes) const {
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const auto entry = directoryEntry(sets_[i].recipe.start);
        const auto wanted = identifierRequestBytes(setIdentifier(entry));
        if (identifierBytes.size() >= wanted.size() &&
            std::equal(wanted.begin(), wanted.end(), identifierBytes.begin())) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

bool LoggerMemory::erase(int index) {
    if (index < 0 || index >= setCount()) return false;
    sets_.erase(sets_.begin() + index);
    return true;
}

std::uint64_t LoggerMemory::usedBytes() const {
    std::uint64_t bytes = 0;
    for (int i = 0; i < setCount(); ++i) bytes += text(i).size();
    return bytes;
}

std::uint64_t LoggerMemory::usedKiB() const {
    return (usedBytes() + kBytesPerKiB - 1) / kBytesPerKiB;
}

std::uint64_t LoggerMemory::freeBytes() const {
    const std::uint64_t capacity = capacityKiB_ * kBytesPerKiB;
    const std::uint64_t used = usedBytes();
    return used < capacity ? capacity - used : 0;
}

Report LoggerMemory::statusReport() const {
    Report r{};
    writeBigEndian(std::span(r).subspan(1, 5), capacityKiB_);
    writeBigEndian(std::span(r).subspan(6, 5), usedKiB());
    writeBigEndian(std::span(r).subspan(11, 2), static_cast<std::uint64_t>(setCount()));
    return r;
}

std::vector<Report> LoggerMemory::directoryReports() const {
    std::vector<Report> reports(static_cast<std::size_t>(directoryReportCount(setCount())));
    for (int k = 0; k < setCount(); ++k) {
        const auto entry = directoryEntry(sets_[static_cast<std::size_t>(k)].recipe.start);
        Report& r = reports[static_cast<std::size_t>(k / kEntriesPerDirectoryReport)];
        const std::size_t at =
            kFirstDirectoryByte +
            static_cast<std::size_t>(k % kEntriesPerDirectoryReport) * kDirectoryEntrySize;
        std::copy(entry.begin(), entry.end(), r.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return reports;
}

Report LoggerMemory::sizeReport(std::optional<int> index) const {
    Report r{};
    writeBigEndian(std::span(r).subspan(1, 5), index ? text(*index).size() : 0);
    return r;
}

std::vector<Report> LoggerMemory::dataReports(std::optional<int> index) const {
    std::vector<Report> reports;
    if (index) {
        const std::string& t = text(*index);
        reports.resize((t.size() + kReportDataSize - 1) / kReportDataSize);
        for (std::size_t i = 0; i < t.size(); ++i) {
            reports[i / kReportDataSize][1 + i % kReportDataSize] = static_cast<std::uint8_t>(t[i]);
        }
    }
    reports.push_back(Report{});  // read after the last block, not used
    return reports;
}

std::array<std::uint8_t, 7> LoggerMemory::directoryEntry(const LocalDateTime& start) {
    return {bcd(start.year / 100), bcd(start.year % 100), bcd(start.month), bcd(start.day),
            bcd(start.hour),       bcd(start.minute),     bcd(start.second)};
}

}  // namespace photara::sim
