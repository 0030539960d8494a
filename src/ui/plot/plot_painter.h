#pragma once

#include <QFont>
#include <QFontMetricsF>

#include "core/plot/plot_geometry.h"

class QPainter;

namespace photara {

// Text metrics of a font, for the plot geometry.
class FontTextMetrics final : public TextMetrics {
  public:
    explicit FontTextMetrics(const QFont& font) : metrics_(font) {}
    double width(std::string_view text) const override;
    double height(std::string_view text) const override;

  private:
    QFontMetricsF metrics_;
};

// A font fixed in pixels, so the drawing keeps its proportions on any device, the printer
// included, where a point size would be resolved at the printer's resolution.
QFont plotFont(const QFont& widgetFont);

// Paints a drawing, texts by their top-left corner. The painter's font must be the one
// the drawing was measured with.
void paintPlot(QPainter& painter, const PlotDrawing& drawing);

}  // namespace photara
