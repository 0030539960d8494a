#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>
#include <utility>

#include "ui/plotview/viewport.h"

class QLabel;
class QRubberBand;

namespace photara {

// What a PlotView shows: the content draws itself in a view range, the view moves the
// range. The live trend and the set plot are two contents of the one view.
class PlotContent {
  public:
    virtual ~PlotContent() = default;
    // The data's whole extent: Home shows it.
    virtual ViewRange fullRange() const = 0;
    // Lowest and highest value between t0 and t1, for autoscale; nothing when none.
    virtual std::optional<std::pair<double, double>> valueExtent(double t0, double t1) const = 0;
    // The part of rect where data is drawn (the rest holds the axes' labels).
    virtual QRectF plotArea(const QRectF& rect) const = 0;
    virtual void paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const = 0;
    // Time and values at time t, for the cursor's readout.
    virtual QString cursorText(double t) const = 0;
    // The statistics of the visible span, one line.
    virtual QString statisticsText(const ViewRange& view) const = 0;
};

// A plot the user explores: the wheel zooms the time axis (with Shift the value axis) about
// the pointer, a drag pans, a right-button (or Ctrl) drag zooms into a rubber band, Home or
// a double click shows the full range again; the keyboard does the same (+, -, arrows,
// Home). A cursor line follows the pointer with its time and values, and a strip under the
// plot gives the statistics of the visible span.
class PlotView final : public QWidget {
    Q_OBJECT
  public:
    explicit PlotView(PlotContent& content, QWidget* parent = nullptr);

    Viewport& viewport() { return viewport_; }
    const Viewport& viewport() const { return viewport_; }

    // Values fitted to the visible data (true), or the content's full range (false). A zoom
    // of the values turns autoscale off until Home.
    void setAutoscale(bool on);
    bool autoscale() const { return autoscale_; }
    // A value range the user fixed; turns autoscale off, and Home keeps it.
    void setValueRange(double lo, double hi);

    // The content's data changed (a reading arrived, a file was opened): take its range.
    void contentChanged();
    void home();

    // The plot without the cursor, as paintEvent draws it, into any painter.
    void render(QPainter& painter, const QRectF& rect) const;
    QRectF contentRect() const;  // the widget above the statistics strip
    QRectF plotRect() const;     // where the content draws its data in the widget
    QLabel* statisticsStrip() const { return strip_; }
    int stripHeight() const;  // what the strip takes from the bottom of the widget
    std::optional<double> cursorTime() const { return cursorT_; }
    // Places the cursor at time t (what the pointer does), for keyboard users and tests.
    void setCursorTime(std::optional<double> t);
    QString cursorText() const;

  signals:
    // The visible range, following or autoscale changed.
    void viewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QPointF toData(QPointF pixel) const;
    ViewMapping mappingOnto(const QRectF& area) const;
    void changed();
    void placeStrip();

    PlotContent& content_;
    Viewport viewport_;
    bool autoscale_ = true;
    bool homeAutoscale_ = true;  // what Home goes back to
    std::optional<std::pair<double, double>> fixed_;
    QLabel* strip_;
    QRubberBand* band_;
    std::optional<QPointF> dragFrom_;
    std::optional<QPointF> bandFrom_;
    std::optional<double> cursorT_;
};

}  // namespace photara
