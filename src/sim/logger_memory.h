#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/local_time.h"
#include "core/protocol/report.h"
#include "sim/data_set_generator.h"

namespace photara::sim {

// The meter's data logger: the recorded sets and the memory they fill. A set is kept as the
// recipe of its text, which is generated when first asked for and then kept.
class LoggerMemory {
  public:
    static constexpr std::uint64_t kDefaultCapacityKiB = 1024;

    LoggerMemory();  // empty
    // The sets a new meter holds: a short one, a one-reading one, a ten-minute one with
    // K values and one of about 13,000 readings that just fits the program's download buffer.
    static LoggerMemory withDemoSets();

    void add(const DataSetRecipe& recipe);
    // A set whose text was made already (a recording of what the meter measured).
    void add(const DataSetRecipe& recipe, std::string text);
    int setCount() const { return static_cast<int>(sets_.size()); }
    const DataSetRecipe& recipe(int index) const {
        return sets_.at(static_cast<std::size_t>(index)).recipe;
    }
    const std::string& text(int index) const;  // 0-based

    // The set whose identifier (14 ASCII digits of its start time, as in request bytes
    // 3..16) matches; nullopt if none.
    std::optional<int> find(std::span<const std::uint8_t> identifierBytes) const;
    bool erase(int index);
    void eraseAll() { sets_.clear(); }

    // Memory figures in k bytes (1024 bytes), as the memory status reports them.
    std::uint64_t capacityKiB() const { return capacityKiB_; }
    void setCapacityKiB(std::uint64_t kib) { capacityKiB_ = kib; }
    std::uint64_t usedKiB() const;
    bool full() const { return usedKiB() >= capacityKiB_; }
    // Whether a set of so many bytes would still fit.
    bool fits(std::uint64_t bytes) const { return bytes <= freeBytes(); }
    std::uint64_t freeBytes() const;

    // Answers.
    Report statusReport() const;
    std::vector<Report> directoryReports() const;
    Report sizeReport(std::optional<int> index) const;
    // The set's text in 64-byte blocks, zero-padded, then one unused report that the host
    // reads after the last block. A missing set sends only that unused report.
    std::vector<Report> dataReports(std::optional<int> index) const;

    // The directory entry of a start time: packed BCD century, year, month, day, hour,
    // minute, second.
    static std::array<std::uint8_t, 7> directoryEntry(const LocalDateTime& start);

  private:
    struct Set {
        DataSetRecipe recipe;
        mutable std::optional<std::string> text;
    };
    std::uint64_t usedBytes() const;

    std::vector<Set> sets_;
    std::uint64_t capacityKiB_ = kDefaultCapacityKiB;
};

// Readings in the largest set that still fits the program's download buffer of 832,000
// bytes (whole 64-byte blocks) with its trailer lines.
int largestFittingSampleCount();

}  // namespace photara::sim
