#pragma once

#include <cstdint>
#include <limits>

namespace photara {

// What a span of readings says: count, extremes, mean, standard deviation and drift.
struct Statistics {
    std::uint64_t n = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    double sd = 0;              // sample standard deviation (n - 1); 0 below two readings
    double driftPerMinute = 0;  // slope of the least-squares line through (time, value)

    // All but n scaled by factor (a change of unit); a negative factor swaps min and max.
    Statistics scaled(double factor) const;
};

// Running moments of (time, value) pairs. Two spans' moments merge into those of both
// (pairwise update, numerically stable), so the statistics of any span come from a few
// stored blocks instead of a pass over the readings.
class Moments {
  public:
    void add(double t, double v);
    void merge(const Moments& other);

    std::uint64_t count() const { return n_; }
    double min() const { return min_; }
    double max() const { return max_; }
    Statistics statistics() const;

  private:
    std::uint64_t n_ = 0;
    double min_ = std::numeric_limits<double>::infinity();
    double max_ = -std::numeric_limits<double>::infinity();
    double meanT_ = 0;
    double meanV_ = 0;
    double m2T_ = 0;  // sum of squared deviations of time
    double m2V_ = 0;  // of value
    double cTV_ = 0;  // sum of products of the two deviations
};

}  // namespace photara
