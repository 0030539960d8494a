#include "ui/logger/click_filter.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace photara {
namespace {

class ClickFilter final : public QObject {
  public:
    ClickFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), widget_(widget), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_ || event->type() != QEvent::MouseButtonRelease) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        if (!widget_->rect().contains(mouse->position().toPoint())) return false;
        if (!widget_->isEnabled()) return false;
        handler_();
        return true;
    }

  private:
    QWidget* widget_;
    std::function<void()> handler_;
};

}  // namespace

void onClick(QWidget* widget, std::function<void()> handler) {
    new ClickFilter(widget, std::move(handler));
    widget->setCursor(Qt::PointingHandCursor);
}

}  // namespace photara
