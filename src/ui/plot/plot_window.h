#pragma once

#include <QWidget>
#include <array>

#include "core/plot/plot_geometry.h"
#include "ui/plot/plot_command.h"
#include "ui/plot/plot_picture.h"
#include "ui/plot/set_plot_content.h"

class QToolBar;

namespace photara {

struct AppContext;
class PlotView;
class RangePanel;

// The plot "Plot": the samples it was opened on, drawn with the shared plot settings on
// white, with a toolbar (Unit, Range, Print, Export, Copy) and the range panel. The drawing covers
// the client area above a strip with the statistics of the visible span; the toolbar sits over
// its top, above the plot area. The user explores the plot (PlotView: wheel, drag, rubber band,
// Home, cursor); zooming changes what is shown, never the settings, and Home (or a Range OK)
// shows the full drawing again. It keeps its own copy of the samples: a data list loading
// another set meanwhile replaces the shared ones, and a redraw must not put that set's
// readings under this one's ranges.
class PlotWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWindow(AppContext& context, QWidget* parent = nullptr);

    QToolBar* toolbar() const { return toolbar_; }
    RangePanel* rangePanel() const { return range_; }
    PlotView* plotView() const { return view_; }
    SetPlotContent& content() { return content_; }
    // The drawing as shown now (its plot width W is what Counts refers to) and the label step.
    const PlotDrawing& drawing() const;
    double labelStep() const { return labelStep_; }

    // A toolbar button: Unit (fL <-> cd/m2 for the second curve), Range, Print, Export, Copy.
    void toolbarClicked(PlotCommand command);
    // Prints the graph without the toolbar through the print dialog (also Ctrl+P): landscape
    // unless the user picks otherwise, filling the page under the caption and the date.
    void print();
    // Asks for a file and writes the graph with its caption as PNG (at a size the user
    // picks, the window's size ×2 at first), SVG or PDF.
    void exportPicture();
    // Puts the picture (the window's size ×2) on the clipboard (also Ctrl+C).
    void copyPicture();
    // The graph with its caption, as pictures and printouts show it: the whole set, with the
    // settings and the unit the window shows.
    PlotPicture picture(const QString& printed = QString()) const;
    // Renders the graph as the window shows it (the visible span, without the cursor, the
    // toolbar and the statistics strip) at its size.
    void renderGraph(QPainter& painter) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyRange();
    QSize minimumPlotSize() const;

    AppContext& context_;
    const Samples samples_;
    // The captions of pictures and printouts: the second curve in fL, then in cd/m².
    std::array<PictureCaption, 2> captions_;
    SetPlotContent content_;
    PlotView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    RangePanel* range_ = nullptr;
    double labelStep_ = 1;
};

}  // namespace photara
