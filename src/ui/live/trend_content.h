#pragma once

#include <QString>
#include <cstdint>

#include "ui/plotview/plot_view.h"
#include "ui/plotview/value_text.h"
#include "core/reading/units.h"
#include "core/series/moments.h"

namespace photara {

class Series;

// The live trend as a plot: a series of luminance readings (kept in cd/m²) against clock
// time, drawn as a min/max envelope per pixel column, shown in the unit the user chose.
class TrendContent final : public PlotContent {
  public:
    explicit TrendContent(const Series& series) : series_(&series) {}

    void setSeries(const Series& series) { series_ = &series; }
    // Epoch milliseconds of the series' time 0, for the time labels.
    void setOriginMs(std::int64_t ms) { originMs_ = ms; }
    void setUnit(LuminanceUnit unit) { unit_ = unit; }
    LuminanceUnit unit() const { return unit_; }
    QString unitText() const;
    double factor() const;  // from cd/m² to the shown unit
    QString timeText(double t, double span) const;

    ViewRange fullRange() const override;
    std::optional<std::pair<double, double>> valueExtent(double t0, double t1) const override;
    QRectF plotArea(const QRectF& rect) const override;
    void paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const override;
    QString cursorText(double t) const override;
    QString statisticsText(const ViewRange& view) const override;

  private:
    const Series* series_;
    std::int64_t originMs_ = 0;
    LuminanceUnit unit_ = LuminanceUnit::CdPerM2;
};

}  // namespace photara
