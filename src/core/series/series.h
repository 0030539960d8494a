#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/series/moments.h"

namespace photara {

// One pixel column of a drawing: the extremes of the readings whose time falls in it.
struct EnvelopeColumn {
    bool empty = true;
    double min = 0;
    double max = 0;
    std::size_t first = 0;  // index of its first and last reading
    std::size_t last = 0;
    // The line from the previous non-empty column must not be drawn: the meter was away.
    bool gapBefore = false;
};

// Readings over time: an append-only store (times in seconds from an origin the owner
// keeps, never decreasing), gaps where the meter was away, a min/max and moments summary
// per power-of-two block of readings, and running statistics of the whole. A week at four
// readings a second takes about 35 MB; any span's extremes or statistics come from the
// summary in O(log n), so a frame never walks millions of readings.
class Series {
  public:
    Series();
    ~Series();
    Series(Series&&) noexcept;
    Series& operator=(Series&&) noexcept;

    // A time before the last one is taken as the last one (a clock set back).
    void append(double t, double value);
    // The meter went away: the next reading is not joined to the previous one.
    void markGap();
    void clear();

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    double time(std::size_t i) const;
    double value(std::size_t i) const;
    std::size_t gapCount() const { return gaps_.size(); }
    // Whether a gap lies after reading a and at or before reading b (a < b).
    bool gapBetween(std::size_t a, std::size_t b) const;

    // First reading at or after t.
    std::size_t lowerBound(double t) const;

    const Statistics total() const { return total_.statistics(); }
    Moments moments(std::size_t from, std::size_t to) const;  // readings [from, to)
    Statistics statistics(double t0, double t1) const;        // readings with t0 <= t <= t1

    // Columns equal slices of [t0, t1).
    std::vector<EnvelopeColumn> envelope(double t0, double t1, int columns) const;

  private:
    struct Storage;
    void summarise();

    std::unique_ptr<Storage> store_;
    std::size_t size_ = 0;
    std::vector<std::size_t> gaps_;  // index of the first reading after each gap
    Moments total_;
    Moments pending_;  // the base block being filled
};

}  // namespace photara
