#pragma once

#include <QFont>
#include <QLineF>
#include <QVector>
#include <array>

#include "core/datafile/samples.h"
#include "core/plot/plot_geometry.h"
#include "core/series/series.h"
#include "ui/plot/plot_painter.h"
#include "ui/plotview/plot_view.h"

namespace photara {

// A set's two curves as a plot the user explores. Across: the sample positions (t is the
// sample index, as the drawing places the samples). Up: a fraction 0 … 1 of the Range's
// scales, so one zoom moves both scales together and the settings are never touched. At the
// full range it draws exactly the plot window's drawing (drawPlot); zoomed in, the same axes
// with both scales' labels for the visible part, the time texts of the samples in view, and
// each curve as a min/max envelope per pixel column, cut at the plot area's edges.
class SetPlotContent final : public PlotContent {
  public:
    // The narrowest zoom shows this many steps between samples.
    static constexpr double kMinimumZoomSamples = 4;

    // samples and settings must outlive the content; settings are read at every redraw.
    SetPlotContent(const Samples& samples, const PlotSettings& settings);

    // The plot font (plotFont), which the layout is measured with.
    void setFont(const QFont& font);
    // "Unit": the luminance in cd/m² alone. The second curve is the same readings in fL, so
    // beside the first on its own scale it would draw every reading twice: it goes, with its
    // scale and statistics.
    void setCdOnly(bool on);
    bool cdOnly() const { return cdOnly_; }

    // The drawing of a client area of `size` showing `view` (the last one is kept, so a
    // repaint for the cursor costs no geometry).
    const PlotDrawing& drawing(QSizeF size, const ViewRange& view) const;
    // The whole set as the full range shows it, with the curves shown, measured with `metrics` (pictures and printouts draw this on their own surface).
    PlotDrawing fullDrawing(QSizeF size, const TextMetrics& metrics) const;
    // The statistics of the samples in view, first and second curve (none of the second
    // while it is not shown).
    std::array<Statistics, 2> visibleStatistics(const ViewRange& view) const;

    ViewRange fullRange() const override;
    std::optional<std::pair<double, double>> valueExtent(double t0, double t1) const override;
    QRectF plotArea(const QRectF& rect) const override;
    void paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const override;
    QString cursorText(double t) const override;
    QString statisticsText(const ViewRange& view) const override;

  private:
    struct Frame {
        bool valid = false;
        QSizeF size;
        ViewRange view;
        PlotSettings settings;
        bool cdOnly = false;
        PlotDrawing drawing;
        QVector<QLineF> firstLines;  // the curves of a zoomed view
        QVector<QLineF> secondLines;
    };

    const Frame& frame(QSizeF size, const ViewRange& view) const;
    void drawZoomed(Frame& f) const;
    void dropSecond(PlotDrawing& d) const;
    std::string_view firstTimeText() const;

    const Samples& samples_;
    const PlotSettings& settings_;
    Series first_;  // the shown samples, t = index, for envelopes and statistics
    Series second_;
    QFont font_;
    FontTextMetrics metrics_;
    bool cdOnly_ = false;
    mutable Frame frame_;
};

}  // namespace photara
