#include "ui/plotview/plot_view.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>
#include <cmath>

#include "ui/plotview/readout_box.h"

namespace photara {
namespace {

constexpr double kWheelZoom = 0.8;  // one wheel notch shows 80 % of the span
constexpr double kKeyPan = 0.1;     // an arrow key moves a tenth of the span
constexpr int kBandMinPixels = 4;   // a smaller band is a click, not a zoom

}  // namespace

PlotView::PlotView(PlotContent& content, QWidget* parent)
    : QWidget(parent), content_(content) {
    setObjectName(QStringLiteral("PlotView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(240, 160);
    setToolTip(QStringLiteral(
        "Wheel: zoom time (Shift: values) · drag: pan · right-drag or Ctrl+drag: zoom to a "
        "box · Home or double-click: full range"));
    strip_ = new QLabel(this);
    strip_->setObjectName(QStringLiteral("statisticsStrip"));
    strip_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    strip_->setContentsMargins(6, 2, 6, 2);
    band_ = new QRubberBand(QRubberBand::Rectangle, this);
    contentChanged();
}

void PlotView::setAutoscale(bool on) {
    homeAutoscale_ = on;
    if (on) fixed_.reset();
    if (autoscale_ == on) return;
    autoscale_ = on;
    changed();
}

void PlotView::setValueRange(double lo, double hi) {
    autoscale_ = homeAutoscale_ = false;
    fixed_ = std::make_pair(lo, hi);
    ViewRange r = viewport_.visible();
    r.v0 = lo;
    r.v1 = hi;
    const bool following = viewport_.following();
    viewport_.zoomTo(r);
    viewport_.setFollowing(following);
    changed();
}

void PlotView::contentChanged() {
    viewport_.setFull(content_.fullRange());
    changed();
}

void PlotView::home() {
    viewport_.home();
    // A range the user fixed stays fixed; a zoom of the values is undone.
    autoscale_ = homeAutoscale_;
    if (fixed_) viewport_.fitValues(fixed_->first, fixed_->second);
    changed();
}

// After every change: fit the values when autoscaling, refresh the strip, repaint.
void PlotView::changed() {
    if (autoscale_) {
        const ViewRange& v = viewport_.visible();
        if (const auto extent = content_.valueExtent(v.t0, v.t1)) {
            const double margin = (extent->second - extent->first) * 0.05;
            viewport_.fitValues(extent->first - margin, extent->second + margin);
        }
    }
    // The cursor stays under the pointer: after Home, a key or a band it marks another time.
    if (cursorT_ && underMouse()) {
        const QPointF p = mapFromGlobal(QCursor::pos().toPointF());
        cursorT_ = plotRect().contains(p) ? std::optional<double>(toData(p).x()) : std::nullopt;
    }
    strip_->setText(content_.statisticsText(viewport_.visible()));
    if (strip_->height() != stripHeight()) placeStrip();
    update();
    emit viewChanged();
}

int PlotView::stripHeight() const { return strip_->sizeHint().height(); }

QRectF PlotView::contentRect() const { return QRectF(0, 0, width(), height() - stripHeight()); }

QRectF PlotView::plotRect() const {
    return content_.plotArea(contentRect());
}

void PlotView::render(QPainter& painter, const QRectF& rect) const {
    content_.paint(painter, rect, viewport_.visible());
}

QString PlotView::cursorText() const { return cursorT_ ? content_.cursorText(*cursorT_) : QString(); }

void PlotView::setCursorTime(std::optional<double> t) {
    cursorT_ = t;
    update();
}

void PlotView::resizeEvent(QResizeEvent*) { placeStrip(); }

void PlotView::placeStrip() {
    const int h = stripHeight();
    strip_->setGeometry(0, height() - h, width(), h);
}

void PlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    render(painter, contentRect());
    if (!cursorT_) return;
    const QRectF area = plotRect();
    const double x = mappingOnto(area).x(*cursorT_);
    if (x < area.left() || x > area.right()) return;
    painter.setPen(QPen(QColor(200, 60, 40), 1, Qt::DashLine));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    // The text's advance, not its ink, sizes the box: the whole text lies inside it. A text
    // wider than the plot area is cut short rather than drawn over the scales.
    const QFontMetricsF metrics(painter.font());
    const QString text = metrics.elidedText(cursorText(), Qt::ElideRight, area.width() - 8);
    const QRectF box = readoutBox(
        QSizeF(metrics.horizontalAdvance(text) + 8, metrics.height() + 4), x, area);
    painter.fillRect(box, QColor(255, 255, 230, 230));
    painter.setPen(palette().text().color());
    painter.drawText(box, Qt::AlignCenter, text);
}

ViewMapping PlotView::mappingOnto(const QRectF& area) const {
    return ViewMapping(viewport_.visible(), area.left(), area.top(), area.width(), area.height());
}

QPointF PlotView::toData(QPointF p) const {
    const ViewMapping mapping = mappingOnto(plotRect());
    return {mapping.t(p.x()), mapping.v(p.y())};
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    const double factor = std::pow(kWheelZoom, notches);
    const QPointF at = toData(event->position());
    if (event->modifiers() & Qt::ShiftModifier) {
        autoscale_ = false;
        viewport_.zoomValue(factor, at.y());
    } else {
        viewport_.zoomTime(factor, at.x());
    }
    changed();
    event->accept();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    const bool band = event->button() == Qt::RightButton ||
                      (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier));
    if (band) {
        bandFrom_ = event->position();
        band_->setGeometry(QRect(event->position().toPoint(), QSize()));
        band_->show();
    } else if (event->button() == Qt::LeftButton) {
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (bandFrom_) {
        band_->setGeometry(QRectF(*bandFrom_, p).normalized().toRect());
    } else if (dragFrom_) {
        const QPointF from = toData(*dragFrom_);
        const QPointF to = toData(p);
        viewport_.pan(from.x() - to.x(), autoscale_ ? 0 : from.y() - to.y());
        dragFrom_ = p;
        changed();
    }
    cursorT_ = plotRect().contains(p) ? std::optional<double>(toData(p).x()) : std::nullopt;
    update();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (bandFrom_) {
        band_->hide();
        const QRectF box = QRectF(*bandFrom_, event->position()).normalized();
        bandFrom_.reset();
        if (box.width() < kBandMinPixels || box.height() < kBandMinPixels) return;
        const QPointF a = toData(box.bottomLeft());
        const QPointF b = toData(box.topRight());
        autoscale_ = false;
        viewport_.zoomTo({a.x(), b.x(), a.y(), b.y()});
        changed();
        return;
    }
    dragFrom_.reset();
    unsetCursor();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent*) { home(); }

void PlotView::keyPressEvent(QKeyEvent* event) {
    const ViewRange& v = viewport_.visible();
    const double dt = (v.t1 - v.t0) * kKeyPan;
    const double dv = (v.v1 - v.v0) * kKeyPan;
    const double midT = (v.t0 + v.t1) / 2;
    switch (event->key()) {
        case Qt::Key_Home:
            home();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            viewport_.zoomTime(kWheelZoom, midT);
            break;
        case Qt::Key_Minus:
            viewport_.zoomTime(1 / kWheelZoom, midT);
            break;
        case Qt::Key_Left:
            viewport_.pan(-dt, 0);
            break;
        case Qt::Key_Right:
            viewport_.pan(dt, 0);
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            autoscale_ = false;
            viewport_.pan(0, event->key() == Qt::Key_Up ? dv : -dv);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    changed();
}

void PlotView::leaveEvent(QEvent*) {
    cursorT_.reset();
    update();
}

}  // namespace photara
