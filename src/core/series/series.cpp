#include "core/series/series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace photara {
namespace {

constexpr std::size_t kChunkBits = 16;
constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;
// The smallest summarised block: 64 readings. Below it a query reads the readings.
constexpr std::size_t kBaseBits = 6;

// An array that grows in fixed chunks: no copy and no doubled capacity when it grows.
template <typename T>
class Chunked {
  public:
    void push(std::size_t at, T v) {
        // Not zeroed: only [0, size) is ever read, and zeroing a whole chunk at the first
        // reading would hold up the first poll shown.
        if ((at >> kChunkBits) == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunk));
        chunks_[at >> kChunkBits][at & (kChunk - 1)] = v;
    }
    T operator[](std::size_t i) const { return chunks_[i >> kChunkBits][i & (kChunk - 1)]; }

  private:
    std::vector<std::unique_ptr<T[]>> chunks_;
};

}  // namespace

struct Series::Storage {
    Chunked<double> times;
    Chunked<float> values;  // the display has four digits: a float holds them exactly enough
    // levels[k][j]: readings [j << (kBaseBits + k), (j + 1) << (kBaseBits + k)).
    std::vector<std::vector<Moments>> levels;

    // Walks [from, to) as the largest whole summarised blocks, reading the rest one by one.
    template <typename Raw, typename Block>
    void walk(std::size_t from, std::size_t to, Raw raw, Block block) const {
        std::size_t i = from;
        while (i < to) {
            const auto fits = [&](std::size_t k) {
                const std::size_t bits = kBaseBits + k;
                return k < levels.size() && (i & ((std::size_t{1} << bits) - 1)) == 0 &&
                       i + (std::size_t{1} << bits) <= to && (i >> bits) < levels[k].size();
            };
            if (!fits(0)) {
                raw(i);
                ++i;
                continue;
            }
            std::size_t k = 0;
            while (fits(k + 1)) ++k;
            block(levels[k][i >> (kBaseBits + k)]);
            i += std::size_t{1} << (kBaseBits + k);
        }
    }
};

Series::Series() : store_(std::make_unique<Storage>()) {}
Series::~Series() = default;
Series::Series(Series&&) noexcept = default;
Series& Series::operator=(Series&&) noexcept = default;

void Series::clear() { *this = Series(); }

double Series::time(std::size_t i) const { return store_->times[i]; }
double Series::value(std::size_t i) const { return store_->values[i]; }

void Series::append(double t, double value) {
    if (size_ > 0) t = std::max(t, time(size_ - 1));
    const auto v = static_cast<float>(value);
    store_->times.push(size_, t);
    store_->values.push(size_, v);
    ++size_;
    total_.add(t, v);
    pending_.add(t, v);
    if ((size_ & ((std::size_t{1} << kBaseBits) - 1)) == 0) summarise();
}

// A base block is complete: store it, and pair it upwards while its level has an even count.
void Series::summarise() {
    auto& levels = store_->levels;
    if (levels.empty()) levels.emplace_back();
    levels[0].push_back(std::exchange(pending_, Moments{}));
    for (std::size_t k = 0; levels[k].size() % 2 == 0; ++k) {
        Moments pair = levels[k][levels[k].size() - 2];
        pair.merge(levels[k].back());
        if (k + 1 == levels.size()) levels.emplace_back();
        levels[k + 1].push_back(pair);
    }
}

void Series::markGap() {
    // Before the first reading there is nothing to keep apart.
    if (size_ == 0) return;
    if (gaps_.empty() || gaps_.back() != size_) gaps_.push_back(size_);
}

bool Series::gapBetween(std::size_t a, std::size_t b) const {
    const auto it = std::upper_bound(gaps_.begin(), gaps_.end(), a);
    return it != gaps_.end() && *it <= b;
}

std::size_t Series::lowerBound(double t) const {
    std::size_t lo = 0;
    std::size_t hi = size_;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (time(mid) < t) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

Moments Series::moments(std::size_t from, std::size_t to) const {
    Moments m;
    store_->walk(
        from, std::min(to, size_), [&](std::size_t i) { m.add(time(i), value(i)); },
        [&](const Moments& b) { m.merge(b); });
    return m;
}

Statistics Series::statistics(double t0, double t1) const {
    return moments(lowerBound(t0), lowerBound(std::nextafter(t1, HUGE_VAL))).statistics();
}

std::vector<EnvelopeColumn> Series::envelope(double t0, double t1, int columns) const {
    std::vector<EnvelopeColumn> out(static_cast<std::size_t>(std::max(columns, 0)));
    if (out.empty() || !(t1 > t0)) return out;
    const double width = (t1 - t0) / static_cast<double>(out.size());
    std::size_t from = lowerBound(t0);
    std::size_t previousLast = 0;
    bool anyBefore = false;
    for (std::size_t c = 0; c < out.size(); ++c) {
        const double end = c + 1 == out.size() ? t1 : t0 + width * static_cast<double>(c + 1);
        const std::size_t to = lowerBound(end);
        if (to > from) {
            EnvelopeColumn& col = out[c];
            col.empty = false;
            col.first = from;
            col.last = to - 1;
            double lo = std::numeric_limits<double>::infinity();
            double hi = -lo;
            store_->walk(
                from, to,
                [&](std::size_t i) {
                    lo = std::min(lo, value(i));
                    hi = std::max(hi, value(i));
                },
                [&](const Moments& b) {
                    lo = std::min(lo, b.min());
                    hi = std::max(hi, b.max());
                });
            col.min = lo;
            col.max = hi;
            // The first column joins the reading before the view, unless a gap is between.
            if (anyBefore) {
                col.gapBefore = gapBetween(previousLast, col.first);
            } else if (col.first > 0) {
                col.gapBefore = gapBetween(col.first - 1, col.first);
            }
            previousLast = col.last;
            anyBefore = true;
        }
        from = to;
    }
    return out;
}

}  // namespace photara
