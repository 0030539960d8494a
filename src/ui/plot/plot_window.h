#pragma once

#include <QWidget>

#include "core/plot/plot_geometry.h"
#include "ui/plot/plot_picture.h"

class QToolBar;

namespace photara {

struct AppContext;
class RangePanel;

// The plot "Plot": the samples it was opened on, drawn with the shared plot settings on
// white, with a toolbar (Unit, Range, Print, Export, Copy) and the range panel. The drawing covers
// the whole client area; the toolbar sits over its top, above the plot area. It keeps its own copy
// of the samples: a data list loading another set meanwhile replaces the shared ones, and a redraw
// must not put that set's readings under this one's ranges.
class PlotWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWindow(AppContext& context, QWidget* parent = nullptr);

    QToolBar* toolbar() const { return toolbar_; }
    RangePanel* rangePanel() const { return range_; }
    // The drawing of the last redraw (for its plot width W) and the label step.
    const PlotDrawing& drawing() const { return drawing_; }
    double labelStep() const { return labelStep_; }

    // Toolbar button by key: "Unit" (fL <-> cd/m2 for the second curve), "Range", "Print",
    // "Export" or "Copy".
    void toolbarClicked(const QString& key);
    // Prints the graph without the toolbar through the print dialog (also Ctrl+P): landscape
    // unless the user picks otherwise, filling the page under the caption and the date.
    void print();
    // Asks for a file and writes the graph with its caption as PNG (at a size the user
    // picks, the window's size ×2 at first), SVG or PDF.
    void exportPicture();
    // Puts the picture (the window's size ×2) on the clipboard (also Ctrl+C).
    void copyPicture();
    // The graph with its caption, as pictures and printouts show it.
    PlotPicture picture(const QString& printed = QString()) const;
    // Renders the graph alone at the window's size, as it is printed.
    void renderGraph(QPainter& painter) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyRange();
    void redraw();
    QSize minimumPlotSize() const;

    AppContext& context_;
    const Samples samples_;
    PictureCaption caption_;
    QToolBar* toolbar_ = nullptr;
    RangePanel* range_ = nullptr;
    PlotDrawing drawing_;
    double labelStep_ = 1;
    bool secondInCd_ = false;  // "Unit": the fL curve shown in cd/m2
};

}  // namespace photara
