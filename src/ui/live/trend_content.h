#pragma once

#include <QString>
#include <cstdint>

#include "ui/plotview/plot_view.h"
#include "ui/plotview/value_text.h"
#include "core/reading/units.h"
#include "core/series/moments.h"

namespace photara {

class Series;
class TrendSeries;

// The live trend as a plot: the readings of the quantity shown last (luminance kept in cd/m²,
// or a Δ, a ratio, an accumulation) against clock time, drawn as a min/max envelope per pixel
// column in the unit the user chose, with a marker where the quantity changed ("Δ from
// here"). Other quantities' readings are gaps in the line, never mixed into it.
class TrendContent final : public PlotContent {
  public:
    explicit TrendContent(const TrendSeries& trend) : trend_(&trend) {}

    void setTrend(const TrendSeries& trend) { trend_ = &trend; }
    // Epoch milliseconds of the series' time 0, for the time labels.
    void setOriginMs(std::int64_t ms) { originMs_ = ms; }
    void setUnit(LuminanceUnit unit) { unit_ = unit; }
    LuminanceUnit unit() const { return unit_; }
    // The unit the current quantity is shown in ("cd/m²", "fL", "%", "" for a ratio).
    QString unitText() const;
    double factor() const;  // from the kept unit (cd/m² for luminance) to the shown one
    // What the statistics are of, with the unit shown: "luminance (cd/m²)", "Δ (fL)", "A/B"…
    QString quantityText() const;
    QString timeText(double t, double span) const;

    ViewRange fullRange() const override;
    std::optional<std::pair<double, double>> valueExtent(double t0, double t1) const override;
    QRectF plotArea(const QRectF& rect) const override;
    void paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const override;
    QString cursorText(double t) const override;
    QString statisticsText(const ViewRange& view) const override;

  private:
    const Series& series() const;
    void paintChanges(QPainter& painter, const QRectF& area, const ViewRange& view) const;

    const TrendSeries* trend_;
    std::int64_t originMs_ = 0;
    LuminanceUnit unit_ = LuminanceUnit::CdPerM2;
};

}  // namespace photara
