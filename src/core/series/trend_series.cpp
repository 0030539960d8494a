#include "core/series/trend_series.h"

#include <algorithm>

namespace photara {

TrendSeries::TrendSeries() {
    // Luminance until something else comes: what an empty trend is labelled with.
    traces_.push_back(std::make_unique<Trace>(
        Trace{{ReadingKind::Luminance, "", ReadingUnit::CdPerM2}, Series()}));
    current_ = traces_.front().get();
}

void TrendSeries::add(double t, std::optional<double> value, ReadingUnit unit,
                      const ReadingFlags& flags) {
    const Quantity q = quantityOf(flags, unit);
    if (!value || q.kind == ReadingKind::None) {
        markGap();
        return;
    }
    if (q != current_->quantity) {
        const auto it = std::find_if(traces_.begin(), traces_.end(),
                                     [&q](const auto& trace) { return trace->quantity == q; });
        if (it == traces_.end()) {
            traces_.push_back(std::make_unique<Trace>(Trace{q, Series()}));
            current_ = traces_.back().get();
        } else {
            current_ = it->get();
        }
        // The time spent on the other quantity is a hole in this one's line.
        current_->series.markGap();
        // The first reading of all says nothing changed; an empty trend only had a label.
        const bool anyBefore = std::any_of(traces_.begin(), traces_.end(), [this](const auto& tr) {
            return tr.get() != current_ && !tr->series.empty();
        });
        if (anyBefore || !current_->series.empty()) changes_.push_back({t, q, {}});
    }
    current_->series.append(t, convertLuminance(*value, unit, LuminanceUnit::CdPerM2));
}

void TrendSeries::markGap() { current_->series.markGap(); }

void TrendSeries::mark(double t, std::string note) {
    changes_.push_back({t, current_->quantity, std::move(note)});
}

std::string markLabel(const QuantityChange& mark) {
    return mark.note.empty() ? std::string(quantityLabel(mark.quantity)) + " from here" : mark.note;
}

const Series& TrendSeries::current() const { return current_->series; }

const Quantity& TrendSeries::currentQuantity() const { return current_->quantity; }

const Series* TrendSeries::seriesOf(const Quantity& q) const {
    for (const auto& trace : traces_) {
        if (trace->quantity == q) return &trace->series;
    }
    return nullptr;
}

}  // namespace photara
