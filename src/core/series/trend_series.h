#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/reading/reading.h"
#include "core/series/series.h"

namespace photara {

// A mark on the trend: where the quantity shown changed ("Δ from here"), or a moment the user
// marked ("stable from here"), drawn the same way.
struct QuantityChange {
    double t = 0;
    Quantity quantity;
    std::string note;  // the user's words; empty: the quantity changed here
};

// What the trend writes at a mark: its note, or "<quantity> from here".
std::string markLabel(const QuantityChange& mark);

// Readings of every kind on one time axis, one Series per quantity, so a line, an extreme or
// a mean never mixes a Δ or a ratio with a luminance. The quantity shown last is the current
// one; going back to a quantity seen before continues its series after a gap. Shared by the
// live feed and a reopened recording, so both draw the same.
class TrendSeries {
  public:
    TrendSeries();

    // A reading at time t: its value (none when over range), unit and flags as the meter
    // showed them. One with no value or of no kind a trend shows leaves a gap.
    void add(double t, std::optional<double> value, ReadingUnit unit, const ReadingFlags& flags);
    // No reading here (the meter away, a word, the link held): the line does not bridge it.
    void markGap();
    // A mark at t with the user's note, on the current quantity.
    void mark(double t, std::string note);

    // The current quantity's series (an empty one before the first reading).
    const Series& current() const;
    const Quantity& currentQuantity() const;
    // The series of q, or none when q never came.
    const Series* seriesOf(const Quantity& q) const;
    const std::vector<QuantityChange>& changes() const { return changes_; }

  private:
    struct Trace {
        Quantity quantity;
        Series series;
    };

    std::vector<std::unique_ptr<Trace>> traces_;  // pointers: a Series held by a view stays put
    Trace* current_;
    std::vector<QuantityChange> changes_;
};

}  // namespace photara
